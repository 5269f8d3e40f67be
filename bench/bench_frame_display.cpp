#include "ui/app/qt_user_dialogs.h"
#include "ui/app/tform1.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QSignalBlocker>
#include <QSlider>
#include <QTemporaryDir>

namespace {

constexpr int FrameCount = 90;

QImage colourPicture(int seed)
{
    QImage picture(160, 54, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            line[3 * x] = static_cast<uchar>((x * 3 + seed * 7) & 0xFF);
            line[3 * x + 1] = static_cast<uchar>((y * 5 + seed) & 0xFF);
            line[3 * x + 2] = static_cast<uchar>((x + y + seed * 3) & 0xFF);
        }
    }
    return picture;
}

// What playback and stepping cost per frame: the whole display of the frame at the bar's position,
// walking through a full store.
void FrameDisplay(benchmark::State& state)
{
    QTemporaryDir folder;
    const vantrel::AppPaths paths{QDir(folder.path()).filePath(QStringLiteral("vantrel.INI")),
                                  QDir(folder.path()).filePath(QStringLiteral("vantrel.MSG")), folder.path()};
    TForm1 form(paths, std::make_unique<QtUserDialogs>());
    for (int i = 0; i < FrameCount; ++i)
        form.InsertFrame(colourPicture(i), QImage(), i);
    form.UpdateFrameBars();
    auto* bar = form.findChild<QSlider*>(QStringLiteral("tbOutPre"));

    int position = 0;
    for (auto _ : state) {
        {
            const QSignalBlocker quiet(bar);
            bar->setValue(position % FrameCount + 1);
        }
        form.tbOutPreOnChange();
        ++position;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FrameDisplay)->Unit(benchmark::kMicrosecond);

} // namespace
