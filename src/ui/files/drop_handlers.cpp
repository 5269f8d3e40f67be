#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (data) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files.append(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

bool TForm1::fileDropEvent(QObject* watched, QEvent* event)
{
    const bool input = watched == ui_->LeadIn;
    const bool output = watched == ui_->LeadColor || watched == ui_->LeadMono;
    if (!input && !output)
        return false;
    // A drop does what the add or load button would, and only when that button could be used.
    const bool usable = input ? ui_->abbInPic->isEnabled() : ui_->abbFLoad->isEnabled();
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (usable && !localFiles(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    if (event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = localFiles(drop->mimeData());
    if (!usable || files.isEmpty())
        return true;
    drop->acceptProposedAction();
    for (const QString& file : files)
        input ? addInputFile(file) : loadAnimationFile(file);
    return true;
}

void TForm1::connectDropHandlers()
{
    for (QWidget* view : std::initializer_list<QWidget*>{ui_->LeadIn, ui_->LeadColor, ui_->LeadMono}) {
        view->setAcceptDrops(true);
        view->installEventFilter(this);
    }
}
