// The four output formats, one set of writers for every command. Every writer
// streams: rows are formatted as they come and never kept (the text format
// asks for them twice, once to measure its columns), so memory stays flat
// whatever the number of rows, as long as the command makes its rows as they
// are asked for.
#pragma once

#include "calc/columns.h"
#include "cli/output.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

enum class Format { Text, Csv, Tsv, Json };

// A column of a command's output: its name, and what kind of value it holds
// (Count columns are numbers in JSON, everything else text).
struct Column {
    std::string_view name;
    ValueKind kind = ValueKind::Text;
};

// One row: the text of every column. Rows with the same nonzero constantsId
// have the same text in every column that Table::varies does not mark, so a
// writer may format those once.
struct Row {
    std::span<const std::string_view> texts;
    std::uint64_t constantsId = 0;
};
using RowSink = std::function<void(const Row&)>;

// What a command gives out: its columns and a way to produce its rows, which
// may be called more than once and gives the same rows each time.
struct Table {
    std::vector<Column> columns{};
    std::function<void(const RowSink&)> forEachRow{};
    std::vector<bool> varies{};         // per column, for rows with a constantsId
    std::string_view units;             // "mm" or "in" for a table of lengths; empty otherwise
    std::vector<std::string> heading{}; // lines the text format writes above the table
    std::vector<std::string> notes{};   // lines the text format adds below the table
    // Lines for standard error in every format, asked for once the rows are
    // written (they may depend on the rows).
    std::function<std::vector<std::string>()> warnings{};
};

// The column that names a table's units, "mm" or "in", after its own columns:
// picked by default in inches, so that a table in inches says so in every
// format, and by name at any time.
inline constexpr std::string_view kUnitsColumn = "units";

struct WriteOptions {
    Format format = Format::Text;
    // Indices into Table::columns in output order; Table::columns.size()
    // stands for the units column.
    std::vector<std::size_t> columns{};
    bool byteOrderMark = false; // CSV and TSV
};

// The columns written when none are asked for: all of the table's, and the
// units column when the units are inches.
std::vector<std::size_t> defaultColumns(const Table& table);

// The names that may be picked: the table's columns, and units when it has any.
std::vector<std::string_view> columnNames(const Table& table);

// Writes the table in the chosen format:
//   text  aligned columns under a header line, for people, then the notes;
//   csv   RFC 4180: header line, CRLF line ends, fields quoted only where needed;
//   tsv   the same with tabs and LF line ends;
//   json  {"units": "mm", "rows": [{...}, ...]}, each row's keys in column
//         order; Count columns as numbers, or null where empty.
void writeTable(const Table& table, const WriteOptions& options, Output& output);

} // namespace quillon::cli
