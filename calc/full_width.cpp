#include "calc/full_width.h"

namespace quillon {

std::string foldFullWidth(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xEF && (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            // U+FF00 + x is EF BC 80+x for x < 0x40 and EF BD 80+(x-0x40) after.
            const unsigned offset = (byte(i + 1) - 0xBCu) * 0x40u + (byte(i + 2) - 0x80u);
            if (byte(i + 2) >= 0x80 && byte(i + 2) <= 0xBF && offset >= 0x01 && offset <= 0x5E) {
                out.push_back(static_cast<char>(0x20 + offset));
                i += 2;
                continue;
            }
        }
        if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            out.push_back(' ');
            i += 2;
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace quillon
