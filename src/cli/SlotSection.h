#pragma once

#include "core/preset/PresetImage.h"

#include <QList>
#include <QStringList>

// The slot lists the window shows, grouped as its tree groups them: the
// inputs, the switches and the macros (trigger list 12 has no editor).
struct SlotSection
{
    QString title;
    PresetImage::Region table;
    QStringList lists;

    static QList<SlotSection> all();

    // Trigger list 12: no editor shows it, but every save carries it.
    static constexpr int HiddenTriggerList = 11;
    static QString hiddenListName();
};
