#include "cli/cli_args.h"
#include "cli/option_values.h"
#include "core/app/choice_lists.h"
#include "core/frames/frame_store.h"

#include <QRegularExpression>

namespace vantrel::cli {

namespace {

// An index given by number or by one of the names, in the list's order.
std::optional<int> parseNamed(const QString& text, const QStringList& names)
{
    const qsizetype named = names.indexOf(text.toLower());
    if (named >= 0)
        return static_cast<int>(named);
    const std::optional<int> number = parseInteger(text);
    if (number && *number >= 0 && *number < names.size())
        return number;
    return std::nullopt;
}

QString namedError(const QString& option, const QString& text, const QStringList& names)
{
    return QStringLiteral("%1 takes 0 to %2 or one of %3, not '%4'")
        .arg(option)
        .arg(names.size() - 1)
        .arg(names.join(QLatin1Char(',')), text);
}

// "F:L,T,R,B": the error, or empty with `area` set.
QString parseArea(const QString& option, const QString& text, AreaOption& area)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+):(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return QStringLiteral("%1 takes FRAME:LEFT,TOP,RIGHT,BOTTOM, not '%2'").arg(option, text);
    bool ok[5] = {};
    const int frame = match.captured(1).toInt(&ok[0]);
    const int left = match.captured(2).toInt(&ok[1]), top = match.captured(3).toInt(&ok[2]);
    const int right = match.captured(4).toInt(&ok[3]), bottom = match.captured(5).toInt(&ok[4]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3] && ok[4]) || frame < 1)
        return QStringLiteral(
                   "%1: the frame number starts at 1 and the values must be whole numbers, not '%2'")
            .arg(option, text);
    if (left < 0 || top < 0 || right <= left || bottom <= top)
        return QStringLiteral("%1: the rectangle needs 0 <= LEFT < RIGHT and 0 <= TOP < BOTTOM, not '%2'")
            .arg(option, text);
    area.frameNo = frame;
    area.rect = QRect(left, top, right - left, bottom - top);
    return {};
}

QString parseStyle(const QString& text, TextStyle& style)
{
    for (const QString& word : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = word.trimmed().toLower();
        if (name == QLatin1String("bold"))
            style.bold = true;
        else if (name == QLatin1String("italic"))
            style.italic = true;
        else if (name == QLatin1String("underline"))
            style.underline = true;
        else if (name == QLatin1String("strikeout"))
            style.strikeOut = true;
        else if (name != QLatin1String("regular"))
            return QStringLiteral("--style takes bold,italic,underline,strikeout or regular, not '%1'")
                .arg(word);
    }
    return {};
}

} // namespace

