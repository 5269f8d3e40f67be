#include "core/files/anim_commands.h"
#include "core/files/anim_file.h"
#include "core/files/anim_reader.h"
#include "core/files/anim_writer.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace vantrel {
namespace {

constexpr int Width = 160;
constexpr int Height = 54;
constexpr int Frames = 90;
const QSize ViewSize(203, 55);

QImage colourPicture(int seed)
{
    QImage picture = createBitmap(Width, Height);
    for (int y = 0; y < Height; ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            line[3 * x] = static_cast<uchar>((x * 3 + seed * 7) & 0xFF);
            line[3 * x + 1] = static_cast<uchar>((y * 5 + seed) & 0xFF);
            line[3 * x + 2] = static_cast<uchar>((x + y + seed * 3) & 0xFF);
        }
    }
    return picture;
}

const QList<QImage>& monoFrames()
{
    static const QList<QImage> frames = [] {
        QList<QImage> list;
        for (int i = 0; i < Frames; ++i)
            list.append(MakeMono(colourPicture(i), 0));
        return list;
    }();
    return frames;
}

void BM_AnimSaveFile(benchmark::State& state)
{
    QTemporaryDir dir;
    TAnimFile file;
    file.SetFileName(dir.filePath(QStringLiteral("bench.nma")));
    for (auto _ : state) {
        if (file.SaveFile(monoFrames()) != 0)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_AnimSaveFile)->Unit(benchmark::kMillisecond);

void BM_AnimEncode(benchmark::State& state)
{
    for (auto _ : state) {
        QByteArray bytes;
        encodeAnimation(AnimKind::Animation, monoFrames(), 63, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_AnimEncode)->Unit(benchmark::kMillisecond);

void BM_AnimLoadBytes(benchmark::State& state)
{
    QByteArray bytes;
    encodeAnimation(AnimKind::Animation, monoFrames(), 63, bytes);
    for (auto _ : state) {
        AnimContents contents;
        if (readAnimation(bytes, AnimKind::Animation, contents) != 0)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(contents.frames.data());
    }
}
BENCHMARK(BM_AnimLoadBytes)->Unit(benchmark::kMillisecond);

// The load command's core from a file: read, check, and make the frames ready for the store.
void BM_AnimLoadForStore(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.nma"));
    TAnimFile file;
    saveStoreFrames(file, path, monoFrames(), 63);
    for (auto _ : state) {
        LoadedFrames loaded;
        if (loadFramesForStore(file, path, 0, loaded) != 0)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.mono.data());
    }
}
BENCHMARK(BM_AnimLoadForStore)->Unit(benchmark::kMillisecond);

// One frame display: the colour view, and the mono view tinted with the backlight colour.
void BM_DisplayFrame(benchmark::State& state)
{
    const QImage colour = colourPicture(1);
    const QImage mono = monoFrames().first();
    const BacklightLevels levels;
    for (auto _ : state) {
        const QImage colourView = FitToView(colour, ViewSize);
        QImage tinted = mono;
        SetPanelPalette(tinted, levels, 0x25);
        const QImage monoView = FitToView(tinted, ViewSize);
        benchmark::DoNotOptimize(colourView.constBits());
        benchmark::DoNotOptimize(monoView.constBits());
    }
}
BENCHMARK(BM_DisplayFrame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel
