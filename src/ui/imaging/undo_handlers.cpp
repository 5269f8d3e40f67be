#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

#include <QMenu>

void TForm1::ExeUndo()
{
    Frames.undo(UndoStack);
    // Also with nothing undone: the bar's frame becomes current and is shown again.
    afterUndoOrRedo();
}

void TForm1::ExeRedo()
{
    if (Frames.redo(UndoStack))
        afterUndoOrRedo();
}

// Undoing a delete brings frames back, redoing it takes them again.
void TForm1::afterUndoOrRedo()
{
    UpdateFrameBars();
    tbOutPreOnChange();
    if (Frames.isEmpty())
        ui_->cbEffect->setCurrentIndex(0);
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}

// Redo has no button of its own: the standard keys and a menu on the undo buttons reach it,
// whenever the undo buttons could be used.
void TForm1::connectUndoHandlers()
{
    ActUndo = new QAction(catalogue_.undo, this);
    ActUndo->setObjectName(QStringLiteral("ActUndo"));
    ActUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ActRedo = new QAction(catalogue_.redo, this);
    ActRedo->setObjectName(QStringLiteral("ActRedo"));
    ActRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({ActUndo, ActRedo});
    connect(ActUndo, &QAction::triggered, this, [this] {
        if (ui_->abbUndo->isEnabled())
            ExeUndo();
    });
    connect(ActRedo, &QAction::triggered, this, [this] {
        if (ui_->abbUndo->isEnabled())
            ExeRedo();
    });
    for (QToolButton* undo : {ui_->abbUndo, ui_->abbUndo2}) {
        connect(undo, &QToolButton::clicked, this, &TForm1::ExeUndo);
        undo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(undo, &QWidget::customContextMenuRequested, this, [this, undo](QPoint at) {
            ActUndo->setEnabled(UndoStack.count() > 0);
            ActRedo->setEnabled(UndoStack.redoCount() > 0);
            QMenu menu(this);
            menu.addActions({ActUndo, ActRedo});
            menu.exec(undo->mapToGlobal(at));
            ActUndo->setEnabled(true);
            ActRedo->setEnabled(true);
        });
    }
}
