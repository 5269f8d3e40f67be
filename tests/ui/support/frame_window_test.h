#pragma once

#include "ui/support/window_test.h"

#include <QImage>
#include <QList>
#include <QSize>

class QLineEdit;

// A window with the shipped English catalogue and frames that can be told apart: frame `mark`
// has one full-level pixel at (mark, 0) on black.
class FrameWindowTest : public WindowTest
{
protected:
    void SetUp() override;

    static QImage markedPicture(int mark, QSize size = {160, 54});
    static QImage markedMono(int mark, QSize size = {160, 54});
    // The mark of a colour or mono frame; -1 when the first row is dark.
    static int markOf(const QImage& frame);
    // The mark of the frame a view shows stretched from the 160 dots across to its width.
    int shownMark(const char* view);
    // The marks of the store's mono frames, in order.
    QList<int> monoMarks();
    QList<int> colourMarks();

    // Frames marked first..first + count - 1 appended as the generation command adds them:
    // the last one becomes current.
    void addFrames(int count, int firstMark = 0);
    int position();
    void setPosition(int value);

    // Replaces a line edit's text as a user's paste would; "" erases it.
    static void typeInto(QLineEdit* edit, const QString& text);
    static void leave(QLineEdit* edit);
    static void pressEnter(QLineEdit* edit);

    QString writeAnimation(const QString& name, const QList<QImage>& monoFrames, int colorCode = 63);
    // An MJPEG AVI of numbered frames in the test's folder; empty when it could not be written.
    QString writeClip(const QString& name, int frames);
    // A picture or video added as the add button does, the file chosen in its dialog.
    void addInput(const QString& path);
};
