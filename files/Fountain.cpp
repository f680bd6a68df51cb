// Reading and writing Fountain.
//
//   decoding     bytes to lines of characters, each marked when a backslash escaped it
//   cleaning     notes and boneyard out, markers and emphasis off, ends trimmed
//   elements     the tests for headings, characters, transitions and the like
//   reading      the title page, then the body block by block
//   writing      each paragraph in the form that reads back as itself
#include "files/Fountain.hpp"

#include "files/TextCodec.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>

namespace {
// ---- decoding ----

struct Ch {
    char32_t c;
    bool escaped; // written with a backslash before it: never markup
};
using Chars = std::vector<Ch>;

struct Line {
    Chars chars;
    std::optional<DivType> kind; // a leading "[[Quillmere: KIND]]" note
    bool dropped = false;        // it held nothing but notes or boneyard
};

// UTF-8 to code points, a stray byte read as Latin-1; nothing when the bytes look like
// no text at all (a NUL, or many stray or control bytes).
std::optional<std::u32string> decode(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos)
        return std::nullopt;
    const sf::String text = fromUtf8(bytes);
    // A stray byte decodes to one Latin-1 character, which takes two bytes in UTF-8: the
    // text written out again is longer by one byte per stray byte.
    std::size_t controls = 0, rewritten = 0;
    for (const sf::Uint32 c : text) {
        if (c < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v')
            ++controls;
        rewritten += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    const std::size_t stray = rewritten - bytes.size();
    const std::size_t tolerated = 8 + bytes.size() / 50;
    if (stray > tolerated || controls > tolerated)
        return std::nullopt;
    std::u32string out(text.begin(), text.end());
    if (!out.empty() && out[0] == 0xFEFF)
        out.erase(0, 1);
    return out;
}

std::vector<Chars> splitLines(const std::u32string& text)
{
    std::vector<Chars> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n' && text[i + 1] != '\r') {
            lines.back().push_back({text[++i], true});
        } else {
            lines.back().push_back({c, false});
        }
    }
    return lines;
}

bool is(const Chars& chars, std::size_t i, char32_t c)
{
    return i < chars.size() && !chars[i].escaped && chars[i].c == c;
}

bool startsWith(const Chars& chars, std::size_t at, const char* text)
{
    for (std::size_t k = 0; text[k]; ++k)
        if (!is(chars, at + k, static_cast<unsigned char>(text[k])))
            return false;
    return true;
}

std::string lowered(const char* text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// ---- cleaning ----

std::optional<DivType> kindMark(const Chars& note)
{
    const std::string prefix = "Quillmere: ";
    std::string text;
    for (const Ch& ch : note)
        text += ch.c < 0x80 ? static_cast<char>(ch.c) : '?';
    if (text.rfind(prefix, 0) != 0)
        return std::nullopt;
    const auto kind = kindByName.find(text.substr(prefix.size()));
    return kind == kindByName.end() ? std::nullopt : std::optional<DivType>(kind->second);
}

// Takes notes ([[ ]]) and boneyard (/* */) out, across lines. A line that held nothing
// else is dropped, so that a note between two lines of dialogue does not part them.
std::vector<Line> withoutNotes(const std::vector<Chars>& raw, FountainReport* report)
{
    std::vector<Line> lines;
    bool inNote = false, inBoneyard = false;
    std::size_t boneyardLine = 0; // where the open boneyard began
    Chars note;
    for (std::size_t row = 0; row < raw.size(); ++row) {
        const Chars& chars = raw[row];
        Line line;
        bool removed = inNote || inBoneyard;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            if (inBoneyard) {
                if (startsWith(chars, i, "*/"))
                    inBoneyard = false, ++i;
            } else if (inNote) {
                if (startsWith(chars, i, "]]")) {
                    inNote = false, ++i;
                    if (const auto kind = kindMark(note); kind && line.chars.empty() && !line.kind)
                        line.kind = kind;
                } else {
                    note.push_back(chars[i]);
                }
            } else if (startsWith(chars, i, "/*")) {
                inBoneyard = removed = true, ++i;
                boneyardLine = row;
            } else if (startsWith(chars, i, "[[")) {
                inNote = removed = true, ++i;
                note.clear();
            } else {
                line.chars.push_back(chars[i]);
            }
        }
        const bool empty = std::all_of(line.chars.begin(), line.chars.end(), [](const Ch& ch) {
            return !ch.escaped && (ch.c == ' ' || ch.c == '\t');
        });
        line.dropped = removed && empty && !line.kind;
        if (!line.dropped)
            lines.push_back(std::move(line));
    }
    if (report && inBoneyard) {
        std::size_t last = raw.size(); // a final line break ends the last line, it adds none
        if (last > boneyardLine + 1 && raw.back().empty())
            --last;
        *report = {boneyardLine + 1, last - boneyardLine};
    }
    return lines;
}

