#include "core/fuzz_seeds.h"
#include "fuzz/pnl_fuzz_entry.h"

namespace vantrel {
namespace {

TEST(PnlFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    test::expectSeedsHoldTheFuzzRules("fuzz_pnl", fuzz::runPnlInput, [](const test::FuzzSeed& seed) {
        PanelDescription description;
        return readPanelDescription(seed.bytes, description) == PanelOk;
    });
}

} // namespace
} // namespace vantrel
