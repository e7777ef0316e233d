// replace_all over seek formats made wholly of "%time%", from a few kilobytes (a damaged settings
// stream can give any size) up to 1 MB. The time must grow with the size, not with its square: a
// 1 MB format has to be done in well under 10 ms, or every seek would stall the main thread.
//
//   cmake --preset bench && cmake --build --preset bench --target replace_all_bench
//   build/bench/bin/replace_all_bench

#include <benchmark/benchmark.h>

#include <string>

#include "frame/replace_all.h"

namespace {

void ReplaceAllTimeFormat(benchmark::State& state) {
    const std::string placeholder = "%time%";
    std::string format;
    while (format.size() + placeholder.size() <= static_cast<std::size_t>(state.range(0))) format += placeholder;
    const wex::shared_text text(format.c_str());
    const wex::shared_text needle(placeholder.c_str());
    const wex::shared_text value("1:02:05.0");
    for (auto _ : state) {
        wex::shared_text result = wex::replace_all(text, needle, value);
        benchmark::DoNotOptimize(result.get_text());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.counters["format_kb"] = static_cast<double>(state.range(0)) / 1024.0;
}
BENCHMARK(ReplaceAllTimeFormat)
    ->Arg(12 << 10)
    ->Arg(24 << 10)
    ->Arg(48 << 10)
    ->Arg(96 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
