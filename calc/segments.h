// The tooth-count segments of a belt type: which range of tooth counts one
// hob serves, read from the segment lines shown in Text19 and Text20.
#pragma once

#include "calc/profile.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quillon {

// One range of a segment line, such as "Z10-23" or "Z24-R".
struct ToothRange {
    std::string_view text;     // as written, without the blanks around it
    int first = 0;             // the smallest tooth count; the hob is designed for it
    std::optional<int> last{}; // the largest; none for "R", which has no upper limit

    bool holds(double toothCount) const { return toothCount >= first && (!last || toothCount <= *last); }
    friend bool operator==(const ToothRange&, const ToothRange&) = default;
};

// The ranges of one segment line, in the order written. A range is an
// optional "Z", the first tooth count, "-", and the last one or "R"; ranges
// are separated by blanks. A word of another form names no range.
//   "Z10-23  Z24-R"   -> {"Z10-23", 10, 23}, {"Z24-R", 24, none}
//   "52-100 Z101-200" -> {"52-100", 52, 100}, {"Z101-200", 101, 200}
//   "Z90-R "          -> {"Z90-R", 90, none}        "" -> {}
std::vector<ToothRange> readSegmentLine(std::string_view line);

// The ranges of both segment lines of a profile, first line first. Unset and
// empty lines add none.
std::vector<ToothRange> hobSegments(const GrooveProfile& profile);

} // namespace quillon
