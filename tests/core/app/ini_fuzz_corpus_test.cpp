#include "fuzz/ini_fuzz_entry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace vantrel {
namespace {

// The fuzzer's seed inputs double as regression cases for the same entry function.
TEST(IniFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    const QDir corpus(QStringLiteral(VANTREL_SOURCE_DIR "/fuzz/corpus/fuzz_ini"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty()) << corpus.path().toStdString();
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(fuzz::runIniInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())),
                  0)
            << name.toStdString();
    }
}

} // namespace
} // namespace vantrel
