#include "gui/pages/GeneralPage.h"

#include "core/preset/DurationCode.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int SetupMacroByte = 15;
constexpr int InitialStateByte = 7;
constexpr int VideoHpdByte = 2;
constexpr int ChannelOverrideByte = 14;
constexpr int BaudRateByte = 0;
constexpr int ParityByte = 1;
constexpr int LastMacro = 12;

const QStringList &itemsOf(PresetSettings::Id id)
{
    return PresetSettings::setting(id).items;
}

QString labelOf(PresetSettings::Id id)
{
    return PresetSettings::setting(id).label();
}

// An index without an item leaves the box blank rather than on a wrong item.
void selectIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// A blank box writes nothing, so a value it could not show is kept.
void applyIndex(const QComboBox *combo, PresetImage &image, PresetImage::Region region,
                int position)
{
    if (combo->currentIndex() >= 0)
        image.setValue(region, position, combo->currentIndex());
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
    const QStringList macroItems = itemsOf(PresetSettings::SetupMacro).mid(0, 1) + macroNames;
    setupMacro = addCombo("setupMacro", macroItems);
    initialState = addCombo("initialState", macroItems);
    videoHpd = addCombo("videoHpd", itemsOf(PresetSettings::VideoHpd));
    channelOverride = addCombo("channelOverride", itemsOf(PresetSettings::ChannelOverride));
    doublePressLimit = addCombo("doublePressLimit", itemsOf(PresetSettings::DoublePressLimit));
    baudRate = addCombo("baudRate", itemsOf(PresetSettings::BaudRate));
    parity = addCombo("parity", itemsOf(PresetSettings::Parity));

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

QComboBox *GeneralPage::addCombo(const char *objectName, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(objectName);
    combo->addItems(items);
    connect(combo, QOverload<int>::of(&QComboBox::activated), this, &GeneralPage::settingsEdited);
    return combo;
}

void GeneralPage::load(PresetImage &image)
{
    // setText() does not raise textEdited, so loading writes nothing back.
    presetName->setText(PresetText::read(image, PresetImage::PresetName));
    presetDescription->setText(PresetText::read(image, PresetImage::PresetDescription));

    if (image.value(PresetImage::ConfigBlock, SetupMacroByte) > LastMacro)
        image.setValue(PresetImage::ConfigBlock, SetupMacroByte, 0);
    selectIndex(setupMacro, image.value(PresetImage::ConfigBlock, SetupMacroByte));
    selectIndex(initialState, image.value(PresetImage::ConfigBlock, InitialStateByte));
    selectIndex(videoHpd, image.value(PresetImage::ConfigBlock, VideoHpdByte) != 0 ? 1 : 0);
    selectIndex(channelOverride, image.value(PresetImage::ConfigBlock, ChannelOverrideByte));
    selectIndex(doublePressLimit,
                DurationCode::indexOf(image.value(PresetImage::DoublePressLimit, 0)));
    selectIndex(baudRate, image.value(PresetImage::SerialConfig, BaudRateByte));
    selectIndex(parity, image.value(PresetImage::SerialConfig, ParityByte));
}

void GeneralPage::apply(PresetImage &image) const
{
    applyIndex(videoHpd, image, PresetImage::ConfigBlock, VideoHpdByte);
    applyIndex(channelOverride, image, PresetImage::ConfigBlock, ChannelOverrideByte);
    applyIndex(setupMacro, image, PresetImage::ConfigBlock, SetupMacroByte);
    applyIndex(initialState, image, PresetImage::ConfigBlock, InitialStateByte);
    if (doublePressLimit->currentIndex() >= 0)
        image.setValue(PresetImage::DoublePressLimit, 0,
                       DurationCode::values().at(doublePressLimit->currentIndex()));
    applyIndex(baudRate, image, PresetImage::SerialConfig, BaudRateByte);
    applyIndex(parity, image, PresetImage::SerialConfig, ParityByte);
}

void GeneralPage::applyNames(PresetImage &image) const
{
    PresetText::write(image, PresetImage::PresetName, presetName->text());
    PresetText::write(image, PresetImage::PresetDescription, presetDescription->text());
}
