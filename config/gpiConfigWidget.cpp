#include "gpiConfigWidget.h"

#include "DurationCode.h"
#include "PresetSettings.h"

#include <QIcon>
#include <QStandardItemModel>

namespace {
constexpr int GpiInputs = 8;
} // namespace

gpiConfigWidget::gpiConfigWidget(const PresetImage &image, QWidget *parent)
    : comboTableWidget(PresetSettings::gpiHeaders().at(0), PresetSettings::gpiRows(),
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
    connect(tableModel(), &QStandardItemModel::dataChanged, this,
            &gpiConfigWidget::onTableModelChanged);
}

void gpiConfigWidget::onTableModelChanged()
{
    reportChange();
}

QIcon gpiConfigWidget::rowIcon(int row) const
{
    return QIcon(row < GpiInputs ? ":/res/connect-3.ico" : ":/res/record-3.png");
}