bool space(const Ch& ch)
{
    return !ch.escaped && (ch.c == ' ' || ch.c == '\t' || ch.c == '\f' || ch.c == '\v');
}

Chars trimmed(Chars chars)
{
    while (!chars.empty() && space(chars.back()))
        chars.pop_back();
    const auto first = std::find_if_not(chars.begin(), chars.end(), space);
    chars.erase(chars.begin(), first);
    return chars;
}

// The text of a trimmed piece of a line: emphasis markers gone, escapes resolved.
sf::String plain(const Chars& chars)
{
    std::basic_string<sf::Uint32> out;
    for (const Ch& ch : trimmed(chars))
        if (ch.escaped || (ch.c != '*' && ch.c != '_'))
            out.push_back(ch.c);
    return singleLine(sf::String(out));
}

// ---- emphasis ----

constexpr char32_t lineBreak = 0x2028; // between the lines of a speech while they are read

// A paragraph's characters as its text and styles: *italic*, **bold**, ***bold
// italic*** and _underline_, in any nesting. A run of stars closes what the stars opened
// last, as many as it holds, and opens with what is left; a marker opens only before a
// character that is not a space and closes only after one. A marker left open at the
// paragraph's end is a literal character, as an escaped one is.
Paragraph emphasised(DivType kind, const Chars& chars)
{
    struct Open {
        std::size_t at;    // index of its first character in chars
        std::size_t count; // stars (or the one underscore)
        std::uint8_t bits;
    };
    const std::size_t n = chars.size();
    std::vector<bool> marker(n, false);         // consumed as markup
    std::vector<std::array<int, 3>> change(n + 1, {0, 0, 0}); // +1 where a style opens, -1 where it closes
    auto spaceAt = [&](std::size_t i) {
        return i >= n || (!chars[i].escaped && (chars[i].c == ' ' || chars[i].c == '\t' || chars[i].c == lineBreak));
    };
    auto bitIndex = [](std::uint8_t bit) { return bit == Bold ? 0 : bit == Italic ? 1 : 2; };
    std::vector<Open> stars, underscores;
    for (std::size_t i = 0; i < n;) {
        const char32_t c = chars[i].escaped ? 0 : chars[i].c;
        if (c != '*' && c != '_') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < n && !chars[end].escaped && chars[end].c == c)
            ++end;
        const bool mayClose = i > 0 && !spaceAt(i - 1), mayOpen = !spaceAt(end);
        std::vector<Open>& stack = c == '*' ? stars : underscores;
        std::size_t at = i;
        // Closes from the innermost open marker while the run holds enough.
        while (mayClose && !stack.empty() && end - at >= stack.back().count) {
            const Open open = stack.back();
            stack.pop_back();
            for (std::size_t k = 0; k < open.count; ++k)
                marker[open.at + k] = marker[at + k] = true;
            for (const std::uint8_t bit : {Bold, Italic, Underline})
                if (open.bits & bit) {
                    ++change[open.at + open.count][bitIndex(bit)];
                    --change[at][bitIndex(bit)];
                }
            at += open.count;
        }
        // What is left opens: three stars bold and italic, two bold, one italic; an underscore underline.
        while (mayOpen && at < end) {
            const std::size_t count = c == '_' ? 1 : std::min<std::size_t>(end - at, 3);
            const std::uint8_t bits = c == '_' ? Underline : count == 3 ? Bold | Italic : count == 2 ? Bold : Italic;
            if (count == 3) { // opened as bold outside italic, so that one star closes the italic
                stack.push_back({at, 2, Bold});
                stack.push_back({at + 2, 1, Italic});
            } else {
                stack.push_back({at, count, bits});
            }
            at += count;
        }
        i = end;
    }
    Paragraph out{kind, sf::String()};
    std::array<int, 3> open = {0, 0, 0};
    std::basic_string<sf::Uint32> text;
    std::vector<std::uint8_t> styles;
    for (std::size_t i = 0; i < n; ++i) {
        for (int b = 0; b < 3; ++b)
            open[b] += change[i][b];
        if (marker[i])
            continue;
        text.push_back(chars[i].c);
        styles.push_back(static_cast<std::uint8_t>((open[0] > 0 ? Bold : 0) | (open[1] > 0 ? Italic : 0) | (open[2] > 0 ? Underline : 0)));
    }
    out.text = sf::String(text);
    out.styles = std::move(styles);
    makeSingleLine(out); // which drops styles that are all plain
    return out;
}

