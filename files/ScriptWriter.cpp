#include "files/ScriptWriter.hpp"

#include "files/WholeFile.hpp"
#include "files/TextCodec.hpp"

#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string markup(const sf::String& text)
{
    return escapeMarkup(toUtf8(text));
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

std::vector<std::pair<const char*, sf::String*>> titleFields(Script& script)
{
    return {{"Credit", &script.credit}, {"Source", &script.source}, {"DraftDate", &script.draftDate},
            {"Contact", &script.contact}, {"Notes", &script.notes}};
}

std::vector<std::pair<const char*, const sf::String*>> titleFields(const Script& script)
{
    std::vector<std::pair<const char*, const sf::String*>> fields;
    for (const auto& [name, field] : titleFields(const_cast<Script&>(script)))
        fields.emplace_back(name, field);
    return fields;
}

std::string scriptHtml(const Script& script, bool standalone, const fs::path& basePath)
{
    std::ostringstream out;
    out << "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"";
    out << (standalone ? basePath.filename().string() : std::string("../res/standalone"));
    out << ".css\"/>\n</head>\n";
    out << "<body>\n\t<div class=\"Page\">\n\t\t<div class=\"Title\">" << markup(script.title)
        << "</div>\n\t\t<div class=\"Subtitle\">" << markup(script.author) << "</div>\n";
    for (const auto& [name, field] : titleFields(script)) {
        for (const sf::String& line : splitLines(*field))
            out << "\t\t<div class=\"" << name << "\">" << markup(line) << "</div>\n";
    }
    out << "\t</div>\n\t<div class=\"Page\">\n";
    std::uint32_t scene = 1;
    for (const Paragraph& paragraph : script.paragraphs) {
        if (paragraph.kind == Scene) {
            out << "\t\t<div class=\"SceneNum\">";
            writeSceneNumber(out, scene++);
            out << " </div><div class=\"Scene\">" << markup(shownText(Scene, paragraph.text)) << "</div>\n";
        } else {
            out << "\t\t<div class=\"" << kindNames.at(paragraph.kind) << "\">" << markup(shownText(paragraph.kind, paragraph.text)) << "</div>\n";
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
