// libFuzzer target over the script loader: any bytes either fail or give a script whose
// every paragraph the sheet lays out consistently, and which the writer writes and the
// loader reads back as shown.
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON
//   cmake --build build-fuzz --target loader-fuzz && build-fuzz/loader-fuzz -max_total_time=600
#include "editor/ShownParagraph.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "../WrapCheck.hpp"

#include "../AsShown.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<Script> script = parseScript(std::string(reinterpret_cast<const char*>(data), size));
    if (!script)
        return 0;
    if (script->paragraphs.empty())
        std::abort();
    for (const Paragraph& paragraph : script->paragraphs)
        if (!wrapProblem(ShownParagraph(paragraph), paragraph).empty())
            std::abort();
    const std::optional<Script> again = parseScript(scriptHtml(*script, false, "fuzz"));
    if (!again || *again != asShown(*script))
        std::abort();
    return 0;
}
