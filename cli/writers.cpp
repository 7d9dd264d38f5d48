#include "cli/writers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
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

void writeText(const Table& table, const WriteOptions& options, Output& output)
{
    const auto& picked = options.columns;
    std::vector<std::size_t> widths;
    for (std::size_t column : picked)
        widths.push_back(displayWidth(table.columns[column]));
    table.forEachRow([&](Row row) {
        for (std::size_t i = 0; i < picked.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(row[picked[i]]));
    });

    const auto writeLine = [&](const auto& textOf) {
        std::size_t pending = 0; // blanks owed before the next text; none at a line's end
        for (std::size_t i = 0; i < picked.size(); ++i) {
            const std::string_view text = textOf(picked[i]);
            if (!text.empty()) {
                for (; pending > 0; --pending)
                    output.write(' ');
                output.write(text);
            }
            pending += widths[i] - displayWidth(text) + 2;
        }
        output.write('\n');
    };
    writeLine([&](std::size_t column) { return table.columns[column]; });
    table.forEachRow([&](Row row) { writeLine([&](std::size_t column) { return row[column]; }); });
    for (const std::string& note : table.notes) {
        output.write(note);
        output.write('\n');
    }
}

void writeCsvField(std::string_view field, Output& output)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        output.write(field);
        return;
    }
    output.write('"');
    for (char c : field) {
        if (c == '"')
            output.write('"');
        output.write(c);
    }
    output.write('"');
}

// A TSV field cannot hold a tab or a line end; none of Quillon's texts has one.
void writeTsvField(std::string_view field, Output& output)
{
    output.write(field);
}

void writeDelimited(const Table& table, const WriteOptions& options, Output& output)
{
    const bool csv = options.format == Format::Csv;
    const char separator = csv ? ',' : '\t';
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    const auto writeField = csv ? writeCsvField : writeTsvField;
    if (options.byteOrderMark)
        output.write("\xEF\xBB\xBF");
    const auto writeLine = [&](const auto& textOf) {
        for (std::size_t i = 0; i < options.columns.size(); ++i) {
            if (i > 0)
                output.write(separator);
            writeField(textOf(options.columns[i]), output);
        }
        output.write(lineEnd);
    };
    writeLine([&](std::size_t column) { return table.columns[column]; });
    table.forEachRow([&](Row row) { writeLine([&](std::size_t column) { return row[column]; }); });
}

nlohmann::ordered_json wholeNumberOrNull(std::string_view text)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return nullptr;
    return value;
}

void writeJson(const Table& table, const WriteOptions& options, Output& output)
{
    std::vector<bool> numeric;
    for (std::size_t column : options.columns)
        numeric.push_back(isWholeNumberColumn(table.columns[column]));
    output.write(R"({"units": )");
    output.write(nlohmann::ordered_json(table.units).dump());
    output.write(R"(, "rows": [)");
    bool first = true;
    table.forEachRow([&](Row row) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < options.columns.size(); ++i) {
            const std::size_t column = options.columns[i];
            const std::string key(table.columns[column]);
            if (numeric[i])
                object[key] = wholeNumberOrNull(row[column]);
            else
                object[key] = std::string(row[column]);
        }
        output.write(first ? "\n" : ",\n");
        output.write(object.dump());
        first = false;
    });
    output.write(first ? "]}\n" : "\n]}\n");
}

} // namespace

bool isWholeNumberColumn(std::string_view column)
{
    return column == "teeth" || column == "firstTeeth" || column == "lastTeeth" || column == "hobTeeth"
        || column == "teeth1" || column == "teeth2" || column == "beltTeeth" || column == "teethInMesh";
}

void writeTable(const Table& table, const WriteOptions& options, Output& output)
{
    switch (options.format) {
    case Format::Text:
        writeText(table, options, output);
        break;
    case Format::Csv:
    case Format::Tsv:
        writeDelimited(table, options, output);
        break;
    case Format::Json:
        writeJson(table, options, output);
        break;
    }
}

} // namespace quillon::cli
