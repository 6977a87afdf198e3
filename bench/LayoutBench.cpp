// One layout run for messages of growing length, reported per stitch cell, to show that
// the cost stays linear in the chart's size and small enough for every keystroke.
#include "chart/ChartLayout.h"
#include "chart/WendleFont.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Message(int lineCount)
{
    const std::string sample = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 $%&@#";
    std::vector<std::string> lines;
    for (int i = 0; i < lineCount; ++i) {
        // Rotate the sample so that lines differ; every line is 60 characters.
        const std::size_t shift = static_cast<std::size_t>(i) % sample.size();
        lines.push_back(sample.substr(shift) + sample.substr(0, shift));
    }
    return lines;
}

void BM_LayOutChart(benchmark::State& state, wendle::Alignment alignment)
{
    wendle::TWendleFont font;
    font.BuildFont();
    const auto lines = Message(static_cast<int>(state.range(0)));
    wendle::ChartOptions options;
    options.Align = alignment;
    wendle::TChartLayout layout;
    for (auto _ : state) {
        layout.LayOutChart(lines, options, font);
        benchmark::DoNotOptimize(layout.Row(0));
    }
    const double cells = static_cast<double>(layout.ChartWidth) * layout.ChartHeight;
    state.counters["cells"] = cells;
    // Seconds per cell, which the report prints with an SI prefix (n for nanoseconds).
    state.counters["time_per_cell"]
        = benchmark::Counter(cells * static_cast<double>(state.iterations()),
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK_CAPTURE(BM_LayOutChart, left, wendle::Alignment::Left)->Arg(5)->Arg(40)->Arg(400);
BENCHMARK_CAPTURE(BM_LayOutChart, full, wendle::Alignment::Full)->Arg(5)->Arg(40)->Arg(400);
BENCHMARK_MAIN();
