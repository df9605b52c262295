#pragma once

#include "gui/pages/ComboTable.h"

// Debounce time and switch polarity of the eleven inputs (GPI 1-8, XLR 1-3).
// Every cell edit raises tableChanged(); loading raises nothing.
class GpiTable : public ComboTable
{
    Q_OBJECT
public:
    explicit GpiTable(const PresetImage &image, QWidget *parent = nullptr);

public slots:
    void onTableModelChanged();

protected:
    QIcon rowIcon(int row) const override;
};
