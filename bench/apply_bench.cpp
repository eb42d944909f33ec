// The apply against the simulated mouse on the real clock. Its time is set by the pauses the
// mouse needs; the benchmark reports that floor and how far above it the apply took.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "base/clock.h"
#include "base/hook_state.h"
#include "device/apply_worker.h"
#include "device/simulated_mouse.h"
#include "device/usb_driver.h"
#include "macro/macro_record.h"

namespace tarn {
namespace {

// The platform clock, counting the pauses asked of it.
class CountingClock final : public Clock {
public:
    uint64_t slept = 0;
    uint32_t TickCount() override { return PlatformClock().TickCount(); }
    void Sleep(uint32_t milliseconds) override {
        slept += milliseconds;
        PlatformClock().Sleep(milliseconds);
    }
};

void RunApplyBench(benchmark::State& state, int macroButtons) {
    CountingClock clock;
    SetClock(&clock);
    CUSBDriver link(std::make_unique<SimulatedMouse>());
    if (!link.OpenDevice()) {
        state.SkipWithError("the simulated mouse did not open");
        SetClock(nullptr);
        return;
    }
    auto settings = std::make_unique<SettingsModel>();
    MakeDefaultProfile(settings->currentProfile);
    auto macros = std::make_unique<MacroStore>();
    MacroRecord& macro = macros->slots[0];
    macro.size = 4100 + 4 * 40;
    macro.tag = MacroTag;
    macro.id = 0x15000001;
    macro.loopCount = 1;
    macro.eventCount = 40;
    for (int i = 0; i < 40; i += 2) {
        macro.events[i] = MakeMacroEvent(KeyPress, 'A' + i / 2);
        macro.events[i + 1] = MakeMacroEvent(KeyRelease, 'A' + i / 2);
    }
    for (int button = 1; button <= macroButtons; ++button) {
        settings->currentProfile.buttons[button].functionType = kFunctionMacro;
        settings->buttonMacroIds[button] = macro.id;
    }
    HookState hooks;
    ApplyShared shared;
    const ApplyContext context{&link, 0, settings.get(), macros.get(), &hooks, &shared};

    double elapsedMs = 0;
    uint64_t floorMs = 0;
    for (auto _ : state) {
        clock.slept = 0;
        const auto start = std::chrono::steady_clock::now();
        const int result = RunApply(context);
        elapsedMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        floorMs += clock.slept;
        if (result != kApplySucceeded) state.SkipWithError("the apply failed");
    }
    SetClock(nullptr);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = static_cast<double>(floorMs) / iterations;
    state.counters["apply_ms"] = elapsedMs / iterations;
    state.counters["over_floor_pct"] =
        floorMs ? (elapsedMs - static_cast<double>(floorMs)) * 100.0 / static_cast<double>(floorMs)
                : 0.0;
}

void BM_ApplyDefaultProfile(benchmark::State& state) {
    RunApplyBench(state, 0);
}
void BM_ApplyThreeMacroButtons(benchmark::State& state) {
    RunApplyBench(state, 3);
}

BENCHMARK(BM_ApplyDefaultProfile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_ApplyThreeMacroButtons)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace tarn

BENCHMARK_MAIN();
