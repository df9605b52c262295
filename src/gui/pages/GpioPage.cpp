#include "gui/pages/GpioPage.h"

#include "core/preset/PresetSettings.h"
#include "gui/pages/ComboTable.h"
#include "gui/widgets/CoreText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QTreeView>
#include <QVBoxLayout>

GpioPage::GpioPage(const PresetImage &image, QWidget *parent) : QWidget(parent)
{
    m_gpiConfig = new ComboTable(ComboTable::gpiContent(), image);
    m_gpiConfig->setObjectName("gpiTable");
    m_relayConfig = new ComboTable(ComboTable::relayContent(), image);
    m_relayConfig->setObjectName("relayTable");
    m_gpiConfig->tableView()->setAccessibleName(PresetSettings::gpiTitle());
    m_relayConfig->tableView()->setAccessibleName(PresetSettings::relayTitle());

    auto *gpiGroup = new QGroupBox(CoreText::display(PresetSettings::gpiTitle()));
    auto *gpiBox = new QHBoxLayout(gpiGroup);
    gpiBox->addWidget(m_gpiConfig);

    auto *relayGroup = new QGroupBox(CoreText::display(PresetSettings::relayTitle()));
    auto *relayBox = new QHBoxLayout(relayGroup);
    relayBox->addWidget(m_relayConfig);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(gpiGroup, 3);
    page->addWidget(relayGroup, 2);
    page->addStretch(1);
}
