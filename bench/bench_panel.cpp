#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/panel/panel_preview.h"

#include <benchmark/benchmark.h>

namespace {

QImage monoFrame(int seed)
{
    QImage picture(160, 54, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < 3 * picture.width(); ++x)
            line[x] = static_cast<uchar>((x * 7 + y * 13 + seed * 31) & 0xFF);
    }
    return vantrel::MakeMono(picture, 0);
}

// One frame of the faceplate preview: the frame tinted and stretched into the default 203 x 55
// view, and the 203 x 37 info strip re-tinted. Playback shows one every 100 ms; it should
// take well under a millisecond.
void PanelFrameDisplay(benchmark::State& state)
{
    QList<QImage> frames;
    for (int i = 0; i < 90; ++i)
        frames.append(monoFrame(i));
    QImage info = vantrel::MakeMono(vantrel::createBitmap(203, 37), 2);
    const vantrel::BacklightLevels levels;
    int n = 0;
    for (auto _ : state) {
        const auto code = static_cast<std::uint8_t>(n % 64);
        QImage view = vantrel::panelViewImage(frames[n % frames.size()], levels, code, {203, 55});
        vantrel::SetPanelPalette(info, levels, code);
        benchmark::DoNotOptimize(view);
        benchmark::DoNotOptimize(info);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PanelFrameDisplay)->Unit(benchmark::kMicrosecond);

} // namespace
