#include "core/app/catalogue.h"

#include "core/app/decimal.h"

#include <algorithm>

namespace vantrel {
namespace {

// The lists are a handful of items; a runaway count must not allocate millions of them.
constexpr int MaxListItems = 1000;

int itemCount(const IniProfile& ini, const QString& section)
{
    return std::clamp(ini.readInt(section, QStringLiteral("Items"), 0), 0, MaxListItems);
}

QStringList readList(const IniProfile& ini, const QString& section)
{
    QStringList items;
    const int count = itemCount(ini, section);
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(ini.readString(section, QString::number(i), QString()));
    return items;
}

// Items beyond the table's capacity are ignored.
template <size_t N>
void readTable(const IniProfile& ini, const QString& section, std::array<QString, N>& table)
{
    const int count = std::min(itemCount(ini, section), static_cast<int>(N));
    for (int i = 0; i < count; ++i)
        table[static_cast<size_t>(i)] = ini.readString(section, QString::number(i), QString());
}

QList<QPair<QString, QString>> readNamedTexts(const IniProfile& ini, const QString& section,
                                              const QStringList& keys)
{
    QList<QPair<QString, QString>> texts;
    texts.reserve(keys.size());
    for (const QString& key : keys)
        texts.append({key, ini.readString(section, key, QString())});
    return texts;
}

} // namespace

const QStringList& Catalogue::captionKeys()
{
    static const QStringList keys{
        QStringLiteral("TabSheet1"),  QStringLiteral("TabSheet2"),  QStringLiteral("TabSheet3"),
        QStringLiteral("TabSheet4"),  QStringLiteral("Label2"),     QStringLiteral("Label3"),
        QStringLiteral("Label4"),     QStringLiteral("Label5"),     QStringLiteral("ckLink"),
        QStringLiteral("ckFix"),      QStringLiteral("Panel6"),     QStringLiteral("Panel29"),
        QStringLiteral("Panel30"),    QStringLiteral("Panel28"),    QStringLiteral("Label1"),
        QStringLiteral("Label10"),    QStringLiteral("Panel21"),    QStringLiteral("Label13"),
        QStringLiteral("Label14"),    QStringLiteral("Label15"),    QStringLiteral("Panel33"),
        QStringLiteral("Label8"),     QStringLiteral("Label9"),     QStringLiteral("Panel19"),
        QStringLiteral("Panel18"),    QStringLiteral("Panel14"),    QStringLiteral("Panel16"),
        QStringLiteral("Panel17"),    QStringLiteral("Label19"),    QStringLiteral("cboxBold"),
        QStringLiteral("cboxItalic"), QStringLiteral("cboxUnderL"), QStringLiteral("cboxStrikeOut"),
        QStringLiteral("Label16"),    QStringLiteral("Label17"),    QStringLiteral("Label18"),
        QStringLiteral("Label12"),    QStringLiteral("Panel15"),    QStringLiteral("Label11"),
        QStringLiteral("Panel32"),
    };
    return keys;
}

const QStringList& Catalogue::hintKeys()
{
    static const QStringList keys{
        QStringLiteral("abbInPic"),       QStringLiteral("abbDelPic"),       QStringLiteral("abbInClr"),
        QStringLiteral("abbFLoad"),       QStringLiteral("abbFSave"),        QStringLiteral("abbHelp"),
        QStringLiteral("abbHPAccess"),    QStringLiteral("abbEnd"),          QStringLiteral("abbInFrameStop"),
        QStringLiteral("abbInFramePlay"), QStringLiteral("abbInFramePause"), QStringLiteral("abbInFrameTop"),
        QStringLiteral("abbInFrameBack"), QStringLiteral("abbInFrameNext"),  QStringLiteral("abbInFrameEnd"),
        QStringLiteral("cbCutK"),         QStringLiteral("abbAreaResize"),   QStringLiteral("cbScale"),
        QStringLiteral("MkFrm"),          QStringLiteral("abbCutS"),         QStringLiteral("abbCutE"),
        QStringLiteral("abbExecute"),     QStringLiteral("abbOutPreStop"),   QStringLiteral("abbOutPrePlay"),
        QStringLiteral("abbOutPrePause"), QStringLiteral("abbOutPreRep"),    QStringLiteral("abbOutPreBack"),
        QStringLiteral("abbOutPreNext"),  QStringLiteral("abbOutPreDel"),    QStringLiteral("abbOutPreClr"),
        QStringLiteral("cbEffect"),       QStringLiteral("cbDither"),        QStringLiteral("abbUndo"),
        QStringLiteral("abbDesideEfA"),   QStringLiteral("Memo1"),           QStringLiteral("cbFEffect"),
        QStringLiteral("cbFColor"),       QStringLiteral("cbFontB"),         QStringLiteral("abbUndo2"),
        QStringLiteral("abbInsFont"),     QStringLiteral("abbInsFontA"),     QStringLiteral("abbGetPImage"),
        QStringLiteral("abbSelPanel"),    QStringLiteral("abbPStop"),        QStringLiteral("abbPPlay"),
        QStringLiteral("abbPPause"),      QStringLiteral("abbPRep"),
    };
    return keys;
}

Catalogue loadCatalogue(const IniProfile& ini)
{
    Catalogue c;
    c.defaultFont =
        ini.readString(QStringLiteral("Application"), QStringLiteral("DefaultFont"), c.defaultFont);
    c.language = ini.readString(QStringLiteral("Application"), QStringLiteral("Language"), QString());

    readTable(ini, QStringLiteral("Errors"), c.errorTexts);
    readTable(ini, QStringLiteral("Messages"), c.messageTexts);
    readTable(ini, QStringLiteral("File"), c.fileTexts);
    c.effect = readList(ini, QStringLiteral("Effect"));
    c.dithering = readList(ini, QStringLiteral("Dithering"));
    c.animation = readList(ini, QStringLiteral("Animation"));
    c.fontColor = readList(ini, QStringLiteral("FontColor"));
    c.fontEffect = readList(ini, QStringLiteral("FontEffect"));
    c.fontBGColor = readList(ini, QStringLiteral("FontBGColor"));
    c.scale = readList(ini, QStringLiteral("Scale"));

    const QString caption = QStringLiteral("Caption");
    c.captions = readNamedTexts(ini, caption, Catalogue::captionKeys());
    c.dialogTitle = ini.readString(caption, QStringLiteral("LEADDlg1"), QString());
    c.exportAnimation = ini.readString(caption, QStringLiteral("Export"), QString());
    c.fileDir = ini.readString(caption, QStringLiteral("FileDir"), QString());
    c.fileName = ini.readString(caption, QStringLiteral("FileName"), QString());
    c.fileKind = ini.readString(caption, QStringLiteral("FileKind"), QString());
    c.filePreview = ini.readString(caption, QStringLiteral("FilePreview"), QString());
    c.fileOpen = ini.readString(caption, QStringLiteral("FileOpen"), QString());
    c.fileCancel = ini.readString(caption, QStringLiteral("FileCancel"), QString());
    c.endConfirmCaption = ini.readString(caption, QStringLiteral("EndConfirm"), QString());
    c.undo = ini.readString(caption, QStringLiteral("Undo"), QStringLiteral("Undo"));
    c.redo = ini.readString(caption, QStringLiteral("Redo"), QStringLiteral("Redo"));
    c.smoothScaling =
        ini.readString(caption, QStringLiteral("SmoothScaling"), QStringLiteral("Smooth scaling"));
    c.exportScale =
        ini.readString(caption, QStringLiteral("ExportScale"), QStringLiteral("Pixels from dot to dot"));
    c.exportDots = ini.readString(caption, QStringLiteral("ExportDots"),
                                  QStringLiteral("Dots as the device shows them"));
    c.exportFaceplate =
        ini.readString(caption, QStringLiteral("ExportFaceplate"), QStringLiteral("In the panel picture"));
    c.recoveryRestore = ini.readString(caption, QStringLiteral("RecoveryRestore"), QStringLiteral("Restore"));
    c.recoveryDiscard = ini.readString(caption, QStringLiteral("RecoveryDiscard"), QStringLiteral("Discard"));
    c.recoveryQuestion =
        ini.readString(QStringLiteral("DialogMessage"), QStringLiteral("RecoveryQuestion"),
                       QStringLiteral("Restore the %1 frames left when Vantrel last stopped unexpectedly?"));
    c.exportOk = ini.readString(caption, QStringLiteral("ExportOK"), QStringLiteral("Export"));
    c.endConfirmText =
        ini.readString(QStringLiteral("DialogMessage"), QStringLiteral("EndConfirm"), QString());
    const QString dialogMessage = QStringLiteral("DialogMessage");
    c.frameTooLarge = ini.readString(dialogMessage, QStringLiteral("FrameTooLarge"), QString());
    c.frameSizeDiffers = ini.readString(dialogMessage, QStringLiteral("FrameSizeDiffers"), QString());
    c.framesLeftOut = ini.readString(dialogMessage, QStringLiteral("FramesLeftOut"), QString());
    c.overwriteConfirm = ini.readString(dialogMessage, QStringLiteral("OverwriteConfirm"), QString());
    c.singleFrameFile = ini.readString(dialogMessage, QStringLiteral("SingleFrameFile"), QString());
    c.endConfirmUnsaved = ini.readString(dialogMessage, QStringLiteral("EndConfirmUnsaved"), QString());
    c.generating = ini.readString(dialogMessage, QStringLiteral("Generating"), QString());
    c.pictureReduced = ini.readString(dialogMessage, QStringLiteral("PictureReduced"), QString());
    c.insertFrameCount =
        ini.readString(dialogMessage, QStringLiteral("InsertFrameCount"), c.insertFrameCount);
    c.noApplication = ini.readString(dialogMessage, QStringLiteral("NoApplication"), QString());

    c.hints = readNamedTexts(ini, QStringLiteral("Hint"), Catalogue::hintKeys());
    c.deleteInputFile =
        ini.readString(QStringLiteral("Hint"), QStringLiteral("DeleteInputFile"), c.deleteInputFile);
    return c;
}

int scalePercent(const QString& item)
{
    const std::optional<int> percent = parseDecimal(QStringView(item).trimmed());
    return percent && *percent > 0 ? *percent : 100;
}

} // namespace vantrel
