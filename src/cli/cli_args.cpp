#include "cli/cli_args.h"

#include "cli/cli_export.h"
#include "cli/option_values.h"
#include "core/app/choice_lists.h"
#include "core/files/anim_strip.h"
#include "core/frames/frame_store.h"

#include <array>
#include <cstddef>
#include <optional>

namespace vantrel::cli {

namespace {

CliRequest parseInfo(const QStringList& arguments)
{
    const ScannedArguments scanned =
        scanArguments(arguments, QStringLiteral("info"), {}, {QStringLiteral("--json")});
    if (!scanned.error.isEmpty())
        return usageError(scanned.error);
    CliRequest request;
    request.command = Command::Info;
    request.json = !scanned.options.isEmpty();
    request.files = scanned.files;
    if (request.files.isEmpty())
        return usageError(QStringLiteral("info needs at least one FILE"));
    return request;
}

CliRequest parseRender(const QStringList& arguments)
{
    const ScannedArguments scanned = scanArguments(arguments, QStringLiteral("render"),
                                                   {QStringLiteral("-o"), QStringLiteral("--output"),
                                                    QStringLiteral("--scale"), QStringLiteral("--color")});
    if (!scanned.error.isEmpty())
        return usageError(scanned.error);
    CliRequest request;
    request.command = Command::Render;
    request.files = scanned.files;
    for (const Option& option : scanned.options) {
        if (option.name == QLatin1String("--scale")) {
            const RangedValue scale = parseRanged(option.name, option.value, 1, MaxStripScale);
            if (!scale.error.isEmpty())
                return usageError(scale.error);
            request.scale = scale.value;
        } else if (option.name == QLatin1String("--color")) {
            const std::optional<int> code = parseColorCode(option.value);
            if (!code)
                return usageError(colorCodeError(option.value));
            request.colorCode = *code;
        } else {
            if (option.value.isEmpty())
                return usageError(QStringLiteral("the output file name is empty"));
            request.output = option.value;
        }
    }
    if (request.files.size() != 1)
        return usageError(QStringLiteral("render takes exactly one FILE"));
    if (request.output.isEmpty())
        return usageError(QStringLiteral("render needs -o OUT.png"));
    return request;
}

// "0 first, 1 second, ...": a list whose entries the command line takes by number.
template <std::size_t N> QString numbered(const std::array<const char*, N>& names)
{
    QStringList entries;
    for (std::size_t i = 0; i < N; ++i)
        entries.append(QStringLiteral("%1 %2").arg(i).arg(QLatin1String(names[i])));
    return entries.join(QLatin1String(", "));
}

// One option of the usage text: its name, then its description in a column of its own,
// wrapped by words; a name too long for its column puts the description on the next line.
QString optionHelp(const QString& name, const QString& description)
{
    constexpr qsizetype NameIndent = 6, DescriptionIndent = 23, Width = 87;
    const QString indent(DescriptionIndent, QLatin1Char(' '));
    QString text;
    QString line = QString(NameIndent, QLatin1Char(' ')) + name;
    if (line.size() < DescriptionIndent) {
        line = line.leftJustified(DescriptionIndent);
    } else {
        text = line + QLatin1Char('\n');
        line = indent;
    }
    for (const QString& word : description.split(QLatin1Char(' '))) {
        const bool started = line.size() > DescriptionIndent;
        if (started && line.size() + 1 + word.size() > Width) {
            text += line + QLatin1Char('\n');
            line = indent;
        } else if (started) {
            line += QLatin1Char(' ');
        }
        line += word;
    }
    return text + line + QLatin1Char('\n');
}

// The options of make, their lists and ranges as core has them.
QString makeOptionsText()
{
    const QString effects = QStringLiteral("%1 (or 0..%2), strength S %3..%4, on every frame made")
                                .arg(nameList(EffectNames).join(QLatin1String(", ")))
                                .arg(EffectNames.size() - 1)
                                .arg(MinEffectStrength)
                                .arg(MaxEffectStrength);
    return optionHelp(QStringLiteral("--frames N"),
                      QStringLiteral("frames to make, 1..%1 (default 30)").arg(MaxFrames)) +
           optionHelp(QStringLiteral("--method M"),
                      numbered(CreationMethodNames) + QStringLiteral(" (default 0)")) +
           optionHelp(QStringLiteral("--dither D"),
                      numbered(DitherNames) + QStringLiteral(" (steady dots for animation; default 0)")) +
           optionHelp(QStringLiteral("--color CODE"),
                      QStringLiteral("the backlight colour code saved, 0..63 (default 0x3F)")) +
           optionHelp(
               QStringLiteral("--start F:L,T,R,B, --end F:L,T,R,B"),
               QStringLiteral("the areas: input frame F (from 1) and the rectangle in that picture's pixels; "
                              "default frame 1 and the last, each with the largest panel-shaped rectangle "
                              "centred in the picture")) +
           optionHelp(QStringLiteral("--smooth"),
                      QStringLiteral(
                          "scale each cut by averaging the pixels under a dot instead of taking the one it "
                          "falls on: no shimmer over fine detail")) +
           optionHelp(QStringLiteral("--effect E[:S]"), effects) +
           optionHelp(QStringLiteral("--text TEXT"),
                      QStringLiteral(
                          "text put into every frame (\\n breaks lines), with --font NAME, --size 10..36, "
                          "--style bold,italic,underline,strikeout, --decoration %1, --at X,Y, --angle "
                          "0..360, --text-color 0..3, --outline-color 0..3")
                          .arg(nameList(DecorationNames).join(QLatin1Char('|')))) +
           optionHelp(QStringLiteral("--json"), QStringLiteral("print the result as info --json does"));
}

} // namespace

CliRequest usageError(const QString& message)
{
    CliRequest request;
    request.error = message;
    return request;
}

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
    if (first == QLatin1String("make"))
        return parseMake(rest);
    if (first == QLatin1String("export"))
        return parseExport(rest);
    if (first.startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("unknown option '%1'").arg(first));
    return usageError(QStringLiteral("unknown command '%1'").arg(first));
}

