#include "core/fuzz_seeds.h"
#include "fuzz/anim_fuzz_entry.h"

namespace vantrel {
namespace {

TEST(AnimFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    const QList<test::FuzzSeed> seeds = test::fuzzSeeds("fuzz_anim");
    ASSERT_GE(seeds.size(), 5);
    int readable = 0;
    for (const test::FuzzSeed& seed : seeds) {
        EXPECT_EQ(seed.runThrough(fuzz::runAnimInput), 0) << seed.name.toStdString();
        AnimContents contents;
        if (readAnimation(seed.bytes, animKindOf(seed.name), contents) == AnimOk)
            ++readable;
    }
    EXPECT_GE(readable, 3); // the seeds include well-formed files, not only broken ones
}

} // namespace
} // namespace vantrel
