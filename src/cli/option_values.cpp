#include "cli/option_values.h"

namespace vantrel::cli {

std::optional<int> parseInteger(const QString& text)
{
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const int value = hex ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (!ok || text.contains(QLatin1Char('+')) || text.contains(QLatin1Char(' ')))
        return std::nullopt;
    return value;
}

std::optional<int> parseColorCode(const QString& text)
{
    const std::optional<int> code = parseInteger(text);
    if (!code || *code < 0 || *code > 63)
        return std::nullopt;
    return code;
}

QString colorCodeError(const QString& text)
{
    return QStringLiteral("--color takes a colour code from 0 to 63 (red*16 + green*4 + blue), not '%1'")
        .arg(text);
}

RangedValue parseRanged(const QString& option, const QString& text, int min, int max)
{
    const std::optional<int> value = parseInteger(text);
    if (!value || *value < min || *value > max)
        return {0, QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
                       .arg(option)
                       .arg(min)
                       .arg(max)
                       .arg(text)};
    return {*value, {}};
}

ScannedArguments scanArguments(const QStringList& arguments, const QString& command,
                               const QStringList& withValue, const QStringList& flags)
{
    ScannedArguments scanned;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnd || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            scanned.files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        const qsizetype equals =
            argument.startsWith(QLatin1String("--")) ? argument.indexOf(QLatin1Char('=')) : -1;
        Option option{equals < 0 ? argument : argument.left(equals), {}};
        if (flags.contains(option.name) && equals < 0) {
            scanned.options.append(option);
            continue;
        }
        if (!withValue.contains(option.name)) {
            scanned.error = QStringLiteral("unknown option '%1' for %2").arg(option.name, command);
            return scanned;
        }
        if (equals >= 0)
            option.value = argument.mid(equals + 1);
        else if (i + 1 < arguments.size())
            option.value = arguments[++i];
        else {
            scanned.error = QStringLiteral("option '%1' needs a value").arg(option.name);
            return scanned;
        }
        scanned.options.append(option);
    }
    return scanned;
}

} // namespace vantrel::cli
