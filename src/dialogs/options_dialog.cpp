// OptionsDialog: building the three tabs, moving values between the controls and the settings
// record, and the colour swatches.
#include "options_dialog.h"

#include "dialog_buttons.h"

#include "colour_dialog.h"
#include "dialog_runner.h"
#include "paint_kit.h"
#include "recording.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace trivant {

namespace {

constexpr int kSwatchWidth = 40;  // pixels
constexpr int kSwatchHeight = 16;
// Where the colour dialog opens relative to the dialog's top-left and the swatch.
constexpr int kColorDialogDx = 31;
constexpr int kColorDialogDy = 50;

constexpr int kSampleStep = 10;
constexpr int kMinBarWidth = 3;  // pixels
constexpr int kMaxBarWidth = 10;

const char* const kSingleLine = QT_TRANSLATE_NOOP("trivant::OptionsDialog", "Одинарная");
const char* const kOrmis001 = QT_TRANSLATE_NOOP("trivant::OptionsDialog", "Ормис-001");
constexpr int32_t kThinLine = 1, kThickLine = 2;
constexpr int32_t kDeviceOrmis001 = 1, kDeviceOrmiks01 = 2;

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);  // not editable: the stored indexes are always listed items
    return c;
}

QSpinBox* makeSpin(QWidget* parent, const char* name, int min, int max, int step) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setSingleStep(step);
    return s;
}

}  // namespace

ColorSwatch::ColorSwatch(const int32_t& bgr, QWidget* parent) : QFrame(parent), bgr_(bgr) {
    setFrameShape(QFrame::Box);
    setFixedSize(kSwatchWidth, kSwatchHeight);
    setCursor(Qt::PointingHandCursor);
}

QColor ColorSwatch::color() const {
    return ColorFromBgr(bgr_);
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(contentsRect(), color());
    p.end();
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent*) {
    emit pressed();
}

OptionsDialog::OptionsDialog(Setup& setup, DialogRunner& runner, QWidget* parent)
    : QDialog(parent), setup_(setup), runner_(runner) {
    setObjectName("OptionsDialog");
    setWindowTitle(tr("Параметры"));
    tabs = new QTabWidget(this);
    tabs->setObjectName("tabs");
    tabs->addTab(createGraphTab(), tr("График"));
    tabs->addTab(createHistoTab(), tr("Гистограмма"));
    tabs->addTab(createSystemTab(), tr("Системные"));
    CB_IbCount = makeCheck(this, "CB_IbCount", tr("Компенсация выборки при вычислении ИБ"));
    CB_AutoStop = makeCheck(this, "CB_AutoStop", tr("Автоматически завершать запись через 5 мин."));
    CB_AutoSaveSetup = makeCheck(this, "CB_AutoSaveSetup", tr("Автоматически сохранять параметры"));
    const DialogButtons buttons = MakeDialogButtons(this, tr("OK"), tr("Отмена"));
    okButton = buttons.okButton;
    cancelButton = buttons.cancelButton;
    FormColor = new ColourDialog(this);

    auto* main = new QVBoxLayout(this);
    main->addWidget(tabs);
    main->addWidget(CB_IbCount);
    main->addWidget(CB_AutoStop);
    main->addWidget(CB_AutoSaveSetup);
    main->addLayout(buttons.row);
    main->setSizeConstraint(QLayout::SetFixedSize);
    LoadFromSetup();
}

QWidget* OptionsDialog::createGraphTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    struct Row {
        int series;
        QCheckBox** check;
        ColorSwatch** swatch;
        const char* checkName;
        const char* swatchName;
        const char* text;
    };
    const std::array<Row, 7> rows{{
        {kSerRR, &CB_RR, &Shape_RR, "CB_RR", "Shape_RR", QT_TR_NOOP("Ритмограмма")},
        {kSerSYM, &CB_SYM, &Shape_SYM, "CB_SYM", "Shape_SYM", QT_TR_NOOP("График СИМ")},
        {kSerPAR, &CB_PAR, &Shape_PAR, "CB_PAR", "Shape_PAR", QT_TR_NOOP("График ПАР")},
        {kSerSPO, &CB_SpO2, &Shape_SpO2, "CB_SpO2", "Shape_SpO2", QT_TR_NOOP("График SpO2")},
        {kSerSDNN, &CB_SDNN, &Shape_SDNN, "CB_SDNN", "Shape_SDNN", QT_TR_NOOP("График SDNN")},
        {kSerIBHi, &CB_IB, &Shape_IB, "CB_IB", "Shape_IB", QT_TR_NOOP("График ИБ")},
        {kSerLbl, &CB_Labels, &Shape_Labels, "CB_Labels", "Shape_Labels", QT_TR_NOOP("Метки")},
    }};
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        *r.check = makeCheck(page, r.checkName, tr(r.text));
        *r.swatch = new ColorSwatch(setup_.Traces[r.series].Color, page);
        (*r.swatch)->setObjectName(r.swatchName);
        const int series = r.series;
        connect(*r.swatch, &ColorSwatch::pressed, this, [this, series] { clickSwatch(series); });
        grid->addWidget(*r.check, int(i), 0);
        grid->addWidget(*r.swatch, int(i), 1);
        traces_[i] = {r.series, *r.check, *r.swatch};
    }
    lineWidthCombo = makeCombo(page, "lineWidthCombo", {tr(kSingleLine), tr("Двойная")});
    grid->addWidget(new QLabel(tr("Толщина линий"), page), int(rows.size()), 0);
    grid->addWidget(lineWidthCombo, int(rows.size()), 1);
    return page;
}

