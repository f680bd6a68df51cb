#include "files/Fdx.hpp"

#include "files/TextCodec.hpp"

#include <SFML/System/Utf.hpp>
#include "files/XmlGuard.hpp"

#include <rapidxml/rapidxml.hpp>

#include <cstring>
#include <iterator>
#include <map>

namespace {
using Node = rapidxml::xml_node<>;

const std::map<std::string, DivType> kindOfType = {
    {"Scene Heading", Scene}, {"Action", Directorial},   {"General", Directorial},  {"Shot", Directorial},
    {"Character", Name},      {"Parenthetical", Parenthetical}, {"Dialogue", Speech}, {"Lyric", Speech},
    {"Transition", Transition}};

const char* typeOfKind(DivType kind)
{
    switch (kind) {
    case Scene: return "Scene Heading";
    case Name: return "Character";
    case Parenthetical: return "Parenthetical";
    case Speech: return "Dialogue";
    case Transition: return "Transition";
    default: return "Action";
    }
}

std::string attribute(const Node* node, const char* name)
{
    const rapidxml::xml_attribute<>* found = node->first_attribute(name);
    return found ? std::string(found->value(), found->value_size()) : std::string();
}

// Whether XML 1.0 can hold the character.
bool xmlCharacter(sf::Uint32 c)
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 32 && c < 0xD800) || (c > 0xDFFF && c < 0xFFFE) ||
           (c > 0xFFFF && c <= 0x10FFFF);
}

// The styles a <Text> run's Style attribute names ("Bold+Italic+Underline"); others drop.
std::uint8_t styleOf(const Node* run)
{
    const std::string tokens = "+" + attribute(run, "Style") + "+";
    std::uint8_t style = Plain;
    for (const auto& [token, bit] : {std::pair{"+Bold+", Bold}, std::pair{"+Italic+", Italic}, std::pair{"+Underline+", Underline}})
        if (tokens.find(token) != std::string::npos)
            style = static_cast<std::uint8_t>(style | bit);
    return style;
}

// A paragraph of the kind with its <Text> runs' letters in their styles, every control
// character a space and what XML cannot hold left out.
Paragraph paragraphOf(const Node* node, DivType kind)
{
    Paragraph paragraph{kind, sf::String()};
    for (const Node* run = node->first_node("Text"); run; run = run->next_sibling("Text")) {
        const std::uint8_t style = styleOf(run);
        for (const Node* piece = run->first_node(); piece; piece = piece->next_sibling())
            if (piece->type() == rapidxml::node_data || piece->type() == rapidxml::node_cdata)
                insertText(paragraph, paragraph.text.getSize(), fromUtf8(piece->value(), piece->value_size()), style);
            else if (piece->type() == rapidxml::node_element && std::strcmp(piece->name(), "Tab") == 0)
                insertText(paragraph, paragraph.text.getSize(), " ", style);
    }
    for (std::size_t i = paragraph.text.getSize(); i-- > 0;) {
        const sf::Uint32 c = paragraph.text[i];
        if (!xmlCharacter(c))
            eraseText(paragraph, i, i + 1); // a character XML cannot hold, written raw
        else if (c < 32)
            paragraph.text[i] = ' ';
    }
    return paragraph;
}

sf::String textOf(const Node* node)
{
    return paragraphOf(node, None).text;
}

void readParagraphs(const Node* content, Script& script)
{
    for (const Node* p = content->first_node("Paragraph"); p; p = p->next_sibling("Paragraph")) {
        if (const Node* dual = p->first_node("DualDialogue")) {
            // The cue that begins the second of the two dialogues (the first cue after
            // dialogue) speaks at once with the first.
            const std::size_t from = script.paragraphs.size();
            readParagraphs(dual, script);
            std::vector<Paragraph>& read = script.paragraphs;
            for (std::size_t i = from + 1; i < read.size(); ++i) {
                const DivType before = read[i - 1].kind;
                if (read[i].kind == Name && (before == Name || before == Parenthetical || before == Speech)) {
                    read[i].dual = true;
                    break;
                }
            }
            continue;
        }
        const std::string type = attribute(p, "Type");
        const bool newPage = attribute(p, "StartsNewPage") == "Yes";
        const auto known = kindOfType.find(type);
        DivType kind = known == kindOfType.end() ? Directorial : known->second;
        if (kind == Directorial && attribute(p, "Alignment") == "Center")
            kind = Centered;
        Paragraph paragraph = paragraphOf(p, kind);
        if (newPage)
            script.paragraphs.push_back({PageBreak, sf::String()});
        if (newPage && type == "General" && paragraph.text.isEmpty())
            continue; // a page break alone
        script.paragraphs.push_back(std::move(paragraph));
    }
}

bool isCredit(const sf::String& line)
{
    std::string lower = toUtf8(line);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "by" || (lower.size() > 3 && lower.compare(lower.size() - 3, 3, " by") == 0);
}

void addLine(sf::String& field, const sf::String& line)
{
    field += (field.isEmpty() ? sf::String() : sf::String("\n")) + line;
}

