#include "core/app/ini_profile.h"

#include "core/app/atomic_save.h"

#include "core/app/decimal.h"
#include "core/app/shift_jis_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace vantrel {
namespace {

// Line positions are kept as int.
constexpr qsizetype MaxInputBytes = 256 * 1024 * 1024;

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString foldName(QStringView name)
{
    return trimBlanks(name).toString().toCaseFolded();
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QStringView> sectionName(QStringView trimmedLine)
{
    if (trimmedLine.isEmpty() || trimmedLine[0] != u'[')
        return std::nullopt;
    const qsizetype close = trimmedLine.lastIndexOf(u']');
    if (close <= 0)
        return std::nullopt;
    return trimmedLine.sliced(1, close - 1);
}

struct DecodedText
{
    QString text;
    bool utf8 = false;
    bool shiftJis = false;
};

DecodedText decode(const QByteArray& bytes)
{
    // The caller has taken the BOM off; a second one is text.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return {std::move(text), true, false};
    if (auto shiftJis = decodeShiftJis(bytes))
        return {std::move(*shiftJis), false, true};
    return {QString::fromLatin1(bytes), false, false};
}

} // namespace

IniProfile IniProfile::fromBytes(const QByteArray& bytes)
{
    IniProfile profile;
    if (bytes.size() > MaxInputBytes)
        return profile;
    profile.bom_ = bytes.startsWith(Utf8Bom);
    profile.raw_ = profile.bom_ ? bytes.sliced(3) : bytes;
    DecodedText decoded = decode(profile.raw_);
    profile.text_ = std::move(decoded.text);
    profile.encoding_ = decoded.utf8       ? Encoding::Utf8
                        : decoded.shiftJis ? Encoding::ShiftJis
                                           : Encoding::Latin1;
    profile.parse();
    return profile;
}

IniProfile IniProfile::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    // Bounded even where the size is not known in advance.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return {};
    return fromBytes(bytes);
}

void IniProfile::parse()
{
    // Every encoding read here maps byte 0x0A to U+000A and nothing else to it, so the lines
    // of the bytes and of the text pair up one to one.
    const bool rawLinesMatch = raw_.count('\n') == text_.count(u'\n');
    lines_.reserve(static_cast<size_t>(text_.count(u'\n')) + 1);

    qsizetype textPos = 0;
    qsizetype rawPos = 0;
    while (textPos < text_.size()) {
        Line line;
        qsizetype textEnd = text_.indexOf(u'\n', textPos);
        qsizetype rawEnd = rawLinesMatch ? raw_.indexOf('\n', rawPos) : -1;
        const bool hasNewline = textEnd >= 0;
        if (!hasNewline) {
            textEnd = text_.size();
            rawEnd = raw_.size();
        }
        const qsizetype nextTextPos = textEnd + 1;
        const qsizetype nextRawPos = rawEnd + 1;
        line.ending = hasNewline ? Ending::Lf : Ending::None;
        if (hasNewline && textEnd > textPos && text_[textEnd - 1] == u'\r') {
            line.ending = Ending::CrLf;
            --textEnd;
            --rawEnd;
        }
        line.start = static_cast<int>(textPos);
        line.length = static_cast<int>(textEnd - textPos);
        if (rawLinesMatch) {
            line.rawStart = static_cast<int>(rawPos);
            line.rawLength = static_cast<int>(rawEnd - rawPos);
        }
        line.next = static_cast<int>(lines_.size()) + 1;
        lines_.push_back(line);
        textPos = nextTextPos;
        rawPos = nextRawPos;
    }
    if (!lines_.empty()) {
        head_ = 0;
        tail_ = static_cast<int>(lines_.size()) - 1;
        lines_.back().next = -1;
    }
    for (const Line& line : lines_) {
        if (line.ending != Ending::None) {
            newLineEnding_ = line.ending;
            break;
        }
    }
    indexLines();
}

