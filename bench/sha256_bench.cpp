// The digest check before a flash reads the whole firmware image on the user-interface thread
// (an image already on disk) or on the update worker: it must take a few milliseconds for an
// image of a few hundred kilobytes, not a noticeable pause.
#include <benchmark/benchmark.h>

#include <string>

#include "update/sha256.h"

namespace {

void BM_Sha256(benchmark::State& state) {
    const std::string image(static_cast<size_t>(state.range(0)), '\x5A');
    for (auto _ : state) benchmark::DoNotOptimize(tarn::Sha256Of(image));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Sha256)->Arg(64 * 1024)->Arg(512 * 1024)->Arg(4 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
