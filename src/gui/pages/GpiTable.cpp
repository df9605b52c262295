#include "gui/pages/GpiTable.h"

#include "core/preset/DurationCode.h"
#include "core/preset/PresetSettings.h"

#include <QIcon>
#include <QStandardItemModel>

namespace {
constexpr int GpiInputs = 8;
} // namespace

GpiTable::GpiTable(const PresetImage &image, QWidget *parent)
    : ComboTable(PresetSettings::gpiHeaders().at(0), PresetSettings::gpiRows(),
                 {{PresetSettings::gpiHeaders().at(1), PresetImage::GpiDebounce,
                   DurationCode::texts(), DurationCode::values()},
                  {PresetSettings::gpiHeaders().at(2),
                   PresetImage::GpiPolarity,
                   PresetSettings::polarityTexts(),
                   {}}},
                 parent)
{
    setRowNames();
    loadFromImage(image);
    connect(tableModel(), &QStandardItemModel::dataChanged, this, &GpiTable::onTableModelChanged);
}

void GpiTable::onTableModelChanged()
{
    reportChange();
}

QIcon GpiTable::rowIcon(int row) const
{
    return QIcon(row < GpiInputs ? ":/res/connect-3.ico" : ":/res/record-3.png");
}