Chars from(const Chars& chars, std::size_t at)
{
    return Chars(chars.begin() + static_cast<std::ptrdiff_t>(std::min(at, chars.size())), chars.end());
}

// ---- elements ----

bool blank(const Line& line)
{
    return trimmed(line.chars).empty() && !line.kind;
}

// Two or more spaces alone: an empty line that keeps a dialogue going.
bool spacer(const Line& line)
{
    return line.chars.size() >= 2 && blank(line);
}

bool upperLetter(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9) ||
           (c >= 0x410 && c <= 0x42F);
}

bool lowerLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9) ||
           (c >= 0x430 && c <= 0x44F);
}

// Capitals and no small letters, counting only what stands before the first "(".
bool allCapitals(const Chars& chars, bool beforeParenthesis)
{
    bool letter = false;
    for (const Ch& ch : chars) {
        if (beforeParenthesis && !ch.escaped && ch.c == '(')
            break;
        if (lowerLetter(ch.c))
            return false;
        letter = letter || upperLetter(ch.c);
    }
    return letter;
}

bool heading(const Chars& chars)
{
    static const char* const starts[] = {"INT./EXT", "INT/EXT", "EXT./INT", "EXT/INT", "INT", "EXT", "EST", "I/E"};
    for (const char* start : starts) {
        std::size_t k = 0;
        while (start[k] && k < chars.size() && !chars[k].escaped &&
               (chars[k].c == static_cast<unsigned char>(start[k]) ||
                chars[k].c == static_cast<char32_t>(std::tolower(static_cast<unsigned char>(start[k])))))
            ++k;
        if (!start[k])
            return is(chars, k, '.') || is(chars, k, ' ');
    }
    return false;
}

// Capitals ending in "TO:", or one of the fades that end a script.
bool transition(const Chars& chars)
{
    const std::size_t n = chars.size();
    if (n >= 3 && is(chars, n - 3, 'T') && is(chars, n - 2, 'O') && is(chars, n - 1, ':') && allCapitals(chars, false))
        return true;
    for (const char* fade : {"FADE OUT.", "FADE TO BLACK.", "CUT TO BLACK."})
        if (n == std::strlen(fade) && startsWith(chars, 0, fade))
            return true;
    return false;
}

