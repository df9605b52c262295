#pragma once

#include "gui/pages/ComboTable.h"

// The relay table under a type of its own, for code that still names it so;
// everything it does is ComboTable's, with ComboTable::relayContent().
class RelayTable : public ComboTable
{
    Q_OBJECT
public:
    explicit RelayTable(const PresetImage &image, QWidget *parent = nullptr);
};
