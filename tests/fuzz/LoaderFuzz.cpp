// libFuzzer target over the script loader: any bytes either fail or give a script that
// the page shows consistently.
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON
//   cmake --build build-fuzz --target loader-fuzz && build-fuzz/loader-fuzz -max_total_time=600
#include "editor/Page.hpp"
#include "files/ScriptLoader.hpp"
#include "../WrapCheck.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Page page;
    const std::optional<Script> script = parseScript(std::string(reinterpret_cast<const char*>(data), size));
    if (!script)
        return 0;
    if (script->paragraphs.empty())
        std::abort();
    page.load(script->paragraphs);
    for (const DivEditor& p : page.paragraphs)
        if (!wrapProblem(p).empty())
            std::abort();
    return 0;
}