void IniProfile::indexLines()
{
    int current = -1;
    bool inFirstOccurrence = false;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const QStringView line = trimBlanks(content(i));
        if (line.isEmpty() || line[0] == u';')
            continue;
        if (const auto name = sectionName(line)) {
            const QString folded = foldName(*name);
            const auto found = sectionIndex_.constFind(folded);
            inFirstOccurrence = found == sectionIndex_.cend();
            if (inFirstOccurrence) {
                current = static_cast<int>(sections_.size());
                sections_.push_back(Section{i, {}});
                sectionIndex_.insert(folded, current);
            } else {
                current = *found;
            }
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || current < 0)
            continue; // kept, never read
        const QString key = foldName(line.first(equals));
        if (key.isEmpty())
            continue;
        Section& section = sections_[static_cast<size_t>(current)];
        if (!section.keys.contains(key))
            section.keys.insert(key, i);
        if (inFirstOccurrence)
            section.insertAfter = i;
    }
}

QStringView IniProfile::content(int line) const
{
    const Line& l = lines_[static_cast<size_t>(line)];
    return QStringView(text_).sliced(l.start, l.length);
}

int IniProfile::findKeyLine(const QString& section, const QString& key) const
{
    const auto found = sectionIndex_.constFind(foldName(section));
    if (found == sectionIndex_.cend())
        return -1;
    return sections_[static_cast<size_t>(*found)].keys.value(foldName(key), -1);
}

QString IniProfile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const int line = findKeyLine(section, key);
    if (line < 0)
        return defaultValue;
    const QStringView text = content(line);
    return trimBlanks(text.sliced(text.indexOf(u'=') + 1)).toString();
}

int IniProfile::readInt(const QString& section, const QString& key, int defaultValue) const
{
    const int line = findKeyLine(section, key);
    if (line < 0)
        return defaultValue;
    const QStringView text = content(line);
    return parseDecimal(trimBlanks(text.sliced(text.indexOf(u'=') + 1))).value_or(defaultValue);
}

bool IniProfile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniProfile::contains(const QString& section, const QString& key) const
{
    return findKeyLine(section, key) >= 0;
}

void IniProfile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionText = trimBlanks(section).toString();
    const QString keyText = trimBlanks(key).toString();
    const auto breaksLine = [](const QString& s) { return s.contains(u'\n') || s.contains(u'\r'); };
    if (sectionText.isEmpty() || sectionText.contains(u']') || breaksLine(sectionText))
        return;
    if (keyText.isEmpty() || keyText.contains(u'=') || keyText.startsWith(u';') || keyText.startsWith(u'[') ||
        breaksLine(keyText))
        return;
    QString valueText = value;
    valueText.replace(u'\r', u' ').replace(u'\n', u' ');

    const QString foldedSection = sectionText.toCaseFolded();
    int index = sectionIndex_.value(foldedSection, -1);
    if (index < 0) {
        const int header = insertLineAfter(tail_, QStringLiteral("[") + sectionText + QStringLiteral("]"));
        index = static_cast<int>(sections_.size());
        sections_.push_back(Section{header, {}});
        sectionIndex_.insert(foldedSection, index);
    }

    const QString foldedKey = keyText.toCaseFolded();
    const int existing = sections_[static_cast<size_t>(index)].keys.value(foldedKey, -1);
    if (existing >= 0) {
        // Keep the spelling of the key and the spacing around "=".
        const QStringView old = content(existing);
        qsizetype valueStart = old.indexOf(u'=') + 1;
        while (valueStart < old.size() && isBlank(old[valueStart]))
            ++valueStart;
        rewriteLine(existing, old.first(valueStart).toString() + valueText);
        return;
    }
    const int added =
        insertLineAfter(sections_[static_cast<size_t>(index)].insertAfter, keyText + u'=' + valueText);
    Section& target = sections_[static_cast<size_t>(index)];
    target.insertAfter = added;
    target.keys.insert(foldedKey, added);
}

