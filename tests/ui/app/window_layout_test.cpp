#include "ui/support/window_test.h"

#include "ui/app/up_down.h"
#include "ui/frames/bitmap_view.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class WindowLayout : public WindowTest
{
protected:
    void SetUp() override { useCatalogue(japaneseCatalogue()); }
};

const char* const DownButtons[] = {"abbInFramePlay", "abbInFramePause", "abbCutS",      "abbCutE",
                                   "abbOutPrePlay",  "abbOutPrePause",  "abbOutPreRep", "abbPPlay",
                                   "abbPPause",      "abbPRep"};

bool isTabPage(const QWidget* widget)
{
    const QWidget* stack = widget->parentWidget();
    return stack && qobject_cast<const QTabWidget*>(stack->parentWidget());
}

// Widgets the user can see once their page is shown.
bool shownWithItsPage(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget()) {
        if (w->isHidden() && !isTabPage(w))
            return false;
    }
    return true;
}

int comboWidthNeeded(const QComboBox* combo)
{
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, 16), combo).width();
}

// Every text shows whole, and no two sibling controls cover each other.
void expectTidyLayout(TForm1& form)
{
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (!shownWithItsPage(widget, &form))
            continue;
        const std::string name = widget->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && !label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
                << name;
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            EXPECT_LE(check->sizeHint().width(), check->width()) << name;
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            EXPECT_LE(comboWidthNeeded(combo), combo->width()) << name;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_LE(edit->fontMetrics().horizontalAdvance(QStringLiteral("999")) + 8, edit->width())
                << name;
        }

        if (qobject_cast<QTabWidget*>(widget) || widget->inherits("QStackedWidget") ||
            widget->inherits("QTabBar") || widget->inherits("QStatusBar"))
            continue;
        const QRect inside = widget->rect();
        QList<QWidget*> children;
        for (QObject* child : widget->children()) {
            auto* childWidget = qobject_cast<QWidget*>(child);
            if (childWidget && !childWidget->isWindow() && !childWidget->isHidden() &&
                !childWidget->objectName().isEmpty() &&
                !childWidget->objectName().startsWith(QLatin1String("qt_")))
                children << childWidget;
        }
        for (int i = 0; i < children.size(); ++i) {
            if (!children[i]->geometry().isEmpty()) {
                EXPECT_TRUE(inside.contains(children[i]->geometry()))
                    << children[i]->objectName().toStdString();
            }
            for (int j = i + 1; j < children.size(); ++j) {
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " / "
                    << children[j]->objectName().toStdString();
            }
        }
    }
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    EXPECT_LE(pages->tabBar()->sizeHint().width(), pages->width());
    for (QLabel* panel : form.statusBar()->findChildren<QLabel*>())
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()), panel->contentsRect().width());
}

} // namespace

TEST_F(WindowLayout, FixedClientAreaAndThreeStatusPanels)
{
    TForm1& form = open();
    EXPECT_EQ(form.size(), QSize(672, 573));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const QList<QLabel*> panels = form.statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 3);
    for (QLabel* panel : panels)
        EXPECT_EQ(panel->width(), 200);
}

TEST_F(WindowLayout, TextsFitWithEitherCatalogue)
{
    for (const QString& shipped : {japaneseCatalogue(), englishCatalogue()}) {
        SCOPED_TRACE(shipped.toStdString());
        useCatalogue(shipped);
        TForm1& form = open();
        form.show();
        // The decorated-text colour list is shown for outline and shadow.
        control<QWidget>("cbFontB")->show();
        control<QWidget>("Label18")->show();
        control<QWidget>("tbEffect")->show();
        expectTidyLayout(form);
    }
}

TEST_F(WindowLayout, ButtonsThatStayDown)
{
    open();
    QStringList down;
    for (QToolButton* button : window().findChildren<QToolButton*>()) {
        if (button->objectName().startsWith(QLatin1String("abb")) ||
            button->objectName().startsWith(QLatin1String("sb"))) {
            EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
            if (button->isCheckable())
                down << button->objectName();
        }
    }
    QStringList expected;
    for (const char* name : DownButtons)
        expected << QLatin1String(name);
    down.sort();
    expected.sort();
    EXPECT_EQ(down, expected);
}

