#include "core/fuzz_seeds.h"
#include "fuzz/ini_fuzz_entry.h"

namespace vantrel {
namespace {

TEST(IniFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    const QList<test::FuzzSeed> seeds = test::fuzzSeeds("fuzz_ini");
    ASSERT_FALSE(seeds.isEmpty());
    for (const test::FuzzSeed& seed : seeds)
        EXPECT_EQ(seed.runThrough(fuzz::runIniInput), 0) << seed.name.toStdString();
}

} // namespace
} // namespace vantrel
