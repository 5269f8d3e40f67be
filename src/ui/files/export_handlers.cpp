#include "ui/app/tform1.h"

#include "core/files/anim_export.h"
#include "core/files/anim_kind.h"
#include "ui/app/tform1_controls.h"
#include "ui/files/export_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

void TForm1::connectExportHandlers()
{
    for (QWidget* view : {static_cast<QWidget*>(ui_->LeadColor), static_cast<QWidget*>(ui_->LeadMono)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](QPoint at) { showExportMenu(view, at); });
    }
}

// No menu at all while there is nothing to export.
void TForm1::showExportMenu(QWidget* view, QPoint at)
{
    if (Frames.isEmpty())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(catalogue_.exportAnimation, this, &TForm1::exportAnimationClick);
    menu->popup(view->mapToGlobal(at));
}

void TForm1::exportAnimationClick()
{
    if (Frames.isEmpty())
        return;
    FileDialogRequest request;
    request.texts.title = catalogue_.exportAnimation;
    request.folder = settings_.dirImg;
    request.filter = QStringLiteral("GIF (*.gif);;APNG (*.apng);;MP4 (*.mp4);;WebM (*.webm);;PNG (*.png)");
    request.defaultSuffix = QStringLiteral("gif");
    QString path = dialogs_->saveFile(this, request);
    if (path.isEmpty())
        return;
    path = vantrel::withDefaultExtension(path, request.defaultSuffix);
    settings_.dirImg = QFileInfo(path).absolutePath();

    ExportDialog dialog(settings_.exportChoices,
                        {catalogue_.exportAnimation, catalogue_.exportScale, catalogue_.exportDots,
                         catalogue_.exportFaceplate, catalogue_.exportOk, catalogue_.fileCancel},
                        this);
    if (dialogs_->execExportDialog(dialog) != QDialog::Accepted)
        return;
    settings_.exportChoices = dialog.choices();

    QString reason;
    const int result = vantrel::exportAnimationFile(Frames.monoFrames(), path,
                                                    exportOptions(settings_.exportChoices), &reason);
    if (result != vantrel::ExportOk)
        ShowError(vantrel::exportErrorItem(result), reason);
}

// The store's look, in the registered panel's dots, backlight and faceplate.
vantrel::ExportOptions TForm1::exportOptions(const vantrel::ExportChoices& choices) const
{
    vantrel::ExportOptions options;
    options.scale = choices.scale;
    options.dots = choices.dots;
    options.dotGeometry = {settings_.pixelWidth, settings_.pixelHeight, settings_.pixelSpace};
    options.colorCode = PanelColorCode;
    options.levels = settings_.levels;
    if (choices.faceplate) {
        vantrel::PanelDescription panel;
        static_cast<vantrel::PanelModel&>(panel) = settings_;
        panel.levels = settings_.levels;
        options.panel = panel;
        options.panelPicture = QDir(settings_.dirPanelIn).filePath(settings_.panelFile);
    }
    return options;
}
