// MainWindow: the idle pass (supervision and command enabling) and the scale menu.
#include "main_window.h"

#include "measures_view.h"
#include "recording_window.h"
#include "report_window.h"
#include "translation.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace trivant {

namespace {

struct ScaleGroup {
    const char* title;
    std::vector<const char*> items;  // "-" is a separator
    std::function<int(const RecordingWindow&)> current;
    std::function<void(RecordingWindow&, int)> choose;
    std::vector<int> values;
};

}  // namespace

void MainWindow::createScaleMenu() {
    N_Scale = menuBar()->addMenu(tr("&Масштаб"));
    N_Scale->setObjectName("N_Scale");
    const ScaleGroup groups[] = {
        {"SpO2",
         {"50..100%", "75..100%", "90..100%"},
         [](const RecordingWindow& g) { return g.recording().ScSPO; },
         [](RecordingWindow& g, int v) { g.recording().ScSPO = v; },
         {0, 1, 2}},
        {QT_TR_NOOP("Ритмограмма"),
         {QT_TR_NOOP("Автоматически"), "-", QT_TR_NOOP("200..1200 мс"), QT_TR_NOOP("300..1300 мс"),
          QT_TR_NOOP("400..1400 мс"), QT_TR_NOOP("500..1500 мс"), QT_TR_NOOP("600..1600 мс"), "-",
          QT_TR_NOOP("200..2200 мс")},
         [](const RecordingWindow& g) { return g.RRRange(); },
         [](RecordingWindow& g, int v) { g.ChooseRRRange(v); },
         {RecordingWindow::kAutoRange, 0, 1, 2, 3, 4, 5}},
        {QT_TR_NOOP("СИМ, ПАР, SDNN"),
         {"0..200", "0..150", "0..100", "0..50", "0..25", "0..10"},
         [](const RecordingWindow& g) { return g.recording().ScHRV; },
         [](RecordingWindow& g, int v) { g.recording().ScHRV = v; },
         {0, 1, 2, 3, 4, 5}},
        {QT_TR_NOOP("ИБ"),
         {"0..5000", "0..3000", "0..1000", "0..500", "0..250", "0..100"},
         [](const RecordingWindow& g) { return g.recording().ScIB; },
         [](RecordingWindow& g, int v) { g.recording().ScIB = v; },
         {0, 1, 2, 3, 4, 5}},
        // Values of kZoomLevels, in its order.
        {QT_TR_NOOP("По горизонтали"),
         {QT_TR_NOOP("х1"), QT_TR_NOOP("х2"), QT_TR_NOOP("х4"), "-", "1/2", "1/4", "1/8", "1/16",
          "1/32", "1/64", "1/128", "-", QT_TR_NOOP("Вся запись")},
         [](const RecordingWindow& g) { return g.zoom(); },
         [](RecordingWindow& g, int v) { g.SetZoom(v); },
         {kZoomLevels.begin(), kZoomLevels.end()}},
    };
    for (const ScaleGroup& group : groups) {
        if (std::string(group.title) == "По горизонтали")
            N_Scale->addSeparator();
        QMenu* sub = N_Scale->addMenu(tr(group.title));
        size_t v = 0;
        for (const char* text : group.items) {
            if (std::string(text) == "-") {
                sub->addSeparator();
                continue;
            }
            QAction* a = sub->addAction(tr(text));
            a->setCheckable(true);
            const int value = group.values[v++];
            const auto choose = group.choose;
            connect(a, &QAction::triggered, this, [this, choose, value] {
                if (RecordingWindow* g = activeGraph()) {
                    choose(*g, value);
                    g->update();
                }
            });
            const auto current = group.current;
            scaleItems_.push_back(
                {a, [current, value](const RecordingWindow& g) { return current(g) == value; }});
        }
    }
    connect(N_Scale, &QMenu::aboutToShow, this, &MainWindow::checkScaleItems);
}

void MainWindow::checkScaleItems() {
    const RecordingWindow* g = activeGraph();
    for (auto& [action, matches] : scaleItems_)
        action->setChecked(g && matches(*g));
}

RecordingWindow* MainWindow::activeGraph() const {
    QMdiSubWindow* w = mdi_->activeSubWindow();
    return w ? qobject_cast<RecordingWindow*>(w->widget()) : nullptr;
}

ReportWindow* MainWindow::activeReport() const {
    QMdiSubWindow* w = mdi_->activeSubWindow();
    return w ? qobject_cast<ReportWindow*>(w->widget()) : nullptr;
}

MeasuresView* MainWindow::activeMeasures() const {
    QMdiSubWindow* w = mdi_->activeSubWindow();
    return w ? dynamic_cast<MeasuresView*>(w->widget()) : nullptr;
}

ActiveChild MainWindow::activeChild() const {
    if (!mdi_->activeSubWindow())
        return ActiveChild::None;
    const RecordingWindow* g = activeGraph();
    if (!g)
        return ActiveChild::Other;
    return g->recordingNow() ? ActiveChild::GraphRecording : ActiveChild::GraphIdle;
}

void MainWindow::IdleHandler() {
    const bool connected = superviseDevice();
    bool anyRecording = false;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* g = qobject_cast<RecordingWindow*>(w->widget()))
            anyRecording |= g->recordingNow();
    const bool start = StartEnabled(connected, anyRecording);
    TB_Start->setEnabled(start);
    N_Start->setEnabled(start);
    states_ = NextCommandStates(activeChild(), states_);
    applyCommandStates();
    // The heading of the means goes with the active window's state alone, whether or not
    // the means themselves are shown.
    if (RecordingWindow* g = activeGraph())
        g->L_Aver->setVisible(!g->recordingNow());
}

void MainWindow::applyCommandStates() {
    const CommandStates& s = states_;
    N_Window->menuAction()->setEnabled(s[kWindowMenu]);
    N_Scale->menuAction()->setEnabled(s[kScaleMenu]);
    TB_Open->setEnabled(s[kToolOpen]);
    N_FOpen->setEnabled(s[kMenuOpen]);
    const std::pair<std::vector<QAction*>, CommandItem> items[] = {
        {{TB_Save, N_FSave}, kSave},   {{TB_Stop, N_Stop}, kStop},
        {{TB_Label, N_Label}, kLabel}, {{TB_Tools, N_Tools}, kTools},
        {{TB_Print, N_Print}, kPrint}, {{TB_PrintSetup}, kToolPrintSetup},
        {{TB_Comment}, kComment},      {{N_Spec, TB_Spec, N_Trend, N_Stages}, kSpec},
    };
    for (const auto& [actions, item] : items)
        for (QAction* a : actions)
            a->setEnabled(s[item]);
    const bool report = activeReport() != nullptr;
    const MeasuresView* measures = activeMeasures();
    // The rows of a window still computing are not there to print or export.
    const bool busy = measures && measures->Busy();
    N_Export->setEnabled(report || (measures && !busy));
    if (busy)
        for (QAction* a : {TB_Print, N_Print})
            a->setEnabled(false);
    N_StdPage->setEnabled(report);
    N_Training->setEnabled(trainingSource() != nullptr);
    applyEditStates();
}

}  // namespace trivant
