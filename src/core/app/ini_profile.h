#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

// Private-profile (INI) text: sections and key=value lines. Names match without regard to
// case, the first of duplicate keys wins, and writing keeps every other line of the file
// (comments, unknown keys, order, line endings, even its bytes) as it was.
class IniProfile
{
public:
    // Larger files read as missing: a settings file is a few kilobytes.
    static constexpr qsizetype MaxFileBytes = 4 * 1024 * 1024;

    // Parses bytes: UTF-8 (a leading BOM is kept aside), else Shift-JIS (CP932) when they are
    // not valid UTF-8, else Latin-1 so that no byte is lost. Inputs beyond 256 MiB give an
    // empty profile.
    static IniProfile fromBytes(const QByteArray& bytes);

    // Reads a file; a missing, unreadable or over-large file gives an empty profile.
    static IniProfile fromFile(const QString& path);

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal with an optional sign; a missing key or any other text gives the default.
    int readInt(const QString& section, const QString& key, int defaultValue) const;
    // True for any non-zero integer.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    bool contains(const QString& section, const QString& key) const;

    // Replaces the first occurrence in place, else adds the key after the last key of the
    // section's first occurrence, else adds the section at the end. Line breaks in a value
    // become spaces; a name that could not be read back as itself (empty, a key holding "=",
    // starting with ";" or "[", a section name holding "]") is not written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // The text in the encoding it was read in (UTF-8 for a new profile). Falls back to UTF-8 for
    // the whole text when a written value has no place in that encoding, or when the bytes
    // would read back as another encoding.
    QByteArray toBytes() const;

    // Atomic save, creating the folder when needed; 0 on success, otherwise non-zero with the
    // path and the reason in errorText.
    int save(const QString& path, QString* errorText = nullptr) const;

private:
    enum class Encoding : std::uint8_t { Utf8, ShiftJis, Latin1 };
    enum class Ending : std::uint8_t { None, Lf, CrLf };

    struct Line
    {
        int start = 0; // content, without its ending, in text_
        int length = 0;
        int rawStart = -1; // the same content as read, in raw_; -1 once new or rewritten
        int rawLength = 0;
        int next = -1; // the following line in file order; lines are only ever added
        Ending ending = Ending::None;
    };

    struct Section
    {
        int insertAfter = -1;     // last key line of the first occurrence, or its header
        QHash<QString, int> keys; // case-folded key -> line of its first occurrence
    };

    void parse();
    void indexLines();
    QStringView content(int line) const;
    int findKeyLine(const QString& section, const QString& key) const;
    int insertLineAfter(int after, const QString& content);
    void rewriteLine(int line, const QString& content);
    std::optional<QByteArray> encodeAsRead() const;
    static QByteArrayView endingBytes(Ending ending);
    QByteArray encodeAllAsUtf8() const;

    QByteArray raw_; // the bytes as read, BOM excluded
    QString text_;   // raw_ decoded, followed by the text of every written line
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    QHash<QString, int> sectionIndex_; // case-folded name -> sections_
    int head_ = -1;
    int tail_ = -1;
    Ending newLineEnding_ = Ending::Lf;
    Encoding encoding_ = Encoding::Utf8;
    bool bom_ = false;
};

} // namespace vantrel
