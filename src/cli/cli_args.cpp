#include "cli/cli_args.h"

#include "core/files/anim_strip.h"

#include <optional>

namespace vantrel::cli {

namespace {

// Decimal, or hexadecimal after 0x; nothing else.
std::optional<int> parseInteger(const QString& text)
{
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const int value = hex ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (!ok || text.contains(QLatin1Char('+')) || text.contains(QLatin1Char(' ')))
        return std::nullopt;
    return value;
}

// Splits "--name=value" into name and value; other arguments come back unchanged.
struct Option
{
    QString name;
    std::optional<QString> value;
};

Option splitOption(const QString& argument)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (!argument.startsWith(QLatin1String("--")) || equals < 0)
        return {argument, std::nullopt};
    return {argument.left(equals), argument.mid(equals + 1)};
}

CliRequest usageError(const QString& message)
{
    CliRequest request;
    request.error = message;
    return request;
}

CliRequest parseInfo(const QStringList& arguments)
{
    CliRequest request;
    request.command = Command::Info;
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        if (!optionsEnd && argument == QLatin1String("--"))
            optionsEnd = true;
        else if (!optionsEnd && argument == QLatin1String("--json"))
            request.json = true;
        else if (!optionsEnd && argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return usageError(QStringLiteral("unknown option '%1' for info").arg(argument));
        else
            request.files.append(argument);
    }
    if (request.files.isEmpty())
        return usageError(QStringLiteral("info needs at least one FILE"));
    return request;
}

CliRequest parseRender(const QStringList& arguments)
{
    CliRequest request;
    request.command = Command::Render;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnd || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            request.files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        Option option = splitOption(argument);
        const bool known = option.name == QLatin1String("-o") || option.name == QLatin1String("--output") ||
                           option.name == QLatin1String("--scale") || option.name == QLatin1String("--color");
        if (!known)
            return usageError(QStringLiteral("unknown option '%1' for render").arg(option.name));
        if (!option.value) {
            if (i + 1 >= arguments.size())
                return usageError(QStringLiteral("option '%1' needs a value").arg(option.name));
            option.value = arguments[++i];
        }
        const QString& value = *option.value;
        if (option.name == QLatin1String("--scale")) {
            const std::optional<int> scale = parseInteger(value);
            if (!scale || *scale < 1 || *scale > MaxStripScale)
                return usageError(QStringLiteral("--scale takes a whole number from 1 to %1, not '%2'")
                                      .arg(MaxStripScale)
                                      .arg(value));
            request.scale = *scale;
        } else if (option.name == QLatin1String("--color")) {
            const std::optional<int> code = parseInteger(value);
            if (!code || *code < 0 || *code > 63)
                return usageError(
                    QStringLiteral(
                        "--color takes a colour code from 0 to 63 (red*16 + green*4 + blue), not '%1'")
                        .arg(value));
            request.colorCode = *code;
        } else {
            if (value.isEmpty())
                return usageError(QStringLiteral("the output file name is empty"));
            request.output = value;
        }
    }
    if (request.files.size() != 1)
        return usageError(QStringLiteral("render takes exactly one FILE"));
    if (request.output.isEmpty())
        return usageError(QStringLiteral("render needs -o OUT.png"));
    return request;
}

} // namespace

CliRequest parseArguments(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString& first = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help") ||
        rest.contains(QLatin1String("--help"))) {
        CliRequest request;
        request.command = Command::Help;
        return request;
    }
    if (first == QLatin1String("--version")) {
        CliRequest request;
        request.command = Command::Version;
        return request;
    }
    if (first == QLatin1String("info"))
        return parseInfo(rest);
    if (first == QLatin1String("render"))
        return parseRender(rest);
    if (first.startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("unknown option '%1'").arg(first));
    return usageError(QStringLiteral("unknown command '%1'").arg(first));
}

QString usageText()
{
    return QStringLiteral(
        "Usage: vantrel-cli COMMAND ...\n"
        "Reads panel animation files (.nml one frame, .nma animation).\n"
        "\n"
        "Commands:\n"
        "  info [--json] FILE...\n"
        "      Kind, frame count, size, bits per pixel, colour code and check of each file.\n"
        "      --json prints one JSON object per line. Exit status 1 when a file can't be read.\n"
        "  render FILE -o OUT.png [--scale N] [--color CODE]\n"
        "      Every frame side by side as the panel shows it, each dot N x N pixels (1..64,\n"
        "      default 1), tinted with the file's colour code or CODE (0..63, red*16 +\n"
        "      green*4 + blue; decimal or 0x hex).\n"
        "\n"
        "Options:\n"
        "  --help      show this text\n"
        "  --version   show the version\n"
        "\n"
        "Exit status: 0 success, 1 a file could not be read or written, 2 a usage error.\n");
}

QString versionText()
{
    return QStringLiteral("vantrel-cli " VANTREL_VERSION "\n");
}

} // namespace vantrel::cli
