#include "core/fuzz_seeds.h"
#include "fuzz/avi_fuzz_entry.h"
#include "fuzz/picture_fuzz_entry.h"

#include <functional>

namespace vantrel {
namespace {

using Opener = std::function<int(const QByteArray&, std::unique_ptr<MediaFile>&)>;

// Some seeds must open and decode, so that the fuzzer reaches the decoders.
template <typename Entry>
void expectSeedsHoldTheFuzzRules(const char* target, Entry entry, const Opener& open)
{
    test::expectSeedsHoldTheFuzzRules(target, entry, [&](const test::FuzzSeed& seed) {
        std::unique_ptr<MediaFile> media;
        QList<QImage> frames;
        return open(seed.bytes, media) == MediaOk && media->load(1, 1, frames) == MediaOk;
    });
}

TEST(InputFuzzCorpus, EveryPictureSeedHoldsTheFuzzRules)
{
    expectSeedsHoldTheFuzzRules("fuzz_picture", fuzz::runPictureInput, fuzz::openPictureBytes);
}

TEST(InputFuzzCorpus, EveryAviSeedHoldsTheFuzzRules)
{
    expectSeedsHoldTheFuzzRules("fuzz_avi", fuzz::runAviInput, [](const QByteArray& bytes, auto& out) {
        return VideoFile::openBytes(bytes, VideoContainer::Avi, out);
    });
}

// Seeds of MP4, Matroska and GIF files, each behind the byte that names its container.
TEST(InputFuzzCorpus, EveryVideoSeedHoldsTheFuzzRules)
{
    expectSeedsHoldTheFuzzRules(
        "fuzz_video",
        [](const std::uint8_t* data, std::size_t size) { return fuzz::runContainerInput(data, size); },
        [](const QByteArray& bytes, auto& out) {
            return VideoFile::openBytes(bytes.mid(1), fuzz::seedContainer(std::uint8_t(bytes.at(0))), out);
        });
}

} // namespace
} // namespace vantrel
