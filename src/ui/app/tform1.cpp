#include "ui/app/tform1.h"

#include "core/app/ini_profile.h"
#include "core/app/view_sizing.h"
#include "core/imaging/color_ref.h"
#include "ui/app/button_icons.h"
#include "ui/app/tform1_controls.h"

#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QLockFile>

namespace {

constexpr int ClientWidth = 672;
constexpr int ClientHeight = 573;
constexpr int StatusPanelWidth = 200;
constexpr int PlaybackIntervalMs = 100;

// The project installs IPA P Gothic; elsewhere the system's default face stands in.
QFont interfaceFont(const QFont& fallback)
{
    const QString family = QStringLiteral("IPAPGothic");
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : fallback;
    font.setPixelSize(12);
    return font;
}

void fillBackground(QWidget* widget, vantrel::ColorRef colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(vantrel::toQRgb(colour)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

TForm1::TForm1(const vantrel::AppPaths& paths, std::unique_ptr<UserDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::TForm1>()), dialogs_(std::move(dialogs)), paths_(paths)
{
    ui_->setupUi(this);
    setFont(interfaceFont(font()));
    setFixedSize(ClientWidth, ClientHeight);
    createStatusPanels();
    createTimersAndActions();
    applyButtonIcons(*this);
    collectControlGroups();
    // The animation file context, the undo stack, the frame store and the input list are
    // members, so nothing here creates them.

    settings_ = vantrel::readSettings(vantrel::IniProfile::fromFile(vantrel::settingsFileToRead(paths_)),
                                      paths_.programFolder, paths_.pictureFolder);
    applyWindowSettings();
    ViewWidth = vantrel::inclusiveExtent(settings_.viewRect[0], settings_.viewRect[2]);
    ViewHeight = vantrel::inclusiveExtent(settings_.viewRect[1], settings_.viewRect[3]);
    StartArea = vantrel::initialCutArea(ViewWidth, ViewHeight, vantrel::TCutArea::StartKind);
    EndArea = vantrel::initialCutArea(ViewWidth, ViewHeight, vantrel::TCutArea::EndKind);
    FontRect = vantrel::initialCutArea(ViewWidth, ViewHeight, vantrel::TCutArea::FontKind);

    frmMainOnCreate();
    // Handlers are connected last: nothing set up above is a user's change.
    connectHandlers();
    Frames.setChangeListener([this] { keepRecoveryCopy(); });
}

TForm1::~TForm1()
{
    ui_->FrmNo->removeEventFilter(this);
    ui_->MkFrm->removeEventFilter(this);
    ui_->FontSize->removeEventFilter(this);
    ui_->LeadFont->removeEventFilter(this);
    ui_->OutPreFrm->removeEventFilter(this);
    for (QWidget* view : std::initializer_list<QWidget*>{ui_->LeadIn, ui_->LeadColor, ui_->LeadMono})
        view->removeEventFilter(this);
}

void TForm1::applyWindowSettings()
{
    move(settings_.left, settings_.top);
    setWindowTitle(settings_.caption);
    setWindowState(settings_.initMax ? (windowState() | Qt::WindowMaximized)
                                     : (windowState() & ~Qt::WindowMaximized));
}

void TForm1::frmMainOnCreate()
{
    LoadMessages();
    fillFontList();

    ui_->cbFColor->setCurrentIndex(0);
    ui_->cbFontB->setCurrentIndex(3);
    ui_->cbFEffect->setCurrentIndex(0);
    ui_->cbScale->setCurrentIndex(2);
    areaZoomPercent_ = inputZoomPercent();
    ui_->cbCutK->setCurrentIndex(0);
    ui_->cbEffect->setCurrentIndex(0);
    ui_->cbDither->setCurrentIndex(0);
    FontRect.Left = 0;
    FontRect.Top = 0;
    FontRect.Right = 15;
    FontRect.Bottom = 15;
    PanelColorCode = 63;
    ui_->PageControl1->setCurrentWidget(ui_->TabSheet1);
    // The input view's rectangle pen is set up with the cut areas.

    ui_->udGetFrm->setBuddy(ui_->MkFrm);
    ui_->udGetFrm->setRange(1, vantrel::MaxFrames);
    ui_->udGetFrm->setPosition(30);
    ui_->udFont->setBuddy(ui_->FontSize);
    ui_->udFont->setRange(10, 36);
    ui_->udFont->setPosition(10);

    BuildPanelImage();
    ColorCodeLock = false;
    applyPanelColours();
    sizeFrameViews();
    ShowAreaStatus(StartArea);
    ShowAreaStatus(EndArea);
    ShowAreaStatus(FontRect);
    ui_->cbFontB->hide();
    ui_->Label18->hide();

    disableMask_.fill(0);
    using enum vantrel::ControlReason;
    for (vantrel::ControlReason reason : {InputListChanged, InputPlayback, FramesToCreate, StoreChanged,
                                          OutputPlayback, PanelPlayback, EffectChanged})
        UpdateControlState(reason);
}

void TForm1::applyPanelColours()
{
    fillBackground(ui_->LeadIn, 0x4B4C4D);
    fillBackground(ui_->PanelIn, 0x4B4C4D);
    fillBackground(ui_->Panel3, 0xD0AE98);
    fillBackground(ui_->Panel25, 0xD0AE98);
    fillBackground(ui_->Panel9, 0x404040);
    setTextColour(ui_->Panel9, Qt::yellow);
    for (QLabel* title :
         {ui_->Panel6, ui_->Panel14, ui_->Panel15, ui_->Panel16, ui_->Panel17, ui_->Panel18, ui_->Panel19,
          ui_->Panel21, ui_->Panel28, ui_->Panel29, ui_->Panel30, ui_->Panel32, ui_->Panel33}) {
        fillBackground(title, 0xA5795C);
        setTextColour(title, Qt::white);
    }
}

void TForm1::sizeFrameViews()
{
    // A blank of the view's own size shows what a resized blank of the panel's view size would.
    const QColor buttonFace = palette().color(QPalette::Button);
    auto place = [&](BitmapView* view, QSize box) {
        const QRect rect = vantrel::frameViewRect(box, ViewWidth, ViewHeight);
        view->setGeometry(rect);
        QImage blank(rect.size(), QImage::Format_RGB888);
        blank.fill(buttonFace);
        view->setImage(std::move(blank));
    };
    for (BitmapView* view : {ui_->LeadMono, ui_->LeadColor, ui_->LeadEfColor, ui_->LeadEfMono})
        place(view, ui_->Panel12->size());
    place(ui_->LeadFont, ui_->Panel24->size());
}

void TForm1::ShowAreaStatus(const vantrel::TCutArea& area)
{
    const auto [sx, sy] = textPreviewScale();
    statusPanels_[static_cast<std::size_t>(vantrel::areaStatusPanel(area))]->setText(
        vantrel::areaStatusText(area, sx, sy));
}

void TForm1::createStatusPanels()
{
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(ui_->StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(StatusPanelWidth);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        ui_->StatusBar1->addWidget(panel);
        statusPanels_[i] = panel;
    }
}

void TForm1::createTimersAndActions()
{
    for (QTimer* timer : {&TimerIn, &TimerOutPre, &TimerP})
        timer->setInterval(PlaybackIntervalMs);
    TimerIn.setObjectName(QStringLiteral("TimerIn"));
    TimerOutPre.setObjectName(QStringLiteral("TimerOutPre"));
    TimerP.setObjectName(QStringLiteral("TimerP"));

    auto action = [this](const char* name, const char* text, QKeyCombination keys) {
        auto* created = new QAction(QLatin1String(text), this);
        created->setObjectName(QLatin1String(name));
        created->setShortcut(QKeySequence(keys));
        addAction(created);
        return created;
    };
    ActStart = action("ActStart", "Start", Qt::CTRL | Qt::Key_W);
    ActStop = action("ActStop", "Stop", Qt::CTRL | Qt::Key_Q);
    ActPause = action("ActPause", "Pause", Qt::CTRL | Qt::Key_E);
    ActRepeat = action("ActRepeat", "Repeat", Qt::CTRL | Qt::Key_R);
    ActNext = action("ActNext", "ActNext", Qt::CTRL | Qt::Key_S);
    ActBack = action("ActBack", "ActBack", Qt::CTRL | Qt::Key_A);
}

void TForm1::connectHandlers()
{
    connectPlayerHandlers();
    connectEffectHandlers();
    connectTextHandlers();
    connectPanelHandlers();
    connectHelpHandlers();
    connectExportHandlers();
    connect(ui_->abbEnd, &QToolButton::clicked, this, &TForm1::abbEndClick);
    connect(ui_->PageControl1, &QTabWidget::currentChanged, this, &TForm1::pcChange);
    ui_->FrmNo->installEventFilter(this);
    ui_->MkFrm->installEventFilter(this);
    ui_->OutPreFrm->installEventFilter(this);

    connect(ui_->tbOutPre, &QSlider::valueChanged, this, &TForm1::tbOutPreOnChange);
    connect(ui_->OutPreFrm, &QLineEdit::textEdited, this, &TForm1::OutPreFrmOnChange);
    // Enter settles a frame number as leaving the edit does.
    connect(ui_->OutPreFrm, &QLineEdit::returnPressed, this, &TForm1::OutPreFrmExit);
    connect(ui_->abbOutPreBack, &QToolButton::clicked, this, &TForm1::abbOutPreBackClick);
    connect(ui_->abbOutPreNext, &QToolButton::clicked, this, &TForm1::abbOutPreNextClick);
    connect(ui_->abbOutPreDel, &QToolButton::clicked, this, &TForm1::abbOutPreDelClick);
    connect(ui_->abbOutPreClr, &QToolButton::clicked, this, &TForm1::abbOutPreClrClick);
    connectUndoHandlers();
    connectDropHandlers();
    connect(ui_->abbFLoad, &QToolButton::clicked, this, &TForm1::abbFLoadClick);
    connect(ui_->abbFSave, &QToolButton::clicked, this, &TForm1::abbFSaveClick);

    for (QSlider* bar : {ui_->tbRed, ui_->tbGreen, ui_->tbBlue})
        connect(bar, &QSlider::valueChanged, this, &TForm1::tbColorOnChange);
    connect(ui_->cbDither, &QComboBox::currentIndexChanged, this, &TForm1::cbDitherOnChange);

    connect(ui_->abbInPic, &QToolButton::clicked, this, &TForm1::abbIPClick);
    connect(ui_->abbDelPic, &QToolButton::clicked, this, &TForm1::abbDelPicClick);
    connect(ui_->abbInClr, &QToolButton::clicked, this, &TForm1::abbInClrClick);
    connect(ui_->tbInFrame, &QSlider::valueChanged, this, &TForm1::tbInFrameOnChange);
    connect(ui_->FrmNo, &QLineEdit::textEdited, this, &TForm1::frmNoOnChange);
    connect(ui_->FrmNo, &QLineEdit::returnPressed, this, &TForm1::frmNoExit);
    connect(ui_->cbScale, &QComboBox::currentIndexChanged, this, &TForm1::cbScaleOnChange);

    connect(ui_->abbCutS, &QToolButton::clicked, this, &TForm1::abbCutSClick);
    connect(ui_->abbCutE, &QToolButton::clicked, this, &TForm1::abbCutEClick);
    connectCutScalingMenu();
    connect(ui_->LeadIn, &InputView::mousePressed, this, &TForm1::LeadInOnMDown);
    connect(ui_->LeadIn, &InputView::mouseMoved, this, &TForm1::LeadInOnMMove);
    connect(ui_->LeadIn, &InputView::mouseReleased, this, &TForm1::LeadInOnMUp);
    connect(ui_->ckLink, &QCheckBox::clicked, this, &TForm1::ckLinkClick);
    connect(ui_->abbAreaResize, &QToolButton::clicked, this, &TForm1::abbAreaResizeClick);

    connect(ui_->abbExecute, &QToolButton::clicked, this, &TForm1::abbExecuteClick);
    connect(ui_->MkFrm, &QLineEdit::textEdited, this, &TForm1::MkFrmChange);
    connect(ui_->udGetFrm, &UpDown::stepped, this,
            [this] { UpdateControlState(vantrel::ControlReason::FramesToCreate); });
}
