#include "cli/inputs.h"

#include "calc/catalogue/catalogue.h"
#include "calc/full_width.h"
#include "calc/reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quillon::cli {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool continuesCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text whole, or its start and how long it is; quotes around the text
// shown when asked.
std::string shown(std::string_view text, bool inQuotes)
{
    std::size_t characters = 0;
    std::size_t cut = text.size(); // after kShownCharacters characters
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (continuesCharacter(text[i]))
            continue;
        if (characters++ == kShownCharacters)
            cut = i;
    }
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // "\"" + std::string(text).
    std::string out(inQuotes ? "\"" : "");
    if (characters <= kShownCharacters + 3) { // "..." would be no shorter
        out += text;
        return inQuotes ? out + '"' : out;
    }
    out += text.substr(0, cut);
    out += "...";
    if (inQuotes)
        out += '"';
    return out + " (" + std::to_string(characters) + " characters)";
}

std::string quoted(std::string_view text)
{
    return shown(text, true);
}

std::string joined(std::span<const std::string_view> names, std::string_view separator)
{
    std::string out;
    for (std::string_view name : names) {
        if (!out.empty())
            out += separator;
        out += name;
    }
    return out;
}

// A whole number from 1 to kMaxTeeth, the whole of text.
int readTeethNumber(std::string_view text, std::string_view context)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = !text.empty() && end == text.data() + text.size() && text.front() != '-';
    if (!whole && error != std::errc::result_out_of_range)
        throw InputError(std::string(context) + ": " + quoted(text)
            + " is not a whole number; tooth counts are whole numbers from 1 to 1000000");
    if (error == std::errc::result_out_of_range || value < 1 || value > kMaxTeeth)
        throw InputError(std::string(context) + ": " + quoted(text)
            + " is out of range; tooth counts are whole numbers from 1 to 1000000");
    return value;
}

std::string normalisedName(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (isBlank(c) || c == '-' || c == '_')
            continue;
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return out;
}

std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string shownArgument(std::string_view text)
{
    return shown(text, false);
}

std::string quotedArgument(std::string_view text)
{
    return shown(text, true);
}

double readWindowTeeth(std::string_view text)
{
    try {
        return readToothCount(foldFullWidth(text));
    } catch (const OutOfRange& error) {
        throw InputError(tooManyTeethMessage(text, error.what()));
    }
}

std::string tooManyTeethMessage(std::string_view text, const std::string& why)
{
    return "TEETH " + quoted(text) + ": " + why + " Give a smaller tooth count.";
}

bool isUtf8(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 1;
        char32_t least = 0; // the smallest code point of that length: below it is overlong
        char32_t code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, least = 0x10000, code = lead & 0x07;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, least = 0x800, code = lead & 0x0F;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, least = 0x80, code = lead & 0x1F;
        } else if (lead >= 0x80) {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::vector<TeethRange> readTeethList(std::string_view given, std::string_view option)
{
    const std::string context = std::string(option) + " " + quoted(given);
    const std::string folded = foldFullWidth(given);
    const std::string_view text = folded;
    std::vector<TeethRange> ranges;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = trimmed(text.substr(start, comma - start));
        if (item.empty())
            throw InputError(
                context + ": an empty item; give whole numbers and ranges separated by commas, such as 10-30,40,60-80");
        const std::size_t dash = item.find('-');
        TeethRange range;
        if (dash == 0)
            throw InputError(context + ": " + quoted(item)
                + " is below 1; tooth counts are whole numbers from 1 to 1000000, ranges such as 10-30");
        if (dash == std::string_view::npos) {
            range.first = range.last = readTeethNumber(item, context);
        } else {
            range.first = readTeethNumber(trimmed(item.substr(0, dash)), context);
            range.last = readTeethNumber(trimmed(item.substr(dash + 1)), context);
            if (range.first > range.last)
                throw InputError(context + ": the range " + quoted(item) + " ends below its start");
        }
        ranges.push_back(range);
        if (comma == std::string_view::npos)
            return ranges;
        start = comma + 1;
    }
}

int readWholeTeeth(std::string_view text, std::string_view what)
{
    return readTeethNumber(trimmed(foldFullWidth(text)), what);
}

double readDecimal(std::string_view text, std::string_view what)
{
    const std::string folded = foldFullWidth(text);
    std::string_view number = trimmed(folded);
    if (number.starts_with('+') && number.size() > 1 && number[1] != '-' && number[1] != '+')
        number.remove_prefix(1); // from_chars takes no plus sign
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        throw InputError(
            std::string(what) + ": " + quoted(text) + " is not a number; give a decimal number such as 25.36");
    return value;
}

std::vector<std::string_view> nearestBeltTypes(std::string_view text)
{
    // Full-width letters, as a Chinese input method types them, are near
    // their half-width forms.
    const std::string wanted = normalisedName(foldFullWidth(text));
    std::vector<std::string_view> nearest;
    std::size_t best = std::max<std::size_t>(2, wanted.size() / 4) + 1;
    for (std::string_view known : kBeltTypes) {
        const std::size_t distance = editDistance(wanted, normalisedName(known));
        if (distance < best) {
            best = distance;
            nearest.clear();
        }
        if (distance == best)
            nearest.push_back(known);
    }
    return nearest;
}

std::string_view knownBeltType(std::string_view text)
{
    if (trimmed(text).empty())
        throw InputError("give a belt type, such as MXL; 'quillon-cli types' lists the 22 known ones");
    if (const auto at = std::ranges::find(kBeltTypes, text); at != kBeltTypes.end())
        return *at;
    std::string message = "unknown belt type " + quoted(text);
    const std::vector<std::string_view> nearest = nearestBeltTypes(text);
    if (!nearest.empty()) {
        std::vector<std::string> names;
        for (std::string_view name : nearest)
            names.push_back(quoted(name));
        message += "; did you mean ";
        for (std::size_t i = 0; i < names.size(); ++i)
            message += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
        message += "?";
    }
    message += (nearest.empty() ? ". " : " ")
        + std::string("Belt types are matched exactly; 'quillon-cli types' lists the 22 known ones");
    throw InputError(message);
}

std::vector<std::size_t> pickColumns(std::string_view list, std::span<const std::string_view> columns)
{
    std::vector<std::size_t> picked;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view name = trimmed(list.substr(start, comma - start));
        const auto at = std::ranges::find(columns, name);
        if (name.empty())
            throw InputError("--columns: an empty name; give names separated by commas, from " + joined(columns, ","));
        if (at == columns.end())
            throw InputError("--columns: unknown column " + quoted(name) + "; the columns are " + joined(columns, ","));
        const auto index = static_cast<std::size_t>(at - columns.begin());
        if (std::ranges::find(picked, index) != picked.end())
            throw InputError("--columns: " + quoted(name) + " is named twice; name each column once");
        picked.push_back(index);
        if (comma == std::string_view::npos)
            return picked;
        start = comma + 1;
    }
}

} // namespace quillon::cli
