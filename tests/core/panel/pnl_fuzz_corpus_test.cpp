#include "fuzz/pnl_fuzz_entry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace vantrel {
namespace {

// The fuzzer's seed inputs double as regression cases for the same entry function.
TEST(PnlFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    const QDir corpus(QStringLiteral(VANTREL_SOURCE_DIR "/fuzz/corpus/fuzz_pnl"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 5) << corpus.path().toStdString();
    int accepted = 0;
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(fuzz::runPnlInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())),
                  0)
            << name.toStdString();
        PanelDescription description;
        if (readPanelDescription(bytes, description) == PanelOk)
            ++accepted;
    }
    EXPECT_GE(accepted, 3); // the seeds include descriptions that register, not only refused ones
}

} // namespace
} // namespace vantrel
