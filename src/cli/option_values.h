#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>

namespace vantrel::cli {

// A list of names from core, in its order.
template <std::size_t N> QStringList nameList(const std::array<const char*, N>& names)
{
    QStringList list;
    for (const char* name : names)
        list.append(QLatin1String(name));
    return list;
}

// Decimal, or hexadecimal after 0x; nothing else.
std::optional<int> parseInteger(const QString& text);

// A backlight colour code 0..63, decimal or 0x hex; and the usage error for a bad one.
std::optional<int> parseColorCode(const QString& text);
QString colorCodeError(const QString& text);

// A whole number within min..max, or the usage error naming the option and its range.
struct RangedValue
{
    int value = 0;
    QString error;
};
RangedValue parseRanged(const QString& option, const QString& text, int min, int max);

struct Option
{
    QString name;
    QString value; // empty for a flag
};

// The arguments of one command: options in the order given, the rest as files ("--" ends the
// options; "-" is a file). Options in withValue take "--name=value" or the next argument; flags
// take none. An unknown option or a missing value gives the usage error in `error`.
struct ScannedArguments
{
    QList<Option> options;
    QStringList files;
    QString error;
};
ScannedArguments scanArguments(const QStringList& arguments, const QString& command,
                               const QStringList& withValue, const QStringList& flags = {});

} // namespace vantrel::cli