bool dualMark(const Chars& chars)
{
    const Chars trimmedChars = trimmed(chars);
    return !trimmedChars.empty() && is(trimmedChars, trimmedChars.size() - 1, '^');
}

Chars withoutDualMark(Chars chars)
{
    if (!chars.empty() && is(chars, chars.size() - 1, '^'))
        chars.pop_back();
    return trimmed(chars);
}

bool character(const Chars& chars)
{
    return allCapitals(withoutDualMark(chars), true);
}

bool parenthetical(const Chars& chars)
{
    return is(chars, 0, '(') && is(chars, chars.size() - 1, ')');
}

bool centred(const Chars& chars)
{
    return is(chars, 0, '>') && chars.size() > 1 && is(chars, chars.size() - 1, '<');
}

bool pageBreak(const Chars& chars)
{
    return chars.size() >= 3 && std::all_of(chars.begin(), chars.end(), [](const Ch& ch) { return !ch.escaped && ch.c == '='; });
}

// A heading without its scene number, "#12A#" at its end.
Chars withoutSceneNumber(Chars chars)
{
    const std::size_t n = chars.size();
    if (n >= 2 && is(chars, n - 1, '#')) {
        for (std::size_t k = n - 1; k-- > 0;)
            if (is(chars, k, '#')) {
                chars.resize(k);
                break;
            }
    }
    return trimmed(chars);
}

// ---- reading ----

class Reader {
public:
    explicit Reader(std::vector<Line> lines) : lines(std::move(lines)) {}

    Script read(bool withTitlePage)
    {
        if (withTitlePage)
            readTitlePage();
        while (at < lines.size())
            readElement();
        return std::move(script);
    }

private:
    // A title page key, in small letters: words before a colon at the line's start.
    static std::string keyOf(const Chars& chars, std::size_t& colon)
    {
        std::string name;
        for (colon = 0; colon < chars.size(); ++colon) {
            const Ch& ch = chars[colon];
            if (!ch.escaped && ch.c == ':')
                return name;
            const bool wordy = ch.c == ' ' || ch.c == '-' || ch.c == '_' || ch.c >= 0x80 || std::isalnum(static_cast<int>(ch.c));
            if (ch.escaped || !wordy || (name.empty() && ch.c == ' '))
                return std::string();
            name += ch.c < 0x80 ? static_cast<char>(std::tolower(static_cast<int>(ch.c))) : '?';
        }
        return std::string();
    }

    Chars text(std::size_t i) const { return trimmed(lines[i].chars); }
    bool blankAt(std::size_t i) const { return i >= lines.size() || blank(lines[i]); }
    void add(DivType kind, const Chars& content, bool dual = false)
    {
        script.paragraphs.push_back(emphasised(kind, trimmed(content)));
        script.paragraphs.back().dual = dual && kind == Name;
    }

