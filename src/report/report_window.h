// ReportWindow: the report window of one analysed 5-minute fragment. It keeps its own copy of
// the results, lays the page out on resize and paints and prints it through PaintReport.
#pragma once

#include "fragment_analysis.h"
#include "report_view.h"

#include <QWidget>

class QPagedPaintDevice;

namespace trivant {

class ReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget* parent = nullptr);

    // Takes the results; painting starts once ReadyForPaint is set.
    void SetReport(const FragmentReport& report);
    const FragmentReport& report() const { return Report; }
    const ReportLayout& layout() const { return layout_; }

    // Draws the printed page on device, oriented as asked; false when the device cannot be
    // painted on (for example an unwritable output file).
    bool MyPrint(QPagedPaintDevice& device, bool landscape);
    // Renders the window into an image of its size.
    QImage renderImage();

    FragmentReport Report;
    bool ReadyForPaint = false;
    QString FrComment;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    ReportLayout layout_;
};

}  // namespace trivant