QString usageText()
{
    return QStringLiteral(
               "Usage: vantrel-cli COMMAND ...\n"
               "Makes, reads and exports panel animation files (.nml one frame, .nma animation).\n"
               "\n"
               "Commands:\n"
               "  info [--json] FILE...\n"
               "      Kind, frame count, size, bits per pixel, colour code and check of each file.\n"
               "      --json prints one JSON object per line. Exit status 1 when a file can't be read.\n"
               "  render FILE -o OUT.png [--scale N] [--color CODE]\n"
               "      Every frame side by side as the panel shows it, each dot N x N pixels (1..64,\n"
               "      default 1), tinted with the file's colour code or CODE (0..63, red*16 +\n"
               "      green*4 + blue; decimal or 0x hex).\n"
               "  make INPUT... -o OUT.nma|OUT.nml [options]\n"
               "      Makes an animation from pictures and videos (in the order given) as the window's\n"
               "      Create button does, and prints what was written as info does.\n") +
           makeOptionsText() +
           QStringLiteral(
               "  export FILE -o OUT.gif|OUT.apng|OUT.mp4|OUT.webm|OUT.png [--scale N] [--dots]\n"
               "         [--panel PNL] [--color CODE] [--delay MS]\n"
               "      The frames as an animation that loops forever (GIF, APNG), a video that plays\n"
               "      them once (MP4: H.264, WebM: VP9) or a sprite sheet (PNG), each dot N x N\n"
               "      pixels (1..16, default 4); with --dots, rounded dots on a dark gap as the\n"
               "      device shows them, N pixels apart across, shaped as PNL says (else as the\n"
               "      shipped panel); inside the faceplate of the panel description PNL (its picture\n"
               "      scaled by N, its backlight levels), tinted with the file's colour code or\n"
               "      CODE, each frame shown MS milliseconds (10..10000, default 100).\n"
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
