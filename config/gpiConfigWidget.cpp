#include "gpiConfigWidget.h"

#include "DurationCode.h"

#include <QIcon>
#include <QStandardItemModel>

namespace {
constexpr int GpiInputs = 8;

QStringList inputNames()
{
    QStringList names;
    for (int i = 1; i <= GpiInputs; ++i)
        names << QString("GPI %1").arg(i);
    return names << "XLR 1"
                 << "XLR 2"
                 << "XLR 3";
}
} // namespace

gpiConfigWidget::gpiConfigWidget(const PresetImage &image, QWidget *parent)
    : comboTableWidget(
          "GPI Channel", inputNames(),
          {{"Debounce Time", PresetImage::GpiDebounce, DurationCode::texts(),
            DurationCode::values()},
           {"Switch Polarity", PresetImage::GpiPolarity, {"On Press", "On Release"}, {}}},
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
