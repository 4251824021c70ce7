// RecordingWindow: creation, labels, geometry and painting.
#include "recording_window.h"

#include "ecg_strip_feed.h"
#include "ecg_strip_paint.h"
#include "graph_print.h"
#include "review_panel.h"
#include "window_layout.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;      // the form font
constexpr int kNameFontPixels = 12;  // bold series names
constexpr int kTimerMs = 100;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

void boldLabel(QLabel* l, int pixels) {
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(pixels);
    l->setFont(f);
}

void place(QLabel* l, int x, int y) {
    l->adjustSize();
    l->move(x, y);
}

}  // namespace

RecordingWindow::RecordingWindow(GraphHost& host, QWidget* parent)
    : QWidget(parent), host_(host), rec_(std::make_unique<Recording>()), recorder_(*rec_, *this) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(kMinGraphWidth, kMinGraphHeight);
    view_.AutoRR = host_.AutoRRRange();
    createLabels();
    SB = new QScrollBar(Qt::Horizontal, this);
    SB->setObjectName("SB");
    SB->setRange(0, kScrollRange);
    connect(SB, &QScrollBar::valueChanged, this, &RecordingWindow::SBChange);
    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimerMs);
    connect(Timer1, &QTimer::timeout, this, &RecordingWindow::Timer1Timer);
    createMenus();
    addTimeAxisItem();
    UpdateColors();
    resize(800, 600);
}

RecordingWindow::~RecordingWindow() = default;

void RecordingWindow::createLabels() {
    L_NRR = makeLabel(this, "L_NRR", tr("NN, мс"));
    L_NSPO = makeLabel(this, "L_NSPO", "SpO2, %");
    L_NSYM = makeLabel(this, "L_NSYM", tr("СИМ"));
    L_NPAR = makeLabel(this, "L_NPAR", tr("ПАР"));
    L_NSDNN = makeLabel(this, "L_NSDNN", "SDNN");
    L_NIB50 = makeLabel(this, "L_NIB50", tr("ИБ"));
    L_Status = makeLabel(this, "L_Status");
    for (QLabel* l : {L_NRR, L_NSPO, L_NSYM, L_NPAR, L_NSDNN, L_Status})
        boldLabel(l, kNameFontPixels);
    boldLabel(L_NIB50, kFontPixels);
    L_RR = makeLabel(this, "L_RR");
    L_SPO = makeLabel(this, "L_SPO");
    L_SYM = makeLabel(this, "L_SYM");
    L_PAR = makeLabel(this, "L_PAR");
    L_SDNN = makeLabel(this, "L_SDNN");
    L_IB50 = makeLabel(this, "L_IB50");
    L_Aver = makeLabel(this, "L_Aver", tr("Среднее"));
    L_RRaver = makeLabel(this, "L_RRaver");
    L_SPOaver = makeLabel(this, "L_SPOaver");
    L_SYMaver = makeLabel(this, "L_SYMaver");
    L_PARaver = makeLabel(this, "L_PARaver");
    L_SDNNaver = makeLabel(this, "L_SDNNaver");
    L_IB50aver = makeLabel(this, "L_IB50aver");
    L_NMODA = makeLabel(this, "L_NMODA", tr("Moda"));  // "Mode" in English
    L_NAMO = makeLabel(this, "L_NAMO", "AMo");
    L_NDX = makeLabel(this, "L_NDX", tr("ВР"));
    L_NNUM = makeLabel(this, "L_NNUM", "NN #");
    L_NTime = makeLabel(this, "L_NTime", tr("Время"));
    L_Moda = makeLabel(this, "L_Moda");
    L_AMo = makeLabel(this, "L_AMo");
    L_DeltaX = makeLabel(this, "L_DeltaX");
    L_N = makeLabel(this, "L_N");
    L_Time = makeLabel(this, "L_Time");
}

void RecordingWindow::placeLabels() {
    const GraphLayout& g = layout_;
    const std::array<QLabel*, 7> names{L_NRR, L_NSPO, L_NSYM, L_NPAR, L_NSDNN, L_NIB50, L_Status};
    const std::array<QLabel*, 6> values{L_RR, L_SPO, L_SYM, L_PAR, L_SDNN, L_IB50};
    const std::array<QLabel*, 6> avers{L_RRaver,  L_SPOaver,  L_SYMaver,
                                       L_PARaver, L_SDNNaver, L_IB50aver};
    const std::array<QLabel*, 5> histoNames{L_NMODA, L_NAMO, L_NDX, L_NNUM, L_NTime};
    const std::array<QLabel*, 5> histoValues{L_Moda, L_AMo, L_DeltaX, L_N, L_Time};
    for (size_t i = 0; i < names.size(); ++i)
        place(names[i], g.namesX, g.TH * int(i + 1));
    for (size_t i = 0; i < values.size(); ++i)
        place(values[i], g.valuesX, g.TH * int(i + 1));
    for (size_t i = 0; i < avers.size(); ++i)
        place(avers[i], g.aversX, g.TH * int(i + 1));
    place(L_Aver, g.averHeadX, 0);
    for (size_t i = 0; i < histoNames.size(); ++i) {
        place(histoNames[i], g.histoNamesX, g.TH * int(i + 1));
        place(histoValues[i], g.histoValuesX, g.TH * int(i + 1));
    }
}

