// ReviewPanel: the flagged beats of a recording window in a list at its right side, then the
// beats already edited (here or before the file was saved), with the corrections and hand
// edits of the selected one. The window owns the flags and the edits; the panel shows them
// and hands the user's choices back.
#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace trivant {

class RecordingWindow;

class ReviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReviewPanel(RecordingWindow& window);

    // The rows again from the window's flags and edits, the selection kept on the same beat
    // in the same part of the list.
    void Refresh();
    // Selects the first row of beat k (its flag before its edit), or none when k is not
    // listed; a row of k already selected stays.
    void ShowSelected(int k);
    // The beat of the row selected; 0 for none.
    int selectedBeat() const;

    QLabel* L_Count;
    QTableWidget* T_Beats;
    QPushButton *B_Fix, *B_Keep, *B_Delete, *B_Insert, *B_Revert, *B_FixAll, *B_Close;

private:
    struct Row {
        int beat = 0;       // 0: none
        bool flag = false;  // a flagged beat's row, else an edited beat's
        bool operator==(const Row& o) const { return beat == o.beat && flag == o.flag; }
    };
    Row selectedRow() const;
    void select(int row);
    void rowChosen();
    void enableButtons();
    QPushButton* button(const char* name, const QString& text);

    RecordingWindow& window_;
    std::vector<Row> rows_;
    Row chosen_;  // the row selected
};

}  // namespace trivant
