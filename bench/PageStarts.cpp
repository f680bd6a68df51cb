// Prints the first line of text of each printed sheet of a Fountain or Final Draft file,
// the title page first when the script has one, as "sheet<TAB>line", so that the page
// starts can be set beside another program's:
//   build/quillmere-pages script.fountain > ours.tsv
// With a second file of the same form, prints the sheets whose first lines differ and the
// share that agree. With --show N instead, prints sheet N whole, a row a line.
#include "files/Fdx.hpp"
#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace {
// A line as text taken from a PDF reads: spaces at the ends gone, a run of them one.
std::string trimmed(const std::string& text)
{
    std::string out;
    for (const char c : text)
        if ((c != ' ' && c != '\r') || (!out.empty() && out.back() != ' '))
            out += c == '\r' ? ' ' : c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: quillmere-pages SCRIPT.fountain|SCRIPT.fdx [THEIRS.tsv]\n";
        return 2;
    }
    std::string bytes, why;
    if (!readWholeFile(argv[1], bytes, &why)) {
        std::cerr << argv[1] << ": " << why << "\n";
        return 1;
    }
    const std::string name = argv[1];
    const bool fdx = name.size() > 4 && name.compare(name.size() - 4, 4, ".fdx") == 0;
    const std::optional<Script> script = fdx ? parseFdx(bytes, &why) : parseFountain(bytes);
    if (!script) {
        std::cerr << argv[1] << ": " << (fdx ? why : "not text") << "\n";
        return 1;
    }
    std::vector<std::string> ours;
    if (!script->titlePage().empty())
        ours.push_back(trimmed(toUtf8(script->title)));
    for (const PrintPage& page : paginate(*script).pages) {
        std::string first;
        for (const PrintLine& line : page.lines)
            if (!line.text.isEmpty() && line.row != PrintLine::header) {
                first = trimmed(toUtf8(line.text));
                break;
            }
        ours.push_back(first);
    }
    if (argc == 4 && std::string(argv[2]) == "--show") {
        const std::size_t sheet = std::stoul(argv[3]), page = sheet - (script->titlePage().empty() ? 1 : 2);
        const Pagination pagination = paginate(*script);
        if (page < pagination.pages.size())
            for (const PrintLine& line : pagination.pages[page].lines)
                std::cout << line.row << "\t" << std::string(static_cast<std::size_t>(line.indent * 10), ' ') << toUtf8(line.text) << "\n";
        return 0;
    }
    if (argc < 3) {
        for (std::size_t i = 0; i < ours.size(); ++i)
            std::cout << i + 1 << "\t" << ours[i] << "\n";
        return 0;
    }
    std::ifstream theirsFile(argv[2]);
    std::map<std::size_t, std::string> theirs;
    for (std::string line; std::getline(theirsFile, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        theirs[std::stoul(line.substr(0, tab))] = trimmed(line.substr(tab + 1));
    }
    std::size_t agree = 0, compared = 0;
    for (const auto& [sheet, line] : theirs) {
        if (sheet == 1 && !script->titlePage().empty())
            continue; // the title page
        ++compared;
        const std::string mine = sheet <= ours.size() ? ours[sheet - 1] : "(no sheet)";
        if (mine == line)
            ++agree;
        else
            std::cout << sheet << "\tours: " << mine << "\n\ttheirs: " << line << "\n";
    }
    std::cout << agree << " of " << compared << " pages begin alike; " << ours.size() << " sheets against " << theirs.size() << "\n";
    return 0;
}
