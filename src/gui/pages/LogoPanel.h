#pragma once

#include <QWidget>

// The page shown while no configuration page or event list is selected: the
// maker's logo, centred.
class LogoPanel : public QWidget
{
    Q_OBJECT
public:
    explicit LogoPanel(QWidget *parent = nullptr);
};
