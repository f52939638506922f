// How long kinsight-check --stats takes to simulate a long quiz: 20,000
// questions of two to four weights per answer, as many plays as the default
// rule gives (10,000).
#include "play_stats.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<kinsight::WeightRows> longQuiz(int questions) {
    std::mt19937 random(20261208);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<kinsight::WeightRows> quiz(static_cast<std::size_t>(questions));
    for (kinsight::WeightRows& rows : quiz)
        for (std::size_t k = 1; k <= kinsight::kAnswerCount; ++k)
            for (int n = pick(2, 4); n > 0; --n)
                rows[k][static_cast<std::size_t>(pick(1, 15))] = pick(1, 9);
    return quiz;
}

void BM_PlayStats(benchmark::State& state) {
    const auto quiz = longQuiz(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const kinsight::PlayStats stats = kinsight::playStats(quiz);
        benchmark::DoNotOptimize(stats.outcomes);
        state.counters["plays"] = static_cast<double>(stats.plays);
    }
}
BENCHMARK(BM_PlayStats)->Arg(20'000)->Arg(2'000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
