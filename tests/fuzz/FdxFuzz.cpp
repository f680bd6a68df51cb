// libFuzzer target over the Final Draft reader: any bytes either fail or give a script
// that the writer writes and the reader reads back with the same paragraphs.
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON
//   cmake --build build-fuzz --target fdx-fuzz && build-fuzz/fdx-fuzz -max_total_time=600
#include "files/Fdx.hpp"

#include "../AsShown.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<Script> script = parseFdx(std::string(reinterpret_cast<const char*>(data), size));
    if (!script)
        return 0;
    const std::optional<Script> again = parseFdx(fdxText(*script));
    if (!again || !(again->paragraphs == asShown(*script).paragraphs))
        std::abort();
    return 0;
}
