// MainWindow: the Правка menu, whose undo and redo act on the active recording window's
// stack, and the beat review of the Запись menu.
#include "main_window.h"

#include "named_action.h"
#include "recording_window.h"

#include <QAction>
#include <QMenuBar>
#include <QUndoStack>

#include <functional>

namespace trivant {

void MainWindow::createEditMenu() {
    N_Edit = menuBar()->addMenu(tr("&Правка"));
    N_Edit->setObjectName("N_Edit");
    // The recording window owns the keys (Ctrl+Z, Ctrl+Shift+Z); the menu only names them.
    N_Undo = NamedAction(this, "N_Undo", tr("&Отменить"));
    N_Redo = NamedAction(this, "N_Redo", tr("&Повторить"));
    N_Edit->addActions({N_Undo, N_Redo});
    N_Review = NamedAction(this, "N_Review", tr("Просмотр &артефактов"));
    N_Review->setCheckable(true);
    // Each acts on the window active now, then the enabling follows at once.
    auto onGraph = [this](QAction* a, std::function<void(RecordingWindow&, bool)> f) {
        connect(a, &QAction::triggered, this, [this, f](bool on) {
            if (RecordingWindow* g = activeGraph())
                f(*g, on);
            IdleHandler();
        });
    };
    onGraph(N_Undo, [](RecordingWindow& g, bool) { g.undoStack()->undo(); });
    onGraph(N_Redo, [](RecordingWindow& g, bool) { g.undoStack()->redo(); });
    onGraph(N_Review, [](RecordingWindow& g, bool on) { g.ShowReview(on); });
    connect(N_Edit, &QMenu::aboutToShow, this, &MainWindow::applyEditStates);
}

void MainWindow::applyEditStates() {
    const RecordingWindow* g = activeGraph();
    const QUndoStack* stack = g ? g->undoStack() : nullptr;
    const bool idle = g && !g->recordingNow();
    N_Undo->setEnabled(idle && stack->canUndo());
    N_Redo->setEnabled(idle && stack->canRedo());
    // The window's own items carry the step's name: "Отменить удаление удара".
    N_Undo->setText((idle ? g->A_UndoLabel->text() : tr("&Отменить")) + "\tCtrl+Z");
    N_Redo->setText((idle ? g->A_RedoLabel->text() : tr("&Повторить")) + "\tCtrl+Shift+Z");
    N_Review->setEnabled(idle && g->recording().beats() > 0);
    N_Review->setChecked(g && g->reviewShown());
}

}  // namespace trivant
