// ColourDialog: the choice of one of the 16 standard colours, opened from a colour swatch of
// the options dialog. ColorGrid draws the 4 x 4 cells and tracks the chosen one.
#pragma once

#include <QDialog>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QPushButton;

namespace trivant {

constexpr int kColorCells = 16;
constexpr int kColorGridSide = 4;  // cells per row and per column

// The 4 x 4 grid; cell i holds colour i, row by row. No cell is chosen at first.
class ColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit ColorGrid(const std::array<int32_t, kColorCells>& colors, QWidget* parent = nullptr);

    int chosenCell() const { return chosen_; }
    void chooseCell(int cell);  // -1 clears the choice
    // The cell under a point of the widget, or -1 between or outside the cells.
    int cellAt(const QPoint& p) const;
    QRect cellRect(int cell) const;
    QSize sizeHint() const override;

signals:
    void cellChosen(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const std::array<int32_t, kColorCells>& colors_;
    int chosen_ = -1;
};

class ColourDialog : public QDialog {
    Q_OBJECT
public:
    // 0x00BBGGRR: black, maroon, green, olive, navy, purple, teal, silver, gray, red, lime,
    // yellow, blue, fuchsia, aqua, white.
    static const std::array<int32_t, kColorCells> kColors;
    // The cell of exactly this colour, or -1 when it is not one of the 16.
    static int CellOfColor(int32_t bgr);

    explicit ColourDialog(QWidget* parent = nullptr);

    // Chooses the cell of bgr itself; a colour outside the grid leaves no cell chosen, so
    // confirming unchanged keeps the trace's colour instead of storing a neighbour.
    void Preselect(int32_t bgr);
    std::optional<int32_t> chosenColor() const;
    int chosenCell() const { return colourGrid->chosenCell(); }
    void chooseCell(int cell) { colourGrid->chooseCell(cell); }

    ColorGrid* colourGrid;
    QPushButton* okButton;      // "ОК"
    QPushButton* cancelButton;  // "Отмена"
};

}  // namespace trivant