CliRequest parseMake(const QStringList& arguments)
{
    static const QStringList effects = nameList(EffectNames);
    static const QStringList decorations = nameList(DecorationNames);
    const ScannedArguments scanned =
        scanArguments(arguments, QStringLiteral("make"),
                      {"-o", "--output", "--frames", "--method", "--dither", "--color", "--effect", "--start",
                       "--end", "--text", "--font", "--size", "--style", "--decoration", "--at", "--angle",
                       "--text-color", "--outline-color"},
                      {"--json", "--smooth"});
    if (!scanned.error.isEmpty())
        return usageError(scanned.error);
    CliRequest request;
    request.command = Command::Make;
    request.files = scanned.files;
    MakeOptions& make = request.make;
    TextStyle style;
    style.fontFamily = QStringLiteral("IPAPGothic");
    QString textOption; // the first option that needs --text
    std::optional<QString> text;

    for (const Option& option : scanned.options) {
        const QString& name = option.name;
        const QString& value = option.value;
        // The whole-number options with their ranges and destinations.
        const struct
        {
            const char* name;
            int min, max;
            int* target;
        } ranged[] = {
            {"--frames", 1, MaxFrames, &make.frames},
            {"--method", 0, CreationMethodCount - 1, &make.method},
            {"--dither", 0, static_cast<int>(DitherNames.size()) - 1, &make.dither},
            {"--size", 10, 36, &style.pointSize},
            {"--angle", 0, 360, &make.textAngle},
            {"--text-color", 0, 3, &style.textColour},
            {"--outline-color", 0, 3, &style.outlineColour},
        };
        bool done = false;
        for (const auto& entry : ranged) {
            if (name == QLatin1String(entry.name)) {
                const RangedValue parsed = parseRanged(name, value, entry.min, entry.max);
                if (!parsed.error.isEmpty())
                    return usageError(parsed.error);
                *entry.target = parsed.value;
                done = true;
            }
        }
        const bool needsText = name == QLatin1String("--size") || name == QLatin1String("--angle") ||
                               name == QLatin1String("--text-color") ||
                               name == QLatin1String("--outline-color") || name == QLatin1String("--font") ||
                               name == QLatin1String("--style") || name == QLatin1String("--decoration") ||
                               name == QLatin1String("--at");
        if (needsText && textOption.isEmpty())
            textOption = name;
        if (done)
            continue;
        if (name == QLatin1String("--json")) {
            request.json = true;
        } else if (name == QLatin1String("--smooth")) {
            make.smooth = true;
        } else if (name == QLatin1String("-o") || name == QLatin1String("--output")) {
            if (value.isEmpty())
                return usageError(QStringLiteral("the output file name is empty"));
            request.output = value;
        } else if (name == QLatin1String("--color")) {
            const std::optional<int> code = parseColorCode(value);
            if (!code)
                return usageError(colorCodeError(value));
            make.colorCode = *code;
        } else if (name == QLatin1String("--effect")) {
            const qsizetype colon = value.indexOf(QLatin1Char(':'));
            const QString effectName = colon < 0 ? value : value.left(colon);
            const std::optional<int> effect = parseNamed(effectName, effects);
            if (!effect)
                return usageError(namedError(name, effectName, effects));
            make.effect = *effect;
            if (colon >= 0) {
                const RangedValue strength =
                    parseRanged(QStringLiteral("--effect's strength"), value.mid(colon + 1),
                                MinEffectStrength, MaxEffectStrength);
                if (!strength.error.isEmpty())
                    return usageError(strength.error);
                make.strength = strength.value;
            }
        } else if (name == QLatin1String("--start") || name == QLatin1String("--end")) {
            AreaOption area;
            if (const QString error = parseArea(name, value, area); !error.isEmpty())
                return usageError(error);
            (name == QLatin1String("--start") ? make.start : make.end) = area;
        } else if (name == QLatin1String("--text")) {
            text = value;
        } else if (name == QLatin1String("--font")) {
            style.fontFamily = value;
        } else if (name == QLatin1String("--style")) {
            if (const QString error = parseStyle(value, style); !error.isEmpty())
                return usageError(error);
        } else if (name == QLatin1String("--decoration")) {
            const std::optional<int> decoration = parseNamed(value, decorations);
            if (!decoration)
                return usageError(namedError(name, value, decorations));
            style.decoration = *decoration;
        } else if (name == QLatin1String("--at")) {
            static const QRegularExpression form(QStringLiteral("^(-?\\d{1,4}),(-?\\d{1,4})$"));
            const QRegularExpressionMatch match = form.match(value);
            if (!match.hasMatch())
                return usageError(QStringLiteral("--at takes X,Y in frame pixels, not '%1'").arg(value));
            make.textAt = QPoint(match.captured(1).toInt(), match.captured(2).toInt());
        }
    }
    if (text) {
        // A typed "\n" breaks lines as the memo's line breaks do.
        style.lines =
            QString(*text).replace(QLatin1String("\\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
        make.text = style;
    } else if (!textOption.isEmpty()) {
        return usageError(QStringLiteral("%1 needs --text").arg(textOption));
    }
    if (request.files.isEmpty())
        return usageError(QStringLiteral("make needs at least one INPUT file"));
    if (request.output.isEmpty())
        return usageError(QStringLiteral("make needs -o OUT.nma or OUT.nml"));
    return request;
}

} // namespace vantrel::cli
