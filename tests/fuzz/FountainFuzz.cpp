// libFuzzer target over the Fountain reader: any bytes either fail or give a script that
// the writer writes and the reader reads back to the same script as shown (a heading
// typed in small letters is written, as every program shows it, in capitals).
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON
//   cmake --build build-fuzz --target fountain-fuzz && build-fuzz/fountain-fuzz -max_total_time=600
#include "files/Fountain.hpp"

#include "../AsShown.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<Script> script = parseFountain(std::string(reinterpret_cast<const char*>(data), size));
    if (!script)
        return 0;
    const std::optional<Script> again = parseFountain(fountainText(*script));
    if (!again || *again != asShown(*script))
        std::abort();
    return 0;
}
