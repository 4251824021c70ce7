// OptionsDialog: the options dialog that edits the settings record, with colour swatches that
// open the colour dialog and change a trace's colour at once.
#pragma once

#include "setup.h"
#include "strap_choice.h"
#include "strap_link.h"

#include <QDialog>
#include <QFrame>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QTimer;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace trivant {

class DialogRunner;
class ColourDialog;

// A small frame filled with a trace colour it reads on every paint; a press reports itself.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    ColorSwatch(const int32_t& bgr, QWidget* parent = nullptr);
    QColor color() const;

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const int32_t& bgr_;  // a trace's Color in the settings record
};

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(Setup& setup, DialogRunner& runner, QWidget* parent = nullptr);

    // Loads the controls, shows the dialog and on OK stores them back; true on OK.
    // A colour chosen meanwhile stays in the settings either way.
    bool Execute();
    void LoadFromSetup();
    void StoreToSetup();
    // What a press on the swatch of this series does; nothing for a series without one.
    void clickSwatch(int series);
    // Global top-left at which the colour dialog opens for the swatch of this series.
    QPoint colorDialogPos(int series) const;

    QSpinBox* UD_Sample() const { return E_Sample; }  // the arrows belong to the field
    QSpinBox* UD_BarW() const { return E_BarW; }

    QTabWidget* tabs;
    QCheckBox *CB_RR, *CB_SYM, *CB_PAR, *CB_SpO2, *CB_SDNN, *CB_IB, *CB_Labels;
    ColorSwatch *Shape_RR, *Shape_SYM, *Shape_PAR, *Shape_SpO2, *Shape_SDNN, *Shape_IB,
        *Shape_Labels;
    QComboBox* lineWidthCombo;  // line width
    QSpinBox* E_Sample;
    QSpinBox* E_BarW;
    // The straps for the device choice: link scans (null: this build has no Bluetooth), and
    // choice is read by LoadFromSetup and written by StoreToSetup.
    void SetStraps(StrapLink* link, StrapChoice* choice);
    static constexpr int kStrapDeviceItem = 2;  // deviceCombo's item for a strap

    QComboBox* deviceCombo;  // device model
    QComboBox* portCombo;    // port
    QComboBox* CB_Baud;
    QComboBox* strapCombo;   // the straps found, the chosen one first; data: the address
    QPushButton* strapScan;  // "Найти датчики"
    QLabel* L_Strap;         // what the scan is doing, or why it can't
    QCheckBox *CB_IbCount, *CB_AutoStop, *CB_AutoSaveSetup;
    QPushButton* okButton;      // "OK"
    QPushButton* cancelButton;  // "Отмена"

private:
    struct TraceControls {
        int series;
        QCheckBox* shown;
        ColorSwatch* swatch;
    };

    QWidget* createGraphTab();
    QWidget* createHistoTab();
    QWidget* createSystemTab();
    void addStrapRows(QFormLayout* form, QWidget* page);
    void deviceChosen();
    void startStrapScan();
    void showStraps();
    void loadStrap();
    void storeStrap();
    const TraceControls* traceControls(int series) const;

    Setup& setup_;
    DialogRunner& runner_;
    StrapLink* strapLink_ = nullptr;
    StrapChoice* strapChoice_ = nullptr;
    QTimer* scanTimer_ = nullptr;
    ColourDialog* FormColor;  // created once, reused for every swatch
    std::array<TraceControls, 7> traces_{};
};

}  // namespace trivant