void RecordingWindow::UpdateColors() {
    const Setup& s = host_.setup();
    const std::array<QLabel*, 6> names{L_NRR, L_NSPO, L_NSYM, L_NPAR, L_NSDNN, L_NIB50};
    for (int i = 0; i < 6; ++i) {
        QPalette pal = names[i]->palette();
        pal.setColor(QPalette::WindowText, ColorFromBgr(s.Traces[i].Color));
        names[i]->setPalette(pal);
    }
    L_NIB50->setVisible(true);
}

void RecordingWindow::refreshGrid() {
    applyZoom();
    const QFontMetrics fm(font());
    grid_ = ComputeTimeGrid(
        layout_.rGr1.width(), view_.XMult, view_.XPos, layout_.TW,
        [&fm](const std::string& t) { return fm.horizontalAdvance(QString::fromStdString(t)); },
        view_.XDiv);
    SB->setSingleStep(grid_.smallChange);
    SB->setPageStep(grid_.largeChange);
}

void RecordingWindow::resizeEvent(QResizeEvent*) {
    relayout();
}

void RecordingWindow::relayout() {
    // The strip takes the bottom of the window and the review panel its right side; the
    // panels keep the rest as they were.
    const int side = reviewWidth();
    const int w = width() - side;
    if (review_)
        review_->setGeometry(w, 0, side, height());
    const int strip = ecgStripHeight();
    ecgArea_ = EcgStripArea(w, height(), strip, QFontMetrics(font()).horizontalAdvance("1"));
    layout_ = WindowGraphLayout(QSize(w, height() - strip), OuterWidth(*this) - side, font(),
                                view_.TimeAxis ? 1 : 0);
    SB->setGeometry(layout_.sb.Left, layout_.sb.Top, layout_.sb.width(), kScrollBarHeight);
    placeLabels();
    refreshGrid();
    if (rec_->RREventEnabled)
        view_.XPos = RealignXPos(layout_.rGr1.width(), rec_->CurrentFileLen, view_.XMult,
                                 grid_.XGridStep, view_.XDiv);
    update();
}

GraphScene RecordingWindow::scene() const {
    GraphScene sc;
    sc.rec = rec_.get();
    sc.layout = layout_;
    sc.style = TraceStyleFrom(host_.setup());
    sc.view = view_;
    sc.ecg = ecgShown() ? ecg_.get() : nullptr;
    sc.flags = &flags_;
    sc.edits = &edits_;
    return sc;
}

void RecordingWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    if (!readyForPaint_)
        return;
    refreshGrid();
    const GraphScene sc = scene();
    PaintGraph(p, sc, grid_);
    if (sc.ecg)
        PaintEcgStrip(p, sc, ecgArea_, logicalDpiX(), layout_.rGr1.width(), {});
}

bool RecordingWindow::MyPrint(QPaintDevice& device) {
    QPainter p(&device);
    if (!p.isActive())
        return false;
    PrintGraphPage(p, scene(), windowTitle().toStdString(),
                   QFontMetrics(font()).horizontalAdvance("0"));
    return true;
}

QImage RecordingWindow::renderImage() {
    return RenderToImage(*this);
}

void RecordingWindow::SetLabel(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();  // the labels sit in no layout
}

void RecordingWindow::setAverageTexts() {
    const Recording& r = *rec_;
    SetLabel(L_RRaver, QString::number(r.averRR));
    SetLabel(L_SPOaver, r.HasSpO2() ? QString::number(r.averSPO) : QString());
    SetLabel(L_SYMaver, QString::number(r.averSYM));
    SetLabel(L_PARaver, QString::number(r.averPAR));
    SetLabel(L_SDNNaver, QString::number(r.averSDNN));
    SetLabel(L_IB50aver, QString::number(r.averIB50));
}

void RecordingWindow::setAveragesVisible(bool visible) {
    for (QLabel* l : {L_Aver, L_RRaver, L_SPOaver, L_SYMaver, L_PARaver, L_SDNNaver, L_IB50aver})
        l->setVisible(visible);
}

void RecordingWindow::setHistoTexts() {
    SetLabel(L_Moda, QString::number(rec_->Histo.Moda * 10) + tr(" мс"));
    SetLabel(L_AMo, QString::number(rec_->Histo.AMo));
    SetLabel(L_DeltaX, QString::number(rec_->Histo.DeltaX * 10) + tr(" мс"));
}

void RecordingWindow::ChooseRRRange(int range) {
    view_.AutoRR = range == kAutoRange;
    if (range != kAutoRange)
        rec_->ScRR = range;
    host_.SetAutoRRRange(view_.AutoRR);
}

void RecordingWindow::SetXPos(int xPos) {
    view_.XPos = xPos;
}

void RecordingWindow::SetFileName(const std::string& name) {
    fileName_ = name;
}

void RecordingWindow::SetSaved(bool saved) {
    saved_ = saved;
}

void RecordingWindow::setTitle(const std::string& name) {
    fileName_ = name;
    setWindowTitle(tr(name.c_str()));
}

}  // namespace trivant