void IniProfile::writeInt(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniProfile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int IniProfile::insertLineAfter(int after, const QString& text)
{
    Line line;
    line.start = static_cast<int>(text_.size());
    line.length = static_cast<int>(text.size());
    text_ += text;
    const int index = static_cast<int>(lines_.size());
    if (after < 0) {
        line.ending = newLineEnding_;
        line.next = head_;
        head_ = index;
        if (tail_ < 0)
            tail_ = index;
    } else {
        Line& previous = lines_[static_cast<size_t>(after)];
        // A file without a final line break keeps lacking one.
        line.ending = previous.ending == Ending::None ? Ending::None : newLineEnding_;
        if (previous.ending == Ending::None)
            previous.ending = newLineEnding_;
        line.next = previous.next;
        previous.next = index;
        if (tail_ == after)
            tail_ = index;
    }
    lines_.push_back(line);
    return index;
}

void IniProfile::rewriteLine(int index, const QString& text)
{
    Line& line = lines_[static_cast<size_t>(index)];
    line.start = static_cast<int>(text_.size());
    line.length = static_cast<int>(text.size());
    line.rawStart = -1;
    text_ += text;
}

QByteArray IniProfile::toBytes() const
{
    const std::optional<QByteArray> bytes = encodeAsRead();
    if (!bytes)
        return encodeAllAsUtf8();
    if (encoding_ == Encoding::Utf8)
        return *bytes;
    // Written text can turn the bytes into something that reads back as another encoding.
    const DecodedText check = decode(bom_ ? bytes->sliced(3) : *bytes);
    const bool sameEncoding =
        encoding_ == Encoding::ShiftJis ? check.shiftJis : !check.utf8 && !check.shiftJis;
    return sameEncoding ? *bytes : encodeAllAsUtf8();
}

// The lines as read keep their bytes; written lines are encoded like the rest of the file.
// Nothing when a written line has no place in that encoding.
std::optional<QByteArray> IniProfile::encodeAsRead() const
{
    QByteArray out;
    out.reserve(raw_.size() + 64);
    if (bom_)
        out += Utf8Bom;
    for (int i = head_; i >= 0; i = lines_[static_cast<size_t>(i)].next) {
        const Line& line = lines_[static_cast<size_t>(i)];
        if (line.rawStart >= 0) {
            out.append(raw_.constData() + line.rawStart, line.rawLength);
        } else {
            const QStringView text = content(i);
            switch (encoding_) {
            case Encoding::Utf8:
                out += text.toUtf8();
                break;
            case Encoding::ShiftJis: {
                const auto encoded = encodeShiftJis(text);
                if (!encoded)
                    return std::nullopt;
                out += *encoded;
                break;
            }
            case Encoding::Latin1:
                for (const QChar c : text) {
                    if (c.unicode() > 0xFF)
                        return std::nullopt;
                }
                out += text.toLatin1();
                break;
            }
        }
        out.append(endingBytes(line.ending));
    }
    return out;
}

QByteArray IniProfile::encodeAllAsUtf8() const
{
    QString text;
    text.reserve(text_.size());
    for (int i = head_; i >= 0; i = lines_[static_cast<size_t>(i)].next) {
        const Line& line = lines_[static_cast<size_t>(i)];
        text += content(i);
        text += QString::fromLatin1(endingBytes(line.ending));
    }
    QByteArray out = text.toUtf8();
    if (bom_)
        out.prepend(Utf8Bom);
    return out;
}

QByteArrayView IniProfile::endingBytes(Ending ending)
{
    switch (ending) {
    case Ending::CrLf:
        return "\r\n";
    case Ending::Lf:
        return "\n";
    case Ending::None:
        break;
    }
    return {};
}

int IniProfile::save(const QString& path, QString* errorText) const
{
    const auto fail = [&](int code, const QString& reason) {
        if (errorText)
            *errorText = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
        return code;
    };
    // A failure here shows up as the open error below.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString reason;
    if (const int result = saveBytesAtomically(path, toBytes(), &reason); result != Saved)
        return fail(result, reason);
    return 0;
}

} // namespace vantrel