    // "Key: value" lines at the very top, a value going on in indented lines, up to the
    // first blank line.
    // "Key: value" lines at the very top, a value going on in indented lines, up to the
    // first blank line. An author without a credit gives the author line "By " and the
    // author, a credit alone the author line, as scripts without the other fields have it.
    void readTitlePage()
    {
        std::string key;
        std::map<std::string, std::vector<sf::String>> values; // the lines given under each key
        while (at < lines.size() && !blank(lines[at])) {
            const Chars& chars = lines[at].chars;
            std::size_t colon = 0;
            if (space(chars[0]) && !key.empty()) { // an indented line goes on with the value
                values[key].push_back(plain(chars));
            } else if (const std::string name = keyOf(chars, colon); !name.empty()) {
                key = name;
                values[key].push_back(plain(from(chars, colon + 1)));
            } else {
                break; // not (or no longer) a title page
            }
            ++at;
        }
        if (key.empty()) { // no title page: the body starts at the top
            at = 0;
            script.title.clear();
            script.author.clear();
            return;
        }
        // The lines under the keys, in their order, the empty ones left out; none when no
        // key was given.
        auto field = [&](std::initializer_list<const char*> keys, const char* between) -> std::optional<sf::String> {
            std::optional<sf::String> joined;
            for (const char* name : keys) {
                const auto found = values.find(name);
                if (found == values.end())
                    continue;
                if (!joined)
                    joined = sf::String();
                for (const sf::String& line : found->second)
                    if (!line.isEmpty())
                        *joined += (joined->isEmpty() ? sf::String() : sf::String(between)) + line;
            }
            return joined;
        };
        const std::optional<sf::String> author = field({"author", "authors"}, " ");
        const std::optional<sf::String> credit = field({"credit"}, " ");
        script.title = field({"title"}, " ").value_or(sf::String());
        if (author && credit) {
            script.credit = *credit;
            script.author = *author;
        } else {
            script.author = author ? "By " + *author : credit.value_or(sf::String());
        }
        for (const TitleField& titleField : titleFields) {
            if (titleField.always || titleField.member == &TitleLines::credit)
                continue; // above: how the author line reads depends on the credit
            const std::string key = lowered(titleField.fountainKey);
            const bool notes = titleField.member == &TitleLines::notes;
            script.*titleField.member = (notes ? field({key.c_str(), "copyright"}, "\n") : field({key.c_str()}, titleField.lines ? "\n" : " "))
                                            .value_or(sf::String());
        }
    }

    void readElement()
    {
        const Line& line = lines[at];
        if (blank(line)) {
            afterBlank = true;
            ++at;
            return;
        }
        const bool fresh = afterBlank;
        afterBlank = false;
        const Chars chars = text(at);
        if (line.kind) {
            add(*line.kind, line.chars);
            ++at;
        } else if (pageBreak(chars)) {
            add(PageBreak, {});
            ++at;
            afterBlank = true;
        } else if (is(chars, 0, '#') || is(chars, 0, '=')) {
            ++at; // sections and synopses
            afterBlank = fresh;
        } else if (is(chars, 0, '.') && !is(chars, 1, '.')) {
            add(Scene, withoutSceneNumber(from(chars, 1)));
            ++at;
        } else if (is(chars, 0, '!')) {
            readAction(1);
        } else if (is(chars, 0, '@')) {
            add(Name, withoutDualMark(from(chars, 1)), dualMark(chars));
            ++at;
            readDialogue();
        } else if (is(chars, 0, '~')) {
            readLyrics();
        } else if (centred(chars)) {
            readCentred();
        } else if (is(chars, 0, '>')) {
            add(Transition, from(chars, 1));
            ++at;
        } else if (fresh && heading(chars)) {
            add(Scene, withoutSceneNumber(chars));
            ++at;
        } else if (fresh && transition(chars) && blankAt(at + 1)) {
            add(Transition, chars);
            ++at;
        } else if (fresh && character(chars) && !blankAt(at + 1)) {
            add(Name, withoutDualMark(chars), dualMark(chars));
            ++at;
            readDialogue();
        } else {
            readAction(0);
        }
    }

    // The lines of one paragraph are joined by spaces.
    static void join(Chars& joined, const Chars& line)
    {
        const Chars piece = trimmed(line);
        if (!joined.empty() && !piece.empty())
            joined.push_back({U' ', false});
        joined.insert(joined.end(), piece.begin(), piece.end());
    }

    // Lines up to a blank one, joined; the first without `skip` leading characters.
    void readAction(std::size_t skip)
    {
        Chars joined;
        for (bool first = true; at < lines.size() && !blank(lines[at]); ++at, first = false)
            join(joined, first ? from(text(at), skip) : lines[at].chars);
        add(Directorial, joined);
    }

    void readCentred()
    {
        Chars joined;
        for (; at < lines.size() && centred(text(at)); ++at) {
            const Chars chars = text(at);
            join(joined, Chars(chars.begin() + 1, chars.end() - 1));
        }
        add(Centered, joined);
    }

