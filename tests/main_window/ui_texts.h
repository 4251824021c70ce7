// Every text a window shows (titles, labels, buttons, menus and their hints, combo items,
// tabs, message boxes) gathered with where it was found, and the controls whose text is
// wider than they are at their font.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include <string>
#include <vector>

namespace trivant::test {

class UiTexts {
public:
    struct Text {
        QString where, text;
    };

    void add(const QString& where, const QString& text) {
        if (!text.isEmpty())
            texts.push_back({where, text});
    }

    void addActions(const QString& where, const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            add(where + " action", a->text());
            add(where + " hint", a->toolTip());
            if (QMenu* m = a->menu())
                addMenu(m);
        }
    }

    void addMenu(QMenu* m) {
        add("menu", m->title());
        addActions("menu " + m->title(), m->actions());
    }

    // root and its children, menus included; widths are checked for the visible ones.
    void addWidget(QWidget& root) {
        add("window title", root.windowTitle());
        addActions(root.objectName(), root.actions());
        if (auto* box = qobject_cast<QMessageBox*>(&root)) {
            add("message", box->text());
            add("message", box->informativeText());
        }
        for (QWidget* w : root.findChildren<QWidget*>())
            addChild(*w);
    }

    // The texts with Cyrillic letters in them: the interface is not wholly English.
    std::vector<std::string> cyrillic() const {
        static const QRegularExpression letters(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        std::vector<std::string> out;
        for (const Text& t : texts)
            if (letters.match(t.text).hasMatch())
                out.push_back((t.where + ": " + t.text).toStdString());
        return out;
    }

    std::vector<Text> texts;
    std::vector<std::string> tooNarrow;

private:
    void addChild(QWidget& w) {
        const QString where = w.metaObject()->className() + QString(" ") + w.objectName();
        if (auto* m = qobject_cast<QMenu*>(&w))
            addMenu(m);
        if (auto* l = qobject_cast<QLabel*>(&w)) {
            add(where, l->text());
            add(where + " hint", l->toolTip());
            if (!l->wordWrap())
                checkWidth(w, l->text(), l->contentsRect().width());
        } else if (auto* b = qobject_cast<QAbstractButton*>(&w)) {
            add(where, b->text());
            add(where + " hint", b->toolTip());
            if (!qobject_cast<QToolButton*>(&w))
                checkWidth(w, b->text(), b->width() - decoration(*b));
        } else if (auto* g = qobject_cast<QGroupBox*>(&w)) {
            add(where, g->title());
            checkWidth(w, g->title(), g->width());
        } else if (auto* c = qobject_cast<QComboBox*>(&w)) {
            for (int i = 0; i < c->count(); ++i)
                add(where, c->itemText(i));
        } else if (auto* t = qobject_cast<QTabBar*>(&w)) {
            for (int i = 0; i < t->count(); ++i)
                add(where, t->tabText(i));
        } else if (auto* tw = qobject_cast<QTabWidget*>(&w)) {
            for (int i = 0; i < tw->count(); ++i)
                add(where, tw->tabText(i));
        }
    }

    // The check box's indicator and its gap take part of the width from the text.
    static int decoration(const QAbstractButton& b) {
        if (!qobject_cast<const QCheckBox*>(&b))
            return 0;
        const QStyle* s = b.style();
        return s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &b) +
               s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &b);
    }

    void checkWidth(const QWidget& w, QString text, int room) {
        if (!w.isVisible() || text.isEmpty())
            return;
        text.remove('&');
        const int need = w.fontMetrics().horizontalAdvance(text);
        if (need > room)
            tooNarrow.push_back((w.window()->windowTitle() + " / " + text + ": " +
                                 QString::number(need) + " > " + QString::number(room))
                                    .toStdString());
    }
};

}  // namespace trivant::test
