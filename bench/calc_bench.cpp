// How fast one calculation and one table row are. Built only when asked for
// (-DQUILLON_BENCHMARKS=ON); the figures are recorded in the README.

#include "calc/catalogue/catalogue.h"
#include "calc/derived/table.h"
#include "calc/run.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void runCalculationMxl40(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(quillon::runCalculation("MXL", "40"));
}
BENCHMARK(runCalculationMxl40);

// The last type of the search order, with a fractional tooth count.
void runCalculationStpdS14m(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(quillon::runCalculation("STPD S14M", "123.5"));
}
BENCHMARK(runCalculationStpdS14m);

// One row of `quillon-cli table --all`, cycling through the belt types and
// tooth counts.
void tableRow(benchmark::State& state)
{
    std::vector<std::unique_ptr<quillon::BeltTable>> tables;
    for (std::string_view beltType : quillon::kBeltTypes)
        tables.push_back(std::make_unique<quillon::BeltTable>(beltType, quillon::Units::Millimetres));
    int teeth = 1;
    std::size_t belt = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tables[belt]->row(teeth).data());
        if (++teeth > 100000) {
            teeth = 1;
            belt = (belt + 1) % tables.size();
        }
    }
}
BENCHMARK(tableRow);

} // namespace

BENCHMARK_MAIN();
