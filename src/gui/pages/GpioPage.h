#pragma once

#include "core/preset/PresetImage.h"

#include <QWidget>

class GpiTable;
class RelayTable;

// The frame of the GPI and relay tables. Both tables read the image once
// here; afterwards the main window drives them directly.
class GpioPage : public QWidget
{
    Q_OBJECT
public:
    explicit GpioPage(const PresetImage &image, QWidget *parent = nullptr);

    GpiTable *gpiTable() const { return gpiConfig; }
    RelayTable *relayTable() const { return relayConfig; }

private:
    GpiTable *gpiConfig = nullptr;
    RelayTable *relayConfig = nullptr;
};