    void readLyrics()
    {
        Chars joined;
        for (; at < lines.size() && is(text(at), 0, '~'); ++at)
            join(joined, from(text(at), 1));
        add(Speech, joined);
    }

    // Parentheticals and speech up to a blank line; a line of spaces parts two speeches.
    // Each line of a speech is a speech of its own, as it prints (the lines of a song, say);
    // emphasis may run from one to the next.
    void readDialogue()
    {
        Chars speech;
        bool speaking = false;
        auto flush = [&] {
            if (speaking) {
                const Paragraph lines = emphasised(Speech, trimmed(speech));
                for (std::size_t from = 0; from <= lines.text.getSize();) {
                    std::size_t to = lines.text.find(sf::String(lineBreak), from);
                    if (to == sf::String::InvalidPos)
                        to = lines.text.getSize();
                    Paragraph line = slice(lines, from, to);
                    line.text = singleLine(line.text); // nothing else changes a letter's place
                    script.paragraphs.push_back(std::move(line));
                    from = to + 1;
                }
            }
            speech.clear();
            speaking = false;
        };
        for (; at < lines.size() && (spacer(lines[at]) || !blank(lines[at])); ++at) {
            const Chars chars = text(at);
            if (spacer(lines[at])) {
                flush();
            } else if (parenthetical(chars)) {
                flush();
                add(Parenthetical, chars);
            } else if (is(chars, 0, '~')) {
                flush();
                add(Speech, from(chars, 1));
            } else {
                if (speaking)
                    speech.push_back({lineBreak, false});
                const Chars piece = trimmed(chars);
                speech.insert(speech.end(), piece.begin(), piece.end());
                speaking = true;
            }
        }
        flush();
    }

    std::vector<Line> lines;
    std::size_t at = 0;
    bool afterBlank = true;
    Script script;
};

// ---- writing ----

using Text = std::u32string;

Text toText(const sf::String& string)
{
    return Text(string.begin(), string.end());
}

constexpr const char* elementStarts = "!@.~>=#([\\^"; // first characters that begin another element

