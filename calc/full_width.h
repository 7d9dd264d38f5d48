// Full-width forms, as a Chinese input method types them in full-width mode.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Replaces the full-width forms U+FF01 to U+FF5E in a UTF-8 text by their
// ASCII counterparts and the ideographic space U+3000 by a blank; everything
// else stays as it is. Applied to the tooth-count text before it is read,
// so that "４０" reads as 40.
//   "４０" -> "40"   "　４０" -> " 40"   "４.５" -> "4.5"   "&Ｈ２８" -> "&H28"
std::string foldFullWidth(std::string_view text);

} // namespace quillon
