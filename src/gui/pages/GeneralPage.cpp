#include "gui/pages/GeneralPage.h"

#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"
#include "gui/pages/SettingCombo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const PresetSetting &settingOf(PresetSettings::Id id)
{
    return PresetSettings::setting(id);
}

QString labelOf(PresetSettings::Id id)
{
    return settingOf(id).label();
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}
} // namespace

GeneralPage::GeneralPage(const QStringList &macroNames, QWidget *parent) : QWidget(parent)
{
    presetName = new QLineEdit;
    presetName->setMaxLength(PresetText::Length);
    presetDescription = new QLineEdit;
    presetDescription->setMaxLength(PresetText::Length);
    connect(presetName, &QLineEdit::textEdited, this, [this] { emit namesEdited(NameField); });
    connect(presetDescription, &QLineEdit::textEdited, this,
            [this] { emit namesEdited(DescriptionField); });

    // "<No Action>", then the main window's macro names.
    const QStringList macroItems =
        settingOf(PresetSettings::SetupMacro).items.mid(0, 1) + macroNames;
    setupMacro = addCombo("setupMacro", PresetSettings::SetupMacro, macroItems);
    initialState = addCombo("initialState", PresetSettings::InitialState, macroItems);
    videoHpd = addCombo("videoHpd", PresetSettings::VideoHpd);
    channelOverride = addCombo("channelOverride", PresetSettings::ChannelOverride);
    doublePressLimit = addCombo("doublePressLimit", PresetSettings::DoublePressLimit);
    baudRate = addCombo("baudRate", PresetSettings::BaudRate);
    parity = addCombo("parity", PresetSettings::Parity);

    auto *information = new QGroupBox("Preset Information");
    auto *informationGrid = new QGridLayout(information);
    informationGrid->addWidget(label(PresetSettings::presetName() + ':', presetName), 0, 0);
    informationGrid->addWidget(presetName, 0, 1);
    informationGrid->addWidget(label(PresetSettings::presetDescription() + ':', presetDescription),
                               1, 0);
    informationGrid->addWidget(presetDescription, 1, 1);

    auto *boot = new QGroupBox("Boot Options");
    auto *bootRow = new QHBoxLayout(boot);
    bootRow->addWidget(label(labelOf(PresetSettings::SetupMacro), setupMacro));
    bootRow->addWidget(setupMacro);
    bootRow->addWidget(label(labelOf(PresetSettings::InitialState), initialState));
    bootRow->addWidget(initialState);
    bootRow->addStretch();

    auto *options = new QGroupBox("Configuration Options");
    auto *optionsGrid = new QGridLayout(options);
    optionsGrid->addWidget(label(labelOf(PresetSettings::VideoHpd), videoHpd), 0, 0);
    optionsGrid->addWidget(videoHpd, 0, 1);
    optionsGrid->addWidget(label(labelOf(PresetSettings::ChannelOverride), channelOverride), 1, 0);
    optionsGrid->addWidget(channelOverride, 1, 1);
    optionsGrid->addWidget(label(labelOf(PresetSettings::DoublePressLimit), doublePressLimit), 2,
                           0);
    optionsGrid->addWidget(doublePressLimit, 2, 1);
    optionsGrid->setColumnStretch(2, 1);

    auto *serial = new QGroupBox("Serial Configuration (Expansion Board)");
    auto *serialBox = new QVBoxLayout(serial);
    auto *serialGrid = new QGridLayout;
    serialGrid->addWidget(label(labelOf(PresetSettings::BaudRate), baudRate), 0, 0);
    serialGrid->addWidget(baudRate, 0, 1);
    serialGrid->addWidget(label(labelOf(PresetSettings::Parity), parity), 1, 0);
    serialGrid->addWidget(parity, 1, 1);
    serialGrid->setColumnStretch(2, 1);
    serialBox->addLayout(serialGrid);
    serialBox->addWidget(
        new QLabel("*Note these settings are applied to the expansion board on preset load only"));

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(information);
    page->addWidget(boot);
    page->addWidget(options);
    page->addWidget(serial);
    page->addStretch(1);
}

SettingCombo *GeneralPage::addCombo(const char *objectName, PresetSettings::Id id,
                                    const QStringList &items)
{
    auto *combo =
        items.isEmpty() ? new SettingCombo(settingOf(id)) : new SettingCombo(settingOf(id), items);
    combo->setObjectName(objectName);
    connect(combo, QOverload<int>::of(&QComboBox::activated), this, &GeneralPage::settingsEdited);
    return combo;
}

void GeneralPage::load(PresetImage &image)
{
    // setText() does not raise textEdited, so loading writes nothing back.
    presetName->setText(PresetText::read(image, PresetImage::PresetName));
    presetDescription->setText(PresetText::read(image, PresetImage::PresetDescription));

    // The unit runs no setup macro it does not have: such a value is corrected
    // to "<No Action>" rather than kept.
    const PresetSetting &macro = settingOf(PresetSettings::SetupMacro);
    if (macro.storedValue(image) >= macro.items.size())
        macro.setItem(image, 0);
    for (SettingCombo *combo :
         {setupMacro, initialState, videoHpd, channelOverride, doublePressLimit, baudRate, parity})
        combo->load(image);
}

void GeneralPage::apply(PresetImage &image) const
{
    for (const SettingCombo *combo :
         {videoHpd, channelOverride, setupMacro, initialState, doublePressLimit, baudRate, parity})
        combo->apply(image);
}

void GeneralPage::applyNames(PresetImage &image) const
{
    PresetText::write(image, PresetImage::PresetName, presetName->text());
    PresetText::write(image, PresetImage::PresetDescription, presetDescription->text());
}
