// MainWindow: a Bluetooth strap as the device, beside the serial one: its supervision and
// label, its intervals for the recording windows, and the user's choice of it.
#include "main_window.h"

#include "translation.h"

#include <QLabel>

namespace trivant {

void MainWindow::UseStraps(std::unique_ptr<StrapLink> link, const std::string& choiceFile,
                           const StrapChoice* forced) {
    strapSup_.reset();
    strapLink_ = std::move(link);
    if (strapLink_)
        strapSup_ = std::make_unique<StrapSupervisor>(*strapLink_);
    strapFile_ = choiceFile;
    strapForced_ = forced != nullptr;
    strap_ = forced ? *forced : LoadStrapChoice(choiceFile);
    IdleHandler();
}

bool MainWindow::superviseDevice() {
    if (StrapDevice()) {
        strapSup_->Pass(strap_.address);
        L_Device->setText(TrMessage(strapSup_->StateText()));
        L_Device->setToolTip(strapHint());
        return strapSup_->Connected();
    }
    if (strapSup_)
        strapSup_->Pass({});  // not the device: let it go
    supervisor_.Pass(setup_.PortIndex);
    L_Device->setText(TrMessage(supervisor_.StateText()));
    L_Device->setToolTip(
        supervisor_.HintPort().empty()
            ? QString::fromStdString(supervisor_.DeviceHint())
            : TrMessage(kPermissionHint).arg(QString::fromStdString(supervisor_.HintPort())));
    return supervisor_.DeviceConnected();
}

QString MainWindow::strapHint() const {
    const StrapLink& link = *strapLink_;
    const QString name = QString::fromStdString(strap_.name.empty() ? strap_.address : strap_.name);
    if (link.State() == StrapState::Unavailable)
        return TrMessage(kStrapNoRadioText);
    if (!strapSup_->Connected())
        return tr("%1: подключение...").arg(name);
    const QString connected =
        QString::fromStdString(link.Name().empty() ? name.toStdString() : link.Name());
    return link.Battery() < 0 ? connected
                              : tr("%1, заряд батареи %2 %").arg(connected).arg(link.Battery());
}

bool MainWindow::ReadStrap(std::vector<int32_t>& us, bool& arrived) {
    us.clear();
    arrived = false;
    if (!StrapDevice())
        return false;
    strapSup_->Read(us, arrived);
    return true;
}

void MainWindow::takeStrapChoice(const StrapChoice& chosen) {
    if (chosen == strap_)
        return;
    strap_ = chosen;
    if (strapForced_ || strapFile_.empty())
        return;
    const IoStatus st = SaveStrapChoice(strapFile_, strap_);
    if (!st.ok)
        message(tr("Ошибка"), tr("Не удалось сохранить выбор датчика в файл %1")
                                      .arg(QString::fromStdString(st.path)) +
                                  "\n" + QString::fromStdString(st.detail));
}

}  // namespace trivant
