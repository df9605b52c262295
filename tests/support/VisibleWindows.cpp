#include "VisibleWindows.h"

#include <QApplication>
#include <QWidget>

QStringList visibleTopLevelWidgets()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names << widget->metaObject()->className();
    }
    return names;
}
