#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace vantrel::test {

// One seed input of a fuzz target; the seeds double as regression cases for its entry function.
struct FuzzSeed
{
    QString name;
    QByteArray bytes;

    template <typename Entry> int runThrough(Entry entry) const
    {
        return entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                     static_cast<std::size_t>(bytes.size()));
    }
};

// The seeds of fuzz/corpus/<target>, by name; a seed that can't be read fails the test.
inline QList<FuzzSeed> fuzzSeeds(const char* target)
{
    const QDir corpus(QStringLiteral(VANTREL_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(target));
    QList<FuzzSeed> seeds;
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name)) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "unreadable seed " << name.toStdString();
            continue;
        }
        seeds.append({name, file.readAll()});
    }
    return seeds;
}

// Every seed of `target` holds the target's rules, and some are accepted by the reader, so that
// the fuzzer reaches past the header checks and not only into refusals.
template <typename Entry, typename Accepted>
void expectSeedsHoldTheFuzzRules(const char* target, Entry entry, Accepted accepted)
{
    const QList<FuzzSeed> seeds = fuzzSeeds(target);
    ASSERT_GE(seeds.size(), 5);
    int acceptedSeeds = 0;
    for (const FuzzSeed& seed : seeds) {
        EXPECT_EQ(seed.runThrough(entry), 0) << seed.name.toStdString();
        acceptedSeeds += accepted(seed) ? 1 : 0;
    }
    EXPECT_GE(acceptedSeeds, 3);
}

} // namespace vantrel::test
