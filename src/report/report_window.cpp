// ReportWindow: layout on resize, the two screen pages, the page bar, and the printed pages.
#include "report_window.h"

#include "measure_controls.h"
#include "measure_csv.h"
#include "paint_kit.h"

#include "report_paint.h"
#include "standard_paint.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font

}  // namespace

ReportWindow::ReportWindow(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    buildPageBar();
    addPageActions();
    resize(800, 600);
    relayout();  // a hidden window gets its resize event only when shown
}

void ReportWindow::buildPageBar() {
    pageBar_ = new QWidget(this);
    auto* row = new QHBoxLayout(pageBar_);
    row->setContentsMargins(0, 0, 4, 0);
    tabs_ = new QTabBar(pageBar_);
    tabs_->addTab(tr("Отчёт"));
    tabs_->addTab(tr("Стандартные показатели"));
    connect(tabs_, &QTabBar::currentChanged, this, &ReportWindow::SetPage);
    row->addWidget(tabs_);
    row->addStretch();
    choices_ = AddMeasureChoices(row, pageBar_);
    correction_ = choices_.correction;
    connect(correction_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ReportWindow::SetCorrection);
    connect(choices_.bands, &BandEdit::bandsChanged, this, [this] {
        recompute();
        update();
    });
    tabs_->setCurrentIndex(ReportPage);
    choices_.setVisible(false);
}

// The pages by keyboard (with the focus in the window) and by the context menu.
void ReportWindow::addPageActions() {
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct {
        const char* title;
        QKeySequence key;
        int page;
    } pages[] = {{QT_TR_NOOP("Отчёт"), QKeySequence(Qt::CTRL | Qt::Key_PageUp), ReportPage},
                 {QT_TR_NOOP("Стандартные показатели"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                  StandardMeasuresPage}};
    for (const auto& pg : pages) {
        auto* a = new QAction(tr(pg.title), this);
        a->setShortcut(pg.key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const int target = pg.page;
        connect(a, &QAction::triggered, this, [this, target] { SetPage(target); });
        addAction(a);
    }
    auto* exportAction = new QAction(tr("Экспорт показателей (CSV)..."), this);
    connect(exportAction, &QAction::triggered, this, &ReportWindow::exportRequested);
    addAction(exportAction);
}

std::string ReportWindow::MeasuresCsv() const {
    return FragmentCsvHeader() + StandardCsvHeader() + "\n" + FragmentCsvRow(sourceFile_, report_) +
           StandardCsvCells(standard_.m) + "\n";
}

void ReportWindow::SetReport(const FragmentReport& report) {
    report_ = report;
    recompute();
    update();
}

void ReportWindow::recompute() {
    if (artifacts_.automatic && !whole_ && !recordingUs_.empty())
        whole_ = std::make_unique<CorrectedWhole>(recordingUs_);
    standard_ = MakeStandardPage(report_, artifacts_, choices_.bands->bands(), whole_.get());
    standard_.m.artifacts.edited = editedBeats_;
}

void ReportWindow::SetRecordingIntervals(std::vector<int64_t> rrUs) {
    recordingUs_ = std::move(rrUs);
    whole_.reset();
    recompute();
    update();
}

void ReportWindow::SetEditedBeats(int edited) {
    editedBeats_ = edited;
    recompute();
    update();
}

void ReportWindow::SetBands(const BandEdges& bands) {
    choices_.bands->SetBands(bands);
    recompute();
    update();
}

void ReportWindow::SetCorrection(int index) {
    if (correction_->currentIndex() != index) {
        correction_->setCurrentIndex(index);  // comes back here through the signal
        return;
    }
    artifacts_ = choices_.artifacts();
    recompute();
    update();
}

void ReportWindow::SetArtifactOptions(const ArtifactOptions& options) {
    const int choice = CorrectionChoiceOf(options);
    if (choice >= 0) {
        SetCorrection(choice);
        return;
    }
    artifacts_ = options;
    recompute();
    update();
}

void ReportWindow::SetPage(int page) {
    page_ = page == StandardMeasuresPage ? StandardMeasuresPage : ReportPage;
    // The tabs show on both pages, so that the second can be found; the correction belongs
    // to the second alone.
    const bool standard = page_ == StandardMeasuresPage;
    choices_.setVisible(standard);
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(page_);
    if (standard && hasFocus())
        correction_->setFocus();
    else if (!standard && correction_->hasFocus())
        setFocus();
    update();
}

void ReportWindow::StartPainting() {
    readyForPaint_ = true;
    update();
}

void ReportWindow::relayout() {
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance("1");
    const int barH = pageBar_->sizeHint().height();
    pageBar_->setGeometry(0, 0, width(), barH);
    layout_ = ComputeReportLayout(width(), height(), fm.height(), tw, barH);
    standardLayout_ = ComputeStandardLayout(
        {tw, barH + fm.height() / 2, width() - tw, height() - fm.height() / 2}, fm.height(), tw);
}

void ReportWindow::resizeEvent(QResizeEvent*) {
    relayout();
    update();
}

void ReportWindow::paintEvent(QPaintEvent*) {
    if (!readyForPaint_)
        return;  // not even the background: the results are not in yet
    QPainter p(this);
    if (page_ == StandardMeasuresPage) {
        p.fillRect(rect(), Qt::white);
        PaintStandardPage(p, standard_, standardLayout_, ScreenStandardStyle());
        return;
    }
    PaintReport(p, report_, layout_, ScreenReportStyle());
}

bool ReportWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(&device))
        return false;
    PaintReportPage(p, report_, windowTitle(), frComment_, device.width(), device.height(),
                    landscape);
    if (!device.newPage())
        return false;
    PaintStandardPaperPage(p, standard_, windowTitle(), device.width(), device.height());
    return p.end();
}

QImage ReportWindow::renderImage() {
    return RenderToImage(*this);
}

}  // namespace trivant
