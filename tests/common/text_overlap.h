// Pages painted with a text collector, and the texts on them whose cells cover one another.
#pragma once

#include "paint_kit.h"

#include <QBuffer>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace trivant::test {

using TextCells = std::vector<TextCollector::Entry>;

// Every pair of texts whose cells intersect, as "a" / "b" lines; empty when none do.
inline std::vector<std::string> Overlaps(const TextCells& cells) {
    std::vector<std::string> out;
    for (size_t i = 0; i < cells.size(); ++i)
        for (size_t j = i + 1; j < cells.size(); ++j)
            if (cells[i].cell.intersects(cells[j].cell))
                out.push_back('"' + cells[i].text.toStdString() + "\" / \"" +
                              cells[j].text.toStdString() + '"');
    return out;
}

// The texts a widget paints with TextAt, and those of its visible labels by their ink (a
// label paints no cell of its own).
inline TextCells WidgetTexts(QWidget& w, const std::function<void()>& render) {
    TextCollector collected;
    render();
    TextCells cells = collected.entries();
    for (const QLabel* l : w.findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty())
            continue;
        const QFontMetrics fm(l->font());
        const QRect ink = fm.tightBoundingRect(l->text()).translated(0, fm.ascent());
        cells.push_back({ink.translated(l->mapTo(&w, QPoint(0, 0))), l->text()});
    }
    return cells;
}

// The texts of a page drawn by draw on an A4 PDF page at dpi dots per inch.
inline TextCells PdfPageTexts(int dpi, bool landscape,
                              const std::function<void(QPdfWriter&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    TextCollector collected;
    draw(pdf);
    return collected.entries();
}

}  // namespace trivant::test
