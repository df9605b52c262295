#include "gui/pages/RelayTable.h"

RelayTable::RelayTable(const PresetImage &image, QWidget *parent)
    : ComboTable(relayContent(), image, parent)
{
}
