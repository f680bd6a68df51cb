#include "files/ScriptWriter.hpp"

#include "files/WholeFile.hpp"
#include "files/TextCodec.hpp"

#include <sstream>

namespace fs = std::filesystem;

namespace {
// A stretch of text between tags. The reader drops a stretch of white space alone, so
// such a stretch keeps its first space as a reference.
std::string markup(const sf::String& text)
{
    std::string out = escapeMarkup(toUtf8(text));
    if (!out.empty() && out.find_first_not_of(' ') == std::string::npos)
        out.replace(0, 1, "&#32;");
    return out;
}

// A paragraph's letters as shown, each styled run in <b>, <i> and <u>, always nested in
// that order, a run of one style in one element.
std::string markup(const Paragraph& paragraph)
{
    const sf::String text = shownText(paragraph.kind, paragraph.text);
    if (!paragraph.styled())
        return markup(text);
    static const std::pair<std::uint8_t, const char*> tags[] = {{Bold, "b"}, {Italic, "i"}, {Underline, "u"}};
    std::string out;
    std::uint8_t now = Plain;
    auto become = [&](std::uint8_t style) {
        std::size_t keep = 0; // the outer tags that stay as they are
        while (keep < 3 && (now & tags[keep].first) == (style & tags[keep].first))
            ++keep;
        for (std::size_t level = 3; level-- > keep;)
            if (now & tags[level].first)
                out += std::string("</") + tags[level].second + ">";
        for (std::size_t level = keep; level < 3; ++level)
            if (style & tags[level].first)
                out += std::string("<") + tags[level].second + ">";
        now = style;
    };
    for (std::size_t from = 0; from < text.getSize();) {
        std::size_t to = from + 1;
        while (to < text.getSize() && paragraph.styleAt(to) == paragraph.styleAt(from))
            ++to;
        become(paragraph.styleAt(from));
        out += markup(text.substring(from, to - from));
        from = to;
    }
    become(Plain);
    return out;
}

// "&nbsp;" fillers right-align a scene number in a field of three characters.
void writeSceneNumber(std::ostream& out, std::uint32_t number)
{
    const std::string digits = std::to_string(number);
    for (std::size_t d = digits.size(); d < 3; ++d)
        out << "&nbsp;";
    out << digits;
}

} // namespace

std::string scriptHtml(const Script& script, bool standalone, const fs::path& basePath)
{
    std::ostringstream out;
    out << "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"";
    out << (standalone ? basePath.filename().string() : std::string("../res/standalone"));
    out << ".css\"/>\n</head>\n";
    out << "<body>\n\t<div class=\"Page\">\n";
    // The title and the author line always stand first; the other fields only when they
    // hold something, a div for each of their lines.
    for (const TitleField& field : titleFields) {
        const sf::String& value = script.*field.member;
        if (field.always)
            out << "\t\t<div class=\"" << field.className << "\">" << markup(value) << "</div>\n";
        else
            for (const sf::String& line : splitLines(value))
                out << "\t\t<div class=\"" << field.className << "\">" << markup(line) << "</div>\n";
    }
    out << "\t</div>\n\t<div class=\"Page\">\n";
    std::uint32_t scene = 1;
    for (const Paragraph& paragraph : script.paragraphs) {
        if (paragraph.kind == Scene) {
            out << "\t\t<div class=\"SceneNum\">";
            writeSceneNumber(out, scene++);
            out << " </div><div class=\"Scene\">" << markup(paragraph) << "</div>\n";
        } else {
            const std::string kind = kindNames.at(paragraph.kind) + (paragraph.kind == Name && paragraph.dual ? " Dual" : "");
            out << "\t\t<div class=\"" << kind << "\">" << markup(paragraph) << "</div>\n";
        }
    }
    out << "\t</div>\n</body>\n</html>";
    return out.str();
}

bool mayReplace(const std::vector<fs::path>& files, const OverwriteQuestion& ask, std::error_code* error)
{
    std::vector<std::string> existing;
    std::error_code ignored;
    for (const fs::path& file : files)
        if (fs::exists(file, ignored) || fs::is_symlink(file, ignored))
            existing.push_back(file.filename().string());
    if (existing.empty())
        return true;
    std::string named = existing[0];
    for (std::size_t i = 1; i < existing.size(); ++i)
        named += (i + 1 == existing.size() ? " and " : ", ") + existing[i];
    if (ask && ask(named + (existing.size() > 1 ? " exist." : " exists.")))
        return true;
    if (error)
        *error = std::make_error_code(std::errc::file_exists);
    return false;
}

bool writeScript(const Script& script, const fs::path& basePath, bool standalone, const OverwriteQuestion& ask,
                 std::error_code* error)
{
    const fs::path file = basePath.string() + ".html";
    if (standalone && !mayReplace({file, basePath.string() + ".css"}, ask, error))
        return false;
    if (standalone) {
        std::string style;
        if (!readWholeFile("res/standalone.css", style)) {
            if (error)
                *error = std::make_error_code(std::errc::no_such_file_or_directory);
            return false;
        }
        if (!writeFileAtomically(basePath.string() + ".css", style, error))
            return false;
    }
    return writeFileAtomically(file, scriptHtml(script, standalone, basePath), error);
}
