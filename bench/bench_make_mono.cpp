#include "core/imaging/mono_conversion.h"

#include "panel_frame.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <random>

namespace {

using vantrel::bench::panelFrame;

// Argument: the dither list index (0 Burkes, 1 Jarvis-Judice-Ninke, 2 Nearest, 3 Ordered,
// 4 BlueNoise).
void BM_MakeMono(benchmark::State& state)
{
    const QImage frame = panelFrame();
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QImage mono = vantrel::MakeMono(frame, index);
        benchmark::DoNotOptimize(mono.constBits());
    }
    state.SetItemsProcessed(state.iterations() * frame.width() * frame.height());
    static constexpr const char* Names[] = {"Burkes", "JarvisJudiceNinke", "Nearest", "Ordered", "BlueNoise"};
    state.SetLabel(Names[index]);
}
BENCHMARK(BM_MakeMono)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace
