// A 90-frame run from pictures already decoded: what generation adds on top of decoding
// (compare with the block loads of bench_avi_load).
#include "core/imaging/mono_conversion.h"
#include "core/input/animation_generator.h"
#include "support/frame_pattern.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QList>

#include <algorithm>
#include <cstdint>

namespace {

using namespace vantrel;

constexpr int RunFrames = 90;

// Ten distinct 640 x 480 input frames, cycled: every frame of a moving cut fetches and cuts anew.
const QList<QImage>& inputPictures()
{
    static const QList<QImage> pictures = [] {
        QList<QImage> made;
        for (int n = 1; n <= 10; ++n)
            made << test::makeNumberedPicture(n, QSize(640, 480));
        return made;
    }();
    return pictures;
}

// Argument: the creation method (0 moving cut, 2 dissolve).
void BM_GenerateRun(benchmark::State& state)
{
    const QList<QImage>& pictures = inputPictures();
    GenerationRequest request;
    request.start = {0, 0, 202, 54, 1};
    request.end = {300, 200, 640, 480, RunFrames};
    request.frameCount = RunFrames;
    request.method = static_cast<int>(state.range(0));
    const InputFrameSource source = [&](int frameNo, InputPicture& picture) {
        picture = InputPicture(pictures[(frameNo - 1) % pictures.size()]);
        return 0;
    };
    for (auto _ : state) {
        AnimationGenerator generator(request, source);
        AnimationGenerator::Frame frame;
        while (!generator.done()) {
            if (generator.next(frame) != 0) {
                state.SkipWithError("the source failed");
                return;
            }
            benchmark::DoNotOptimize(frame.picture.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * RunFrames);
    state.SetLabel(request.method == 0 ? "moving cut" : "dissolve");
}
BENCHMARK(BM_GenerateRun)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// A slow zoom (90 frames) into a detailed 1600 x 1200 picture, fine lines under noise, cut nearest
// or smooth and reduced to the four levels without dithering. Figures:
//   changed   share of dots whose level differs from the frame before (shimmer);
//   error     mean distance in levels from the level of each dot's exact area average.
// Goal: smooth at most half of nearest in both. Argument: 1 for smooth.
void BM_SmoothAgainstNearest(benchmark::State& state)
{
    static const QImage picture = [] {
        QImage made(1600, 1200, QImage::Format_RGB888);
        std::uint32_t noise = 12345;
        for (int y = 0; y < made.height(); ++y)
            for (int x = 0; x < made.width(); ++x) {
                noise = noise * 1664525u + 1013904223u;
                const int line = (x % 7 < 2 || y % 5 == 0) ? 200 : 40;
                const int v = std::clamp(line + int(noise >> 26) - 32, 0, 255);
                made.setPixel(x, y, qRgb(v, v, v));
            }
        return made;
    }();
    GenerationRequest request;
    request.start = {0, 0, 1600, 540, 1};
    request.end = {80, 27, 1520, 513, 1};
    request.frameCount = RunFrames;
    request.scaling = state.range(0) ? CutScaling::Smooth : CutScaling::Nearest;
    double changed = 0, error = 0;
    for (auto _ : state) {
        AnimationGenerator generator(request, [](int, InputPicture& out) {
            out = InputPicture(picture);
            return 0;
        });
        const auto level = [](const QImage& mono, int x, int y) { return mono.pixelIndex(x, y); };
        QImage previous;
        changed = error = 0;
        for (int i = 0; !generator.done(); ++i) {
            AnimationGenerator::Frame frame;
            if (generator.next(frame) != 0 || frame.picture.isNull())
                break;
            const QImage mono = MakeMono(frame.picture, 2);
            const TCutArea area = i == 0 ? request.start
                                  : i == RunFrames - 1
                                      ? request.end
                                      : movingCutArea(request.start, request.end, RunFrames - 2, i);
            const QImage exact =
                MakeMono(CutArea(picture, area, 100, request.panelSize, CutScaling::Smooth), 2);
            for (int y = 0; y < mono.height(); ++y)
                for (int x = 0; x < mono.width(); ++x) {
                    error += std::abs(level(mono, x, y) - level(exact, x, y));
                    changed += !previous.isNull() && level(mono, x, y) != level(previous, x, y);
                }
            previous = mono;
        }
    }
    const double dots = 160.0 * 54.0;
    state.counters["changed"] = changed / (dots * (RunFrames - 1));
    state.counters["error"] = error / (dots * RunFrames);
    state.SetLabel(state.range(0) ? "smooth" : "nearest");
}
BENCHMARK(BM_SmoothAgainstNearest)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
