// Outer width and layout of a live window.
#include "window_layout.h"

#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QWidget>

namespace trivant {

int OuterWidth(const QWidget& w) {
    if (w.isWindow())
        return w.frameGeometry().width();
    const auto* sub = qobject_cast<const QMdiSubWindow*>(w.parentWidget());
    if (sub && sub->widget() == &w)
        return sub->frameGeometry().width();
    return w.width();
}

GraphLayout WindowGraphLayout(const QSize& client, int outerW, const QFont& font, int timeRows) {
    const QFontMetrics fm(font);
    return ComputeGraphLayout(client.width(), client.height(), outerW, fm.height(),
                              fm.horizontalAdvance("1"), kScrollBarHeight, timeRows);
}

}  // namespace trivant
