#pragma once

#include "comboTableWidget.h"

// Pulse duration and boot-up state of the four relays. Every cell edit raises
// tableChanged(); loading raises nothing.
class relayConfigWidget : public comboTableWidget
{
    Q_OBJECT
public:
    explicit relayConfigWidget(const PresetImage &image, QWidget *parent = nullptr);

public slots:
    void onTableChanged();

protected:
    QIcon rowIcon(int row) const override;
};
