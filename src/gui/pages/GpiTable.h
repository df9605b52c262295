#pragma once

#include "gui/pages/ComboTable.h"

// The GPI table under a type of its own, for code that still names it so;
// everything it does is ComboTable's, with ComboTable::gpiContent().
class GpiTable : public ComboTable
{
    Q_OBJECT
public:
    explicit GpiTable(const PresetImage &image, QWidget *parent = nullptr);
};
