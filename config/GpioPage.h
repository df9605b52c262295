#pragma once

#include "PresetImage.h"

#include <QWidget>

class gpiConfigWidget;
class relayConfigWidget;

// The frame of the GPI and relay tables. Both tables read the image once
// here; afterwards the main window drives them directly.
class GpioPage : public QWidget
{
    Q_OBJECT
public:
    explicit GpioPage(const PresetImage &image, QWidget *parent = nullptr);

    gpiConfigWidget *gpiTable() const { return gpiConfig; }
    relayConfigWidget *relayTable() const { return relayConfig; }

private:
    gpiConfigWidget *gpiConfig = nullptr;
    relayConfigWidget *relayConfig = nullptr;
};
