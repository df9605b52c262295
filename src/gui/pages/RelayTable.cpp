#include "gui/pages/RelayTable.h"

#include "core/preset/DurationCode.h"
#include "core/preset/PresetSettings.h"

#include <QIcon>
#include <QStandardItemModel>

RelayTable::RelayTable(const PresetImage &image, QWidget *parent)
    : ComboTable(PresetSettings::relayHeaders().at(0), PresetSettings::relayRows(),
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
    connect(tableModel(), &QStandardItemModel::dataChanged, this, &RelayTable::onTableChanged);
}

void RelayTable::onTableChanged()
{
    reportChange();
}

QIcon RelayTable::rowIcon(int) const
{
    return QIcon(":/res/switch-network.png");
}
