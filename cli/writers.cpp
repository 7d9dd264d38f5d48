#include "cli/writers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>

namespace quillon::cli {
namespace {

// Columns as wide as their widest text in characters: UTF-8 continuation
// bytes take no room ("±" is one character).
std::size_t displayWidth(std::string_view text)
{
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The writers put text into the output, or into a line prepared once.
void put(Output& out, std::string_view text)
{
    out.write(text);
}
void put(std::string& out, std::string_view text)
{
    out.append(text);
}

// The bytes that make a CSV field need quotes, as a table: a character is one
// look-up (find_first_of would call memchr for each).
constexpr std::array<bool, 256> kQuotedInCsv = [] {
    std::array<bool, 256> quoted{};
    for (unsigned char c : {',', '"', '\r', '\n'})
        quoted[c] = true;
    return quoted;
}();

template <class Sink> void putCsvField(std::string_view field, Sink& out)
{
    if (std::ranges::none_of(field, [](char c) { return kQuotedInCsv[static_cast<unsigned char>(c)]; })) {
        put(out, field);
        return;
    }
    put(out, "\"");
    for (std::size_t start = 0;;) {
        const std::size_t quote = field.find('"', start);
        put(out, field.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start));
        if (quote == std::string_view::npos)
            break;
        put(out, "\""); // a quote is doubled
        start = quote + 1;
    }
    put(out, "\"");
}

// Arguments are checked to be UTF-8 before anything runs, so every text is.
template <class Sink> void putJsonString(std::string_view text, Sink& out)
{
    const bool plain = std::ranges::none_of(
        text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\'; });
    if (!plain) {
        put(out, nlohmann::json(std::string(text)).dump());
        return;
    }
    put(out, "\"");
    put(out, text);
    put(out, "\"");
}

template <class Sink> void putJsonCount(std::string_view text, Sink& out)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        put(out, "null");
        return;
    }
    char digits[24];
    put(out, std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value).ptr));
}

std::string jsonString(std::string_view text)
{
    std::string out;
    putJsonString(text, out);
    return out;
}

// The picked columns of a table, with the units column after its own.
struct Picked {
    const Table& table;
    const WriteOptions& options;

    std::size_t size() const { return options.columns.size(); }
    bool isUnits(std::size_t i) const { return options.columns[i] == table.columns.size(); }
    std::string_view name(std::size_t i) const
    {
        return isUnits(i) ? kUnitsColumn : table.columns[options.columns[i]].name;
    }
    ValueKind kind(std::size_t i) const
    {
        return isUnits(i) ? ValueKind::Text : table.columns[options.columns[i]].kind;
    }
    std::string_view text(const Row& row, std::size_t i) const
    {
        return isUnits(i) ? table.units : row.texts[options.columns[i]];
    }
    // Whether the text may differ between rows of one constantsId.
    bool varies(std::size_t i) const
    {
        return !isUnits(i) && (table.varies.empty() || table.varies[options.columns[i]]);
    }
};