// The characters as a line holds them, markup escaped: backslashes, emphasis markers,
// the first "[" of "[[", spaces at either end, the first character when it is one of
// `specialFirst` and the last when it is one of `specialLast`.
std::string escaped(const Text& text, const char* specialFirst = elementStarts, const char* specialLast = "",
                    const Paragraph* styled = nullptr)
{
    auto among = [](char32_t c, const char* set) { return c > 0 && c < 0x80 && std::strchr(set, static_cast<int>(c)); };
    Text out;
    const std::size_t lead = text.find_first_not_of(U' ');
    const std::size_t tail = text.find_last_not_of(U' ');
    // Emphasis markers at each change of style: the underline outside, the stars inside,
    // all of the stars closed and opened again as one group ("*", "**" or "***") whenever
    // bold or italic changes, so that a run of stars always closes what is open before it
    // opens anything. A space just inside a marker is escaped, so that the marker counts.
    std::uint8_t now = Plain;
    std::size_t lastLetter = Text::npos; // where the last character of the text stands in out
    bool lastEscaped = false;            // and whether a backslash stands before it
    auto stars = [](std::uint8_t style) {
        const bool bold = style & Bold, italic = style & Italic;
        return Text(bold && italic ? U"***" : bold ? U"**" : italic ? U"*" : U"");
    };
    // A "/" just before a star would begin a boneyard: it is escaped.
    auto put = [&](const Text& markers) {
        if (!markers.empty() && markers[0] == '*' && lastLetter != Text::npos && lastLetter + 1 == out.size() &&
            out[lastLetter] == '/' && !lastEscaped) {
            out.insert(lastLetter++, 1, U'\\');
            lastEscaped = true;
        }
        out += markers;
    };
    auto close = [&](const Text& markers) {
        if (markers.empty())
            return;
        if (lastLetter != Text::npos && lastLetter + 1 == out.size() && out[lastLetter] == ' ' && !lastEscaped) {
            out.insert(lastLetter++, 1, U'\\');
            lastEscaped = true;
        }
        put(markers);
    };
    auto become = [&](std::uint8_t style) {
        const bool starsChange = (now & (Bold | Italic)) != (style & (Bold | Italic));
        const bool underlineChanges = (now & Underline) != (style & Underline);
        if (starsChange || underlineChanges)
            close(stars(now));
        if (underlineChanges && (now & Underline))
            close(U"_");
        if (underlineChanges && (style & Underline))
            out += U"_";
        if (starsChange || underlineChanges)
            put(stars(style));
        now = style;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t style = styled ? styled->styleAt(i) : std::uint8_t(Plain);
        if (style != now)
            become(style);
        const bool opened = !out.empty() && (out.back() == '*' || out.back() == '_') && style != Plain &&
                            (i == 0 || (styled && styled->styleAt(i - 1) != style));
        const char32_t c = text[i];
        const bool edgeSpace = c == ' ' && (lead == Text::npos || i < lead || i > tail || opened);
        const bool markup = c == '\\' || c == '*' || c == '_' || (c == '[' && i + 1 < text.size() && text[i + 1] == '[');
        const bool edge = (i == 0 && among(c, specialFirst)) || (i + 1 == text.size() && among(c, specialLast));
        lastEscaped = edgeSpace || markup || edge;
        if (lastEscaped)
            out.push_back('\\');
        lastLetter = out.size();
        out.push_back(c);
    }
    become(Plain);
    return toUtf8(sf::String(std::basic_string<sf::Uint32>(out.begin(), out.end())));
}

bool beginsElement(const Text& text)
{
    return !text.empty() && text[0] < 0x80 && std::strchr(elementStarts, static_cast<int>(text[0]));
}

Chars asChars(const Text& text)
{
    Chars chars;
    for (const char32_t c : text)
        chars.push_back({c, false});
    return chars;
}

bool plainScene(const Text& text)
{
    const Chars chars = asChars(text);
    return heading(chars) && trimmed(chars).size() == chars.size() && withoutSceneNumber(chars).size() == chars.size();
}

bool plainCharacter(const Text& text)
{
    const Chars chars = asChars(text);
    return !text.empty() && character(chars) && trimmed(chars).size() == chars.size() && text.back() != '^' &&
           !beginsElement(text) && !heading(chars) && !transition(chars);
}

bool plainParenthetical(const Text& text)
{
    return text.size() >= 2 && text.front() == '(' && text.back() == ')';
}

// Whether a paragraph can stand inside a dialogue as a line of its own kind.
bool inDialogue(const Paragraph& paragraph)
{
    const Text text = toText(paragraph.text);
    if (paragraph.kind == Parenthetical) // its parentheses first and last, no marker around them
        return plainParenthetical(text) && paragraph.styleAt(0) == Plain && paragraph.styleAt(text.size() - 1) == Plain;
    return paragraph.kind == Speech && !text.empty() && !plainParenthetical(text);
}
} // namespace

std::optional<Script> parseFountain(const std::string& bytes, FountainReport* report)
{
    const std::optional<std::u32string> text = decode(bytes);
    if (!text)
        return std::nullopt;
    Script script = Reader(withoutNotes(splitLines(*text), report)).read(true);
    unpairLoneCues(script.paragraphs);
    return script;
}

std::optional<std::vector<Paragraph>> parseFountainBody(const std::string& bytes)
{
    const std::optional<std::u32string> text = decode(bytes);
    if (!text)
        return std::nullopt;
    return Reader(withoutNotes(splitLines(*text), nullptr)).read(false).paragraphs; // a pasted cue may pair with what is there
}

