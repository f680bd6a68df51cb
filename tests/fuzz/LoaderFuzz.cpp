// libFuzzer target over the script loader: any bytes either load into a consistent page
// or fail and leave the page exactly as it was.
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON
//   cmake --build build-fuzz --target loader-fuzz && build-fuzz/loader-fuzz -max_total_time=600
#include "files/ScriptLoader.hpp"
#include "../WrapCheck.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Page page;
    page.clearParagraphs();
    page.addParagraph(Speech);
    page.currentParagraph().setText("SENTINEL");
    sf::String title = "t", author = "a";
    const bool loaded = loadScriptFromBytes(page, title, author, std::string(reinterpret_cast<const char*>(data), size));
    if (page.paragraphs.empty() || page.current >= page.paragraphs.size())
        std::abort();
    if (!loaded && (page.paragraphs.size() != 1 || page.currentParagraph().text != "SENTINEL" || title != "t"))
        std::abort();
    for (const DivEditor& p : page.paragraphs)
        if (!wrapProblem(p).empty())
            std::abort();
    return 0;
}
