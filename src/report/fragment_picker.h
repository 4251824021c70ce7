// FragmentPicker: the modal dialog in which the user picks the start of a 5-minute fragment on a
// per-second overview of the recording. Geometry, hit-testing and painting are plain
// functions; the dialog holds the view state, the buttons and the scroll bar.
#pragma once

#include "clock_time.h"
#include "fragment_analysis.h"
#include "rect.h"
#include "scale_ranges.h"

#include <QColor>
#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QScrollBar;

namespace trivant {

constexpr int kSelScrollMax = 30000;   // the scroll bar's least range, in overview seconds
constexpr int kSelFirstGridStep = 30;  // seconds (= pixels) between time lines, and its growth
constexpr int kSelValueTicks = 5;

struct SelectionLayout {
    int TW = 0, TH = 0;  // width and height of "0" in the dialog's font
    Rect R_AxX, R_AxY, R_Gr;
    int sbTop = 0;  // the scroll bar's top edge
    // A click counts strictly inside this rectangle.
    Rect clickArea() const { return {R_Gr.Left - 1, 0, R_Gr.Right, R_AxX.Bottom}; }
};
SelectionLayout ComputeSelectionLayout(int width, int sbTop, int tw, int th);

// 30, grown by 30 until the widest time text fits.
int SelectionGridStep(int timeTextWidth);
// The scroll position kept within the overview, and the view start at the grid line at or
// before it.
int ClampScroll(int position, int bufLen);
int SnapToGrid(int position, int xGridStep);
// OK is usable while 300 overview seconds follow the start.
bool FragmentFits(int bufLen, int fragPos);
// "00:00:00 - 00:05:00", then the clock times "(22:15:00 - 22:20:00)" where the clock of the
// overview's second 0 (startClockS) is known.
std::string FragmentText(int fragPos, int64_t startClockS = kNoClock);
// The clock at the overview's second 0, the end of the first interval (whole seconds begun);
// kNoClock when the recording's start is not known.
int64_t OverviewStartClock(const Recording& rec);
// The overview's second at which a clock time typed in ("hh:mm" or "hh:mm:ss") is next
// reached; nothing when the text is no such time or the clock is not known.
std::optional<int> FragPosAtClock(const std::string& text, int64_t startClockS);
// The second a left click at (x, y) chooses, or nothing outside the click area.
std::optional<int> FragPosAt(const SelectionLayout& layout, int x, int y, int xPos);
// The first NN scale whose upper value reaches the largest of RRViewBuf[1 .. BufLen - 1].
ScaleRange OverviewRange(const std::vector<uint8_t>& rrViewBuf, int bufLen);
// Where the overview of a graph window opens: its first xPos intervals, in whole seconds.
int OverviewStartSecond(const Recording& rec, int xPos);

// Pixel spans [left, right) of the fragment bar; the red part lies beyond the recording.
struct FragmentBarSpans {
    int greenLeft = 0, greenRight = 0;
    int redLeft = 0, redRight = 0;  // empty when the fragment fits
};
FragmentBarSpans FragmentBars(const Rect& gr, int xPos, int fragPos, int bufLen);

// Everything the overview paint reads.
struct SelectionScene {
    SelectionLayout layout;
    const std::vector<uint8_t>* RRViewBuf = nullptr;
    int BufLen = 0, XPos = 0, FragPos = 0;
    int XGridStep = kSelFirstGridStep, XGridTick = 0;
    QColor traceColor = Qt::black;  // the NN trace of the settings
    int lineWidth = 1;
    int sbBottom = 0;  // the white background reaches down to here
};
void PaintSelection(QPainter& p, const SelectionScene& scene);

class FragmentPicker : public QDialog {
    Q_OBJECT
public:
    explicit FragmentPicker(QWidget* parent = nullptr);

    void SetOverview(const Overview& overview);
    void SetTraceStyle(const QColor& color, int lineWidth);
    // The clock at the overview's second 0 (OverviewStartClock): where known, the fragment's
    // clock times are shown and a start may be typed in as a clock time.
    void SetStartClock(int64_t startClockS);
    // The start typed in E_Clock, chosen and brought into view; a hint when it is no time.
    void ClockEntered();
    // Opens the view at second xPos (snapped once the scroll bar moves) with FragPos fragPos.
    void Start(int xPos, int fragPos = 0);
    void SBChange(int position);
    const SelectionLayout& layout() const { return layout_; }
    SelectionScene scene() const;
    QImage renderImage();

    // The per-second overview, its length, the first second in view, the chosen start and
    // the time grid.
    const std::vector<uint8_t>& RRViewBuf() const { return rrViewBuf_; }
    int BufLen() const { return bufLen_; }
    int XPos() const { return xPos_; }
    int FragPos() const { return fragPos_; }
    int XGridStep() const { return xGridStep_; }
    int XGridTick() const { return xGridTick_; }

    QLabel *fragmentCaption, *L_Frag;
    // What to do, or, when the chosen start runs past the recording, the latest start there is.
    QLabel* L_Hint;
    QPushButton *B_Ok, *B_Cancel;
    QLabel* clockCaption;
    QLineEdit* E_Clock;  // hh:mm[:ss]; shown only when the clock is known
    QScrollBar* SB;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showChoice();
    void placeControls();
    void placeHint();

    std::vector<uint8_t> rrViewBuf_;
    int bufLen_ = 0, xPos_ = 0, fragPos_ = 0;
    int xGridStep_ = kSelFirstGridStep, xGridTick_ = 0;
    SelectionLayout layout_;
    QColor traceColor_ = Qt::black;
    int lineWidth_ = 1;
    int64_t startClockS_ = kNoClock;
};

}  // namespace trivant
