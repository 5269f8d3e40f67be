#include "core/imaging/effects.h"
#include "core/imaging/mono_conversion.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int FrameCount = 90;

// A picture-like 160 x 54 frame: crossing colour gradients, a bright disc and sensor noise.
QImage panelFrame(unsigned seed)
{
    constexpr int W = 160, H = 54;
    QImage image(W, H, QImage::Format_RGB888);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 12.0);
    for (int y = 0; y < H; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < W; ++x) {
            const int dx = x - 100, dy = y - 20;
            const int disc = dx * dx + dy * dy < 15 * 15 ? 80 : 0;
            const int base[3] = {x * 255 / W, y * 255 / H, 255 - (x + 2 * y) * 255 / (W + 2 * H)};
            for (int c = 0; c < 3; ++c)
                line[3 * x + c] =
                    static_cast<uchar>(std::clamp(base[c] + disc + static_cast<int>(noise(rng)), 0, 255));
        }
    }
    return image;
}

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
