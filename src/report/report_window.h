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

    // Takes the results; painting starts with StartPainting.
    void SetReport(const FragmentReport& report);
    const FragmentReport& report() const { return report_; }
    const ReportLayout& layout() const { return layout_; }
    // The recording's comment, printed under the caption on the paper page.
    void SetComment(const QString& comment) { frComment_ = comment; }
    const QString& FrComment() const { return frComment_; }
    // Until this is called the window paints nothing, not even its background.
    void StartPainting();
    bool ReadyForPaint() const { return readyForPaint_; }

    // Draws the printed page on device, oriented as asked; false when the device cannot be
    // painted on (for example an unwritable output file).
    bool MyPrint(QPagedPaintDevice& device, bool landscape);
    // Renders the window into an image of its size.
    QImage renderImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    FragmentReport report_;
    bool readyForPaint_ = false;
    QString frComment_;
    ReportLayout layout_;
};

}  // namespace trivant
