#include "fuzz/avi_fuzz_entry.h"
#include "fuzz/picture_fuzz_entry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

namespace vantrel {
namespace {

using FuzzEntry = std::function<int(const std::uint8_t*, std::size_t)>;
using Opener = std::function<int(const QByteArray&, std::unique_ptr<MediaFile>&)>;

// The fuzzer's seed inputs double as regression cases for the same entry function; some of
// them must open, so that the seeds reach the decoders and not only the header checks.
void expectSeedsHoldTheFuzzRules(const char* target, const FuzzEntry& entry, const Opener& open)
{
    const QDir corpus(QStringLiteral(VANTREL_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(target));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 5) << corpus.path().toStdString();
    int readable = 0;
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())),
                  0)
            << name.toStdString();
        std::unique_ptr<MediaFile> media;
        QList<QImage> frames;
        if (open(bytes, media) == MediaOk && media->load(1, 1, frames) == MediaOk)
            ++readable;
    }
    EXPECT_GE(readable, 3);
}

TEST(InputFuzzCorpus, EveryPictureSeedHoldsTheFuzzRules)
{
    expectSeedsHoldTheFuzzRules("fuzz_picture", fuzz::runPictureInput, StillPicture::openBytes);
}

TEST(InputFuzzCorpus, EveryAviSeedHoldsTheFuzzRules)
{
    expectSeedsHoldTheFuzzRules("fuzz_avi", fuzz::runAviInput, [](const QByteArray& bytes, auto& out) {
        return AviVideo::openBytes(bytes, out);
    });
}

} // namespace
} // namespace vantrel
