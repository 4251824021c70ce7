// OptionsDialog: the strap as the device. Choosing it offers the straps a scan finds; the
// choice goes to its own file, never to the settings record.
#include "options_dialog.h"

#include "strap_supervisor.h"
#include "translation.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace trivant {

namespace {

constexpr int kScanSeconds = 5;
constexpr int kScanPollMs = 300;

QString strapTitle(const StrapInfo& s) {
    const QString name = QString::fromStdString(s.name.empty() ? s.address : s.name);
    QString title = name + " (" + QString::fromStdString(s.address) + ")";
    if (s.rssi != 0)
        title += QString(", %1 dBm").arg(s.rssi);
    return title;
}

}  // namespace

void OptionsDialog::SetStraps(StrapLink* link, StrapChoice* choice) {
    strapLink_ = link;
    strapChoice_ = choice;
}

void OptionsDialog::addStrapRows(QFormLayout* form, QWidget* page) {
    strapCombo = new QComboBox(page);
    strapCombo->setObjectName("strapCombo");
    strapScan = new QPushButton(tr("Найти датчики"), page);
    strapScan->setObjectName("strapScan");
    L_Strap = new QLabel(page);
    L_Strap->setObjectName("L_Strap");
    L_Strap->setWordWrap(true);
    form->addRow(tr("Датчик"), strapCombo);
    form->addRow(QString(), strapScan);
    form->addRow(QString(), L_Strap);
    scanTimer_ = new QTimer(this);
    scanTimer_->setInterval(kScanPollMs);
    connect(scanTimer_, &QTimer::timeout, this, &OptionsDialog::showStraps);
    connect(strapScan, &QPushButton::clicked, this, &OptionsDialog::startStrapScan);
    connect(deviceCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &OptionsDialog::deviceChosen);
    deviceChosen();
}

void OptionsDialog::deviceChosen() {
    const bool strap = deviceCombo->currentIndex() == kStrapDeviceItem;
    const bool radio = strapLink_ && strapLink_->State() != StrapState::Unavailable;
    portCombo->setEnabled(!strap);
    CB_Baud->setEnabled(!strap);
    strapCombo->setEnabled(strap && radio);
    strapScan->setEnabled(strap && radio);
    if (strap && !radio)
        L_Strap->setText(TrMessage(kStrapNoRadioText));
    else if (!strap)
        L_Strap->clear();
}

void OptionsDialog::startStrapScan() {
    if (!strapLink_)
        return;
    strapLink_->StartScan(kScanSeconds);
    L_Strap->setText(tr("Поиск датчиков..."));
    strapScan->setEnabled(false);
    scanTimer_->start();
}

// The straps found so far; the one chosen stays chosen.
void OptionsDialog::showStraps() {
    const QString chosen = strapCombo->currentData().toString();
    for (const StrapInfo& s : strapLink_->Found()) {
        const QString address = QString::fromStdString(s.address);
        const int at = strapCombo->findData(address);
        if (at >= 0)
            strapCombo->setItemText(at, strapTitle(s));
        else
            strapCombo->addItem(strapTitle(s), address);
    }
    if (const int at = strapCombo->findData(chosen); at >= 0)
        strapCombo->setCurrentIndex(at);
    if (strapLink_->Scanning())
        return;
    scanTimer_->stop();
    strapScan->setEnabled(true);
    L_Strap->setText(strapCombo->count() == 0 ? tr("Датчики не найдены: включите датчик и "
                                                   "наденьте его, затем повторите поиск")
                                              : QString());
}

void OptionsDialog::loadStrap() {
    strapCombo->clear();
    if (strapChoice_ && strapChoice_->strap) {
        strapCombo->addItem(strapTitle({strapChoice_->address, strapChoice_->name, 0}),
                            QString::fromStdString(strapChoice_->address));
        deviceCombo->setCurrentIndex(kStrapDeviceItem);
    }
    if (strapLink_)
        showStraps();
    deviceChosen();
}

void OptionsDialog::storeStrap() {
    if (!strapChoice_)
        return;
    const QString address = strapCombo->currentData().toString();
    StrapChoice c;
    c.strap = deviceCombo->currentIndex() == kStrapDeviceItem && !address.isEmpty();
    if (c.strap) {
        c.address = address.toStdString();
        c.name = c.address;
        for (const StrapInfo& s : strapLink_ ? strapLink_->Found() : std::vector<StrapInfo>{})
            if (s.address == c.address && !s.name.empty())
                c.name = s.name;
        if (c.name == c.address && strapChoice_->address == c.address)
            c.name = strapChoice_->name;
    }
    *strapChoice_ = c;
}

}  // namespace trivant
