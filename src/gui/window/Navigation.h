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

    SlotListKind kind() const { return m_currentKind; }
    int list() const { return m_currentList; }
    Page page() const { return m_currentPage; }
    const QString &title() const { return m_currentTitle; }

private:
    SlotListKind m_currentKind = NoSelection;
    int m_currentList = 0;
    Page m_currentPage = LogoIndex;
    QString m_currentTitle = noSelectionTitle();
};
