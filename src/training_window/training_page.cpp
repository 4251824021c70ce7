#include "training_page.h"

#include "curve_panel.h"
#include "paint_kit.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

struct TrainingPageText {
    Q_DECLARE_TR_FUNCTIONS(TrainingPageText)
};

constexpr int kNameColumns = 36;  // digits' widths the longest row name takes

}  // namespace

TrainingPageLayout LayoutTrainingPage(const QRect& page, int tw, int th, int headingLines,
                                      int rows) {
    TrainingPageLayout l;
    l.th = th;
    const int left = page.left() + 6 * tw;
    int y = page.top() + 3 * th;
    l.title = {left, y};
    y += 2 * th;
    for (int i = 0; i < headingLines; ++i, y += th)
        l.heading.push_back({left, y});
    y += th;
    const int rowH = th * 3 / 2;
    for (int i = 0; i < rows; ++i, y += rowH) {
        l.names.push_back({left, y});
        l.values.push_back({left + kNameColumns * tw, y});
    }
    // Two plots below the table, each with its caption inside and its times under it; the
    // value numbers take the room left of them.
    const int plotLeft = left + 7 * tw;
    const int plotRight = page.right() - 6 * tw;
    const int top = y + 2 * th;
    const int bottom = page.bottom() - 3 * th;
    const int timeRow = th + 2;
    const int room = std::max(0, bottom - top - 2 * timeRow - 2 * th);
    const int heartH = std::min(room * 3 / 5, (plotRight - plotLeft) * 2 / 3);
    const int coherenceH = std::min(room - heartH, heartH * 2 / 3);
    l.heart = QRect(plotLeft, top, plotRight - plotLeft, heartH);
    l.coherence =
        QRect(plotLeft, l.heart.bottom() + 1 + timeRow + 2 * th, plotRight - plotLeft, coherenceH);
    return l;
}

TrainingPageLayout PaintTrainingPage(QPainter& p, const QRect& area, const TrainingPage& page) {
    p.save();
    QFont f = p.font();
    f.setPixelSize(std::max(8, area.height() / kTrainingPageRows));
    p.setFont(f);
    const QFontMetrics fm(f);
    const int tw = fm.horizontalAdvance(QChar('0'));
    const TrainingPageLayout l =
        LayoutTrainingPage(area, tw, fm.height(), static_cast<int>(page.heading.size()),
                           static_cast<int>(page.rows.size()));
    p.fillRect(area, Qt::white);
    p.setPen(Qt::black);
    QFont bold = f;
    bold.setBold(true);
    p.setFont(bold);
    TextAt(p, l.title.x(), l.title.y(), page.title);
    p.setFont(f);
    for (size_t i = 0; i < page.heading.size(); ++i)
        TextAt(p, l.heading[i].x(), l.heading[i].y(), page.heading[i]);
    for (size_t i = 0; i < page.rows.size(); ++i) {
        TextAt(p, l.names[i].x(), l.names[i].y(), page.rows[i].name);
        TextAt(p, l.values[i].x(), l.values[i].y(), page.rows[i].value);
    }
    const double t1 = std::max(page.durationS, 1.0);
    const int pen = std::max(1, fm.height() / 8);
    PaintCurvePanel(p, {l.heart, page.heart, 0, t1, 0,
                        HeartScale(page.heart, ValueTicksFor(l.heart.height(), fm)), kHeartColor,
                        pen, TrainingPageText::tr("ЧСС, уд/мин")});
    PaintCurvePanel(p, {l.coherence, page.coherence, 0, t1, 0,
                        CoherenceScale(page.coherence, ValueTicksFor(l.coherence.height(), fm)),
                        kCoherenceColor, pen, TrainingPageText::tr("Когерентность")});
    p.restore();
    return l;
}

}  // namespace trivant
