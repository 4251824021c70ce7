// ColourDialog and its ColorGrid: painting, hit-testing and keyboard moves over the 16 cells.
#include "colour_dialog.h"

#include "dialog_buttons.h"

#include "paint_kit.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace trivant {

namespace {

constexpr int kCellSide = 24;  // pixels, square cells
constexpr int kCellGap = 4;    // pixels between cells and around the grid
constexpr int kMarkWidth = 2;  // frame of the chosen cell

}  // namespace

const std::array<int32_t, kColorCells> ColourDialog::kColors{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

int ColourDialog::CellOfColor(int32_t bgr) {
    const auto it = std::find(kColors.begin(), kColors.end(), bgr);
    return it == kColors.end() ? -1 : int(it - kColors.begin());
}

ColorGrid::ColorGrid(const std::array<int32_t, kColorCells>& colors, QWidget* parent)
    : QWidget(parent), colors_(colors) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

QSize ColorGrid::sizeHint() const {
    const int side = kColorGridSide * (kCellSide + kCellGap) + kCellGap;
    return {side, side};
}

QRect ColorGrid::cellRect(int cell) const {
    const int col = cell % kColorGridSide;
    const int row = cell / kColorGridSide;
    return {kCellGap + col * (kCellSide + kCellGap), kCellGap + row * (kCellSide + kCellGap),
            kCellSide, kCellSide};
}

int ColorGrid::cellAt(const QPoint& p) const {
    for (int i = 0; i < kColorCells; ++i)
        if (cellRect(i).contains(p))
            return i;
    return -1;
}

void ColorGrid::chooseCell(int cell) {
    const int next = cell >= 0 && cell < kColorCells ? cell : -1;
    if (next == chosen_)
        return;
    chosen_ = next;
    update();
    emit cellChosen(chosen_);
}

void ColorGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    for (int i = 0; i < kColorCells; ++i) {
        const QRect r = cellRect(i);
        p.fillRect(r, ColorFromBgr(colors_[i]));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (chosen_ < 0)
        return;
    // A frame in the gap around the cell stays visible whatever the cell's colour.
    const QRect mark =
        cellRect(chosen_).adjusted(-kMarkWidth, -kMarkWidth, kMarkWidth - 1, kMarkWidth - 1);
    QPen pen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::WindowText));
    pen.setWidth(kMarkWidth);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(mark);
}

void ColorGrid::mousePressEvent(QMouseEvent* event) {
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0)
        chooseCell(cell);
}

void ColorGrid::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -kColorGridSide;
        break;
    case Qt::Key_Down:
        step = kColorGridSide;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (chosen_ < 0) {
        chooseCell(0);
        return;
    }
    const int next = chosen_ + step;
    if (next >= 0 && next < kColorCells)
        chooseCell(next);
}

ColourDialog::ColourDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ColourDialog");
    setWindowTitle(tr("Цвет"));
    colourGrid = new ColorGrid(kColors, this);
    colourGrid->setObjectName("colourGrid");
    const DialogButtons buttons = MakeDialogButtons(this, tr("ОК"), tr("Отмена"));
    okButton = buttons.okButton;
    cancelButton = buttons.cancelButton;
    auto* main = new QVBoxLayout(this);
    main->addWidget(colourGrid, 0, Qt::AlignHCenter);
    main->addLayout(buttons.row);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void ColourDialog::Preselect(int32_t bgr) {
    chooseCell(CellOfColor(bgr));
    colourGrid->setFocus();
}

std::optional<int32_t> ColourDialog::chosenColor() const {
    const int cell = chosenCell();
    if (cell < 0)
        return std::nullopt;
    return kColors[cell];
}

}  // namespace trivant
