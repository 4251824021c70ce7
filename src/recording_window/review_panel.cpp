// ReviewPanel: the list of flagged beats and the buttons that act on the selected one.
#include "review_panel.h"

#include "beat_marks.h"
#include "clock_time.h"
#include "edited_beats.h"
#include "recording_window.h"
#include "time_axis.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kPanelDigits = 46;  // the panel's width in digits of the window's font
enum Column { kNumber, kTime, kKind, kInterval, kColumns };

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignRight) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

ReviewPanel::ReviewPanel(RecordingWindow& window) : QWidget(&window), window_(window) {
    setObjectName("ReviewPanel");
    setAutoFillBackground(true);
    setFixedWidth(fontMetrics().horizontalAdvance('0') * kPanelDigits);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(4, 4, 4, 4);
    L_Count = new QLabel(this);
    L_Count->setObjectName("L_Count");
    box->addWidget(L_Count);
    T_Beats = new QTableWidget(0, kColumns, this);
    T_Beats->setObjectName("T_Beats");
    T_Beats->setHorizontalHeaderLabels({tr("№"), tr("Время"), tr("Тип"), tr("Интервал, мс")});
    T_Beats->verticalHeader()->hide();
    T_Beats->setSelectionBehavior(QAbstractItemView::SelectRows);
    T_Beats->setSelectionMode(QAbstractItemView::SingleSelection);
    T_Beats->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    T_Beats->horizontalHeader()->setStretchLastSection(true);
    box->addWidget(T_Beats, 1);
    auto* grid = new QGridLayout;
    B_Fix = button("B_Fix", tr("Исправить"));
    B_Keep = button("B_Keep", tr("Оставить"));
    B_Delete = button("B_Delete", tr("Удалить удар"));
    B_Insert = button("B_Insert", tr("Вставить удар"));
    B_Revert = button("B_Revert", tr("Вернуть как было"));
    B_FixAll = button("B_FixAll", tr("Исправить все"));
    B_Close = button("B_Close", tr("Закрыть"));
    grid->addWidget(B_Fix, 0, 0);
    grid->addWidget(B_Keep, 0, 1);
    grid->addWidget(B_Delete, 1, 0);
    grid->addWidget(B_Insert, 1, 1);
    grid->addWidget(B_Revert, 2, 0);
    grid->addWidget(B_FixAll, 2, 1);
    grid->addWidget(B_Close, 3, 1);
    box->addLayout(grid);
    // The buttons act on the row chosen, else on the beat the window shows.
    auto beat = [this] { return selectedBeat() > 0 ? selectedBeat() : window_.view().HistoPoint; };
    connect(B_Fix, &QPushButton::clicked, this, [this] { window_.FixBeat(selectedBeat()); });
    connect(B_Keep, &QPushButton::clicked, this, [this] { window_.KeepBeat(selectedBeat()); });
    connect(B_Delete, &QPushButton::clicked, this, [this, beat] { window_.DeleteBeatAt(beat()); });
    connect(B_Insert, &QPushButton::clicked, this, [this, beat] { window_.InsertBeatAt(beat()); });
    connect(B_Revert, &QPushButton::clicked, this, [this, beat] { window_.RevertBeatAt(beat()); });
    connect(B_FixAll, &QPushButton::clicked, this, [this] { window_.CorrectAll(); });
    connect(B_Close, &QPushButton::clicked, this, [this] { window_.ShowReview(false); });
    connect(T_Beats, &QTableWidget::itemSelectionChanged, this, &ReviewPanel::rowChosen);
}

QPushButton* ReviewPanel::button(const char* name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::TabFocus);  // a click leaves the keys with the list
    return b;
}

void ReviewPanel::Refresh() {
    const Recording& rec = window_.recording();
    const auto& flags = window_.flaggedBeats();
    const auto& edits = window_.editedBeats();
    rows_.clear();
    for (const FlaggedBeat& f : flags)
        rows_.push_back({f.beat, true});
    for (const EditedBeat& e : edits)
        rows_.push_back({e.beat, false});
    {
        const QSignalBlocker quiet(T_Beats);
        T_Beats->setRowCount(static_cast<int>(rows_.size()));
        for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
            const int k = rows_[static_cast<size_t>(row)].beat;
            const int64_t startS = ElapsedHundredths(rec, k - 1) / 100;
            const auto ms = std::lround(double(rec.intervalUs(k)) / 1000);
            T_Beats->setItem(row, kNumber, cell(QString::number(k)));
            T_Beats->setItem(
                row, kTime,
                cell(QString::fromStdString(ClockOrElapsedText(rec.StartClockS, startS))));
            const bool flag = row < static_cast<int>(flags.size());
            const auto e = static_cast<size_t>(row) - flags.size();
            auto* kind =
                flag ? cell(BeatKindText(flags[static_cast<size_t>(row)].kind), Qt::AlignLeft)
                     : cell(EditedBeatText(edits[e]), Qt::AlignLeft);
            kind->setForeground(flag ? BeatMarkColor(flags[static_cast<size_t>(row)].kind)
                                     : EditMarkColor());
            T_Beats->setItem(row, kKind, kind);
            T_Beats->setItem(row, kInterval, cell(QString::number(ms)));
        }
    }
    L_Count->setText(
        tr("Артефактов: %1, исправлено ударов: %2").arg(flags.size()).arg(EditedBeats(rec)));
    // The row chosen stays where it still is; none chosen, the beat the window shows.
    const auto kept = std::find(rows_.begin(), rows_.end(), chosen_);
    if (chosen_.beat > 0)
        select(kept == rows_.end() ? -1 : static_cast<int>(kept - rows_.begin()));
    else
        ShowSelected(window_.view().HistoPoint);
}

void ReviewPanel::ShowSelected(int k) {
    if (k > 0 && selectedRow().beat == k) {
        enableButtons();
        return;
    }
    const auto found =
        std::find_if(rows_.begin(), rows_.end(), [k](const Row& r) { return r.beat == k; });
    select(found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin()));
}

void ReviewPanel::select(int row) {
    {
        const QSignalBlocker quiet(T_Beats);
        T_Beats->clearSelection();
        chosen_ = {};
        if (row >= 0) {
            chosen_ = rows_[static_cast<size_t>(row)];
            T_Beats->selectRow(row);
            T_Beats->scrollToItem(T_Beats->item(row, 0));
        }
    }
    enableButtons();
}

ReviewPanel::Row ReviewPanel::selectedRow() const {
    const auto rows = T_Beats->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= static_cast<int>(rows_.size()))
        return {};
    return rows_[static_cast<size_t>(rows.front().row())];
}

int ReviewPanel::selectedBeat() const {
    return selectedRow().beat;
}

void ReviewPanel::rowChosen() {
    chosen_ = selectedRow();
    if (const int k = chosen_.beat; k > 0)
        window_.SelectBeat(k);
    enableButtons();
}

void ReviewPanel::enableButtons() {
    const Row chosen = selectedRow();
    const int k = chosen.beat > 0 ? chosen.beat : window_.view().HistoPoint;
    const Recording& rec = window_.recording();
    // Accepting and keeping are for a flag; the hand edits for any beat.
    B_Fix->setEnabled(chosen.flag);
    B_Keep->setEnabled(chosen.flag);
    B_Delete->setEnabled(DeleteBeat(rec, k).has_value());
    B_Insert->setEnabled(InsertBeat(rec, k).has_value());
    B_Revert->setEnabled(window_.revertible(k));
    B_FixAll->setEnabled(!window_.flaggedBeats().empty());
}

}  // namespace trivant