// CSV, TSV and JSON lines: what stands before each field, how a field is
// written, and what ends the line. Rows that share their constant texts are
// written from pieces prepared once: the constant texts already formatted,
// between the fields that vary. One class for each format, so that a field's
// format is no question asked at each field.
template <Format format> class LineWriter {
public:
    explicit LineWriter(const Picked& picked) : picked_(picked)
    {
        for (std::size_t i = 0; i < picked.size(); ++i) {
            if (format == Format::Json)
                before_.push_back((i == 0 ? "{" : ",") + jsonString(picked.name(i)) + ":");
            else
                before_.emplace_back(i == 0 ? "" : format == Format::Csv ? "," : "\t");
        }
        end_ = format == Format::Json ? "}" : format == Format::Csv ? "\r\n" : "\n";
        if (picked.size() == 0 && format == Format::Json)
            end_ = "{}";
    }

    template <class Sink> void putField(std::size_t i, std::string_view text, Sink& out) const
    {
        if constexpr (format == Format::Csv)
            putCsvField(text, out);
        else if constexpr (format == Format::Tsv)
            put(out, text); // none of Quillon's texts holds a tab or a line end
        else if (picked_.kind(i) == ValueKind::Count)
            putJsonCount(text, out);
        else
            putJsonString(text, out);
    }

    // A line of given texts, such as the header.
    template <class TextOf> void writeLine(const TextOf& textOf, Output& out) const
    {
        for (std::size_t i = 0; i < picked_.size(); ++i) {
            put(out, before_[i]);
            putField(i, textOf(i), out);
        }
        put(out, end_);
    }

    void writeRow(const Row& row, Output& out)
    {
        if (row.constantsId == 0) {
            writeLine([&](std::size_t i) { return picked_.text(row, i); }, out);
            return;
        }
        for (const Piece& piece : piecesFor(row)) {
            put(out, piece.literal);
            if (piece.field != kNone)
                putField(piece.field, picked_.text(row, piece.field), out);
        }
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct Piece {
        std::string literal;
        std::size_t field = kNone; // the picked column written after the literal
    };
    struct Pieces {
        std::uint64_t constantsId = 0;
        std::vector<Piece> pieces{};
    };

    const std::vector<Piece>& piecesFor(const Row& row)
    {
        for (const Pieces& known : known_) {
            if (known.constantsId == row.constantsId)
                return known.pieces;
        }
        // A table of belt types meets two catalogue rows a belt type, one after
        // the other: a few are plenty.
        if (known_.size() == 4)
            known_.erase(known_.begin());
        Pieces& made = known_.emplace_back(Pieces{.constantsId = row.constantsId});
        std::string literal;
        for (std::size_t i = 0; i < picked_.size(); ++i) {
            literal += before_[i];
            if (picked_.varies(i)) {
                made.pieces.push_back({std::move(literal), i});
                literal.clear();
            } else {
                putField(i, picked_.text(row, i), literal);
            }
        }
        made.pieces.push_back({literal + end_});
        return made.pieces;
    }

    Picked picked_;
    std::vector<std::string> before_;
    std::string end_;
    std::vector<Pieces> known_;
};

// The longest run of blanks inside a text ("Z10-23  Z24-R" has 2).
std::size_t longestBlankRun(std::string_view text)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : text) {
        run = c == ' ' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

void writeText(const Picked& picked, Output& output)
{
    std::vector<std::size_t> widths;
    std::size_t blanks = 0; // the longest run of blanks in any text
    for (std::size_t i = 0; i < picked.size(); ++i)
        widths.push_back(displayWidth(picked.name(i)));
    picked.table.forEachRow([&](const Row& row) {
        for (std::size_t i = 0; i < picked.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(picked.text(row, i)));
            blanks = std::max(blanks, longestBlankRun(picked.text(row, i)));
        }
    });
    // Columns stand two blanks apart, or two more than the widest gap inside
    // a text, so that "Z10-14  Z15-20" and "Z21-R" read as two columns.
    const std::size_t gap = blanks < 2 ? 2 : blanks + 2;

    const auto writeLine = [&](const auto& textOf) {
        std::size_t pending = 0; // blanks owed before the next text; none at a line's end
        for (std::size_t i = 0; i < picked.size(); ++i) {
            const std::string_view text = textOf(i);
            if (!text.empty()) {
                output.write(std::string(pending, ' '));
                pending = 0;
                output.write(text);
            }
            pending += widths[i] - displayWidth(text) + gap;
        }
        output.write('\n');
    };
    for (const std::string& line : picked.table.heading) {
        output.write(line);
        output.write('\n');
    }
    writeLine([&](std::size_t i) { return picked.name(i); });
    picked.table.forEachRow([&](const Row& row) { writeLine([&](std::size_t i) { return picked.text(row, i); }); });
    for (const std::string& note : picked.table.notes) {
        output.write(note);
        output.write('\n');
    }
}

template <Format format> void writeDelimited(const Picked& picked, bool byteOrderMark, Output& output)
{
    LineWriter<format> lines(picked);
    if (byteOrderMark)
        output.write("\xEF\xBB\xBF");
    lines.writeLine([&](std::size_t i) { return picked.name(i); }, output);
    picked.table.forEachRow([&](const Row& row) { lines.writeRow(row, output); });
}

void writeJson(const Picked& picked, Output& output)
{
    LineWriter<Format::Json> lines(picked);
    output.write(R"({"units": )");
    output.write(picked.table.units.empty() ? std::string("null") : jsonString(picked.table.units));
    output.write(R"(, "rows": [)");
    bool first = true;
    picked.table.forEachRow([&](const Row& row) {
        output.write(first ? "\n" : ",\n");
        lines.writeRow(row, output);
        first = false;
    });
    output.write(first ? "]}\n" : "\n]}\n");
}

} // namespace

std::vector<std::size_t> defaultColumns(const Table& table)
{
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        columns.push_back(i);
    if (table.units == "in")
        columns.push_back(table.columns.size());
    return columns;
}

std::vector<std::string_view> columnNames(const Table& table)
{
    std::vector<std::string_view> names;
    for (const Column& column : table.columns)
        names.push_back(column.name);
    if (!table.units.empty())
        names.push_back(kUnitsColumn);
    return names;
}

void writeTable(const Table& table, const WriteOptions& options, Output& output)
{
    const Picked picked{table, options};
    switch (options.format) {
    case Format::Text:
        writeText(picked, output);
        break;
    case Format::Csv:
        writeDelimited<Format::Csv>(picked, options.byteOrderMark, output);
        break;
    case Format::Tsv:
        writeDelimited<Format::Tsv>(picked, options.byteOrderMark, output);
        break;
    case Format::Json:
        writeJson(picked, output);
        break;
    }
}

} // namespace quillon::cli
