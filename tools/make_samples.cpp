// Draws the pictures and the video in samples/; tools/make-samples builds and runs it.
#include "sample_pictures.h"

#include "support/avi_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <functional>

namespace {

using namespace vantrel;

bool savePicture(const QImage& picture, const QString& path, int quality = -1)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, QFileInfo(path).suffix().toLatin1());
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    return writer.write(picture) && file.commit();
}

// FFmpeg writes to a path, so the clip goes to a neighbour first and replaces the old one whole.
bool saveBouncingBall(const QString& path)
{
    const QSize size(320, 240);
    const int frames = 40;
    const QString partial = path + QStringLiteral(".part");
    const bool written = test::writeAvi(
        partial, {.size = size,
                  .frames = frames,
                  .codec = test::AviCodec::Mjpeg,
                  .fps = 10,
                  .keyFrameInterval = 1,
                  .picture = [&](int frame) { return samples::drawBouncingBall(frame, frames, size); }});
    if (!written || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Text needs a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: vantrel_make_samples FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "vantrel_make_samples: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    struct Sample
    {
        const char* name;
        std::function<bool(const QString&)> save;
    };
    const Sample files[] = {
        {"landscape.jpg",
         [](const QString& path) { return savePicture(samples::drawLandscape(), path, 85); }},
        {"banner.png", [](const QString& path) { return savePicture(samples::drawBanner(), path); }},
        {"grey-ramp.png", [](const QString& path) { return savePicture(samples::drawGreyRamp(), path); }},
        {"bouncing-ball.avi", saveBouncingBall},
    };
    for (const Sample& sample : files) {
        const QString path = folder.filePath(QString::fromLatin1(sample.name));
        if (!sample.save(path)) {
            std::fprintf(stderr, "vantrel_make_samples: could not write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%-20s %7lld bytes\n", sample.name, static_cast<long long>(QFileInfo(path).size()));
    }
    return 0;
}
