#include "ui/app/tform1.h"

#include "core/files/anim_export.h"
#include "core/files/anim_kind.h"
#include "ui/app/tform1_controls.h"

#include <QFileInfo>
#include <QMenu>

namespace {

// Errors items of the error box.
constexpr int PictureNotProcessedText = 0;
constexpr int NotWrittenText = 5;

} // namespace

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
    request.filter = QStringLiteral("GIF (*.gif);;APNG (*.apng);;PNG (*.png)");
    request.defaultSuffix = QStringLiteral("gif");
    QString path = dialogs_->saveFile(this, request);
    if (path.isEmpty())
        return;
    path = vantrel::withDefaultExtension(path, request.defaultSuffix);
    settings_.dirImg = QFileInfo(path).absolutePath();

    vantrel::ExportOptions options;
    options.dots = true;
    options.colorCode = PanelColorCode;
    options.levels = settings_.levels;
    QString reason;
    const int result = vantrel::exportAnimationFile(Frames.monoFrames(), path, options, &reason);
    if (result == vantrel::ExportWriteFailed)
        ShowError(NotWrittenText, reason);
    else if (result != vantrel::ExportOk)
        ShowError(PictureNotProcessedText, reason);
}
