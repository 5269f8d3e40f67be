#pragma once

#include "core/app/app_paths.h"
#include "core/app/app_settings.h"
#include "core/app/catalogue.h"
#include "core/app/control_state.h"
#include "core/app/error_text.h"
#include "core/files/anim_export.h"
#include "core/files/anim_file.h"
#include "core/files/recovery_writer.h"
#include "core/frames/frame_store.h"
#include "core/imaging/undo_stack.h"
#include "core/input/cut_geometry.h"
#include "core/input/input_frame_list.h"
#include "core/input/insert_position.h"
#include "core/text/text_render.h"
#include "core/text/text_style.h"
#include "ui/app/user_dialogs.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class BitmapView;
class QAction;
class QLabel;
class QLockFile;
class QPainter;
class QRect;
class QToolButton;

namespace Ui {
class TForm1;
}

// The application's one window and composition root: it owns every control and all state, and
// each subsystem's handlers live in that subsystem's folder under src/ui.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    TForm1(const vantrel::AppPaths& paths, std::unique_ptr<UserDialogs> dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The one place where controls are enabled and disabled.
    void UpdateControlState(vantrel::ControlReason reason);
    // The one error box of file and picture operations; the system's reason, when there is
    // one, goes on a second line. Items 8 and 9 have boxes of their own and show here as
    // their numbers.
    void ShowError(vantrel::ErrorItem item, const QString& reason = QString());
    // The same for a bare result code: item 0 for a negative code, the number above item 7.
    void ShowError(int code, const QString& reason = QString());

    // Offers back the frames of a window that stopped without a confirmed exit, then starts
    // keeping this window's own recovery copy; nothing without a recovery folder.
    void offerRecovery();

    // Moves the backlight bars to a stored code without changing PanelColorCode.
    void SetColorBarsFromCode(std::uint8_t code);

    // Output frames. InsertFrame adds the picture with the overlay added over the panel
    // rectangle and its mono conversion, and makes the new frame the stores' selection.
    bool InsertFrame(const QImage& picture, const QImage& overlay, int index);
    // Range and tick marks of both frame bars after the frame count changed.
    void UpdateFrameBars();
    // The frame display: shows the frame at the position of tbOutPre.
    void tbOutPreOnChange();
    void ExeUndo();
    void ExeRedo();
    // Ticks of the input and output players, public so that tests run them one at a time.
    void timerInOnTimer();
    void OutPreOnTimer();
    // The stores themselves, for the subsystems that change frames in place.
    vantrel::FrameStore& frameStore() { return Frames; }
    const vantrel::TCutArea& startArea() const { return StartArea; }
    const vantrel::TCutArea& endArea() const { return EndArea; }
    const vantrel::TCutArea& fontRect() const { return FontRect; }
    vantrel::UndoStack& undoStack() { return UndoStack; }

    // One entry of the font list, in its own face when that face can show the name; selected
    // entries white on navy.
    static void lbFontOnDrawItem(QPainter& painter, const QRect& rect, const QString& fontName,
                                 const QFont& listFont, bool selected);

    std::uint8_t panelColorCode() const { return PanelColorCode; }
    const vantrel::AppSettings& settings() const { return settings_; }
    QSize viewSize() const { return {ViewWidth, ViewHeight}; }
    const vantrel::DisableMask& disableMask() const { return disableMask_; }
    const vantrel::Catalogue& catalogue() const { return catalogue_; }
    const FileDialogTexts& pictureDialogTexts() const { return pictureDialogTexts_; }
    // The input view's zoom from the display size list; 100 for an item that is no percentage.
    int inputZoomPercent() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up
    void applyWindowSettings();
    void frmMainOnCreate();
    void LoadMessages();
    void setCaption(const QString& controlName, const QString& text);
    void fillFontList();
    void applyPanelColours();
    void sizeFrameViews();
    void ShowAreaStatus(const vantrel::TCutArea& area);
    void createStatusPanels();
    void createTimersAndActions();
    void collectControlGroups();
    void connectHandlers();

    // Control state
    vantrel::ControlStateInputs controlStateInputs() const;
    void applyControlState();
    void showEffectStrengthBar();
    int inputFrameCount() const;
    int outputFrameCount() const;

    // Help and web pages
    void connectHelpHandlers();
    void abbHelpClick();
    void abbHPAccessClick();
    void abbGetPImageClick();

    // Shell handlers
    void abbEndClick();
    void pcChange(int index);
    void keepRecoveryCopy();
    void dropRecoveryCopy();
    bool restoreOrDiscard(const QString& copyPath);
    void restoreFrames(const vantrel::RecoveryContents& contents);
    bool Form1CloseQuery();
    void Form1Close();
    void frmNoExit();

    // Output frame handlers
    void OutPreFrmOnChange(const QString& text);
    void OutPreFrmExit();
    void abbOutPreBackClick();
    void abbOutPreNextClick();
    void abbOutPreDelClick();
    void abbOutPreClrClick();
    void releaseCutButton();
    void showMonoFrame(int index);
    void showFramePosition(int position);
    // The frame shown on tbOutPre, 0-based: "the current frame" of every insertion.
    int currentFrameIndex() const;

    // Input frames
    // The insert-position question for that many frames.
    vantrel::InsertPosition askInsertPosition(int frameCount);
    void abbIPClick();
    void addInputFile(const QString& path);
    void abbDelPicClick();
    void abbInClrClick();
    void tbInFrameOnChange();
    void frmNoOnChange();
    void cbScaleOnChange();
    void SetInputFrameCount(int n);
    void GoToInputFrame(int position);
    void ShowInputFrame();
    void areaFramesAtMost(int frameNo);

    // Cut areas
    void abbCutSClick();
    void abbCutEClick();
    void cutButtonClick(vantrel::TCutArea& area, QToolButton* button, vantrel::TCutArea& other,
                        QToolButton* otherButton);
    void LeadInOnMDown(int x, int y);
    void LeadInOnMMove(int x, int y);
    void LeadInOnMUp();
    void ckLinkClick();
    void abbAreaResizeClick();
    void DrawArea(const vantrel::TCutArea& area);
    void ClampArea(vantrel::TCutArea& area);
    void ScrollToArea(vantrel::TCutArea& area);
    void PreviewArea(const vantrel::TCutArea& area);
    void showArea(vantrel::TCutArea& area);
    // The area being edited: the start area when both are shown; null with none.
    vantrel::TCutArea* shownArea();
    vantrel::MarkedRegion& markedRegion(const vantrel::TCutArea& area);
    void connectCutScalingMenu();
    vantrel::CutScaling cutScaling() const;

    // Undo
    void afterUndoOrRedo();

    // Generation
    void abbExecuteClick();
    void MkFrmChange(const QString& text);
    void MkFrmExit();
    int generate(int insertIndex);

    // Panel image and preview: registration, the faceplate view and its player
    void connectPanelHandlers();
    void abbSelPanelClick();
    void BuildPanelImage();
    void tbPanelChange();
    void showPanelFrame();
    void abbPPlayClick();
    void abbPPauseClick();
    void abbPStopClick();
    void PanelOnTimer();
    bool onPanelPage() const;
    void exeActStart();
    void exeActPause();
    void exeActRep();
    void exeActNext();
    void exeActBack();

    // Load and save
    void abbFLoadClick();
    void loadAnimationFile(const QString& path);
    // Pictures and videos dropped on the input view are added, animations dropped on the
    // output views loaded; true when the event was a drag or drop there.
    bool fileDropEvent(QObject* watched, QEvent* event);
    void connectDropHandlers();
    void abbFSaveClick();
    int loadAnimation(const QString& path, int& position);
    bool confirmSaveTarget(const QString& path, int frameCount);
    void showSaveError(int code, const QList<QImage>& frames);

    // Export for sharing, from the output views' context menu while there are frames
    void connectExportHandlers();
    void showExportMenu(QWidget* view, QPoint at);
    void exportAnimationClick();
    vantrel::ExportOptions exportOptions(const vantrel::ExportChoices& choices) const;

    // Players
    void connectPlayerHandlers();
    void connectUndoHandlers();
    void abbInFramePlayClick();
    void abbInFramePauseClick();
    void abbInFrameStopClick();
    void abbInFrameTopClick();
    void abbInFrameBackClick();
    void abbInFrameNextClick();
    void abbInFrameEndClick();
    void abbOutPrePlayClick();
    void abbOutPrePauseClick();
    void abbOutPreStopClick();
    // The effect or text preview of the active page, after the frame or page changed.
    void refreshPagePreview();

    // Effects
    void connectEffectHandlers();
    void cbEffectChange();
    void EffectChange();
    void abbDesideEfAClick();
    void sbDesideEfClick();
    void applyEffectToFrame(int index);

    // Text
    void connectTextHandlers();
    vantrel::TextStyle textStyle() const;
    // Where the text goes in frame pixels, from its place on the preview.
    QPointF textFramePosition() const;
    // Frame dots per text-preview pixel, across and down.
    std::pair<float, float> textPreviewScale() const;
    void DrawFont();
    void LFontMDown(int x, int y);
    void LFontMMove(int x, int y);
    void LFontMUp();
    void textPreviewMouse(QEvent* event);
    void abbInsFClick();
    void abbInsFAClick();
    void FontSizeChange(const QString& text);
    void FontSizeExit();
    void cbFEffectChange();

    // Backlight handlers
    void tbColorOnChange();
    void cbDitherOnChange();
    void retint(BitmapView* view) const;
    std::uint8_t colourCodeFromBars() const;

    // Created first, as the window's owned objects.
    vantrel::TAnimFile AnimFile;
    vantrel::UndoStack UndoStack{10};
    vantrel::FrameStore Frames;
    vantrel::TInputFrameList InputFrames;

    std::unique_ptr<Ui::TForm1> ui_;
    std::unique_ptr<UserDialogs> dialogs_;
    vantrel::AppPaths paths_;
    // This window's recovery copy, its lock, and what the copy holds.
    std::unique_ptr<QLockFile> recoveryLock_;
    std::unique_ptr<vantrel::RecoveryWriter> recovery_;
    quint64 recoveryRevision_ = 0;
    int recoveryCode_ = -1;

    // Window placement, panel, folders, web pages and level tables, as the settings file keeps them.
    vantrel::AppSettings settings_;
    vantrel::Catalogue catalogue_;
    FileDialogTexts pictureDialogTexts_;

    int ViewWidth = 0;
    int ViewHeight = 0;
    vantrel::TCutArea StartArea;
    vantrel::TCutArea EndArea;
    // The picture regions the two areas mark, and the zoom their view pixels are at.
    vantrel::MarkedRegion startRegion_;
    vantrel::MarkedRegion endRegion_;
    int areaZoomPercent_ = 100;
    vantrel::TCutArea FontRect;
    vantrel::RenderedText placedText_; // rotated and reduced by the last DrawFont

    vantrel::DisableMask disableMask_{};
    std::array<std::vector<QWidget*>, vantrel::ControlGroupCount> groupControls_;

    std::uint8_t PanelColorCode = 63;
    bool ColorCodeLock = false;

    // Mouse drag state of the input view and the text preview.
    bool MouseDragging = false;
    int MouseLastX = 0;
    int MouseLastY = 0;
    int AreaHitZone = 0;
    float AreaAspect = 0.0f;
    int ViewCursor = 0;

    // Children of the window, so that they are found by name like every control.
    QTimer TimerIn{this};
    QTimer TimerOutPre{this};
    QTimer TimerP{this};
    bool PanelRestart = false; // TimerP's tag: the next tick starts at frame 1
    QAction* ActStart = nullptr;
    QAction* ActStop = nullptr;
    QAction* ActPause = nullptr;
    QAction* ActRepeat = nullptr;
    QAction* ActNext = nullptr;
    QAction* ActBack = nullptr;
    QAction* ActUndo = nullptr; // also in the undo buttons' menu
    QAction* ActRedo = nullptr;
    QAction* ActSmooth = nullptr; // the cut-area buttons' menu: smooth scaling of the cuts

    std::array<QLabel*, 3> statusPanels_{};
};
