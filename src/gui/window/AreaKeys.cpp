#include "gui/window/AreaKeys.h"

#include <QAction>
#include <QApplication>
#include <QScrollArea>
#include <QStackedWidget>

namespace {
// The first widget within `area` that Tab would reach.
QWidget *firstFocusable(QWidget *area)
{
    for (QWidget *w = area->nextInFocusChain(); w && w != area; w = w->nextInFocusChain()) {
        if (area->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled())
            return w;
    }
    return nullptr;
}
} // namespace

AreaKeys::AreaKeys(QWidget *window, QWidget *tree, QScrollArea *pageScroll,
                   QStackedWidget *pageStack, QWidget *panel)
    : QObject(window), m_tree(tree), m_pageScroll(pageScroll), m_pageStack(pageStack),
      m_panel(panel)
{
    for (auto [key, step] : {std::make_pair(QKeySequence(Qt::Key_F6), 1),
                             std::make_pair(QKeySequence(Qt::SHIFT | Qt::Key_F6), -1)}) {
        auto *action = new QAction(window);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, step = step] { switchArea(step); });
        window->addAction(action);
    }
}

void AreaKeys::switchArea(int step)
{
    QWidget *pageArea = m_pageScroll->widget();
    const QList<QWidget *> areas{m_tree, pageArea, m_panel};
    QWidget *focused = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < areas.size(); ++i) {
        if (focused && (focused == areas[i] || areas[i]->isAncestorOf(focused)))
            current = i;
    }
    // From the menu bar or nowhere, F6 starts at the tree and Shift+F6 at the
    // device-link panel.
    if (current < 0)
        current = step > 0 ? areas.size() - 1 : 0;
    for (int n = 1; n <= areas.size(); ++n) {
        QWidget *area = areas[(current + n * step + 2 * areas.size()) % areas.size()];
        // In the page area the page's own first control, not the title line.
        QWidget *target = area == pageArea ? firstFocusable(m_pageStack->currentWidget()) : nullptr;
        if (!target)
            target = firstFocusable(area);
        if (target) {
            target->setFocus(Qt::TabFocusReason);
            if (area == pageArea)
                m_pageScroll->ensureWidgetVisible(target);
            return;
        }
    }
}
