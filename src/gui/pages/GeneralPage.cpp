#include "gui/pages/GeneralPage.h"

#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"
#include "gui/pages/SettingCombo.h"
#include "gui/widgets/CoreText.h"

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
    return CoreText::display(settingOf(id).name) + ':';
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
    m_presetName = new QLineEdit;
    m_presetName->setMaxLength(PresetText::Length);
    m_presetDescription = new QLineEdit;
    m_presetDescription->setMaxLength(PresetText::Length);
    connect(m_presetName, &QLineEdit::textEdited, this, [this] { emit namesEdited(NameField); });
    connect(m_presetDescription, &QLineEdit::textEdited, this,
            [this] { emit namesEdited(DescriptionField); });

    // "<No Action>", then the main window's macro names.
    const QStringList macroItems =
        settingOf(PresetSettings::SetupMacro).items.mid(0, 1) + macroNames;
    m_setupMacro = addCombo("setupMacro", PresetSettings::SetupMacro, macroItems);
    m_initialState = addCombo("initialState", PresetSettings::InitialState, macroItems);
    m_videoHpd = addCombo("videoHpd", PresetSettings::VideoHpd);
    m_channelOverride = addCombo("channelOverride", PresetSettings::ChannelOverride);
    m_doublePressLimit = addCombo("doublePressLimit", PresetSettings::DoublePressLimit);
    m_baudRate = addCombo("baudRate", PresetSettings::BaudRate);
    m_parity = addCombo("parity", PresetSettings::Parity);

    auto *information = new QGroupBox(tr("Preset Information"));
    auto *informationGrid = new QGridLayout(information);
    informationGrid->addWidget(
        label(CoreText::display(PresetSettings::presetName()) + ':', m_presetName), 0, 0);
    informationGrid->addWidget(m_presetName, 0, 1);
    informationGrid->addWidget(
        label(CoreText::display(PresetSettings::presetDescription()) + ':', m_presetDescription), 1,
        0);
    informationGrid->addWidget(m_presetDescription, 1, 1);

    auto *boot = new QGroupBox(tr("Boot Options"));
    auto *bootRow = new QHBoxLayout(boot);
    bootRow->addWidget(label(labelOf(PresetSettings::SetupMacro), m_setupMacro));
    bootRow->addWidget(m_setupMacro);
    bootRow->addWidget(label(labelOf(PresetSettings::InitialState), m_initialState));
    bootRow->addWidget(m_initialState);
    bootRow->addStretch();

    auto *options = new QGroupBox(tr("Configuration Options"));
    auto *optionsGrid = new QGridLayout(options);
    optionsGrid->addWidget(label(labelOf(PresetSettings::VideoHpd), m_videoHpd), 0, 0);
    optionsGrid->addWidget(m_videoHpd, 0, 1);
    optionsGrid->addWidget(label(labelOf(PresetSettings::ChannelOverride), m_channelOverride), 1,
                           0);
    optionsGrid->addWidget(m_channelOverride, 1, 1);
    optionsGrid->addWidget(label(labelOf(PresetSettings::DoublePressLimit), m_doublePressLimit), 2,
                           0);
    optionsGrid->addWidget(m_doublePressLimit, 2, 1);
    optionsGrid->setColumnStretch(2, 1);

    auto *serial = new QGroupBox(tr("Serial Configuration (Expansion Board)"));
    auto *serialBox = new QVBoxLayout(serial);
    auto *serialGrid = new QGridLayout;
    serialGrid->addWidget(label(labelOf(PresetSettings::BaudRate), m_baudRate), 0, 0);
    serialGrid->addWidget(m_baudRate, 0, 1);
    serialGrid->addWidget(label(labelOf(PresetSettings::Parity), m_parity), 1, 0);
    serialGrid->addWidget(m_parity, 1, 1);
    serialGrid->setColumnStretch(2, 1);
    serialBox->addLayout(serialGrid);
    serialBox->addWidget(new QLabel(
        tr("*Note these settings are applied to the expansion board on preset load only")));

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
    m_presetName->setText(PresetText::read(image, PresetImage::PresetName));
    m_presetDescription->setText(PresetText::read(image, PresetImage::PresetDescription));

    // The unit runs no setup macro it does not have: such a value is corrected
    // to "<No Action>" rather than kept.
    const PresetSetting &macro = settingOf(PresetSettings::SetupMacro);
    if (macro.storedValue(image) >= macro.items.size())
        macro.setItem(image, 0);
    for (SettingCombo *combo : {m_setupMacro, m_initialState, m_videoHpd, m_channelOverride,
                                m_doublePressLimit, m_baudRate, m_parity})
        combo->load(image);
}

void GeneralPage::apply(PresetImage &image) const
{
    for (const SettingCombo *combo : {m_videoHpd, m_channelOverride, m_setupMacro, m_initialState,
                                      m_doublePressLimit, m_baudRate, m_parity})
        combo->apply(image);
}

void GeneralPage::applyNames(PresetImage &image) const
{
    PresetText::write(image, PresetImage::PresetName, m_presetName->text());
    PresetText::write(image, PresetImage::PresetDescription, m_presetDescription->text());
}
