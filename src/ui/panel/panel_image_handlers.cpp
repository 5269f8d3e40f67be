#include "ui/app/tform1.h"

#include "core/app/view_sizing.h"
#include "core/panel/faceplate.h"
#include "core/panel/panel_description.h"
#include "ui/app/tform1_controls.h"
#include "ui/files/anim_dialog_filter.h"

#include <QDir>
#include <QFileInfo>

void TForm1::abbSelPanelClick()
{
    FileDialogRequest request;
    request.folder = settings_.dirPanelIn;
    request.filter = qtFileFilter(catalogue_.fileTexts[3] + QStringLiteral("(*.pnl)|*.pnl"));
    request.defaultSuffix = QStringLiteral("pnl");
    const QString path = dialogs_->openFile(this, request);
    if (path.isEmpty())
        return;
    // The folder is remembered even when the file is refused.
    settings_.dirPanelIn = QFileInfo(path).absolutePath();

    vantrel::PanelDescription description;
    if (const vantrel::PanelResult result = vantrel::readPanelDescriptionFile(path, description);
        result != vantrel::PanelOk) {
        ShowError(vantrel::panelErrorItem(result));
        return;
    }
    vantrel::applyPanelDescription(description, settings_);
    ViewWidth = vantrel::inclusiveExtent(settings_.viewRect[0], settings_.viewRect[2]);
    ViewHeight = vantrel::inclusiveExtent(settings_.viewRect[1], settings_.viewRect[3]);
    sizeFrameViews();
    BuildPanelImage();
    // The frame views took blanks of the new shape; the current frame goes back into them.
    if (!Frames.isEmpty())
        tbOutPreOnChange();
}

void TForm1::BuildPanelImage()
{
    const QString path = QDir(settings_.dirPanelIn).filePath(settings_.panelFile);
    vantrel::Faceplate face;
    if (!vantrel::buildFaceplate(path, settings_.infoRect, settings_.viewRect, ui_->Panel9->size(), face)) {
        ui_->Panel9->setText(
            vantrel::errorItemText(catalogue_.errorTexts, vantrel::ErrorItem::PanelPictureMissing));
        for (QWidget* part : {static_cast<QWidget*>(ui_->imgPanel), static_cast<QWidget*>(ui_->LeadInfo),
                              static_cast<QWidget*>(ui_->LeadImage)})
            part->hide();
        return;
    }
    ui_->Panel9->clear();
    ui_->imgPanel->setPixmap(QPixmap::fromImage(face.picture));
    ui_->imgPanel->setGeometry(QRect(face.origin, face.picture.size()));
    ui_->LeadInfo->setGeometry(face.infoGeometry);
    ui_->LeadInfo->setImage(std::move(face.info));
    ui_->LeadImage->setGeometry(face.viewGeometry);
    QImage blank(face.viewGeometry.size(), QImage::Format_RGB888);
    blank.fill(palette().color(QPalette::Button));
    ui_->LeadImage->setImage(std::move(blank));
    ui_->imgPanel->show();
    ui_->LeadInfo->show();
    ui_->LeadImage->show();
}
