#include "core/imaging/effects.h"
#include "core/imaging/mono_conversion.h"

#include "panel_frame.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int FrameCount = 90;

using vantrel::bench::panelFrame;

// Argument: the effect index. The strength effects run at a mid strength, so they do their work.
constexpr int Strength = 400;

void labelEffect(benchmark::State& state)
{
    static constexpr const char* Names[] = {"None",     "Brightness",   "Contrast",  "Sharpness",
                                            "Negative", "NoiseRemoval", "AutoLevels"};
    state.SetLabel(Names[state.range(0)]);
}

// One preview refresh: the effect on one full-size frame.
void BM_EffectOneFrame(benchmark::State& state)
{
    const QImage frame = panelFrame(42);
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QImage work = frame;
        vantrel::ApplyEffect(work, index, Strength);
        benchmark::DoNotOptimize(work.constBits());
    }
    labelEffect(state);
}
BENCHMARK(BM_EffectOneFrame)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

// Apply to all frames: each of a full store through the effect and back to its mono frame.
void BM_EffectAllFramesWithMakeMono(benchmark::State& state)
{
    std::vector<QImage> frames;
    for (int i = 0; i < FrameCount; ++i)
        frames.push_back(panelFrame(static_cast<unsigned>(i)));
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (const QImage& frame : frames) {
            QImage work = frame;
            vantrel::ApplyEffect(work, index, Strength);
            QImage mono = vantrel::MakeMono(work, 0);
            benchmark::DoNotOptimize(mono.constBits());
        }
    }
    labelEffect(state);
}
BENCHMARK(BM_EffectAllFramesWithMakeMono)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

} // namespace
