#pragma once

#include "cli/make_options.h"

#include <QString>
#include <QStringList>

namespace vantrel::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

enum class Command { Help, Version, Info, Render, Make, Export };

struct CliRequest
{
    Command command = Command::Help;
    QString error; // non-empty: a usage error, reported as is
    bool json = false;
    QStringList files;
    QString output;
    int scale = 1;
    int colorCode = -1; // -1: the file's own
    MakeOptions make;
    // export
    bool dots = false;
    QString panel; // a panel description, empty for none
    int delayMs = 100;
};

// A request that fails with this usage error.
CliRequest usageError(const QString& message);

// The arguments after the program name.
CliRequest parseArguments(const QStringList& arguments);
// The arguments after "make".
CliRequest parseMake(const QStringList& arguments);

QString usageText();
QString versionText();

} // namespace vantrel::cli
