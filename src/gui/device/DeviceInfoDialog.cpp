#include "gui/device/DeviceInfoDialog.h"

#include "core/Logging.h"
#include "core/device/FirmwareStringNames.h"
#include "gui/widgets/CoreText.h"

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
constexpr QFont::Weight BoldWeight = QFont::Bold;

} // namespace

DeviceInfoDialog::DeviceInfoDialog(const QStringList *list, QWidget *parent)
    : QDialog(parent), m_fwList(list)
{
    m_closeButton = new QPushButton(tr("Close"), this);
    m_closeButton->setObjectName("closeButton");
    m_buttonRow = new QHBoxLayout;
    m_buttonRow->addStretch(1);
    m_buttonRow->addWidget(m_closeButton);
    m_buttonRow->addStretch(1);

    QFont bold;
    bold.setWeight(BoldWeight);
    for (int row = 0; row < RowCount; ++row) {
        m_captionLabels[row] =
            new QLabel(CoreText::display(FirmwareStringNames::captions().at(row)), this);
        m_valueLabels[row] = new QLabel(tr("unknown"), this);
        m_valueLabels[row]->setObjectName(QStringLiteral("value%1").arg(row));
        m_valueLabels[row]->setFont(bold);
    }

    qCDebug(lcDevice) << "FWLIST SIZE:" << (m_fwList ? m_fwList->size() : 0);
    for (int row = 0; m_fwList && row < RowCount; ++row) {
        const int index = row + FirstShownString;
        if (index < m_fwList->size())
            m_valueLabels[row]->setText(m_fwList->at(index));
    }

    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(GridSpacing);
    for (int row = 0; row < RowCount; ++row) {
        m_grid->addWidget(m_captionLabels[row], row, 0);
        m_grid->addWidget(m_valueLabels[row], row, 1);
    }

    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->addLayout(m_grid);
    m_mainLayout->addSpacing(ButtonGap);
    m_mainLayout->addLayout(m_buttonRow);

    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);

    setWindowTitle(tr("Device Info"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFixedSize(sizeHint());
}

QString DeviceInfoDialog::caption(int row) const
{
    return row >= 0 && row < RowCount ? m_captionLabels[row]->text() : QString();
}

QString DeviceInfoDialog::value(int row) const
{
    return row >= 0 && row < RowCount ? m_valueLabels[row]->text() : QString();
}