TEST_F(WindowLayout, NumberControlsStartAsTheirPartnersSay)
{
    open();
    for (const char* name : {"tbRed", "tbGreen", "tbBlue"}) {
        EXPECT_EQ(control<QSlider>(name)->maximum(), 3) << name;
        EXPECT_EQ(control<QSlider>(name)->value(), 3) << name;
    }
    EXPECT_EQ(window().panelColorCode(), 63);
    EXPECT_EQ(control<UpDown>("udGetFrm")->maximum(), 90);
    EXPECT_EQ(control<QLineEdit>("MkFrm")->text(), QStringLiteral("30"));
    EXPECT_EQ(control<UpDown>("udFont")->minimum(), 10);
    EXPECT_EQ(control<QLineEdit>("FontSize")->text(), QStringLiteral("10"));
    EXPECT_EQ(control<QComboBox>("cbFontB")->currentIndex(), 3);
    EXPECT_EQ(control<QComboBox>("cbScale")->currentIndex(), 2);
    for (const char* name : {"cbFontB", "Label18", "sbDesideEf"})
        EXPECT_TRUE(control<QWidget>(name)->isHidden()) << name;
}

TEST_F(WindowLayout, FrameViewsShareOneShapeAndStartBlank)
{
    open();
    const QSize shape = control<QWidget>("LeadColor")->size();
    EXPECT_NEAR(double(shape.width()) / shape.height(), 203.0 / 55.0, 0.05);
    for (const char* name : {"LeadColor", "LeadMono", "LeadEfColor", "LeadEfMono"}) {
        auto* view = control<BitmapView>(name);
        EXPECT_EQ(view->size(), shape) << name;
        EXPECT_EQ(view->image().size(), shape) << name;
        EXPECT_TRUE(view->parentWidget()->rect().contains(view->geometry())) << name;
    }
    // Views are out of the keyboard's tab order.
    for (BitmapView* view : window().findChildren<BitmapView*>())
        EXPECT_EQ(view->focusPolicy(), Qt::NoFocus) << view->objectName().toStdString();
    auto* preview = control<BitmapView>("LeadFont");
    EXPECT_NEAR(double(preview->width()) / preview->height(), 203.0 / 55.0, 0.05);
}

TEST_F(WindowLayout, StatusShowsTheThreeAreas)
{
    open();
    EXPECT_EQ(control<QLabel>("StatusPanel0")->text(), QStringLiteral("Start 1:(0,0)-(202,54)"));
    EXPECT_EQ(control<QLabel>("StatusPanel1")->text(), QStringLiteral("End 1:(0,0)-(202,54)"));
    // (0, 0, 15, 15) on the text preview, in frame pixels.
    EXPECT_EQ(control<QLabel>("StatusPanel2")->text(), QStringLiteral("Font :(0,0)-(8,10)"));
}

TEST_F(WindowLayout, TimersAndKeyboardActions)
{
    open();
    for (const char* name : {"TimerIn", "TimerOutPre", "TimerP"}) {
        auto* timer = control<QTimer>(name);
        EXPECT_EQ(timer->interval(), 100) << name;
        EXPECT_FALSE(timer->isActive()) << name;
    }
    const std::pair<const char*, QKeyCombination> actions[] = {
        {"ActStart", Qt::CTRL | Qt::Key_W}, {"ActStop", Qt::CTRL | Qt::Key_Q},
        {"ActPause", Qt::CTRL | Qt::Key_E}, {"ActRepeat", Qt::CTRL | Qt::Key_R},
        {"ActNext", Qt::CTRL | Qt::Key_S},  {"ActBack", Qt::CTRL | Qt::Key_A}};
    for (const auto& [name, keys] : actions)
        EXPECT_EQ(control<QAction>(name)->shortcut(), QKeySequence(keys)) << name;
}

TEST_F(WindowLayout, InterfaceFontIsTwelvePixelGothicWhenInstalled)
{
    TForm1& form = open();
    EXPECT_EQ(form.font().pixelSize(), 12);
    if (QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))) {
        EXPECT_EQ(QFontInfo(form.font()).family(), QStringLiteral("IPAPGothic"));
    }
}
