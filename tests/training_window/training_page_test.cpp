// The training's printed page upright and across: every figure written, no text over another,
// and both curves drawn in their own plots.
#include "curve_panel.h"
#include "paint_kit.h"
#include "training_page.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

TrainingPage samplePage() {
    TrainingPage page;
    page.title = "Training: rest.rr";
    page.heading = {"Ivanov I. I.", "Start: 2026-12-11 10:15:00", "Rate: 6.0; 5.5"};
    // Duration, HR, RMSSD, amplitude, mean and maximum coherence, the share of high coherence.
    page.rows = SummaryRows(TrainingSummary{300, 64.4, 48, 12.3, 3.17, 8.25, 0.55});
    page.durationS = 300;
    for (double t = 0; t < 300; t += 1) {
        page.heart.emplace_back(t, 64 + 7 * std::sin(2 * M_PI * 0.1 * t));
        if (t >= 64 && static_cast<int>(t) % 5 == 0)
            page.coherence.emplace_back(t, 2 + 5 * (t - 64) / 236);
    }
    return page;
}

int pixelsOf(const QImage& image, const QRect& r, const QColor& color) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

TEST(TrainingPage, PrintsEveryFigureAndBothCurves) {
    const TrainingPage page = samplePage();
    for (const QSize size : {QSize(1240, 1754), QSize(1754, 1240)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        TextCollector texts;
        QPainter p(&image);
        const TrainingPageLayout l = PaintTrainingPage(p, image.rect(), page);
        p.end();
        QStringList written;
        for (const TextCollector::Entry& e : texts.entries())
            written << e.text;
        for (const QString& t : {page.title, page.heading[0], page.heading[2]})
            EXPECT_TRUE(written.contains(t)) << t.toStdString();
        for (const SummaryRow& row : page.rows) {
            EXPECT_TRUE(written.contains(row.name)) << row.name.toStdString();
            EXPECT_TRUE(written.contains(row.value)) << row.value.toStdString();
        }
        for (const char* axis : {"60", "70", "0", "2", "4"})
            EXPECT_TRUE(written.contains(QString::fromUtf8(axis))) << axis;
        // The training's end, in minutes or in seconds as the width lets the lines go.
        EXPECT_TRUE(written.contains(QString::fromUtf8("5 мин")) ||
                    written.contains(QString::fromUtf8("300 с")));
        for (size_t i = 0; i < texts.entries().size(); ++i)
            for (size_t j = i + 1; j < texts.entries().size(); ++j)
                EXPECT_FALSE(texts.entries()[i].cell.intersects(texts.entries()[j].cell))
                    << texts.entries()[i].text.toStdString() << " / "
                    << texts.entries()[j].text.toStdString();
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));  // the page is paper white
        EXPECT_GT(pixelsOf(image, l.heart, kHeartColor), l.heart.width());
        EXPECT_EQ(pixelsOf(image, l.coherence, kHeartColor), 0);
        EXPECT_GT(pixelsOf(image, l.coherence, kCoherenceColor), l.coherence.width() / 2);
    }
}

}  // namespace
}  // namespace trivant
