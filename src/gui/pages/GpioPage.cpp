#include "gui/pages/GpioPage.h"

#include "core/preset/PresetSettings.h"
#include "gui/pages/ComboTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

GpioPage::GpioPage(const PresetImage &image, QWidget *parent) : QWidget(parent)
{
    gpiConfig = new ComboTable(ComboTable::gpiContent(), image);
    gpiConfig->setObjectName("gpiTable");
    relayConfig = new ComboTable(ComboTable::relayContent(), image);
    relayConfig->setObjectName("relayTable");

    auto *gpiGroup = new QGroupBox(PresetSettings::gpiTitle());
    auto *gpiBox = new QHBoxLayout(gpiGroup);
    gpiBox->addWidget(gpiConfig);

    auto *relayGroup = new QGroupBox(PresetSettings::relayTitle());
    auto *relayBox = new QHBoxLayout(relayGroup);
    relayBox->addWidget(relayConfig);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(gpiGroup, 3);
    page->addWidget(relayGroup, 2);
    page->addStretch(1);
}
