// RecordingWindow: the window in which one recording lives, live while it records and after it
// was stopped or loaded. Geometry and painting live in plain functions; this widget holds
// the view state, the labels, the scroll bar, the menus and the 100 ms timer.
#pragma once

#include "beat_edit.h"
#include "beat_review.h"
#include "ecg_strip_layout.h"
#include "edited_beats.h"
#include "graph_host.h"
#include "graph_layout.h"
#include "graph_paint.h"
#include "journal.h"
#include "live_scale.h"
#include "recorder.h"
#include "recording.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QTimer;
class QUndoStack;

namespace trivant {

class EcgSource;
class EcgStripFeed;
class ReviewPanel;

class RecordingWindow : public QWidget, private RecordingEvents {
    Q_OBJECT
public:
    explicit RecordingWindow(GraphHost& host, QWidget* parent = nullptr);
    ~RecordingWindow() override;

    Recording& recording() { return *rec_; }
    const Recording& recording() const { return *rec_; }
    const GraphLayout& layout() const { return layout_; }
    const TimeGrid& timeGrid() const { return grid_; }
    bool recordingNow() const { return rec_->RREventEnabled; }
    const ViewState& view() const { return view_; }
    // Nothing but white is painted until a recording starts or is shown.
    bool readyForPaint() const { return readyForPaint_; }
    // The file the recording was read from or saved to, or the window's recording title.
    const std::string& currentFileName() const { return fileName_; }
    // False from the end of a recording until it is saved.
    bool saved() const { return saved_; }

    // The NN range: kAutoRange, fitted to the intervals, or a row of the table (ScRR). The
    // choice is the host's for the next window; the next paint shows it.
    static constexpr int kAutoRange = -1;
    int RRRange() const { return view_.AutoRR ? kAutoRange : rec_->ScRR; }
    void ChooseRRRange(int range);
    // The horizontal zoom level of kZoomLevels: 1, 2 or 4 pixels per beat, beats per pixel
    // column as a negative number, or kZoomWhole, which also shows the recording from beat 1;
    // the next paint shows it.
    void SetZoom(int level);
    int zoom() const { return view_.Zoom; }
    // The row of times under the beat numbers: shown or not; the panels make room for it.
    void SetTimeAxis(bool shown);
    // The first beat shown is xPos + 1; the next paint shows it.
    void SetXPos(int xPos);
    // The main window names the file it reads, or the one it wrote.
    void SetFileName(const std::string& name);
    // The main window marks a recording saved once it was written.
    void SetSaved(bool saved);

    // Starts a new recording in this (new) window, kept beat by beat in the journal at
    // journal unless that is empty.
    void StartRecording(const std::string& journal = {});
    // The user's stop: timer off, then Stop.
    void StopRecording();
    // The recording was loaded into recording() and prepared: show it from beat 1.
    void ShowLoadedRecording();
    // The journal that keeps this window's recording until it is saved or discarded; empty
    // when there is none.
    const std::string& journalPath() const { return journalPath_; }
    // A recovered recording keeps the journal it came from until it is saved or discarded.
    void AdoptJournal(const std::string& path);
    // Saved or discarded: the journal and its comment go.
    void RemoveJournal();
    // The comment's sidecar follows the recording's comment while the journal is written.
    void SetJournalComment(const std::string& text);
    // What a left click on beat s does: histogram point, histogram and read-outs.
    void ShowBeat(int s);
    // Gives the caption labels the trace colours.
    void UpdateColors();
    void Timer1Timer();
    void SBChange(int position);
    // The scene as painting sees it now.
    GraphScene scene() const;
    // Renders the window with its labels into an image of its size.
    QImage renderImage();
    // Draws the printed page of the visible part of the recording on device (a printer, a
    // PDF writer or an image).
    // False when the device could not be drawn on.
    bool MyPrint(QPaintDevice& device);

    // The ECG record the recording's beats came from, channel its channel: the strip under
    // the panels shows it around the selected beat (recording_window_ecg.cpp). A null source
    // takes the strip away; the window then looks as without one.
    void SetEcgSource(std::shared_ptr<EcgSource> source, int channel);
    // Whether the strip is shown: a source and a recording with beat samples.
    bool ecgShown() const;
    // Where the strip lies; empty when it isn't shown.
    const Rect& ecgStripArea() const { return ecgArea_; }

