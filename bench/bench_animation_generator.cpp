// A 90-frame run from pictures already decoded: what generation adds on top of decoding
// (compare with the block loads of bench_avi_load).
#include "core/input/animation_generator.h"
#include "support/frame_pattern.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QList>

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
    const InputFrameSource source = [&](int frameNo, QImage& picture) {
        picture = pictures[(frameNo - 1) % pictures.size()];
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

} // namespace
