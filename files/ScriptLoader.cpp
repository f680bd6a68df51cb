#include "files/ScriptLoader.hpp"

#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include "files/XmlGuard.hpp"

#include <rapidxml/rapidxml.hpp>

namespace {
using Node = rapidxml::xml_node<>;

// The letters of an element and of the elements in it, in one style or as the b, i and u
// elements in it give; false when another element stands in it and styles are read.
bool readLetters(const Node* node, std::uint8_t style, bool styled, Paragraph& into)
{
    for (const Node* piece = node->first_node(); piece; piece = piece->next_sibling()) {
        if (piece->type() == rapidxml::node_data || piece->type() == rapidxml::node_cdata) {
            insertText(into, into.text.getSize(), fromUtf8(piece->value(), piece->value_size()), style);
        } else if (piece->type() == rapidxml::node_element) {
            const std::string name(piece->name(), piece->name_size());
            const std::uint8_t bit = name == "b" ? Bold : name == "i" ? Italic : name == "u" ? Underline : Plain;
            if (styled && bit == Plain)
                return false;
            if (!readLetters(piece, static_cast<std::uint8_t>(style | bit), styled, into))
                return false;
        }
    }
    return true;
}

// A title-page field is plain text: the letters of any elements in it are kept, their styles not.
sf::String valueOf(const Node* node)
{
    Paragraph letters{None, sf::String()};
    readLetters(node, Plain, false, letters);
    return singleLine(letters.text);
}

// Walks the parsed tree by position; false when the file is not a script.
bool readTree(rapidxml::xml_document<>& document, Script& script)
{
    const auto* html = document.first_node("html");
    const auto* body = html ? html->first_node("body") : nullptr;
    const auto* firstPage = body ? body->first_node("div") : nullptr;
    const auto* titleDiv = firstPage ? firstPage->first_node() : nullptr;
    const auto* subtitleDiv = titleDiv ? titleDiv->next_sibling() : nullptr;
    if (!subtitleDiv)
        return false;
    script.title = valueOf(titleDiv);
    script.author = valueOf(subtitleDiv);
    // The other fields of the title page, by class; a field of several lines has a div each.
    for (const auto* div = subtitleDiv->next_sibling(); div; div = div->next_sibling()) {
        const auto* attribute = div->first_attribute("class");
        if (div->type() != rapidxml::node_element || !attribute)
            continue;
        const std::string name(attribute->value(), attribute->value_size());
        for (const TitleField& field : titleFields) {
            sf::String& value = script.*field.member;
            if (name == field.className && !field.always)
                value += (value.isEmpty() ? sf::String() : sf::String("\n")) + valueOf(div);
        }
    }

    for (const auto* container = firstPage->next_sibling(); container; container = container->next_sibling()) {
        for (const auto* child = container->first_node(); child; child = child->next_sibling()) {
            if (child->type() != rapidxml::node_element)
                return false; // stray text between paragraphs
            const auto* attribute = child->first_attribute();
            if (!attribute)
                return false;
            std::string kindName(attribute->value(), attribute->value_size());
            if (kindName == "SceneNum")
                continue;
            const bool dual = kindName == "Name Dual";
            const auto kind = kindByName.find(dual ? "Name" : kindName);
            if (kind == kindByName.end())
                return false;
            Paragraph paragraph{kind->second, sf::String(), {}, dual};
            if (kind->second != PageBreak && !readLetters(child, Plain, true, paragraph))
                return false; // an element a paragraph cannot hold
            makeSingleLine(paragraph);
            script.paragraphs.push_back(std::move(paragraph));
        }
    }
    return true;
}

} // namespace

std::optional<Script> parseScript(std::string bytes)
{
    if (xmlRefusal(bytes, true))
        return std::nullopt;
    bytes.push_back('\0');
    rapidxml::xml_document<> document;
    Script script;
    try {
        document.parse<0>(bytes.data());
        if (!readTree(document, script))
            return std::nullopt;
    } catch (const rapidxml::parse_error&) {
        return std::nullopt;
    }
    if (script.paragraphs.empty())
        script.paragraphs.push_back({Scene, sf::String()});
    return script;
}

std::optional<Script> loadScript(const std::filesystem::path& file, std::string* why)
{
    std::string bytes;
    if (!readWholeFile(file, bytes, why))
        return std::nullopt;
    std::optional<Script> script = parseScript(std::move(bytes));
    if (!script && why)
        *why = "not a script";
    return script;
}
