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

void writeHead(std::ostream& out, bool standalone, const fs::path& basePath)
{
    out << "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"";
    out << (standalone ? basePath.filename().string() : std::string("../res/standalone"));
    out << ".css\"/>\n</head>\n";
}

bool writeScript(const Page& page, const sf::String& title, const sf::String& author, const fs::path& basePath,
                 bool standalone, const OverwriteQuestion& ask)
{
    const fs::path file = basePath.string() + ".html";
    std::error_code error;
    if (standalone && fs::exists(file, error) && !(ask && ask()))
        return false;

    std::ostringstream out;
    writeHead(out, standalone, basePath);
    out << "<body>\n\t<div class=\"Page\">\n\t\t<div class=\"Title\">" << markup(title)
        << "</div>\n\t\t<div class=\"Subtitle\">" << markup(author) << "</div>\n\t</div>\n\t<div class=\"Page\">\n";
    std::uint32_t scene = 1;
    for (const DivEditor& paragraph : page.paragraphs) {
        if (paragraph.kind == Scene) {
            out << "\t\t<div class=\"SceneNum\">";
            writeSceneNumber(out, scene++);
            out << " </div><div class=\"Scene\">" << markup(paragraph.text) << "</div>\n";
        } else {
            out << "\t\t<div class=\"" << kindNames.at(paragraph.kind) << "\">" << markup(paragraph.text) << "</div>\n";
        }
    }
    out << "\t</div>\n</body>\n</html>";

    if (standalone) {
        std::string style;
        if (!readWholeFile("res/standalone.css", style) || !writeFileAtomically(basePath.string() + ".css", style))
            return false;
    }
    return writeFileAtomically(file, out.str());
}
