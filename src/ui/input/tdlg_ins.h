#pragma once

#include "core/input/insert_position.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TdlgIns;
}

// Asks where loaded frames go, before or after the current frame; cancelled with the window's
// close button too.
class TdlgIns : public QDialog
{
    Q_OBJECT
public:
    explicit TdlgIns(int frameCount, QWidget* parent = nullptr);
    ~TdlgIns() override;

    // 0 the caption, 1 the group's title, 2 and 3 the two choices; other indexes are ignored.
    void SetText(int index, const QString& text);
    // The count's label in the catalogue's wording, in place of the number and "Frames".
    void SetCountText(const QString& text);
    vantrel::InsertPosition InsertPos() const { return insertPos_; }

    void btnOKClick();
    void btnCanClick();

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::TdlgIns> ui_;
    vantrel::InsertPosition insertPos_ = vantrel::InsertCancelled;
};