    // Labels under their form names, for the main window and tests.
    QLabel *L_NRR, *L_NSPO, *L_NSYM, *L_NPAR, *L_NSDNN, *L_NIB50, *L_Status;
    QLabel *L_RR, *L_SPO, *L_SYM, *L_PAR, *L_SDNN, *L_IB50;
    QLabel *L_Aver, *L_RRaver, *L_SPOaver, *L_SYMaver, *L_PARaver, *L_SDNNaver, *L_IB50aver;
    QLabel *L_NMODA, *L_NAMO, *L_NDX, *L_NNUM, *L_NTime;
    QLabel *L_Moda, *L_AMo, *L_DeltaX, *L_N, *L_Time;
    QScrollBar* SB;
    QTimer* Timer1;
    QMenu *PopM_ScaleX, *PopM_ScY1_SPO, *PopM_ScY1_RR, *PopM_ScY2_1, *PopM_ScY2_2, *PopM_Gr1,
        *PopM_Gr2;

    // The zone menu for a point, or nullptr outside every zone.
    QMenu* menuAt(const QPoint& pos) const;
    // The beat a left click at pos picks; zoomed out, in the upper panel, the beat of the
    // column whose NN lies nearest the pointer. Not checked against the recording's end.
    int columnBeatAt(const QPoint& pos) const;
    QAction* i_TimeAxis = nullptr;  // in PopM_ScaleX

    // Labels put and taken off after the fact (recording_window_labels.cpp): the items of
    // both panels' menus, for the beat under the menu's point, and their undo (Ctrl+Z).
    QAction *A_PutLabel, *A_RemoveLabel, *A_NameLabel, *A_UndoLabel, *A_RedoLabel;
    // The beat under the point the last pop-up menu opened at; 0 for none.
    int menuBeat() const { return menuBeat_; }
    // Puts (on) or takes off the label of beat k as one step of the undo stack; false, with
    // nothing done, while recording or when the beat is already so.
    bool EditLabel(int k, bool on);
    // Names the label of beat k (an empty name takes the name off) as one step of the undo
    // stack; false, with nothing done, when the beat has no label or already that name.
    bool NameLabel(int k, const std::string& name);

    // The window's undo stack: labels and beat edits, in the order they were made.
    QUndoStack* undoStack() const { return undo_; }

    // Beat review (recording_window_review.cpp). The beats the automatic method flags in a
    // finished recording, less those kept as they are; empty while it records.
    const std::vector<FlaggedBeat>& flaggedBeats() const { return flags_; }
    // The beats changed by review, edited here or before the file was saved.
    const std::vector<EditedBeat>& editedBeats() const { return edits_; }
    // Makes change one undo step named what ("удаление удара"); false, with nothing done,
    // when it is empty or the recording is live.
    bool ApplyBeatChange(std::optional<BeatChange> change, const QString& what);
    // Every proposed correction as one undo step; false when there was none.
    bool CorrectAll();
    // Flagged beat k's proposed correction, or k kept as it is: no longer flagged in this
    // window.
    bool FixBeat(int k);
    void KeepBeat(int k);
    // The hand edits of beat k (beat_edit.h), each one undo step.
    bool DeleteBeatAt(int k);
    bool InsertBeatAt(int k);
    bool RevertBeatAt(int k);
    // Whether "Вернуть как было" has something to put back at beat k.
    bool revertible(int k) const;
    // Shows beat k as a click does and scrolls it to the middle of the panels.
    void SelectBeat(int k);
    // Selects the next (step 1) or previous (-1) flagged beat from the selected one; returns
    // it, or 0 when there is none that way.
    int SelectFlagged(int step);
    // The review panel at the window's right side; null until first shown.
    void ShowReview(bool shown);
    bool reviewShown() const;
    ReviewPanel* reviewPanel() const { return review_; }
    // The items of the panels' menus for the beat under the menu's point, and the review.
    QAction *A_Review, *A_FixAll, *A_DeleteBeat, *A_InsertBeat, *A_RevertBeat;
    QAction *A_NextFlag, *A_PrevFlag;  // F3, Shift+F3 while the panel is open

