#pragma once

#include "core/events/EventStore.h"

#include <QString>

// Where a tree entry leads: the page of the window's page stack to show, the
// title line above it, and the slot list that stores and clears address.
class Navigation
{
public:
    // The pages of the window's page stack, in stack order.
    enum Page { LogoIndex, GeneralIndex, GpioIndex, MidiIndex, EventIndex };

    static QString noSelectionTitle();

    // A kind or index that addresses nothing selects nothing.
    void select(SlotListKind kind, int index);

    SlotListKind kind() const { return currentKind; }
    int list() const { return currentList; }
    Page page() const { return currentPage; }
    const QString &title() const { return currentTitle; }

private:
    SlotListKind currentKind = NoSelection;
    int currentList = 0;
    Page currentPage = LogoIndex;
    QString currentTitle = noSelectionTitle();
};
