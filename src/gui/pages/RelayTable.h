#pragma once

#include "gui/pages/ComboTable.h"

// Pulse duration and boot-up state of the four relays. Every cell edit raises
// tableChanged(); loading raises nothing.
class RelayTable : public ComboTable
{
    Q_OBJECT
public:
    explicit RelayTable(const PresetImage &image, QWidget *parent = nullptr);

public slots:
    void onTableChanged();

protected:
    QIcon rowIcon(int row) const override;
};
