#include "gui/device/DeviceInfoDialog.h"

#include "core/Logging.h"
#include "core/device/FirmwareStringNames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Row r shows firmware string r + 2; the list is indexed from 0.
constexpr int FirstShownString = 1;
constexpr int GridSpacing = 15;
constexpr int ButtonGap = 20;
constexpr int BoldWeight = 75;

} // namespace

DeviceInfoDialog::DeviceInfoDialog(const QStringList *list, QWidget *parent)
    : QDialog(parent), fwList(list)
{
    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName("closeButton");
    buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(closeButton);
    buttonRow->addStretch(1);

    QFont bold;
    bold.setWeight(BoldWeight);
    for (int row = 0; row < RowCount; ++row) {
        captionLabels[row] = new QLabel(FirmwareStringNames::captions().at(row), this);
        valueLabels[row] = new QLabel(QStringLiteral("unknown"), this);
        valueLabels[row]->setObjectName(QStringLiteral("value%1").arg(row));
        valueLabels[row]->setFont(bold);
    }

    qCDebug(lcDevice) << "FWLIST SIZE:" << (fwList ? fwList->size() : 0);
    for (int row = 0; fwList && row < RowCount; ++row) {
        const int index = row + FirstShownString;
        if (index < fwList->size())
            valueLabels[row]->setText(fwList->at(index));
    }

    grid = new QGridLayout;
    grid->setHorizontalSpacing(GridSpacing);
    for (int row = 0; row < RowCount; ++row) {
        grid->addWidget(captionLabels[row], row, 0);
        grid->addWidget(valueLabels[row], row, 1);
    }

    mainLayout = new QVBoxLayout(this);
    mainLayout->addLayout(grid);
    mainLayout->addSpacing(ButtonGap);
    mainLayout->addLayout(buttonRow);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    setWindowTitle(tr("Device Info"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFixedSize(sizeHint());
}

QString DeviceInfoDialog::caption(int row) const
{
    return row >= 0 && row < RowCount ? captionLabels[row]->text() : QString();
}

QString DeviceInfoDialog::value(int row) const
{
    return row >= 0 && row < RowCount ? valueLabels[row]->text() : QString();
}
