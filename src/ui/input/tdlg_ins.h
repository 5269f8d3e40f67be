#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TdlgIns;
}

// Asks where loaded frames go: before (1) or after (2, preselected) the current frame; 0 when
// cancelled, the window's close button included.
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
    int InsertPos() const { return insertPos_; }

    void btnOKClick();
    void btnCanClick();

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::TdlgIns> ui_;
    int insertPos_ = 0;
};
