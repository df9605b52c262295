#pragma once

#include "core/preset/PresetImage.h"

#include <QWidget>

class ComboTable;

// The frame of the GPI and relay tables. Both tables read the image once
// here; afterwards the main window drives them directly.
class GpioPage : public QWidget
{
    Q_OBJECT
public:
    explicit GpioPage(const PresetImage &image, QWidget *parent = nullptr);

    ComboTable *gpiTable() const { return m_gpiConfig; }
    ComboTable *relayTable() const { return m_relayConfig; }

private:
    ComboTable *m_gpiConfig = nullptr;
    ComboTable *m_relayConfig = nullptr;
};
