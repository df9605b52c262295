#include "support/TopLevels.h"

#include <QApplication>
#include <QWidget>

QStringList visibleTopLevels()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << (w->objectName().isEmpty() ? QString(w->metaObject()->className())
                                                : w->objectName());
    return names;
}
