#include "relayConfigWidget.h"

#include "DurationCode.h"
#include "PresetSettings.h"

#include <QIcon>
#include <QStandardItemModel>

relayConfigWidget::relayConfigWidget(const PresetImage &image, QWidget *parent)
    : comboTableWidget(PresetSettings::relayHeaders().at(0), PresetSettings::relayRows(),
                       {{PresetSettings::relayHeaders().at(1), PresetImage::RelayPulse,
                         DurationCode::texts(), DurationCode::values()},
                        {PresetSettings::relayHeaders().at(2),
                         PresetImage::RelayBootState,
                         PresetSettings::relayStateTexts(),
                         {}}},
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
