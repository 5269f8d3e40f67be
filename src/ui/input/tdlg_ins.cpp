#include "ui/input/tdlg_ins.h"

#include "ui_tdlg_ins.h"

// Title only: the buttons answer, Escape cancels. CustomizeWindowHint keeps Qt from adding the
// system menu and the close button with it.
TdlgIns::TdlgIns(int frameCount, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TdlgIns>())
{
    ui_->setupUi(this);
    setFixedSize(234, 128);
    ui_->Label2->setText(QString::number(frameCount) + QStringLiteral("Frames"));
    connect(ui_->Button1, &QPushButton::clicked, this, &TdlgIns::btnOKClick);
    connect(ui_->Button2, &QPushButton::clicked, this, &TdlgIns::btnCanClick);
}

TdlgIns::~TdlgIns() = default;

void TdlgIns::SetText(int index, const QString& text)
{
    switch (index) {
    case 0:
        setWindowTitle(text);
        break;
    case 1:
        ui_->RadioGroup1->setTitle(text);
        break;
    case 2:
        ui_->rbPos1->setText(text);
        break;
    case 3:
        ui_->rbPos2->setText(text);
        break;
    default:
        break;
    }
}

void TdlgIns::SetCountText(const QString& text)
{
    ui_->Label2->setText(text);
}

void TdlgIns::btnOKClick()
{
    insertPos_ = ui_->rbPos1->isChecked() ? vantrel::InsertBefore : vantrel::InsertAfter;
    done(insertPos_);
}

void TdlgIns::btnCanClick()
{
    insertPos_ = vantrel::InsertCancelled;
    done(insertPos_);
}

void TdlgIns::reject()
{
    // Escape and the close button answer as the hidden cancel button would.
    btnCanClick();
}
