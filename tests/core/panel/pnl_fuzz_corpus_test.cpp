#include "core/fuzz_seeds.h"
#include "fuzz/pnl_fuzz_entry.h"

namespace vantrel {
namespace {

TEST(PnlFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    const QList<test::FuzzSeed> seeds = test::fuzzSeeds("fuzz_pnl");
    ASSERT_GE(seeds.size(), 5);
    int accepted = 0;
    for (const test::FuzzSeed& seed : seeds) {
        EXPECT_EQ(seed.runThrough(fuzz::runPnlInput), 0) << seed.name.toStdString();
        PanelDescription description;
        if (readPanelDescription(seed.bytes, description) == PanelOk)
            ++accepted;
    }
    EXPECT_GE(accepted, 3); // the seeds include descriptions that register, not only refused ones
}

} // namespace
} // namespace vantrel
