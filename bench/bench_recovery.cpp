#include "core/files/recovery_copy.h"
#include "core/files/recovery_writer.h"
#include "core/imaging/mono_conversion.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <chrono>

namespace vantrel {
namespace {

// 90 frames of a moving gradient, as a store full of generated frames holds them.
RecoveryContents fullStore()
{
    RecoveryContents contents;
    contents.panelSize = {160, 54};
    for (int i = 0; i < 90; ++i) {
        QImage colour(contents.panelSize, QImage::Format_RGB888);
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 160; ++x)
                colour.setPixel(x, y, qRgb((x * 5 + i * 3) & 255, (y * 4 + i) & 255, (x + y + i * 7) & 255));
        contents.colour.append(colour);
        contents.mono.append(MakeMono(colour, 2));
    }
    return contents;
}

// The window's part of keeping a copy of 90 frames (handing them over) against the whole write
// on the writer's thread. Goal: the window's part under 5 ms.
void BM_RecoveryWrite(benchmark::State& state)
{
    const RecoveryContents contents = fullStore();
    const QTemporaryDir dir;
    RecoveryWriter writer(dir.filePath("store.recovery"));
    double handedMs = 0, totalMs = 0;
    for (auto _ : state) {
        const auto began = std::chrono::steady_clock::now();
        writer.submit(contents);
        const auto handed = std::chrono::steady_clock::now();
        writer.waitUntilIdle();
        const auto written = std::chrono::steady_clock::now();
        handedMs += std::chrono::duration<double, std::milli>(handed - began).count();
        totalMs += std::chrono::duration<double, std::milli>(written - began).count();
    }
    state.counters["window_ms"] = handedMs / double(state.iterations());
    state.counters["total_ms"] = totalMs / double(state.iterations());
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

// Reading a copy of 90 frames back, as a restore does.
void BM_RecoveryRestore(benchmark::State& state)
{
    const QByteArray bytes = writeRecoveryCopy(fullStore());
    for (auto _ : state) {
        RecoveryContents read;
        if (readRecoveryCopy(bytes, {160, 54}, read) != RecoveryResult::Ok)
            state.SkipWithError("the copy did not read back");
        benchmark::DoNotOptimize(read);
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_RecoveryRestore)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vantrel
