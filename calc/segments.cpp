#include "calc/segments.h"

#include <charconv>

namespace quillon {
namespace {

// Reads a whole number from the front of text and drops it; none when text
// does not begin with a digit.
std::optional<int> takeWholeNumber(std::string_view& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

std::optional<ToothRange> readRange(std::string_view word)
{
    ToothRange range{.text = word};
    std::string_view rest = word;
    if (rest.starts_with('Z'))
        rest.remove_prefix(1);
    const std::optional<int> first = takeWholeNumber(rest);
    if (!first || !rest.starts_with('-'))
        return std::nullopt;
    rest.remove_prefix(1);
    range.first = *first;
    if (rest == "R")
        return range;
    range.last = takeWholeNumber(rest);
    if (!range.last || !rest.empty() || *range.last < range.first)
        return std::nullopt;
    return range;
}

} // namespace

std::vector<ToothRange> readSegmentLine(std::string_view line)
{
    std::vector<ToothRange> ranges;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        line.remove_prefix(start);
        const std::size_t end = line.find(' ');
        if (const auto range = readRange(line.substr(0, end)))
            ranges.push_back(*range);
        line.remove_prefix(end == std::string_view::npos ? line.size() : end);
    }
    return ranges;
}

std::vector<ToothRange> hobSegments(const GrooveProfile& profile)
{
    std::vector<ToothRange> ranges = readSegmentLine(profile.segmentLine1.text());
    const std::vector<ToothRange> second = readSegmentLine(profile.segmentLine2.text());
    ranges.insert(ranges.end(), second.begin(), second.end());
    return ranges;
}

} // namespace quillon
