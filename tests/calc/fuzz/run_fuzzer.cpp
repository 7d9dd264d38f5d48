// Feeds arbitrary bytes to a calculation run. The bytes up to the first NUL
// are the belt type, the rest the tooth-count text. A run must either return
// twenty finite texts or throw OutOfRange; anything else, or a sanitizer
// report, is a fault.

#include "calc/run.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view beltType = input.substr(0, split);
    const std::string_view toothCount = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    for (const std::string_view separator : {".", ","}) {
        try {
            const quillon::RunResult result = quillon::runCalculation(beltType, toothCount, separator);
            for (const auto& box : result.boxes()) {
                if (box.text.find("inf") != std::string::npos || box.text.find("nan") != std::string::npos)
                    std::abort();
            }
        } catch (const quillon::OutOfRange&) {
        }
    }
    return 0;
}
