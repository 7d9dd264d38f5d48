// Text inside XML or HTML: character data and quoted attribute values.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The text with &, <, > and " written as entities.
//   "a<b & \"c\"" -> "a&lt;b &amp; &quot;c&quot;"   "齿数 Z" -> "齿数 Z"
inline std::string markupEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace quillon
