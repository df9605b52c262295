#pragma once

#include "comboTableWidget.h"

// Debounce time and switch polarity of the eleven inputs (GPI 1-8, XLR 1-3).
// Every cell edit raises tableChanged(); loading raises nothing.
class gpiConfigWidget : public comboTableWidget
{
    Q_OBJECT
public:
    explicit gpiConfigWidget(const PresetImage &image, QWidget *parent = nullptr);

public slots:
    void onTableModelChanged();

protected:
    QIcon rowIcon(int row) const override;
};
