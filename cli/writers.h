// The four output formats. Every writer streams: rows are formatted as they
// come and never kept, so memory stays flat whatever the number of rows.
#pragma once

#include "cli/output.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

enum class Format { Text, Csv, Tsv, Json };

using Row = std::span<const std::string_view>;
using RowSink = std::function<void(Row)>;

// What a command gives out: its columns and a way to produce its rows, which
// may be called more than once and gives the same rows each time.
struct Table {
    std::vector<std::string_view> columns{};
    std::function<void(const RowSink&)> forEachRow{};
    std::string_view units;           // "mm" or "in", for JSON
    std::vector<std::string> notes{}; // lines the text format adds below the table
};

struct WriteOptions {
    Format format = Format::Text;
    std::vector<std::size_t> columns{}; // indices into Table::columns, in output order
    bool byteOrderMark = false;         // CSV and TSV
};

// Writes the table in the chosen format:
//   text  aligned columns under a header line, for people;
//   csv   RFC 4180: header line, CRLF line ends, fields quoted only where needed;
//   tsv   the same with tabs and LF line ends;
//   json  {"units": "mm", "rows": [{...}, ...]}, each row's keys in column
//         order; whole-number columns (isWholeNumberColumn) as numbers or null.
void writeTable(const Table& table, const WriteOptions& options, Output& output);

// Whether a column holds whole numbers, which JSON writes as numbers.
bool isWholeNumberColumn(std::string_view column);

} // namespace quillon::cli