void readTitlePage(const Node* titlePage, Script& script)
{
    script.setTitlePage({"", "", "", "", "", "", ""});
    const Node* content = titlePage->first_node("Content");
    if (!content)
        return;
    std::vector<sf::String> centred, right;
    for (const Node* p = content->first_node("Paragraph"); p; p = p->next_sibling("Paragraph")) {
        const sf::String text = textOf(p);
        bool blank = true;
        for (const sf::Uint32 c : text)
            blank = blank && c == ' ';
        if (blank)
            continue;
        const std::string alignment = attribute(p, "Alignment");
        if (alignment == "Center")
            centred.push_back(text);
        else if (alignment == "Right")
            right.push_back(text);
        else
            addLine(script.contact, text);
    }
    std::size_t i = 0;
    if (i < centred.size())
        script.title = centred[i++];
    if (i < centred.size() && isCredit(centred[i]))
        script.credit = centred[i++];
    if (i < centred.size())
        script.author = centred[i++];
    for (; i < centred.size(); ++i)
        addLine(script.source, centred[i]);
    for (std::size_t r = 0; r < right.size(); ++r)
        if (r + 1 == right.size())
            script.draftDate = right[r];
        else
            addLine(script.notes, right[r]);
}

// Escapes & < > " and leaves out what XML 1.0 cannot hold.
std::string markup(const sf::String& text)
{
    std::string out;
    bool blank = true;
    for (const sf::Uint32 c : text) {
        if (!xmlCharacter(c) || c == '\n' || c == '\r')
            continue;
        blank = blank && (c == ' ' || c == '\t');
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: sf::Utf8::encode(c, std::back_inserter(out)); break;
        }
    }
    if (blank && !out.empty()) // a reader drops a text of white space alone; a reference keeps it
        out.replace(0, 1, "&#32;");
    return out;
}

void paragraph(std::string& out, const char* type, const sf::String& text, const char* extra = "")
{
    out += std::string("    <Paragraph") + extra + " Type=\"" + type + "\">\n      <Text>" + markup(text) + "</Text>\n    </Paragraph>\n";
}

// A paragraph of the script, its letters as shown, a <Text> run for each run of one style.
void paragraph(std::string& out, const char* type, const Paragraph& p, const std::string& extra)
{
    const sf::String text = shownText(p.kind, p.text);
    out += "    <Paragraph" + extra + " Type=\"" + type + "\">\n";
    std::size_t from = 0;
    do {
        std::size_t to = from + 1;
        while (to < text.getSize() && p.styleAt(to) == p.styleAt(from))
            ++to;
        to = std::min<std::size_t>(to, text.getSize());
        std::string style;
        for (const auto& [bit, name] : {std::pair{Bold, "Bold"}, std::pair{Italic, "Italic"}, std::pair{Underline, "Underline"}})
            if (p.styleAt(from) & bit)
                style += (style.empty() ? "" : "+") + std::string(name);
        out += "      <Text" + (style.empty() ? std::string() : " Style=\"" + style + "\"") + ">" +
               markup(text.substring(from, to - from)) + "</Text>\n";
        from = to;
    } while (from < text.getSize());
    out += "    </Paragraph>\n";
}
} // namespace

std::optional<Script> parseFdx(std::string bytes, std::string* why)
{
    auto fail = [why](const char* reason) -> std::optional<Script> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.size() > largestFdx)
        return fail("larger than 50 MB");
    if (const std::optional<std::string> refused = xmlRefusal(bytes))
        return fail(refused->c_str());
    rapidxml::xml_document<> document;
    try {
        document.parse<rapidxml::parse_validate_closing_tags>(bytes.data());
    } catch (const rapidxml::parse_error&) {
        return fail("not well-formed XML");
    }
    const Node* root = document.first_node();
    if (!root || std::strcmp(root->name(), "FinalDraft") != 0)
        return fail("not a Final Draft file");
    Script script;
    if (const Node* titlePage = root->first_node("TitlePage"))
        readTitlePage(titlePage, script);
    else
        script.setTitlePage({"", "", "", "", "", "", ""});
    if (const Node* content = root->first_node("Content"))
        readParagraphs(content, script);
    unpairLoneCues(script.paragraphs);
    return script;
}

std::string fdxText(const Script& script)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
                      "<FinalDraft DocumentType=\"Script\" Template=\"No\" Version=\"5\">\n  <Content>\n";
    bool newPage = false; // a page break before the next paragraph
    std::size_t pairEnd = 0; // while inside a pair of dialogues, where it ends
    const std::vector<Paragraph>& all = script.paragraphs;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Paragraph& p = all[i];
        if (p.kind == PageBreak) {
            if (newPage)
                paragraph(out, "General", "", " StartsNewPage=\"Yes\"");
            newPage = true;
            continue;
        }
        if (i >= pairEnd && (p.kind == Name || p.kind == Parenthetical || p.kind == Speech) &&
            pairsWithNext(all, speechBlockEnd(all, i))) {
            pairEnd = speechBlockEnd(all, speechBlockEnd(all, i));
            out += "    <Paragraph>\n      <DualDialogue>\n";
        }
        std::string extra = p.kind == Centered ? " Alignment=\"Center\"" : "";
        if (newPage)
            extra += " StartsNewPage=\"Yes\"";
        newPage = false;
        paragraph(out, typeOfKind(p.kind), p, extra);
        if (i + 1 == pairEnd)
            out += "      </DualDialogue>\n    </Paragraph>\n";
    }
    if (newPage)
        paragraph(out, "General", "", " StartsNewPage=\"Yes\"");
    out += "  </Content>\n  <TitlePage>\n  <Content>\n";
    for (const auto& [place, alignment] : {std::pair{TitlePlace::Centre, " Alignment=\"Center\""},
                                           std::pair{TitlePlace::Left, " Alignment=\"Left\""},
                                           std::pair{TitlePlace::Right, " Alignment=\"Right\""}})
        for (const TitleField* field : titleFieldsAt(place))
            for (const sf::String& line : splitLines(script.*field->member))
                paragraph(out, "Text", line, alignment);
    out += "  </Content>\n  </TitlePage>\n</FinalDraft>\n";
    return out;
}
