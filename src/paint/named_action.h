// An action with an object name, by which tests and the menus find it.
#pragma once

#include <QAction>
#include <QString>

namespace trivant {

inline QAction* NamedAction(QObject* owner, const char* name, const QString& text) {
    auto* a = new QAction(text, owner);
    a->setObjectName(name);
    return a;
}

}  // namespace trivant
