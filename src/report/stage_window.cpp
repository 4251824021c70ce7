#include "stage_window.h"

#include "paint_kit.h"
#include "span_csv.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font
constexpr int kGapTW = 2;        // between columns

}  // namespace

void PaintStageTable(QPainter& p, const StageTable& table, const Rect& area, int tw, int th) {
    const QFontMetrics fm = p.fontMetrics();
    std::vector<int> widths(table.header.size(), 0);
    auto widen = [&](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], fm.horizontalAdvance(QString::fromStdString(cells[c])));
    };
    widen(table.header);
    for (const auto& row : table.rows)
        widen(row);
    auto drawRow = [&](const std::vector<std::string>& cells, int y) {
        int x = area.Left + tw;
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            TextAt(p, x, y, QString::fromStdString(cells[c]));
            x += widths[c] + kGapTW * tw;
        }
    };
    int y = area.Top + th;
    drawRow(table.header, y);
    y += th + th / 2;
    p.setPen(kGridColor);
    p.drawLine(area.Left + tw, y - th / 4, area.Right - tw, y - th / 4);
    p.setPen(Qt::black);
    for (const auto& row : table.rows) {
        if (y + th > area.Bottom)
            break;
        drawRow(row, y);
        y += th;
    }
}

StageWindow::StageWindow(const Recording& rec, const std::string& name, QWidget* parent)
    : QWidget(parent), stages_(RecordingStages(rec, {})), table_(MakeStageTable(stages_)),
      name_(name) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::string StageWindow::MeasuresCsv() const {
    return SpanCsv(name_, kStagePlace, stages_);
}

bool StageWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    QPainter p;
    const std::optional<MeasuresPage> page = BeginMeasuresPage(p, device, landscape, windowTitle());
    if (!page)
        return false;
    PaintStageTable(p, table_, page->area, page->tw, page->th);
    return p.end();
}

void StageWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    PaintStageTable(p, table_, {0, 0, width() - 1, height() - 1}, fm.horizontalAdvance(QChar('0')),
                    fm.height());
}

}  // namespace trivant
