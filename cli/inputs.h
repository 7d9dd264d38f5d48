// Reading what the user gives on the command line: tooth-count lists,
// numbers, belt type names and column lists. Each reader throws InputError
// with a message that says what was wrong and what is accepted.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

// Whether text is well-formed UTF-8: no stray or missing continuation bytes,
// no overlong forms, no surrogates, nothing above U+10FFFF.
//   "40" -> true   "±" -> true   "\xff" "40" -> false   "\xc0\xaf" -> false
bool isUtf8(std::string_view text);

// A usage or input error: reported before anything is written, status 2.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An argument as a message shows it: whole up to kShownCharacters + 3
// characters, else its first kShownCharacters characters and its length,
// so that a pasted list of a hundred thousand characters does not come back
// in full.
//   "40" -> "40"
//   "1,1,…,1" (108887 characters) -> "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,... (108887 characters)"
std::string shownArgument(std::string_view text);
constexpr std::size_t kShownCharacters = 40;

// The same in quotes.
//   "40" -> "\"40\""
//   "1,1,…,1" (108887 characters) -> "\"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,...\" (108887 characters)"
std::string quotedArgument(std::string_view text);

// Reads TEETH as run and the window read it (calc/reader.h), full-width
// digits included; a tooth count beyond a double throws InputError, saying so
// as run does.
//   "40" -> 40   "4 0" -> 40   "&H14" -> 20   "20abc" -> 20   "abc" -> 0   "1e400" -> throws
double readWindowTeeth(std::string_view text);

// The message of a tooth count beyond what the calculation holds, which
// OutOfRange's what() explains.
std::string tooManyTeethMessage(std::string_view text, const std::string& why);

constexpr int kMaxTeeth = 1'000'000;

// An inclusive range of whole tooth counts.
struct TeethRange {
    int first = 0;
    int last = 0;
    friend bool operator==(const TeethRange&, const TeethRange&) = default;
};

// Reads a tooth-count list: whole numbers and inclusive ranges separated by
// commas; blanks may stand anywhere except inside a number. Each number is
// from 1 to 1,000,000 and a range's first is not above its last. option
// names the list in messages.
//   "10-30, 40, 60-80" -> {10,30}, {40,40}, {60,80}     "10 - 30" -> {10,30}
//   "1 0" -> throws   "30-10" -> throws   "0" -> throws   "" -> throws
std::vector<TeethRange> readTeethList(std::string_view text, std::string_view option = "--teeth");

// Reads one whole tooth count from 1 to 1,000,000; what names it in messages.
//   "40" -> 40   " 40 " -> 40   "40.5" -> throws   "0" -> throws
int readWholeTeeth(std::string_view text, std::string_view what);

// Reads a finite decimal number such as "25.36", "-0.5" or "1e-3"; blanks
// around it are allowed. what names it in messages.
double readDecimal(std::string_view text, std::string_view what);

// The belt type exactly as one of the 22 names, or throws naming the nearest
// known names; names are matched exactly, as the window matches them.
//   "MXL" -> "MXL"   "mxl" -> throws (did you mean "MXL"?)
//   "HTD 5M" -> throws (did you mean "HTD5M"?)
std::string_view knownBeltType(std::string_view text);

// The known belt types nearest to a text, for messages: those equal to it
// apart from letter case, full-width forms, blanks and hyphens, else the ones
// a few letters away. Empty when none is near.
//   "mxl" -> {"MXL"}   "ＭＸＬ" -> {"MXL"}   "HTD 5M" -> {"HTD5M"}   "STPD S14" -> {"STPD S14M"}
std::vector<std::string_view> nearestBeltTypes(std::string_view text);

// Picks columns by name from a comma-separated list, in the order given;
// returns their indices in `columns`. An empty list, an unknown name or one
// named twice throws, listing the valid names.
//   ("teeth,belt", {"belt","teeth"}) -> {1, 0}   ("belt,belt", ...) -> throws
std::vector<std::size_t> pickColumns(std::string_view list, std::span<const std::string_view> columns);

} // namespace quillon::cli
