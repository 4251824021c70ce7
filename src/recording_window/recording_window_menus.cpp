// RecordingWindow: the zone menus, the scroll bar, the cross cursor and the click on a beat.
#include "recording_window.h"

#include "clock_time.h"
#include "time_text.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace trivant {

namespace {

// A menu of exclusive choices; mark() tells which item is current when it opens.
QMenu* choiceMenu(QWidget* owner, const char* name, const std::vector<const char*>& items,
                  std::function<int()> mark, std::function<void(int)> choose) {
    auto* menu = new QMenu(owner);
    menu->setObjectName(name);
    std::vector<QAction*> actions;
    for (const char* text : items) {
        if (std::string(text) == "-") {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(QCoreApplication::translate("trivant::RecordingWindow", text));
        a->setCheckable(true);
        const int index = static_cast<int>(actions.size());
        QObject::connect(a, &QAction::triggered, owner, [choose, index] { choose(index); });
        actions.push_back(a);
    }
    QObject::connect(menu, &QMenu::aboutToShow, owner, [actions, mark] {
        for (size_t i = 0; i < actions.size(); ++i)
            actions[i]->setChecked(int(i) == mark());
    });
    return menu;
}

}  // namespace

void RecordingWindow::createMenus() {
    auto repaintAfter = [this](auto change) {
        return [this, change](int i) {
            change(i);
            update();
        };
    };
    // The items follow kZoomLevels: x1, x2, x4, then zoomed out down to the whole recording.
    PopM_ScaleX = choiceMenu(
        this, "PopM_ScaleX",
        {QT_TR_NOOP("Масштаб по горизонтали : x1"), QT_TR_NOOP("Масштаб по горизонтали : x2"),
         QT_TR_NOOP("Масштаб по горизонтали : x4"), "-", QT_TR_NOOP("Масштаб по горизонтали : 1/2"),
         QT_TR_NOOP("Масштаб по горизонтали : 1/4"), QT_TR_NOOP("Масштаб по горизонтали : 1/8"),
         QT_TR_NOOP("Масштаб по горизонтали : 1/16"), QT_TR_NOOP("Масштаб по горизонтали : 1/32"),
         QT_TR_NOOP("Масштаб по горизонтали : 1/64"), QT_TR_NOOP("Масштаб по горизонтали : 1/128"),
         "-", QT_TR_NOOP("Масштаб по горизонтали : вся запись")},
        [this] {
            const auto at = std::find(kZoomLevels.begin(), kZoomLevels.end(), view_.Zoom);
            return static_cast<int>(at - kZoomLevels.begin());
        },
        repaintAfter([this](int i) { SetZoom(kZoomLevels[i]); }));
    PopM_ScY1_SPO = choiceMenu(
        this, "PopM_ScY1_SPO", {"50..100 %", "75..100 %", "90..100 %"},
        [this] { return rec_->ScSPO; }, repaintAfter([this](int i) { rec_->ScSPO = i; }));
    // Item 0 fits the range to the intervals; the rows of the table follow it.
    PopM_ScY1_RR = choiceMenu(
        this, "PopM_ScY1_RR",
        {QT_TR_NOOP("Автоматически"), "-", QT_TR_NOOP("200-1200 мс"), QT_TR_NOOP("300..1300 мс"),
         QT_TR_NOOP("400..1400 мс"), QT_TR_NOOP("500..1500 мс"), QT_TR_NOOP("600..1600 мс"), "-",
         QT_TR_NOOP("200..2200 мс")},
        [this] { return RRRange() + 1; }, repaintAfter([this](int i) { ChooseRRRange(i - 1); }));
    PopM_ScY2_1 = choiceMenu(
        this, "PopM_ScY2_1", {"0..5000", "0..3000", "0..1000", "0..500", "0..250", "0..100"},
        [this] { return rec_->ScIB; }, repaintAfter([this](int i) { rec_->ScIB = i; }));
    PopM_ScY2_2 = choiceMenu(
        this, "PopM_ScY2_2", {"0..200", "0..150", "0..100", "0..50", "0..25", "0..10"},
        [this] { return rec_->ScHRV; }, repaintAfter([this](int i) { rec_->ScHRV = i; }));
    PopM_Gr1 = new QMenu(this);
    PopM_Gr1->setObjectName("PopM_Gr1");
    PopM_Gr2 = new QMenu(this);
    PopM_Gr2->setObjectName("PopM_Gr2");
    // Shown flags are application-wide; switching a trace chooses the ranges afresh.
    auto traceItem = [this](QMenu* menu, const char* name, const char* text, int series) {
        QAction* a = menu->addAction(tr(text));
        a->setObjectName(name);
        a->setCheckable(true);
        connect(menu, &QMenu::aboutToShow, this,
                [this, a, series] { a->setChecked(host_.setup().Traces[series].Shown); });
        connect(a, &QAction::triggered, this, [this, series](bool on) {
            host_.setup().Traces[series].Shown = on;
            if (series != kSerLbl)
                rec_->SetScales(ToCoreSettings(host_.setup()));
            update();
        });
    };
    traceItem(PopM_Gr1, "i_SpO_Gr", QT_TR_NOOP("График SpO2"), kSerSPO);
    traceItem(PopM_Gr1, "i_NN_Gr", QT_TR_NOOP("Ритмограмма"), kSerRR);
    PopM_Gr1->addSeparator();
    traceItem(PopM_Gr1, "i_Label1", QT_TR_NOOP("Метки"), kSerLbl);
    traceItem(PopM_Gr2, "i_SYM_Gr", QT_TR_NOOP("График СИМ"), kSerSYM);
    traceItem(PopM_Gr2, "i_PAR_Gr", QT_TR_NOOP("График ПАР"), kSerPAR);
    traceItem(PopM_Gr2, "i_SDNN_Gr", QT_TR_NOOP("График SDNN"), kSerSDNN);
    traceItem(PopM_Gr2, "i_IB_Gr", QT_TR_NOOP("График ИБ"), kSerIBHi);
    PopM_Gr2->addSeparator();
    traceItem(PopM_Gr2, "i_Label2", QT_TR_NOOP("Метки"), kSerLbl);
    createLabelActions();
    createReviewActions();
    createEcgActions();
    prepareLabelActions(QPoint(-1, -1));
}

QMenu* RecordingWindow::menuAt(const QPoint& pos) const {
    const std::pair<const Rect*, QMenu*> zones[] = {
        {&layout_.rAxX, PopM_ScaleX},     {&layout_.rAxY1_1, PopM_ScY1_SPO},
        {&layout_.rAxY1_2, PopM_ScY1_RR}, {&layout_.rAxY2_1, PopM_ScY2_1},
        {&layout_.rAxY2_2, PopM_ScY2_2},  {&layout_.rGr1, PopM_Gr1},
        {&layout_.rGr2, PopM_Gr2},
    };
    QMenu* found = nullptr;  // the last zone that holds the point wins
    for (const auto& [rect, menu] : zones)
        if (rect->contains(pos.x(), pos.y()))
            found = menu;
    if (ecgShown() && ecgArea_.contains(pos.x(), pos.y()))
        found = PopM_Ecg;
    return found;
}

void RecordingWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = menuAt(event->pos());
    if (!menu)
        return;
    prepareLabelActions(event->pos());
    if (menu == PopM_Ecg)
        prepareEcgActions(event->pos());
    menu->popup(event->globalPos());
}

void RecordingWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool inPanel = layout_.rGr1.contains(p.x(), p.y()) || layout_.rGr2.contains(p.x(), p.y());
    if (dragBeat_ < 1)  // an R mark being dragged keeps its cursor
        setCursor(inPanel ? Qt::CrossCursor : Qt::ArrowCursor);
}

void RecordingWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (rec_->RREventEnabled || event->button() != Qt::LeftButton || ecgRelease(p))
        return;
    if (const int s = beatAt(p); s > 0)
        ShowBeat(s);
}

int RecordingWindow::beatAt(const QPoint& p) const {
    if (!layout_.rGr1.contains(p.x(), p.y()) && !layout_.rGr2.contains(p.x(), p.y()))
        return 0;
    const int s = columnBeatAt(p);
    if (s >= rec_->CurrentFileLen)
        return 0;
    return std::max(1, s);  // the first pixels at zoom 2 or 4 map to sample 0
}

void RecordingWindow::ShowBeat(int s) {
    if (s < 1 || s >= rec_->CurrentFileLen)
        return;
    const Recording& r = *rec_;
    view_.HistoPoint = s;
    rec_->BuildHisto(s, host_.setup().Sample);
    setHistoTexts();
    SetLabel(L_RR, QString::number(r.at(kSerRR, s) * 10));
    SetLabel(L_SPO, r.HasSpO2() ? QString::number(r.at(kSerSPO, s)) : QString());
    SetLabel(L_SYM, QString::number(r.at(kSerSYM, s)));
    SetLabel(L_PAR, QString::number(r.at(kSerPAR, s)));
    SetLabel(L_SDNN, QString::number(r.at(kSerSDNN, s)));
    SetLabel(L_IB50, QString::number(r.ibAt(s)));
    SetLabel(L_N, QString::number(s));
    int64_t hundredths = 0;  // the RR series is in 10 ms units
    for (int k = 1; k <= s; ++k)
        hundredths += r.at(kSerRR, k);
    setTimeText(hundredths);
    update();
}

void RecordingWindow::setTimeText(int64_t hundredths) {
    const int64_t s = hundredths / 100;
    SetLabel(L_Time, QString::fromStdString(ClockOrElapsedText(rec_->StartClockS, s)));
    L_Time->setToolTip(rec_->StartClockS == kNoClock
                           ? QString()
                           : tr("С начала записи: %1").arg(QString::fromStdString(TimeText(s))));
}

void RecordingWindow::SBChange(int position) {
    view_.XPos =
        static_cast<int>(view_.xScale().toBeats(grid_.XGridStep * (position / grid_.XGridStep)));
    update();
}

}  // namespace trivant