QWidget* OptionsDialog::createHistoTab() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    E_Sample = makeSpin(page, "E_Sample", kMinSample, kMaxSample, kSampleStep);
    E_BarW = makeSpin(page, "E_BarW", kMinBarWidth, kMaxBarWidth, 1);
    // Only the arrows change the bar width.
    if (auto* edit = E_BarW->findChild<QLineEdit*>())
        edit->setReadOnly(true);
    form->addRow(tr("Выборка"), E_Sample);
    form->addRow(tr("Ширина столбца"), E_BarW);
    return page;
}

QWidget* OptionsDialog::createSystemTab() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    deviceCombo = makeCombo(page, "deviceCombo",
                            {tr(kOrmis001), tr("Ормикс-01"), tr("Нагрудный датчик (Bluetooth)")});
    QStringList ports{u8("USB")};
    for (int i = 1; i <= 8; ++i)
        ports << u8("COM %1").arg(i);
    portCombo = makeCombo(page, "portCombo", ports);
    CB_Baud = makeCombo(page, "CB_Baud", {u8("19200"), u8("2400"), u8("600")});
    form->addRow(tr("Прибор"), deviceCombo);
    form->addRow(tr("Порт"), portCombo);
    form->addRow(tr("Скорость"), CB_Baud);
    addStrapRows(form, page);
    return page;
}

bool OptionsDialog::Execute() {
    LoadFromSetup();
    if (runner_.exec(*this) != QDialog::Accepted)
        return false;
    StoreToSetup();
    return true;
}

void OptionsDialog::LoadFromSetup() {
    E_Sample->setValue(setup_.Sample);
    E_BarW->setValue(setup_.BarWidth);
    for (const TraceControls& t : traces_) {
        t.shown->setChecked(setup_.Traces[t.series].Shown);
        t.swatch->update();
    }
    CB_IbCount->setChecked(setup_.IbCompensation);
    portCombo->setCurrentIndex(setup_.PortIndex);
    lineWidthCombo->setCurrentIndex(setup_.LineWidth == kThinLine ? 0 : 1);
    deviceCombo->setCurrentIndex(setup_.DeviceType == kDeviceOrmis001 ? 0 : 1);
    CB_Baud->setCurrentIndex(setup_.BaudIndex);
    CB_AutoStop->setChecked(setup_.AutoStop);
    CB_AutoSaveSetup->setChecked(setup_.AutoSaveSetup);
    loadStrap();
}

void OptionsDialog::StoreToSetup() {
    E_Sample->interpretText();  // a typed value counts even before the field loses focus
    setup_.Sample = E_Sample->value();
    setup_.BarWidth = E_BarW->value();
    for (const TraceControls& t : traces_)
        setup_.Traces[t.series].Shown = t.shown->isChecked();
    setup_.IbCompensation = CB_IbCount->isChecked();
    // An index that was out of range when loaded shows no item; the setting then stays.
    if (portCombo->currentIndex() >= 0)
        setup_.PortIndex = portCombo->currentIndex();
    if (CB_Baud->currentIndex() >= 0)
        setup_.BaudIndex = CB_Baud->currentIndex();
    setup_.LineWidth = lineWidthCombo->currentText() == tr(kSingleLine) ? kThinLine : kThickLine;
    // A strap leaves the serial model as it was: the record has no place for a strap.
    if (deviceCombo->currentIndex() != kStrapDeviceItem)
        setup_.DeviceType = deviceCombo->currentIndex() == 0 ? kDeviceOrmis001 : kDeviceOrmiks01;
    storeStrap();
    setup_.AutoStop = CB_AutoStop->isChecked();
    setup_.AutoSaveSetup = CB_AutoSaveSetup->isChecked();
}

const OptionsDialog::TraceControls* OptionsDialog::traceControls(int series) const {
    for (const TraceControls& t : traces_)
        if (t.series == series)
            return &t;
    return nullptr;
}

QPoint OptionsDialog::colorDialogPos(int series) const {
    const TraceControls* t = traceControls(series);
    if (!t)
        return pos();
    const QWidget* s = t->swatch;
    return pos() + s->pos() + QPoint(kColorDialogDx, s->height() + kColorDialogDy);
}

void OptionsDialog::clickSwatch(int series) {
    const TraceControls* t = traceControls(series);
    if (!t)
        return;
    FormColor->move(colorDialogPos(series));
    int32_t& color = setup_.Traces[series].Color;
    FormColor->Preselect(color);
    // The colour takes effect at once, even if this dialog is cancelled afterwards.
    if (runner_.exec(*FormColor) == QDialog::Accepted) {
        if (const auto chosen = FormColor->chosenColor())
            color = *chosen;
    }
    t->swatch->update();
}

}  // namespace trivant
