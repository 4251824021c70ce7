// RecordingWindow: labels put on and taken off a finished recording from the panels' pop-up
// menus, each edit one step of the window's undo stack, which keeps the beat's state before.
#include "recording_window.h"

#include "label_edit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>

#include <functional>

namespace trivant {

namespace {

// One label put, taken off or named; undone, the beat gets back its word, SpO2 and name.
class LabelCommand : public QUndoCommand {
public:
    LabelCommand(const QString& what, Recording& rec, int k, std::function<void()> edit,
                 std::function<void()> changed)
        : QUndoCommand(what), rec_(rec), before_(SaveLabelState(rec, k)), edit_(std::move(edit)),
          changed_(std::move(changed)) {}
    void redo() override {
        edit_();
        changed_();
    }
    void undo() override {
        RestoreLabelState(rec_, before_);
        changed_();
    }

private:
    Recording& rec_;
    const BeatLabelState before_;
    const std::function<void()> edit_;
    const std::function<void()> changed_;
};

}  // namespace

void RecordingWindow::createLabelActions() {
    undo_ = new QUndoStack(this);
    A_PutLabel = new QAction(tr("Поставить метку"), this);
    A_PutLabel->setObjectName("A_PutLabel");
    A_RemoveLabel = new QAction(tr("Снять метку"), this);
    A_RemoveLabel->setObjectName("A_RemoveLabel");
    A_NameLabel = new QAction(tr("Назвать метку..."), this);
    A_NameLabel->setObjectName("A_NameLabel");
    A_UndoLabel = undo_->createUndoAction(this, tr("Отменить"));
    A_UndoLabel->setObjectName("A_UndoLabel");
    A_UndoLabel->setShortcut(QKeySequence::Undo);
    A_RedoLabel = undo_->createRedoAction(this, tr("Повторить"));
    A_RedoLabel->setObjectName("A_RedoLabel");
    // Ctrl+Shift+Z everywhere, beside whatever the platform calls redo (Ctrl+Y on some).
    QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(k))
            redoKeys.append(k);
    A_RedoLabel->setShortcuts(redoKeys);
    connect(A_PutLabel, &QAction::triggered, this, [this] { EditLabel(menuBeat_, true); });
    connect(A_RemoveLabel, &QAction::triggered, this, [this] { EditLabel(menuBeat_, false); });
    connect(A_NameLabel, &QAction::triggered, this, [this] {
        std::string name = rec_->labelName(menuBeat_);
        if (host_.AskLabelName(name))
            NameLabel(menuBeat_, name);
    });
    for (QAction* a : {A_UndoLabel, A_RedoLabel}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);  // the keys work without the menu
    }
    setFocusPolicy(Qt::ClickFocus);  // the keys go to the window clicked or made active
    for (QMenu* menu : {PopM_Gr1, PopM_Gr2}) {
        menu->addSeparator();
        menu->addActions({A_PutLabel, A_RemoveLabel, A_NameLabel, A_UndoLabel, A_RedoLabel});
    }
}

void RecordingWindow::prepareLabelActions(const QPoint& pos) {
    menuBeat_ = rec_->RREventEnabled ? 0 : beatAt(pos);
    const bool labelled =
        menuBeat_ > 0 && sampleIsLabel(rec_->DataBuf[static_cast<size_t>(menuBeat_)]);
    A_PutLabel->setEnabled(menuBeat_ > 0 && !labelled);
    A_RemoveLabel->setEnabled(labelled);
    A_NameLabel->setEnabled(labelled);
    prepareReviewActions();
}

bool RecordingWindow::EditLabel(int k, bool on) {
    if (rec_->RREventEnabled || k < 1 || k >= rec_->CurrentFileLen ||
        sampleIsLabel(rec_->DataBuf[static_cast<size_t>(k)]) == on)
        return false;
    undo_->push(new LabelCommand(
        on ? tr("постановку метки") : tr("снятие метки"), *rec_, k,
        [this, k, on] { trivant::SetLabel(*rec_, k, on); }, [this] { labelsChanged(); }));
    return true;
}

bool RecordingWindow::NameLabel(int k, const std::string& name) {
    if (rec_->RREventEnabled || k < 1 || k >= rec_->CurrentFileLen ||
        !sampleIsLabel(rec_->DataBuf[static_cast<size_t>(k)]) ||
        LabelNameText(name) == rec_->labelName(k))
        return false;
    BeatLabelState named = SaveLabelState(*rec_, k);
    named.name = LabelNameText(name);  // an empty one takes the name off
    undo_->push(new LabelCommand(
        tr("название метки"), *rec_, k, [this, named] { RestoreLabelState(*rec_, named); },
        [this] { labelsChanged(); }));
    return true;
}

void RecordingWindow::labelsChanged() {
    // The ranges chosen in the menus stay; only the labels and the SpO2 beside them changed.
    rec_->PrepareLabels(ToCoreSettings(host_.setup()));
    setAverageTexts();
    if (!L_N->text().isEmpty())
        ShowBeat(view_.HistoPoint);  // its SpO2 may have changed
    saved_ = false;
    update();
}

}  // namespace trivant
