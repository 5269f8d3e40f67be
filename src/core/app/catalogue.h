#pragma once

#include "core/app/ini_profile.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>

namespace vantrel {

// Every user-visible text of the window, read once from the message catalogue.
struct Catalogue
{
    QString defaultFont = QStringLiteral("FixedSys");
    QString language; // of Qt's own dialogs and buttons: "ja", "en", ...; empty leaves them as built
    std::array<QString, 10> errorTexts;
    std::array<QString, 4> messageTexts;
    std::array<QString, 5> fileTexts; // file dialog filters: all, pictures, animations, panels, videos

    QStringList effect, dithering, animation, fontColor, fontEffect, fontBGColor, scale;

    // Control name and text, in catalogue order.
    QList<QPair<QString, QString>> captions;
    QList<QPair<QString, QString>> hints;

    QString dialogTitle;     // LEADDlg1
    QString exportAnimation; // the output views' menu entry and its file dialog's title
    QString fileDir, fileName, fileKind, filePreview, fileOpen, fileCancel;
    QString endConfirmCaption, endConfirmText;
    QString frameTooLarge; // a save refused for frames the file format can't hold
    // Questions and notes of the load, save and exit commands; %1.. are filled in by them.
    QString frameSizeDiffers, framesLeftOut, overwriteConfirm, singleFrameFile, endConfirmUnsaved;
    QString generating;     // the progress of a long generation run
    QString pictureReduced; // %1 x %2 read as %3 x %4 to fit in memory
    QString undo, redo;     // the undo buttons' menu
    QString smoothScaling;  // the cut-area buttons' menu
    // The export dialog: the pitch, the device's dots, the faceplate, its OK button.
    QString exportScale, exportDots, exportFaceplate, exportOk;
    // The question at start when frames were left by a window that stopped unexpectedly (%1 the
    // count) and its two answers.
    QString recoveryQuestion, recoveryRestore, recoveryDiscard;
    // %1 is filled in: the insert-position dialog's frame count, the delete button's hint with the
    // current input file, and the file or address no application opens.
    QString insertFrameCount = QStringLiteral("%1Frames");
    QString deleteInputFile = QStringLiteral("%1を削除");
    QString noApplication;

    static const QStringList& captionKeys();
    static const QStringList& hintKeys();
};

Catalogue loadCatalogue(const IniProfile& ini);

// A zoom percentage from a Scale item; anything but a positive integer counts as 100.
int scalePercent(const QString& item);

} // namespace vantrel
