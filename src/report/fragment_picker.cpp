// FragmentPicker: overview geometry, the choice of the start second, the overview paint and the
// dialog around them. One pixel of the overview is one second.
#include "fragment_picker.h"

#include "grid_paint.h"
#include "paint_kit.h"
#include "report_paint.h"
#include "time_text.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLine>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVector>

#include <algorithm>

namespace trivant {

namespace {

const QColor kFits(0, 128, 0);
const QColor kBeyond(255, 0, 0);

constexpr int kFontPixels = 11;  // the form font
constexpr int kClientHeight = 236;
constexpr int kScreenMargin = 10;  // from the left screen edge, and on the right
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kGap = 6;     // between the scroll bar, the buttons and the bottom edge
constexpr int kBarTop = 2;  // the fragment bar's strip, above the drawing

int overviewAt(const SelectionScene& sc, int k) {
    const std::vector<uint8_t>& buf = *sc.RRViewBuf;
    return k >= 1 && k <= sc.BufLen && k < int(buf.size()) ? buf[k] : 0;
}

// Time lines every XGridStep seconds with the time under each, value lines with the NN scale.
GridPlacement selectionGrid(const SelectionScene& sc, const ScaleRange& range) {
    const SelectionLayout& L = sc.layout;
    GridPlacement g;
    g.time.panels = {L.R_Gr};
    for (int c = 0; c <= sc.XGridTick; ++c)
        g.time.marks.push_back({L.R_Gr.Left + c * sc.XGridStep,
                                QString::fromStdString(TimeText(sc.XPos + c * sc.XGridStep))});
    g.time.numberShift = L.TW;
    ScaleNumbers ms;
    ms.x = L.TW / 2;
    ms.color = sc.traceColor;
    for (int c = 0; c <= kSelValueTicks; ++c)
        ms.texts.push_back(QString::number(
            (range.lower + c * ((range.upper - range.lower) / kSelValueTicks)) * 10));
    g.value = {{L.R_Gr, {ms}}};
    g.ticks = kSelValueTicks;
    g.textHeight = L.TH;
    return g;
}

void drawTrace(QPainter& p, const SelectionScene& sc, const ScaleRange& range) {
    const Rect& g = sc.layout.R_Gr;
    auto row = [&](int k) { return ValueToRow(overviewAt(sc, k), range.lower, range.upper, g); };
    QVector<QLine> lines;
    for (int i = 1; g.Left + i < g.Right; ++i) {
        const int from = i == 1 ? sc.XPos + 1 : sc.XPos + i - 1;
        lines.append(QLine(g.Left + i, row(from), g.Left + i + 1, row(sc.XPos + i)));
        if (sc.XPos + i + 1 > sc.BufLen - 1)
            break;  // the first line is drawn even for the shortest overview
    }
    p.setPen(QPen(sc.traceColor, sc.lineWidth));
    p.drawLines(lines);
}

void drawFragmentBar(QPainter& p, const SelectionScene& sc) {
    const FragmentBarSpans b = FragmentBars(sc.layout.R_Gr, sc.XPos, sc.FragPos, sc.BufLen);
    const int bottom = sc.layout.R_Gr.Top - 2;
    if (b.greenRight > b.greenLeft)
        p.fillRect(ToQRect({b.greenLeft, kBarTop, b.greenRight, bottom}), kFits);
    if (b.redRight > b.redLeft)
        p.fillRect(ToQRect({b.redLeft, kBarTop, b.redRight, bottom}), kBeyond);
}

}  // namespace

SelectionLayout ComputeSelectionLayout(int width, int sbTop, int tw, int th) {
    SelectionLayout L;
    L.TW = tw;
    L.TH = th;
    L.sbTop = sbTop;
    L.R_AxX = {6 * tw, sbTop - 2 * th, width - tw, sbTop};
    L.R_Gr = {6 * tw, th, width - tw, sbTop - 2 * th};
    L.R_AxY = {0, th, 6 * tw, sbTop - 2 * th};
    return L;
}

int SelectionGridStep(int timeTextWidth) {
    int step = kSelFirstGridStep;
    while (step < timeTextWidth)
        step += kSelFirstGridStep;
    return step;
}

int ClampScroll(int position, int bufLen) {
    return std::min(position, bufLen);
}

int SnapToGrid(int position, int xGridStep) {
    return xGridStep > 0 ? xGridStep * (position / xGridStep) : position;
}

bool FragmentFits(int bufLen, int fragPos) {
    return bufLen >= fragPos + kFragmentSeconds;
}

std::string FragmentText(int fragPos, int64_t startClockS) {
    const std::string elapsed = TimeText(fragPos) + " - " + TimeText(fragPos + kFragmentSeconds);
    if (startClockS == kNoClock)
        return elapsed;
    return elapsed + " (" + ClockText(startClockS + fragPos) + " - " +
           ClockText(startClockS + fragPos + kFragmentSeconds) + ")";
}

int64_t OverviewStartClock(const Recording& rec) {
    if (rec.StartClockS == kNoClock)
        return kNoClock;
    return rec.StartClockS + (rec.beats() > 0 ? rec.intervalUs(1) / 1000000 : 0);
}

std::optional<int> FragPosAtClock(const std::string& text, int64_t startClockS) {
    int second = 0;
    if (startClockS == kNoClock || !ParseClockOfDay(text, second))
        return std::nullopt;
    return static_cast<int>(SecondsToClockOfDay(startClockS, second));
}

std::optional<int> FragPosAt(const SelectionLayout& layout, int x, int y, int xPos) {
    if (!layout.clickArea().contains(x, y))
        return std::nullopt;
    return x - layout.R_Gr.Left + xPos;
}

ScaleRange OverviewRange(const std::vector<uint8_t>& rrViewBuf, int bufLen) {
    int largest = 0;
    for (int k = 1; k <= bufLen - 1 && k < int(rrViewBuf.size()); ++k)
        largest = std::max(largest, int(rrViewBuf[k]));
    for (int i = 0; i < ScaleRanges::kRows - 1; ++i)
        if (ScaleRanges::RR[i].upper >= largest)
            return ScaleRanges::RR[i];
    return ScaleRanges::RR[ScaleRanges::kRows - 1];
}

int OverviewStartSecond(const Recording& rec, int xPos) {
    int64_t sum = 0;  // 10 ms units
    const int last = std::min({xPos, rec.CurrentFileLen - 1, rec.capacity()});
    for (int k = 1; k <= last; ++k)
        sum += rec.at(kSerRR, k);
    return static_cast<int>(sum / 100);
}

FragmentBarSpans FragmentBars(const Rect& gr, int xPos, int fragPos, int bufLen) {
    // Clipped to the drawing's columns: the strip above them is all a click repaints.
    auto x = [&](int s) { return std::clamp(gr.Left + s - xPos, gr.Left, gr.Right); };
    const int start = std::clamp(gr.Left + fragPos - xPos + 1, gr.Left, gr.Right);
    const int end = x(fragPos + kFragmentSeconds);
    FragmentBarSpans b;
    b.greenLeft = start;
    if (bufLen > fragPos + kFragmentSeconds) {
        b.greenRight = end;
        return b;
    }
    b.greenRight = x(bufLen);
    b.redLeft = x(bufLen);
    b.redRight = end;
    return b;
}

void PaintSelection(QPainter& p, const SelectionScene& sc) {
    const SelectionLayout& L = sc.layout;
    const ScaleRange range = OverviewRange(*sc.RRViewBuf, sc.BufLen);
    p.fillRect(ToQRect({0, 0, L.R_Gr.Right, sc.sbBottom}), Qt::white);
    p.setPen(Qt::black);
    Outline(p, L.R_Gr);
    DrawGrid(p, selectionGrid(sc, range));
    p.setPen(Qt::black);
    drawTrace(p, sc, range);
    drawFragmentBar(p, sc);
    p.setPen(QPen(Qt::black, 1));
}

FragmentPicker::FragmentPicker(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Выбор 5-минутного фрагмента"));
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    fragmentCaption = new QLabel(tr("Фрагмент : "), this);
    L_Frag = new QLabel("--", this);
    L_Hint = new QLabel(this);
    L_Hint->setObjectName("L_Hint");
    B_Ok = new QPushButton(tr("Ok"), this);
    B_Ok->setDefault(true);
    B_Cancel = new QPushButton(tr("Отмена"), this);
    clockCaption = new QLabel(tr("Начало в :"), this);
    E_Clock = new QLineEdit(this);
    E_Clock->setObjectName("E_Clock");
    E_Clock->setPlaceholderText(tr("чч:мм:сс"));
    clockCaption->hide();
    E_Clock->hide();
    connect(E_Clock, &QLineEdit::returnPressed, this, &FragmentPicker::ClockEntered);
    SB = new QScrollBar(Qt::Horizontal, this);
    SB->setRange(0, kSelScrollMax);
    SB->setPageStep(0);
    connect(B_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(B_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SB, &QScrollBar::valueChanged, this, &FragmentPicker::SBChange);
    const QFontMetrics fm(font());
    xGridStep_ = SelectionGridStep(fm.horizontalAdvance("00:00:00"));
    const QRect screen = (parent ? parent->screen() : QGuiApplication::primaryScreen())->geometry();
    resize(screen.width() - 2 * kScreenMargin, kClientHeight);
    move(screen.left() + kScreenMargin, screen.top() + (screen.height() - kClientHeight) / 2);
    placeControls();  // a hidden dialog gets its resize event only when shown
}

void FragmentPicker::SetOverview(const Overview& overview) {
    rrViewBuf_ = overview.RRViewBuf;
    bufLen_ = overview.BufLen;
    // A day or a week scrolls to its end; shorter recordings keep the bar they had.
    SB->setRange(0, std::max(kSelScrollMax, bufLen_));
}

void FragmentPicker::SetTraceStyle(const QColor& color, int lineWidth) {
    traceColor_ = color;
    lineWidth_ = lineWidth;
}

void FragmentPicker::SetStartClock(int64_t startClockS) {
    startClockS_ = startClockS;
    clockCaption->setVisible(startClockS != kNoClock);
    E_Clock->setVisible(startClockS != kNoClock);
    showChoice();
}

void FragmentPicker::ClockEntered() {
    const std::optional<int> pos =
        FragPosAtClock(E_Clock->text().trimmed().toStdString(), startClockS_);
    if (!pos) {
        L_Hint->setText(tr("Время начала пишется как чч:мм или чч:мм:сс"));
        L_Hint->adjustSize();
        return;
    }
    Start(*pos, *pos);
}

void FragmentPicker::Start(int xPos, int fragPos) {
    xPos_ = xPos;
    fragPos_ = fragPos;
    SB->setValue(xPos);  // a change of position snaps the view through SBChange
    showChoice();
}

void FragmentPicker::SBChange(int position) {
    const int clamped = ClampScroll(position, bufLen_);
    if (SB->value() != clamped) {
        const QSignalBlocker quiet(SB);
        SB->setValue(clamped);
    }
    xPos_ = SnapToGrid(clamped, xGridStep_);
    update();
}

void FragmentPicker::showChoice() {
    const bool fits = FragmentFits(bufLen_, fragPos_);
    B_Ok->setEnabled(fits);
    L_Frag->setText(QString::fromStdString(FragmentText(fragPos_, startClockS_)));
    L_Frag->adjustSize();
    if (fits)
        L_Hint->setText(tr("Щёлкните по ритмограмме там, где начинается фрагмент; полоса "
                           "под ней листает запись."));
    else if (bufLen_ >= kFragmentSeconds)
        L_Hint->setText(tr("Фрагмент выходит за конец записи: последнее возможное начало %1")
                            .arg(QString::fromStdString(TimeText(bufLen_ - kFragmentSeconds))));
    else
        L_Hint->setText(tr("Запись короче 5 минут: фрагмент не помещается."));
    L_Hint->adjustSize();
    placeHint();
}

// Right of the fragment's times, on the buttons' row.
void FragmentPicker::placeHint() {
    L_Hint->move(L_Frag->geometry().right() + 1 + 4 * layout_.TW, L_Frag->y());
}

void FragmentPicker::placeControls() {
    const QFontMetrics fm(font());
    const int buttonTop = height() - kButtonHeight - kGap;
    const int sbTop = buttonTop - kGap - SB->sizeHint().height();
    layout_ = ComputeSelectionLayout(width(), sbTop, fm.horizontalAdvance("0"), fm.height());
    SB->setGeometry(layout_.R_AxX.Left, sbTop, layout_.R_AxX.width(), SB->sizeHint().height());
    B_Cancel->setGeometry(width() - kButtonWidth * 3 / 2, buttonTop, kButtonWidth, kButtonHeight);
    B_Ok->setGeometry(B_Cancel->x() - kButtonWidth * 5 / 4, buttonTop, kButtonWidth, kButtonHeight);
    const int clockWidth = fm.horizontalAdvance("00:00:00") + 2 * kGap;
    E_Clock->setGeometry(B_Ok->x() - kButtonWidth / 4 - clockWidth, buttonTop, clockWidth,
                         kButtonHeight);
    clockCaption->adjustSize();
    clockCaption->move(E_Clock->x() - clockCaption->width() - layout_.TW / 2,
                       buttonTop + (kButtonHeight - fm.height()) / 2);
    const int labelTop = buttonTop + (kButtonHeight - fm.height()) / 2;
    fragmentCaption->adjustSize();
    fragmentCaption->move(layout_.TW, labelTop);
    L_Frag->move(fragmentCaption->geometry().right() + 1, labelTop);
    placeHint();
    xGridTick_ = layout_.R_Gr.width() / xGridStep_;
    SB->setSingleStep(xGridStep_);
    SB->setPageStep(xGridStep_ * std::max(xGridTick_ - 1, 0));
}

SelectionScene FragmentPicker::scene() const {
    SelectionScene sc;
    sc.layout = layout_;
    sc.RRViewBuf = &rrViewBuf_;
    sc.BufLen = bufLen_;
    sc.XPos = xPos_;
    sc.FragPos = fragPos_;
    sc.XGridStep = xGridStep_;
    sc.XGridTick = xGridTick_;
    sc.traceColor = traceColor_;
    sc.lineWidth = lineWidth_;
    sc.sbBottom = SB->geometry().bottom() + 1;
    return sc;
}

void FragmentPicker::showEvent(QShowEvent* event) {
    showChoice();
    QDialog::showEvent(event);
}

void FragmentPicker::resizeEvent(QResizeEvent* event) {
    placeControls();
    QDialog::resizeEvent(event);
}

void FragmentPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintSelection(p, scene());
}

void FragmentPicker::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<int> pos =
        FragPosAt(layout_, event->position().toPoint().x(), event->position().toPoint().y(), xPos_);
    if (!pos)
        return;
    fragPos_ = *pos;
    showChoice();
    update(ToQRect({layout_.R_Gr.Left, 0, layout_.R_Gr.Right, layout_.R_Gr.Top - 1}));
}

QImage FragmentPicker::renderImage() {
    return RenderToImage(*this);
}

}  // namespace trivant
