#include "ui/support/frame_window_test.h"

#include "core/files/anim_file.h"
#include "core/imaging/mono_conversion.h"
#include "support/avi_writer.h"
#include "ui/frames/bitmap_view.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

void FrameWindowTest::SetUp()
{
    useCatalogue(englishCatalogue());
}

QImage FrameWindowTest::markedPicture(int mark, QSize size)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::black);
    picture.setPixelColor(mark, 0, Qt::white);
    return picture;
}

QImage FrameWindowTest::markedMono(int mark, QSize size)
{
    return vantrel::MakeMono(markedPicture(mark, size), 2);
}

QString FrameWindowTest::writeClip(const QString& name, int frames)
{
    const QString path = QDir(folderPath()).filePath(name);
    vantrel::test::AviLayout layout;
    layout.frames = frames;
    return vantrel::test::writeAvi(path, layout) ? path : QString();
}

void FrameWindowTest::addInput(const QString& path)
{
    dialogs().fileAnswers.push_back(path);
    control<QToolButton>("abbInPic")->click();
}

int FrameWindowTest::shownMark(const char* view)
{
    const QImage shown = control<BitmapView>(view)->image();
    const int column = markOf(shown);
    return column < 0 ? -1 : column * 160 / shown.width();
}

int FrameWindowTest::markOf(const QImage& frame)
{
    for (int x = 0; x < frame.width(); ++x) {
        const bool lit = frame.format() == QImage::Format_Indexed8 ? frame.pixelIndex(x, 0) != 0
                                                                   : qGray(frame.pixel(x, 0)) != 0;
        if (lit)
            return x;
    }
    return -1;
}

QList<int> FrameWindowTest::monoMarks()
{
    QList<int> marks;
    for (const QImage& frame : window().frameStore().monoFrames())
        marks.append(markOf(frame));
    return marks;
}

QList<int> FrameWindowTest::colourMarks()
{
    QList<int> marks;
    for (const QImage& frame : window().frameStore().colourFrames())
        marks.append(markOf(frame));
    return marks;
}

void FrameWindowTest::addFrames(int count, int firstMark)
{
    TForm1& form = window();
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(form.InsertFrame(markedPicture(firstMark + i), QImage(), form.frameStore().count()));
    form.UpdateFrameBars();
    setPosition(form.frameStore().count());
    form.tbOutPreOnChange();
    form.UpdateControlState(vantrel::ControlReason::StoreChanged);
}

int FrameWindowTest::position()
{
    return control<QSlider>("tbOutPre")->value();
}

void FrameWindowTest::setPosition(int value)
{
    control<QSlider>("tbOutPre")->setValue(value);
}

void FrameWindowTest::typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty()) {
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(edit, &erase);
        return;
    }
    // One event for the whole text, as a paste: no intermediate prefix gets acted on.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
}

void FrameWindowTest::leave(QLineEdit* edit)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

void FrameWindowTest::pressEnter(QLineEdit* edit)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
}

QString FrameWindowTest::writeAnimation(const QString& name, const QList<QImage>& monoFrames, int colorCode)
{
    const QString path = QDir(folderPath()).filePath(name);
    vantrel::TAnimFile file;
    file.SetFileName(path);
    file.setColorCode(colorCode);
    EXPECT_EQ(file.SaveFile(monoFrames), 0) << path.toStdString();
    return path;
}
