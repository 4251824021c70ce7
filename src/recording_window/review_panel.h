// ReviewPanel: the flagged beats of a recording window in a list at its right side, with
// the corrections and hand edits of the selected one. The window owns the flags and the
// edits; the panel shows them and hands the user's choices back.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace trivant {

class RecordingWindow;

class ReviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReviewPanel(RecordingWindow& window);

    // The rows again from the window's flags, the selection kept on the same beat.
    void Refresh();
    // Selects the row of beat k, or none when k is not flagged.
    void ShowSelected(int k);
    // The beat of the row selected; 0 for none.
    int selectedBeat() const;

    QLabel* L_Count;
    QTableWidget* T_Beats;
    QPushButton *B_Fix, *B_Keep, *B_Delete, *B_Insert, *B_Revert, *B_FixAll, *B_Close;

private:
    void rowChosen();
    void enableButtons();
    QPushButton* button(const char* name, const QString& text);

    RecordingWindow& window_;
    int chosen_ = 0;  // the beat of the row selected, 0 for none
};

}  // namespace trivant
