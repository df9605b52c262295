#include "relayConfigWidget.h"

#include "DurationCode.h"

#include <QIcon>
#include <QStandardItemModel>

relayConfigWidget::relayConfigWidget(const PresetImage &image, QWidget *parent)
    : comboTableWidget(
          "Relay Num", {"Relay 1", "Relay 2", "Relay 3", "Relay 4"},
          {{"Pulse Duration", PresetImage::RelayPulse, DurationCode::texts(),
            DurationCode::values()},
           {"Boot-up State", PresetImage::RelayBootState, {"Relay OFF", "Relay ON"}, {}}},
          parent)
{
    setRowNames();
    loadFromImage(image);
    connect(tableModel(), &QStandardItemModel::dataChanged, this,
            &relayConfigWidget::onTableChanged);
}

void relayConfigWidget::onTableChanged()
{
    reportChange();
}

QIcon relayConfigWidget::rowIcon(int) const
{
    return QIcon(":/res/switch-network.png");
}
