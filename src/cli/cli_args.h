#pragma once

#include <QString>
#include <QStringList>

namespace vantrel::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

enum class Command { Help, Version, Info, Render };

struct CliRequest
{
    Command command = Command::Help;
    QString error; // non-empty: a usage error, reported as is
    bool json = false;
    QStringList files;
    QString output;
    int scale = 1;
    int colorCode = -1; // -1: the file's own
};

// The arguments after the program name.
CliRequest parseArguments(const QStringList& arguments);

QString usageText();
QString versionText();

} // namespace vantrel::cli
