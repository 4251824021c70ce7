// Colours, marks and legend of the flagged beats.
#include "beat_marks.h"

#include "graph_grid.h"
#include "paint_kit.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

struct BeatMarkText {
    Q_DECLARE_TR_FUNCTIONS(BeatMarks)
};

constexpr int kSwatchGap = 4;  // pixels between a swatch and its name, and between items

template <class T> const std::vector<T>& orNone(const std::vector<T>* v) {
    static const std::vector<T> none;
    return v ? *v : none;
}

}  // namespace

QColor BeatMarkColor(BeatClass kind) {
    // Apart from each other and from the default traces (black NN, red SpO2).
    switch (kind) {
    case BeatClass::Ectopic:
        return {220, 0, 220};
    case BeatClass::Long:
        return {0, 160, 60};
    case BeatClass::Short:
        return {0, 180, 210};
    case BeatClass::Missed:
        return {30, 70, 255};
    case BeatClass::Extra:
        return {255, 140, 0};
    case BeatClass::Normal:
        break;
    }
    return {150, 90, 40};
}

QString BeatKindText(BeatClass kind) {
    switch (kind) {
    case BeatClass::Ectopic:
        return BeatMarkText::tr("эктопический");
    case BeatClass::Long:
        return BeatMarkText::tr("длинный");
    case BeatClass::Short:
        return BeatMarkText::tr("короткий");
    case BeatClass::Missed:
        return BeatMarkText::tr("пропущенный");
    case BeatClass::Extra:
        return BeatMarkText::tr("лишний");
    case BeatClass::Normal:
        break;
    }
    return BeatMarkText::tr("порог");
}

bool BeatMarkCentre(const GraphScene& sc, const TracePlacement& pl, int k, QPoint& centre) {
    const Recording& rec = *sc.rec;
    if (k < 1 || k >= rec.CurrentFileLen)
        return false;
    const int last = LastColumn(pl.limitLeft, pl.limitRight, sc.view.XMult, sc.view.XPos,
                                rec.CurrentFileLen, sc.view.XDiv);
    // The column of beat k: one per beat, or zoomed out the one holding it.
    const int64_t col =
        sc.view.XDiv > 1 ? sc.view.xScale().toPixels(k - sc.view.XPos) : k - sc.view.XPos;
    if (col < 1 || col > last)
        return false;
    // Where the trace's segment of the column ends (graph_paint.cpp).
    const int shift = sc.view.XDiv > 1 ? 0 : pl.segmentShift;
    const int x =
        static_cast<int>(std::nearbyint(pl.k * sc.view.XMult * double(col + shift))) + pl.p1.Left;
    if (x > pl.p1.Right)
        return false;
    const ScaleRange r = SeriesRange(kSerRR, sc);
    centre = QPoint(x, ValueToRow(rec.at(kSerRR, k), r.lower, r.upper, pl.p1));
    return true;
}

std::vector<LegendItem> BeatLegendLayout(const std::vector<FlaggedBeat>& flags, const Rect& room,
                                         int th, int tw,
                                         const std::function<int(const QString&)>& textWidth,
                                         bool edits) {
    std::vector<LegendItem> items;
    const int side = std::max(4, th / 2);
    int right = room.Right - tw;
    const int top = room.Bottom - th - 2;
    auto add = [&](LegendItem item) {
        const int w = textWidth(LegendText(item));
        item.text = QPoint(right - w, top);
        item.swatch = QRect(right - w - kSwatchGap - side, top + (th - side) / 2, side, side);
        right = item.swatch.left() - 2 * kSwatchGap;
        items.insert(items.begin(), item);
    };
    // Right to left, so the last item ends at the panel's right edge.
    if (edits) {
        LegendItem item;
        item.edit = true;
        add(item);
    }
    for (auto it = std::rbegin(kMarkedKinds); it != std::rend(kMarkedKinds); ++it) {
        const BeatClass kind = *it;
        if (std::none_of(flags.begin(), flags.end(),
                         [kind](const FlaggedBeat& f) { return f.kind == kind; }))
            continue;
        LegendItem item;
        item.kind = kind;
        add(item);
    }
    return items;
}

QString LegendText(const LegendItem& item) {
    return item.edit ? EditMarkText() : BeatKindText(item.kind);
}

void DrawBeatMarks(QPainter& p, const GraphScene& sc, const TracePlacement& pl) {
    p.save();
    p.setPen(Qt::NoPen);
    const double r = kBeatMarkRadius * pl.k * pl.penScale;
    for (const FlaggedBeat& f : orNone(sc.flags)) {
        QPoint c;
        if (!BeatMarkCentre(sc, pl, f.beat, c))
            continue;
        p.setBrush(BeatMarkColor(f.kind));
        p.drawEllipse(QPointF(c), r, r);
    }
    // A ring round the dot, so a beat both edited and flagged shows both.
    p.setPen(QPen(EditMarkColor(), 2 * pl.k * pl.penScale));
    p.setBrush(Qt::NoBrush);
    const double ring = kEditRingRadius * pl.k * pl.penScale;
    for (const EditedBeat& e : orNone(sc.edits)) {
        QPoint c;
        if (BeatMarkCentre(sc, pl, e.beat, c))
            p.drawEllipse(QPointF(c), ring, ring);
    }
    p.restore();
}

void DrawBeatLegend(QPainter& p, const GraphScene& sc, const TracePlacement& pl) {
    const bool flags = sc.flags && !sc.flags->empty();
    const bool edits = sc.edits && !sc.edits->empty();
    if (!flags && !edits)
        return;
    p.save();
    const QFontMetrics fm = p.fontMetrics();
    Rect room = pl.p1;
    if (pl.legendRight > 0)
        room.Right = std::min(room.Right, pl.legendRight);
    const auto legend = BeatLegendLayout(
        orNone(sc.flags), room, pl.th > 0 ? pl.th : fm.height(), pl.tw,
        [&fm](const QString& t) { return fm.horizontalAdvance(t); }, edits);
    // One white box with the grid's colour round it, so the traces don't run between items.
    QRect box;
    for (const LegendItem& item : legend)
        box |= item.swatch | TextCell(p, item.text.x(), item.text.y(), LegendText(item));
    if (!box.isNull()) {
        p.setPen(kGridColor);
        p.setBrush(Qt::white);
        p.drawRect(box.adjusted(-kSwatchGap, -1, kSwatchGap / 2, 0));
    }
    for (const LegendItem& item : legend) {
        if (item.edit) {
            // The ring's swatch: an outline, as on the trace.
            const int w = std::max(1, item.swatch.width() / 4);
            p.setPen(QPen(EditMarkColor(), w));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(item.swatch.adjusted(w / 2, w / 2, -w / 2 - w % 2, -w / 2 - w % 2));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(BeatMarkColor(item.kind));
            p.drawRect(item.swatch);
        }
        p.setPen(Qt::black);
        TextAt(p, item.text.x(), item.text.y(), LegendText(item));
    }
    p.restore();
}

}  // namespace trivant
