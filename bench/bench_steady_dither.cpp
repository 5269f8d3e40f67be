#include "core/imaging/mono_conversion.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int PictureWidth = 640, PictureHeight = 480;
constexpr int PanelWidth = 160, PanelHeight = 54;
constexpr int FrameCount = 30;

// A photo-like picture: slow colour gradients, soft blobs and a little sensor noise.
QImage photoLikePicture()
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB888);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    struct Blob
    {
        double x, y, radius, strength;
    };
    std::vector<Blob> blobs(24);
    for (Blob& b : blobs)
        b = {unit(rng) * PictureWidth, unit(rng) * PictureHeight, 10 + unit(rng) * 50,
             (unit(rng) - 0.5) * 160};
    std::normal_distribution<double> noise(0.0, 4.0);
    for (int y = 0; y < PictureHeight; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < PictureWidth; ++x) {
            double blob = 0;
            for (const Blob& b : blobs) {
                const double dx = x - b.x, dy = y - b.y;
                blob += b.strength * std::exp(-(dx * dx + dy * dy) / (2 * b.radius * b.radius));
            }
            const double base[3] = {60 + 120.0 * x / PictureWidth + 30 * std::sin(y / 70.0),
                                    40 + 150.0 * y / PictureHeight, 110 + 60 * std::cos((x + y) / 120.0)};
            for (int c = 0; c < 3; ++c)
                line[3 * x + c] =
                    static_cast<uchar>(std::clamp(std::lround(base[c] + blob + noise(rng)), 0L, 255L));
        }
    }
    return image;
}

// A slow pan: the upper half of each panel frame moves one pixel to the right per frame, the
// lower half shows the same part of the picture throughout.
std::vector<QImage> panFrames(const QImage& picture)
{
    std::vector<QImage> frames;
    for (int f = 0; f < FrameCount; ++f) {
        QImage frame(PanelWidth, PanelHeight, QImage::Format_RGB888);
        for (int y = 0; y < PanelHeight; ++y) {
            const bool panning = y < PanelHeight / 2;
            const uchar* from =
                picture.constScanLine(panning ? 100 + y : 300 + y) + 3 * (panning ? 200 + f : 320);
            std::memcpy(frame.scanLine(y), from, 3 * PanelWidth);
        }
        frames.push_back(frame);
    }
    return frames;
}

// Of the pixels whose colour is the same in two consecutive frames, the share whose level
// changed: dots that flicker where the picture stood still.
double flickerShare(const std::vector<QImage>& frames, const std::vector<QImage>& monos)
{
    long still = 0, changed = 0;
    for (std::size_t f = 1; f < frames.size(); ++f)
        for (int y = 0; y < PanelHeight; ++y) {
            const uchar* a = frames[f - 1].constScanLine(y);
            const uchar* b = frames[f].constScanLine(y);
            for (int x = 0; x < PanelWidth; ++x) {
                if (std::memcmp(a + 3 * x, b + 3 * x, 3) != 0)
                    continue;
                ++still;
                changed += monos[f - 1].pixelIndex(x, y) != monos[f].pixelIndex(x, y);
            }
        }
    return still > 0 ? double(changed) / double(still) : 0.0;
}

// Over every flat grey 0..255 on a panel frame, the mean distance between the frame's mean
// level and the grey's exact level 3v / 255.
double flatGreyLevelError(int ditherIndex)
{
    double total = 0;
    for (int v = 0; v < 256; ++v) {
        QImage grey(PanelWidth, PanelHeight, QImage::Format_RGB888);
        grey.fill(QColor(v, v, v));
        const QImage mono = vantrel::MakeMono(grey, ditherIndex);
        long sum = 0;
        for (int y = 0; y < PanelHeight; ++y)
            for (int x = 0; x < PanelWidth; ++x)
                sum += mono.pixelIndex(x, y);
        total += std::abs(double(sum) / (PanelWidth * PanelHeight) - v * 3 / 255.0);
    }
    return total / 256;
}

// Argument: the dither list index (0 Burkes, 3 Ordered, 4 BlueNoise). The time is the
// conversion of the 30 frames; the counters are the figures that matter.
void BM_SteadyDither(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    const std::vector<QImage> frames = panFrames(photoLikePicture());
    std::vector<QImage> monos(frames.size());
    for (auto _ : state) {
        for (std::size_t f = 0; f < frames.size(); ++f)
            monos[f] = vantrel::MakeMono(frames[f], index);
        benchmark::DoNotOptimize(monos.back().constBits());
    }
    state.counters["flicker_pct"] = 100 * flickerShare(frames, monos);
    state.counters["grey_level_err"] = flatGreyLevelError(index);
    state.SetLabel(index == 0 ? "Burkes" : index == 3 ? "Ordered" : "BlueNoise");
}
BENCHMARK(BM_SteadyDither)->Arg(0)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace
