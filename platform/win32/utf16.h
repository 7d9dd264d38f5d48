// UTF-8, as the core and the programs' texts are, and UTF-16, as the W calls
// of Windows take and give it.
#pragma once

#include <string>
#include <string_view>

namespace quillon::utf16 {

// UTF-8 as UTF-16; an ill-formed sequence becomes U+FFFD.
//   "齿数 ±0.05" -> L"齿数 ±0.05"   "" -> L""
std::wstring wide(std::string_view utf8);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
//   L"打印" -> "打印"
std::string utf8(std::wstring_view wide);

} // namespace quillon::utf16
