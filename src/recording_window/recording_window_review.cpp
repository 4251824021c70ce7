// RecordingWindow: beat review. The automatic method's flags on a finished recording, their
// corrections and the hand edits, each one step of the window's undo stack (the one labels
// use), which applies and reverts the changes of beat_edit.h, never copies of the recording.
#include "recording_window.h"

#include "named_action.h"
#include "review_panel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QUndoStack>

#include <algorithm>
#include <functional>

namespace trivant {

namespace {

// The flags and proposals come from the automatic method.
constexpr ArtifactOptions kReviewOptions{true, kDefaultArtifactMs, true};

// Changes applied forwards, reverted backwards. Changes already made when the command is
// pushed (a whole correction) are not made again by its first redo.
class BeatChangeCommand : public QUndoCommand {
public:
    using Shift = std::function<void(const BeatChange&, bool)>;
    BeatChangeCommand(const QString& what, Recording& rec, std::vector<BeatChange> changes,
                      bool applied, Shift shift, std::function<void()> changed)
        : QUndoCommand(what), rec_(rec), changes_(std::move(changes)), applied_(applied),
          shift_(std::move(shift)), changed_(std::move(changed)) {}
    void redo() override {
        if (!applied_)
            ApplyChanges(rec_, changes_);
        applied_ = false;
        for (const BeatChange& c : changes_)
            shift_(c, true);
        changed_();
    }
    void undo() override {
        RevertChanges(rec_, changes_);
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            shift_(*it, false);
        changed_();
    }

private:
    Recording& rec_;
    const std::vector<BeatChange> changes_;
    bool applied_;
    const Shift shift_;
    const std::function<void()> changed_;
};

}  // namespace

void RecordingWindow::createReviewActions() {
    A_DeleteBeat = NamedAction(this, "A_DeleteBeat", tr("Удалить удар"));
    A_InsertBeat = NamedAction(this, "A_InsertBeat", tr("Вставить удар"));
    A_RevertBeat = NamedAction(this, "A_RevertBeat", tr("Вернуть как было"));
    A_Review = NamedAction(this, "A_Review", tr("Просмотр артефактов"));
    A_Review->setCheckable(true);
    A_FixAll = NamedAction(this, "A_FixAll", tr("Исправить все"));
    A_NextFlag = NamedAction(this, "A_NextFlag", tr("Следующий артефакт"));
    A_NextFlag->setShortcut(Qt::Key_F3);
    A_PrevFlag = NamedAction(this, "A_PrevFlag", tr("Предыдущий артефакт"));
    A_PrevFlag->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    for (QAction* a : {A_NextFlag, A_PrevFlag}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setEnabled(false);  // while the panel is open
        addAction(a);
    }
    connect(A_DeleteBeat, &QAction::triggered, this, [this] { DeleteBeatAt(menuBeat_); });
    connect(A_InsertBeat, &QAction::triggered, this, [this] { InsertBeatAt(menuBeat_); });
    connect(A_RevertBeat, &QAction::triggered, this, [this] { RevertBeatAt(menuBeat_); });
    connect(A_Review, &QAction::triggered, this, &RecordingWindow::ShowReview);
    connect(A_FixAll, &QAction::triggered, this, &RecordingWindow::CorrectAll);
    connect(A_NextFlag, &QAction::triggered, this, [this] { SelectFlagged(1); });
    connect(A_PrevFlag, &QAction::triggered, this, [this] { SelectFlagged(-1); });
    for (QMenu* menu : {PopM_Gr1, PopM_Gr2}) {
        menu->addSeparator();
        menu->addActions({A_DeleteBeat, A_InsertBeat, A_RevertBeat});
        menu->addSeparator();
        menu->addActions({A_Review, A_FixAll});
    }
}

void RecordingWindow::prepareReviewActions() {
    const bool live = rec_->RREventEnabled;
    const int k = menuBeat_;
    A_DeleteBeat->setEnabled(k > 0 && DeleteBeat(*rec_, k).has_value());
    A_InsertBeat->setEnabled(k > 0 && InsertBeat(*rec_, k).has_value());
    A_RevertBeat->setEnabled(k > 0 && revertible(k));
    A_Review->setEnabled(!live && rec_->beats() > 0);
    A_Review->setChecked(reviewShown());
    A_FixAll->setEnabled(!live && !flags_.empty());
}

bool RecordingWindow::ApplyBeatChange(std::optional<BeatChange> change, const QString& what) {
    if (!change || rec_->RREventEnabled)
        return false;
    std::vector<BeatChange> one{std::move(*change)};
    undo_->push(new BeatChangeCommand(
        what, *rec_, std::move(one), false,
        [this](const BeatChange& c, bool forward) { shiftKept(c, forward); },
        [this] { beatsChanged(); }));
    return true;
}

bool RecordingWindow::CorrectAll() {
    if (rec_->RREventEnabled)
        return false;
    std::vector<BeatChange> changes = CorrectRecording(*rec_, ToCoreSettings(host_.setup()));
    if (changes.empty())
        return false;
    undo_->push(new BeatChangeCommand(
        tr("исправление всех артефактов"), *rec_, std::move(changes), true,
        [this](const BeatChange& c, bool forward) { shiftKept(c, forward); },
        [this] { beatsChanged(); }));
    return true;
}

bool RecordingWindow::FixBeat(int k) {
    if (rec_->RREventEnabled || k < 1 || k > rec_->beats())
        return false;
    return ApplyBeatChange(ProposedChange(*rec_, kReviewOptions, k), tr("исправление удара"));
}

void RecordingWindow::KeepBeat(int k) {
    if (std::none_of(flags_.begin(), flags_.end(),
                     [k](const FlaggedBeat& f) { return f.beat == k; }))
        return;
    kept_.insert(k);
    refreshFlags();
    update();
}

bool RecordingWindow::DeleteBeatAt(int k) {
    return !rec_->RREventEnabled && ApplyBeatChange(DeleteBeat(*rec_, k), tr("удаление удара"));
}

bool RecordingWindow::InsertBeatAt(int k) {
    return !rec_->RREventEnabled && ApplyBeatChange(InsertBeat(*rec_, k), tr("вставку удара"));
}

bool RecordingWindow::revertible(int k) const {
    const auto deleted = rec_->DeletedBeats.find(k);
    return rec_->beatEdit(k) != BeatEdit::None ||
           (deleted != rec_->DeletedBeats.end() && !deleted->second.empty());
}

bool RecordingWindow::RevertBeatAt(int k) {
    if (rec_->RREventEnabled || !revertible(k))
        return false;
    // The beat's own edit first; then the deleted beats in front of it, the latest first.
    int index = -1;
    if (rec_->beatEdit(k) == BeatEdit::None)
        index = static_cast<int>(rec_->DeletedBeats.at(k).size()) - 1;
    return ApplyBeatChange(RevertBeat(*rec_, k, index), tr("возврат удара"));
}

void RecordingWindow::shiftKept(const BeatChange& c, bool forward) {
    const int removed = static_cast<int>(forward ? c.before.size() : c.after.size());
    const int added = static_cast<int>(forward ? c.after.size() : c.before.size());
    std::set<int> moved;
    for (int k : kept_) {
        if (k < c.first + std::min(removed, added))
            moved.insert(k);
        else if (k >= c.first + removed)
            moved.insert(k + added - removed);
        // a kept beat whose row went out goes with it
    }
    kept_ = std::move(moved);
}

void RecordingWindow::beatsChanged() {
    // The ranges chosen in the menus stay, as after a label edit.
    const std::array<int32_t, 4> scales{rec_->ScSPO, rec_->ScRR, rec_->ScHRV, rec_->ScIB};
    rec_->PrepareData(ToCoreSettings(host_.setup()));
    rec_->ScSPO = scales[0];
    rec_->ScRR = scales[1];
    rec_->ScHRV = scales[2];
    rec_->ScIB = scales[3];
    const int beats = rec_->beats();
    view_.HistoPoint = std::clamp(view_.HistoPoint, 1, std::max(1, beats));
    view_.XPos = std::clamp(view_.XPos, 0, std::max(0, beats - 1));
    applyZoom();
    setAverageTexts();
    setAveragesVisible(rec_->AveragesValid);
    if (!L_N->text().isEmpty()) {
        ShowBeat(view_.HistoPoint);
    } else {
        rec_->BuildHisto(view_.HistoPoint, host_.setup().Sample);
        setHistoTexts();
    }
    refreshFlags();
    saved_ = false;
    update();
}

void RecordingWindow::refreshFlags() {
    flags_.clear();
    edits_ = EditedBeatList(*rec_);
    if (!rec_->RREventEnabled && rec_->beats() > 0)
        for (const FlaggedBeat& f : FlagBeats(*rec_, kReviewOptions))
            if (!kept_.count(f.beat))
                flags_.push_back(f);
    prepareReviewActions();
    if (review_)
        review_->Refresh();
}

void RecordingWindow::SelectBeat(int k) {
    if (rec_->RREventEnabled || k < 1 || k > rec_->beats())
        return;
    ShowBeat(k);
    const XScale xs = view_.xScale();
    const int columns = layout_.rGr1.width();
    SB->setValue(static_cast<int>(std::max<int64_t>(0, xs.toPixels(k - 1) - columns / 2)));
    if (review_)
        review_->ShowSelected(k);
}

int RecordingWindow::SelectFlagged(int step) {
    const int at = view_.HistoPoint;
    const FlaggedBeat* found = nullptr;
    if (step > 0) {
        auto it = std::upper_bound(flags_.begin(), flags_.end(), at,
                                   [](int k, const FlaggedBeat& f) { return k < f.beat; });
        found = it == flags_.end() ? nullptr : &*it;
    } else {
        auto it = std::lower_bound(flags_.begin(), flags_.end(), at,
                                   [](const FlaggedBeat& f, int k) { return f.beat < k; });
        found = it == flags_.begin() ? nullptr : &*std::prev(it);
    }
    if (!found)
        return 0;
    SelectBeat(found->beat);
    return found->beat;
}

bool RecordingWindow::reviewShown() const {
    return review_ && !review_->isHidden();
}

int RecordingWindow::reviewWidth() const {
    return reviewShown() ? review_->width() : 0;
}

void RecordingWindow::ShowReview(bool shown) {
    if (shown && (rec_->RREventEnabled || rec_->beats() == 0))
        return;
    if (shown && !review_)
        review_ = new ReviewPanel(*this);
    if (review_) {
        review_->setVisible(shown);
        if (shown)
            review_->Refresh();
    }
    A_NextFlag->setEnabled(shown);
    A_PrevFlag->setEnabled(shown);
    A_Review->setChecked(shown);
    // The graphs keep their least width beside the panel.
    setMinimumWidth(kMinGraphWidth + reviewWidth());
    relayout();
}

}  // namespace trivant
