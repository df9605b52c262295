#include "gui/pages/GpiTable.h"

GpiTable::GpiTable(const PresetImage &image, QWidget *parent)
    : ComboTable(gpiContent(), image, parent)
{
}