// Every element stands apart after a blank line, but for the parentheticals and speeches
// of a dialogue, which follow their character's line directly (a line of two spaces
// parts two speeches). A title page always comes first, so that no first paragraph is
// taken for one.
std::string fountainText(const Script& script)
{
    std::string out = "Title: " + escaped(toText(script.title), "") + "\n";
    const Text author = toText(script.author);
    if (!script.credit.isEmpty())
        out += "Credit: " + escaped(toText(script.credit), "") + "\nAuthor: " + escaped(author, "") + "\n";
    else if (author.rfind(U"By ", 0) == 0 && author.size() > 3)
        out += "Author: " + escaped(author.substr(3), "") + "\n";
    else if (!author.empty())
        out += "Credit: " + escaped(author, "") + "\n";
    for (const TitleField& field : titleFields) {
        const sf::String& value = script.*field.member;
        if (field.always || field.member == &TitleLines::credit || value.isEmpty())
            continue;
        if (!field.lines) {
            out += std::string(field.fountainKey) + ": " + escaped(toText(value), "") + "\n";
            continue;
        }
        out += std::string(field.fountainKey) + ":\n";
        for (const sf::String& line : splitLines(value))
            if (!line.isEmpty()) // an empty line would end the title page
                out += "    " + escaped(toText(line), "") + "\n";
    }
    return out + fountainBody(script.paragraphs);
}

std::string fountainBody(const std::vector<Paragraph>& paragraphs)
{
    std::string out;
    bool dialogue = false; // the lines go on a character's dialogue
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& paragraph = paragraphs[i];
        const Text text = toText(shownText(paragraph.kind, paragraph.text));
        if (dialogue && inDialogue(paragraph)) {
            if (paragraph.kind == Speech && paragraphs[i - 1].kind == Speech)
                out += "  \n";
            out += escaped(text, paragraph.kind == Speech ? elementStarts : "!@.~>=#[\\^", "", &paragraph) + "\n";
            continue;
        }
        dialogue = false;
        out += "\n";
        const Chars chars = asChars(text);
        switch (paragraph.kind) {
        case Scene:
            out += (plainScene(text) && !paragraph.styled() ? escaped(text) : "." + escaped(text, elementStarts, "#", &paragraph)) + "\n";
            break;
        case Name: {
            const bool spoken = i + 1 < paragraphs.size() && inDialogue(paragraphs[i + 1]);
            const Chars line = asChars(paragraph.dual ? text + U" ^" : text); // as it is written: "INT ^" reads as a heading
            const bool plain = plainCharacter(text) && !heading(line) && !transition(line);
            out += (plain && spoken && !paragraph.styled() ? escaped(text) : "@" + escaped(text, elementStarts, "^", &paragraph)) +
                   (paragraph.dual ? " ^\n" : "\n");
            dialogue = spoken;
            break;
        }
        case Directorial: {
            const bool misread = text.empty() || beginsElement(text) || heading(chars) || centred(chars) ||
                                 transition(chars) || trimmed(chars).size() != chars.size();
            out += (misread ? "!" + escaped(text, "", "", &paragraph) : escaped(text, elementStarts, "", &paragraph)) + "\n";
            break;
        }
        case Transition: {
            const bool plain = transition(chars) && trimmed(chars).size() == chars.size() && !beginsElement(text) &&
                               !heading(chars) && !centred(chars) && !pageBreak(chars);
            out += (plain && !paragraph.styled() ? escaped(text) : "> " + escaped(text, "", "<", &paragraph)) + "\n";
            break;
        }
        case Centered:
            out += "> " + escaped(text, "", "", &paragraph) + " <\n";
            break;
        case PageBreak:
            out += "===\n";
            break;
        default:
            out += "[[Quillmere: " + kindNames.at(paragraph.kind) + "]]" + escaped(text, "", "", &paragraph) + "\n";
            break;
        }
    }
    return out;
}
