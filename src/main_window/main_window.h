// MainWindow: the main window. A multiple-document frame with the tool bar, the main menu and
// the device label; it loads the settings, supervises the device connection on a short
// timer, enables its commands by the active child window and dispatches them.
#pragma once

#include "command_state.h"
#include "connection_supervisor.h"
#include "dialog_runner.h"
#include "fragment_analysis.h"
#include "graph_host.h"
#include "journal.h"
#include "recording_format.h"
#include "setup.h"
#include "strap_choice.h"
#include "strap_supervisor.h"
#include "user_folders.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;

namespace trivant {

class RecentFiles;
struct EcgInfo;
struct OpenedRecording;
class Recording;
class RecordingWindow;
class ReportWindow;
class MeasuresView;

extern const char* const kAppCaption;       // "TRIVANT " and the version
extern const char* const kDefaultsCaption;  // "Ормикс-01"
// The property of a report, trend or stage window naming the recording's file it shows.
constexpr const char* kSourceFileProperty = "sourceFile";
// Beside the settings file: "auto" when the last NN range chosen was the fitted one.
constexpr const char* kRRRangeFileName = "rr-range";

class MainWindow : public QMainWindow, public GraphHost {
    Q_OBJECT
public:
    // startDir holds the settings file and the default "Data" folder.
    MainWindow(std::unique_ptr<PortLayer> ports, std::unique_ptr<DialogRunner> runner,
               const std::string& startDir, QWidget* parent = nullptr);
    // The settings file in folders.config; without settings the dialogs start in folders.data,
    // made when missing. recent: the user's list of recent files; null keeps one in memory.
    MainWindow(std::unique_ptr<PortLayer> ports, std::unique_ptr<DialogRunner> runner,
               const AppFolders& folders, std::unique_ptr<RecentFiles> recent,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // GraphHost. The settings record is edited in place, by the commands and the graphs' menus.
    Setup& setup() override { return setup_; }
    const Setup& setup() const { return setup_; }
    size_t ReadPort(uint8_t* buffer, size_t capacity) override;
    void PurgePort() override;
    bool StrapDevice() const override { return strapSup_ && strap_.strap; }
    bool ReadStrap(std::vector<int32_t>& us, bool& arrived) override;

    // The straps: link (the radio, or a log's replay) and the file of the user's choice.
    // forced: a choice that holds for this run only, never saved (a replay's strap).
    // Without a call the application knows no strap.
    void UseStraps(std::unique_ptr<StrapLink> link, const std::string& choiceFile,
                   const StrapChoice* forced = nullptr);
    const StrapChoice& strapChoice() const { return strap_; }
    StrapSupervisor* strapSupervisor() { return strapSup_.get(); }
    void ShowLimitMessage(StopReason why, int maxBeats) override;
    bool AskLabelName(std::string& name) override;
    void RecordingStopped() override;
    bool MayClose(RecordingWindow& graph) override;
    void ShowJournalError(const std::string& path, const std::string& detail) override;
    bool AutoRRRange() const override { return autoRR_; }
    void SetAutoRRRange(bool automatic) override { autoRR_ = automatic; }

    // One pass of what the original ran on every idle moment: supervision and enabling.
    void IdleHandler();

    // Commands
    void TB_OpenClick();
    void TB_SaveClick();
    void TB_StartClick();
    void TB_StopClick();
    void TB_LabelClick();
    void TB_CommentClick();
    void TB_ToolsClick();
    void TB_HelpClick();
    void TB_PrintClick();
    void TB_PrintSetupClick();
    void N_SpecClick();
    // The measures of the active recording along its whole time, in a window of their own.
    void N_TrendClick();
    // The stages the active recording's labels mark, compared in a window of their own.
    void N_StagesClick();
    // The breathing training of the live recording, in a window of its own beside the
    // recording's; raised where that recording's is open already.
    void N_TrainingClick();
    // The live recording the training command is for: the active one, or the one whose
    // training window is active.
    RecordingWindow* trainingSource() const;
    // The report's numbers into a CSV file the user names: the columns of trivant-cli
    // analyze --csv --standard. False when cancelled or not written.
    bool ExportMeasures(ReportWindow& report);
    void N_ExportClick();
    // The active report's second page.
    void N_StdPageClick();
    void N_ExitClick();

    // Opens each named file in a window of its own, as the open command would, in the format
    // its content shows; relative names are taken from the current folder.
    void OpenFiles(const QStringList& paths);
    // Opens a recording file the way the open command does after its dialog: .rr, text, an
    // RR list or CSV, told by content; filterIndex (1..3) is the dialog's type, kept in the
    // settings when it is 1 or 2. A list opens unsaved.
    RecordingWindow* OpenRecording(const std::string& path, int filterIndex);
    // Saves a finished recording; false when cancelled or failed (the user was told).
    bool SaveGraph(RecordingWindow& graph);
    // Offers each journal left in the Data folder by a recording that never ended: recover
    // it into a window, delete it, or leave it for the next start.
    void RecoverJournals();
    // The folder of the recordings' journals: the start's own Data folder, whatever folder
    // the last save chose.
    const std::string& journalFolder() const { return dataDir_; }

    RecordingWindow* activeGraph() const;
    ReportWindow* activeReport() const;
    // The active trend or stage comparison.
    MeasuresView* activeMeasures() const;
    ActiveChild activeChild() const;
    QMdiArea* mdiArea() const { return mdi_; }
    ConnectionSupervisor& supervisor() { return supervisor_; }
    DialogRunner& runner() { return *runner_; }
    const std::string& configDir() const { return configDir_; }
    RecentFiles& recentFiles() { return *recent_; }
    // Which commands the last enabling pass left usable.
    const CommandStates& States() const { return states_; }

    QAction *TB_Open, *TB_Save, *TB_Start, *TB_Stop, *TB_Label, *TB_Tools, *TB_Comment, *TB_Print,
        *TB_PrintSetup, *TB_Help;
    QAction *N_FOpen, *N_FSave, *N_Print, *N_PrintSetup, *N_Exit;
    QAction *N_Start, *N_Stop, *N_Label, *N_Tools, *N_Spec, *N_StdPage, *N_Export, *TB_Spec;
    QAction *N_Trend, *N_Stages, *N_Training;
    // Правка: undo and redo of the active recording window; its review in Запись.
    QAction *N_Undo, *N_Redo, *N_Review;
    QAction *N_NextW, *N_PrevW, *N_Cascade;
    QMenu *N_File, *N_Edit, *N_Record, *N_Scale, *N_Window;
    QMenu* N_Recent;  // the recent files, numbered 1..8 in the File menu
    QLabel* L_Device;
    QTimer* IdleTimer;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the frame or any window in it open as the open command opens them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The fragment picker over rec from second startS with fragPos chosen, then the report
    // of the fragment chosen (nullptr when none); caption and sourceFile name the
    // recording's window and file.
    ReportWindow* analyzeFragment(const Recording& rec, const QString& caption,
                                  const std::string& sourceFile, int startS, int fragPos = 0);
    // Why a recording shorter than a fragment has no spectrum, with what it does have.
    void showTooShort(const Recording& rec, const ResampleResult& resampled);
    // One supervision pass of the device chosen, and its label; true when it is connected.
    bool superviseDevice();
    QString strapHint() const;
    // Takes the options dialog's strap choice, kept in its file unless forced.
    void takeStrapChoice(const StrapChoice& chosen);
    // Writes csv into a file the user names; false when cancelled or not written.
    bool exportCsv(const std::string& csv);
    // Where and as what the save dialog was told to write; nothing when it was cancelled.
    struct SaveTarget {
        std::string path;
        RecordingFormat format;
    };
    std::optional<SaveTarget> askSaveTarget(const RecordingWindow& graph, bool csvFirst);
    // The file of the active window's recording, whichever kind of window it is; empty
    // for a recording never read nor saved.
    std::string activeSourceFile() const;
    // Writes the settings when the user asked for that; a failure is told.
    void saveSettingsIfAsked();
    // True when path is free, or the user agrees to overwrite it.
    bool overwriteAccepted(const QString& path);
    void loadSettings();
    void createActions();
    void createMenus();
    void createScaleMenu();
    void createEditMenu();
    // Undo, redo and the review follow the active recording window (main_window_edit.cpp).
    void applyEditStates();
    void createToolBar();
    void fillWindowMenu();
    void createRecentMenu();
    void fillRecentMenu();
    // Puts a file opened or saved on top of the recent files.
    void rememberFile(const std::string& path);
    void openRecent(const QString& path);
    void checkScaleItems();
    void applyCommandStates();
    RecordingWindow* addGraph();
    // Reads path into rec through OpenAnyRecording (main_window_open.cpp): detection's
    // progress in a dialog that can cancel it, the channel asked when several fit.
    OpenedRecording loadAnyRecording(const std::string& path, Recording& rec);
    // The channel to detect beats on, in a list of the record's labels; -1 when given up.
    int askEcgChannel(const EcgInfo& info, int suggested);
    // Hands the window the ECG record its recording's beats came from, when it opens; a CSV
    // moved away from its record shows its intervals alone.
    void attachEcg(RecordingWindow& graph);

    // A new journal's path in the Data folder, named after the start time.
    std::string newJournalPath() const;
    void offerJournal(const JournalInfo& journal);
    void recoverJournal(const JournalInfo& journal, const QString& started);
    // Puts a child window into the frame, at least half the frame in each direction.
    QMdiSubWindow* addChild(QWidget* child);
    ReportWindow* addReport(const FragmentReport& report, const std::string& caption,
                            const std::string& comment);
    // The printer chosen in the printer set-up (at first the system's default), turned to
    // the orientation of the settings.
    QPrinter& printer();
    // Draws one page with draw(printer, landscape) on that printer or, when there is none
    // and the user agrees, into a PDF file the user names.
    void printPage(const std::function<bool(QPrinter&, bool)>& draw);
    // The close question for a window that still records; stops it unless cancelled.
    bool mayCloseRecording(RecordingWindow& graph);
    // The PDF file to print into when no printer is there; empty when the user declines.
    QString askPdfPath();
    void message(const QString& title, const QString& text);
    template <typename F> void command(F f);

    Setup setup_;
    CommandStates states_;
    std::unique_ptr<PortLayer> ports_;
    std::unique_ptr<DialogRunner> runner_;
    ConnectionSupervisor supervisor_;
    std::string configDir_, dataDir_;
    std::unique_ptr<RecentFiles> recent_;
    std::unique_ptr<StrapLink> strapLink_;
    std::unique_ptr<StrapSupervisor> strapSup_;
    StrapChoice strap_;
    std::string strapFile_;
    bool strapForced_ = false;
    // Where the open and the save dialog start: the folder of the last file each one opened
    // or saved, whole; the settings keep only a cut copy for the next start.
    std::string openFolder_, saveFolder_;
    QMdiArea* mdi_;
    std::vector<std::pair<QAction*, std::function<bool(const RecordingWindow&)>>> scaleItems_;
    // The fragment analysis' big buffers, made at the first analysis and kept from then on.
    std::unique_ptr<AnalysisBuffers> analysis_;
    // Kept from the printer set-up for the print commands; made at first use.
    struct PrinterDeleter {
        void operator()(QPrinter* p) const;
    };
    std::unique_ptr<QPrinter, PrinterDeleter> printer_;
    // The NN range chosen last; kept with the settings, in a file of its own, since the
    // settings record has no room for it.
    bool autoRR_ = false;
};

// What saving a recording in format loses, as the question asked before it; empty when
// nothing is lost. rounds: exact intervals the 10 ms formats round; hasNames: label names,
// hasEdits: reviewed beats (their marks, originals and deleted beats), which only the CSV
// keeps.
QString SaveLossQuestion(RecordingFormat format, bool rounds, bool hasComment,
                         bool hasNames = false, bool hasEdits = false);
// Why a recording of beats beats can't go into format, offering CSV; empty when it fits.
QString SaveLimitQuestion(RecordingFormat format, int beats);

// The file of the NN range's choice in the settings' folder.
std::string RRRangeFile(const std::string& configDir);

// The folders of a start in dir: the settings there, the recordings in its "Data".
AppFolders StartDirFolders(const std::string& dir);

}  // namespace trivant
