// ReportWindow: the report window of one analysed 5-minute fragment. It keeps its own copy of
// the results, lays the page out on resize and paints and prints it through PaintReport. A
// second page shows the standard measures. The page tabs stand above both pages; the
// artifact correction beside them belongs to the second.
#pragma once

#include "fragment_analysis.h"
#include "measure_controls.h"
#include "report_view.h"
#include "standard_view.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QPagedPaintDevice;
class QTabBar;

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

    // Draws the two printed pages on device, oriented as asked; false when the device cannot
    // be painted on (for example an unwritable output file).
    bool MyPrint(QPagedPaintDevice& device, bool landscape);

    // 0: the report, 1: the standard measures (Ctrl+PgDown, Ctrl+PgUp, the context menu).
    enum Page { ReportPage = 0, StandardMeasuresPage = 1 };
    void SetPage(int page);
    int page() const { return page_; }
    // The correction choice of CorrectionChoices(); the measures are computed again.
    void SetCorrection(int index);
    // The measures with these options: a level's own choice in the box, or else a threshold
    // of its own (trivant-cli report --artifacts 80).
    void SetArtifactOptions(const ArtifactOptions& options);
    // How many beats the recording's review changed, for the second page's method lines.
    void SetEditedBeats(int edited);
    // The intervals of the whole recording the fragment is of (RecordingIntervalsUs): the
    // automatic choice then corrects the whole and measures its part, as the trend does.
    void SetRecordingIntervals(std::vector<int64_t> rrUs);
    // The spectral bands of the second page; the measures are computed again.
    void SetBands(const BandEdges& bands);
    const StandardPage& standardPage() const { return standard_; }
    const StandardLayout& standardLayout() const { return standardLayout_; }
    QComboBox* correctionBox() const { return correction_; }
    QTabBar* pageTabs() const { return tabs_; }
    // Renders the window into an image of its size.
    QImage renderImage();

    // The recording the fragment comes from, as the export's file column names it.
    void SetSourceFile(const std::string& file) { sourceFile_ = file; }
    // The header and the one row that trivant-cli analyze --csv --standard writes for this
    // fragment, with the correction chosen on the second page.
    std::string MeasuresCsv() const;

signals:
    // "Экспорт показателей (CSV)..." chosen in the window's context menu.
    void exportRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void buildPageBar();
    void addPageActions();
    void recompute();

    FragmentReport report_;
    bool readyForPaint_ = false;
    QString frComment_;
    ReportLayout layout_;
    int page_ = ReportPage;
    QWidget* pageBar_ = nullptr;
    MeasureChoices choices_{};
    ArtifactOptions artifacts_;  // the box's choice, or a threshold of trivant-cli's own
    int editedBeats_ = 0;
    std::vector<int64_t> recordingUs_;
    std::unique_ptr<CorrectedWhole> whole_;  // of recordingUs_, once the automatic one is chosen
    QTabBar* tabs_ = nullptr;
    QComboBox* correction_ = nullptr;
    StandardPage standard_;
    StandardLayout standardLayout_;
    std::string sourceFile_;
};

}  // namespace trivant
