#include "core/fuzz_seeds.h"
#include "fuzz/anim_fuzz_entry.h"

namespace vantrel {
namespace {

TEST(AnimFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    test::expectSeedsHoldTheFuzzRules("fuzz_anim", fuzz::runAnimInput, [](const test::FuzzSeed& seed) {
        AnimContents contents;
        return readAnimation(seed.bytes, animKindOf(seed.name), contents) == AnimOk;
    });
}

} // namespace
} // namespace vantrel
