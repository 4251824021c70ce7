// MainWindow: construction, actions, menus and the tool bar.
#include "main_window.h"

#include "tool_icons.h"

#include "app_icon.h"
#include "codepage.h"
#include "message_box.h"
#include "named_action.h"
#include "recent_files.h"
#include "recording_window.h"
#include "translation.h"
#include "version.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

namespace trivant {

// The caption carries the project's version, written once in CMake.
namespace {
const std::string kAppCaptionText = std::string("TRIVANT ") + kVersion;
}  // namespace
const char* const kAppCaption = kAppCaptionText.c_str();
const char* const kDefaultsCaption = QT_TRANSLATE_NOOP("trivant::MainWindow", "Ормикс-01");

namespace {

constexpr int kIdleMs = 200;  // supervision and enabling; a pass costs tens of microseconds

}  // namespace

std::string RRRangeFile(const std::string& configDir) {
    return (std::filesystem::u8path(configDir) / kRRRangeFileName).u8string();
}

AppFolders StartDirFolders(const std::string& dir) {
    return {dir, (std::filesystem::u8path(dir) / kDataDirName).u8string()};
}

MainWindow::MainWindow(std::unique_ptr<PortLayer> ports, std::unique_ptr<DialogRunner> runner,
                       const std::string& startDir, QWidget* parent)
    : MainWindow(std::move(ports), std::move(runner), StartDirFolders(startDir), nullptr, parent) {}

MainWindow::MainWindow(std::unique_ptr<PortLayer> ports, std::unique_ptr<DialogRunner> runner,
                       const AppFolders& folders, std::unique_ptr<RecentFiles> recent,
                       QWidget* parent)
    : QMainWindow(parent), states_(InitialCommandStates()), ports_(std::move(ports)),
      runner_(std::move(runner)), supervisor_(*ports_), configDir_(folders.config),
      dataDir_(folders.data),
      recent_(recent ? std::move(recent) : std::make_unique<RecentFiles>()) {
    setAcceptDrops(true);
    setWindowTitle(kAppCaption);
    setWindowIcon(AppIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    setCentralWidget(mdi_);
    createActions();
    createMenus();
    createToolBar();
    loadSettings();
    IdleTimer = new QTimer(this);
    IdleTimer->setInterval(kIdleMs);
    connect(IdleTimer, &QTimer::timeout, this, &MainWindow::IdleHandler);
    IdleTimer->start();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { IdleHandler(); });
    IdleHandler();
}

MainWindow::~MainWindow() {
    // The frame's children go after this object; their last signals must not reach it.
    mdi_->disconnect(this);
    IdleTimer->stop();
}

void MainWindow::loadSettings() {
    auto report = [this](const std::string& title, const std::string& text) {
        AskUser(this, *runner_, TrMessage(title), TrMessage(text), tr("Ok"));
    };
    if (!LoadSetup(configDir_, setup_, report)) {
        ApplyDefaultValues(setup_);
        ApplyDefaultDataDir(setup_, dataDir_);
        setWindowTitle(tr(kDefaultsCaption));
    }
    std::string range;
    autoRR_ = ReadFileBytes(RRRangeFile(configDir_), range, 16).ok && range.rfind("auto", 0) == 0;
    // The default folder whole: the record keeps only 80 characters of it.
    const bool isDefault = setup_.DataDir == CutToChars(dataDir_, kDataDirMaxChars);
    openFolder_ = saveFolder_ = isDefault ? dataDir_ : setup_.DataDir;
}

template <typename F> void MainWindow::command(F f) {
    f();
    IdleHandler();  // the enabling follows each command at once, not only the next pass
}

void MainWindow::createActions() {
    auto bind = [this](QAction* a, void (MainWindow::*slot)()) {
        connect(a, &QAction::triggered, this,
                [this, slot] { command([this, slot] { (this->*slot)(); }); });
    };
    struct Pair {
        QAction*& tool;
        QAction*& menu;
        const char *toolName, *menuName, *hint, *menuText;
        void (MainWindow::*slot)();
    };
    Pair pairs[] = {
        {TB_Open, N_FOpen, "TB_Open", "N_FOpen", QT_TR_NOOP("Открыть файл"),
         QT_TR_NOOP("&Открыть..."), &MainWindow::TB_OpenClick},
        {TB_Save, N_FSave, "TB_Save", "N_FSave", QT_TR_NOOP("Сохранить файл"),
         QT_TR_NOOP("&Сохранить..."), &MainWindow::TB_SaveClick},
        {TB_Print, N_Print, "TB_Print", "N_Print", QT_TR_NOOP("Печать"), QT_TR_NOOP("&Печать"),
         &MainWindow::TB_PrintClick},
        {TB_PrintSetup, N_PrintSetup, "TB_PrintSetup", "N_PrintSetup",
         QT_TR_NOOP("Настройки принтера"), QT_TR_NOOP("&Настройки принтера..."),
         &MainWindow::TB_PrintSetupClick},
        {TB_Start, N_Start, "TB_Start", "N_Start", QT_TR_NOOP("Начать запись"),
         QT_TR_NOOP("С&тарт"), &MainWindow::TB_StartClick},
        {TB_Stop, N_Stop, "TB_Stop", "N_Stop", QT_TR_NOOP("Остановить запись"), QT_TR_NOOP("Сто&п"),
         &MainWindow::TB_StopClick},
        {TB_Label, N_Label, "TB_Label", "N_Label", QT_TR_NOOP("Метка"), QT_TR_NOOP("&Метка"),
         &MainWindow::TB_LabelClick},
        {TB_Tools, N_Tools, "TB_Tools", "N_Tools", QT_TR_NOOP("Параметры"),
         QT_TR_NOOP("П&араметры..."), &MainWindow::TB_ToolsClick},
    };
    for (Pair& p : pairs) {
        p.tool = NamedAction(this, p.toolName, tr(p.hint));
        p.tool->setToolTip(tr(p.hint));
        p.menu = NamedAction(this, p.menuName, tr(p.menuText));
        bind(p.tool, p.slot);
        bind(p.menu, p.slot);
    }
    TB_Comment = NamedAction(this, "TB_Comment", tr("Комментарий"));
    bind(TB_Comment, &MainWindow::TB_CommentClick);
    TB_Help = NamedAction(this, "TB_Help", tr("О программе"));
    bind(TB_Help, &MainWindow::TB_HelpClick);
    N_Spec = NamedAction(this, "N_Spec", tr("&Анализ фрагмента..."));
    bind(N_Spec, &MainWindow::N_SpecClick);
    TB_Spec = NamedAction(this, "TB_Spec", tr("Анализ фрагмента"));
    TB_Spec->setToolTip(tr("Анализ фрагмента"));
    bind(TB_Spec, &MainWindow::N_SpecClick);
    N_Trend = NamedAction(this, "N_Trend", tr("&Тренд показателей..."));
    bind(N_Trend, &MainWindow::N_TrendClick);
    N_Stages = NamedAction(this, "N_Stages", tr("Сравнение &этапов..."));
    bind(N_Stages, &MainWindow::N_StagesClick);
    N_Training = NamedAction(this, "N_Training", tr("Тренинг &дыхания..."));
    N_Training->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    bind(N_Training, &MainWindow::N_TrainingClick);
    // The report window owns the keys (Ctrl+PgDown there); the menu only names them.
    N_StdPage = NamedAction(this, "N_StdPage", tr("Стандартные &показатели") + "\tCtrl+PgDown");
    bind(N_StdPage, &MainWindow::N_StdPageClick);
    N_Export = NamedAction(this, "N_Export", tr("&Экспорт показателей (CSV)..."));
    bind(N_Export, &MainWindow::N_ExportClick);
    N_Exit = NamedAction(this, "N_Exit", tr("&Выход"));
    bind(N_Exit, &MainWindow::N_ExitClick);
    N_FOpen->setShortcut(QKeySequence::Open);
    N_FSave->setShortcut(QKeySequence::Save);
    N_Print->setShortcut(QKeySequence::Print);
    N_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    TB_Stop->setEnabled(false);
    TB_Label->setEnabled(false);
}

void MainWindow::createMenus() {
    N_File = menuBar()->addMenu(tr("&Файл"));
    N_File->addActions({N_FOpen, N_FSave, N_Print, N_PrintSetup});
    N_File->addSeparator();
    N_File->addAction(N_Exit);
    createRecentMenu();
    createEditMenu();
    N_Record = menuBar()->addMenu(tr("&Запись"));
    N_Record->addActions({N_Start, N_Stop});
    N_Record->addSeparator();
    N_Record->addActions(
        {N_Label, N_Training, N_Tools, N_Spec, N_Trend, N_Stages, N_StdPage, N_Export});
    N_Record->addSeparator();
    N_Record->addAction(N_Review);
    createScaleMenu();
    N_Window = menuBar()->addMenu(tr("&Окно"));
    N_Window->setObjectName("N_Window");
    N_NextW = NamedAction(this, "N_NextW", tr("&Следующее"));
    N_PrevW = NamedAction(this, "N_PrevW", tr("&Предыдущее"));
    N_Cascade = NamedAction(this, "N_Cascade", tr("&Каскад"));
    N_NextW->setShortcut(QKeySequence::NextChild);
    N_PrevW->setShortcut(QKeySequence::PreviousChild);
    connect(N_NextW, &QAction::triggered, mdi_, &QMdiArea::activateNextSubWindow);
    connect(N_PrevW, &QAction::triggered, mdi_, &QMdiArea::activatePreviousSubWindow);
    connect(N_Cascade, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    connect(N_Window, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();
}

void MainWindow::fillWindowMenu() {
    N_Window->clear();
    N_Window->addActions({N_NextW, N_PrevW, N_Cascade});
    const auto windows = mdi_->subWindowList();
    if (!windows.isEmpty())
        N_Window->addSeparator();
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        QAction* a = N_Window->addAction(QString("&%1 %2").arg(++n).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
    }
}

void MainWindow::createToolBar() {
    QToolBar* bar = addToolBar(tr("Панель инструментов"));
    bar->setObjectName("toolBar");
    bar->setMovable(false);
    // The theme's icons by their freedesktop names, our drawings where it has none.
    const std::pair<QAction*, ToolIcon> icons[] = {
        {TB_Open, ToolIcon::Open},
        {TB_Save, ToolIcon::Save},
        {TB_Start, ToolIcon::Record},
        {TB_Stop, ToolIcon::Stop},
        {TB_Label, ToolIcon::Label},
        {TB_Tools, ToolIcon::Options},
        {TB_Comment, ToolIcon::Comment},
        {TB_Print, ToolIcon::Print},
        {TB_PrintSetup, ToolIcon::PrintSetup},
        {TB_Spec, ToolIcon::Analysis},
        {TB_Help, ToolIcon::About},
    };
    for (const auto& [action, icon] : icons) {
        action->setIcon(ToolIconFor(icon));
        bar->addAction(action);
    }
    bar->addSeparator();
    L_Device = new QLabel(TrMessage(kDeviceNotConnectedText), bar);
    L_Device->setObjectName("L_Device");
    L_Device->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(L_Device);
}

}  // namespace trivant