    // Hand edits on the ECG strip (recording_window_ecg.cpp): its pop-up menu, with the
    // delete and revert items for the R mark nearest the point, and the insert there.
    QMenu* PopM_Ecg = nullptr;
    QAction* A_EcgInsert = nullptr;
    // The layout the strip is drawn with now; false when it isn't shown.
    bool ecgStripLayout(EcgStripLayout& out) const;
    // The R peak nearest sample, in the record's samples around it (ecg_strip_edit.h).
    int64_t SnapToRPeak(int64_t sample);
    // A beat inserted at the R peak nearest sample, in the interval it falls in.
    bool InsertBeatAtSample(int64_t sample);
    // Beat k moved to the R peak nearest sample.
    bool MoveBeatToSample(int k, int64_t sample);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Left and right move the selected beat, and the view with it, when the strip is shown.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // RecordingEvents
    void StatusTextChanged(const std::string& text) override;
    void BeatCompleted(int n) override;
    void LimitReached(StopReason why) override;
    void Stopped() override;

    void createLabels();
    void placeLabels();
    void createMenus();
    void addTimeAxisItem();
    void relayout();
    // XMult and XDiv of the zoom level, and the scroll bar's range for them.
    void applyZoom();
    void createLabelActions();
    // The pop-up opens at pos: the label items follow the beat under it.
    void prepareLabelActions(const QPoint& pos);
    // After a label edit: series, SpO2 and means again, the recording unsaved.
    void labelsChanged();
    void createReviewActions();
    void prepareReviewActions();
    // After beats changed: the recording prepared again with the ranges chosen kept, the
    // view and selection inside it, the flags again, the recording unsaved.
    void beatsChanged();
    // The flags of the recording as it is now, less the kept beats; the panel follows.
    void refreshFlags();
    // Kept beats follow rows put in or taken out by change (forward) or its revert.
    void shiftKept(const BeatChange& change, bool forward);
    void createEcgActions();
    // The pop-up opens on the strip at pos: its items follow the mark nearest it.
    void prepareEcgActions(const QPoint& pos);
    // The sample under x on the strip; -1 off it.
    int64_t ecgSampleAt(int x) const;
    // A left press on an R mark starts dragging it, the release moves the beat; true when
    // the event was the strip's.
    bool ecgPress(const QPoint& pos);
    bool ecgRelease(const QPoint& pos);
    // The width the review panel takes from the graphs; 0 while it is hidden.
    int reviewWidth() const;
    // The beat under a point of the panels, as a left click picks it; 0 for none.
    int beatAt(const QPoint& pos) const;
    void refreshGrid();
    // The strip's height for the window's size; 0 when it isn't shown.
    int ecgStripHeight() const;
    void setAverageTexts();
    void setAveragesVisible(bool visible);
    void setHistoTexts();
    // L_Time for a beat hundredths after the start: the clock time where the start is known
    // (the time from the start in its tip), else the time from the start.
    void setTimeText(int64_t hundredths);
    void setTitle(const std::string& name);
    // While it records, the SYM/PAR/SDNN and IB scales widen to beat n's values; true when
    // one did.
    bool followScales(int n);
    void startJournal(const std::string& path);
    void journalBeat(int n);
    void finishJournal();
    void checkJournal();
    // Tells the host of the journal's first failure, once per recording and never from
    // inside the tick.
    void reportJournal(const IoStatus& st);
    static void SetLabel(QLabel* label, const QString& text);

    // The least size of the graphs, the review panel's width beside them.
    static constexpr int kMinGraphWidth = 200, kMinGraphHeight = 150;

    GraphHost& host_;
    std::unique_ptr<Recording> rec_;
    Recorder recorder_;
    bool fromStrap_ = false;        // this recording takes a strap's exact intervals
    std::vector<int32_t> strapUs_;  // the intervals of one tick
    LiveScale liveHRV_, liveIB_;    // from the recording's start
    GraphLayout layout_;
    TimeGrid grid_;
    ViewState view_;
    bool readyForPaint_ = false;
    std::string fileName_;
    bool saved_ = true;
    std::unique_ptr<JournalWriter> journal_;  // open from Start until saved or discarded
    std::string journalPath_;
    bool journalFailed_ = false;
    QUndoStack* undo_ = nullptr;
    std::vector<FlaggedBeat> flags_;
    std::vector<EditedBeat> edits_;  // the beats the review changed, with refreshFlags
    std::set<int> kept_;             // beats the user kept as they are
    ReviewPanel* review_ = nullptr;
    int menuBeat_ = 0;
    std::unique_ptr<EcgStripFeed> ecg_;
    int64_t ecgMenuSample_ = -1;  // where the strip's pop-up opened
    int dragBeat_ = -1;           // the beat whose R mark is being dragged
    Rect ecgArea_;
};

}  // namespace trivant
