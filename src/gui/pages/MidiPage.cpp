#include "gui/pages/MidiPage.h"

#include "core/preset/PresetSettings.h"
#include "core/preset/RoutingMatrix.h"
#include "gui/pages/RoutingGrid.h"
#include "gui/pages/SettingCombo.h"
#include "gui/widgets/CoreText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const PresetSetting &settingOf(PresetSettings::Id id)
{
    return PresetSettings::setting(id);
}

QRadioButton *fixedPort(const QString &text, QObject *groupParent)
{
    // A group of its own: the port has one direction, and clicking it cannot clear it.
    auto *button = new QRadioButton(text);
    auto *group = new QButtonGroup(groupParent);
    group->addButton(button);
    button->setChecked(true);
    return button;
}

// A group flag is 1 when its box is checked. An unchecked control
// stands for "not 1", so it clears a 1 but leaves a value it could not show.
void applyChecked(PresetImage &image, PresetImage::Region region, int row, int column, bool checked)
{
    if (checked)
        image.setValue(region, row, column, 1);
    else if (image.value(region, row, column) == 1)
        image.setValue(region, row, column, 0);
}

void loadGrid(RoutingGrid *grid, const PresetImage &image, PresetImage::Region region)
{
    for (int r = 0; r < RoutingMatrix::Rows; ++r) {
        for (int c = 0; c < RoutingMatrix::Columns; ++c)
            grid->setCellValue(r, c, image.value(region, r, c));
    }
    grid->update();
}

void applyGrid(const RoutingGrid *grid, PresetImage &image, PresetImage::Region region)
{
    for (int r = 0; r < RoutingMatrix::Rows; ++r) {
        for (int c = 0; c < RoutingMatrix::Columns; ++c)
            image.setValue(region, r, c, grid->cellValue(r, c));
    }
}
} // namespace

MidiPage::MidiPage(QWidget *paletteSource, QWidget *parent) : QWidget(parent)
{
    QGroupBox *portSetup = buildPortSetup();
    QGroupBox *remote = buildRemoteControl();
    QGroupBox *groups = buildGroups();

    auto *topRow = new QHBoxLayout;
    topRow->addWidget(portSetup, 0);
    topRow->addWidget(remote, 0);
    topRow->addWidget(groups, 1);

    m_patchAGrid = new RoutingGrid(paletteSource);
    m_patchBGrid = new RoutingGrid(paletteSource);
    for (RoutingGrid *grid : {m_patchAGrid, m_patchBGrid})
        connect(grid, &RoutingGrid::cellToggled, this, &MidiPage::routingEdited);
    auto *patchAGroup = new QGroupBox(CoreText::display(PresetSettings::patchNames().at(0)));
    (new QVBoxLayout(patchAGroup))->addWidget(m_patchAGrid);
    auto *patchBGroup = new QGroupBox(CoreText::display(PresetSettings::patchNames().at(1)));
    (new QVBoxLayout(patchBGroup))->addWidget(m_patchBGrid);
    m_patchAGrid->setAccessibleName(patchAGroup->title());
    m_patchBGrid->setAccessibleName(patchBGroup->title());

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addLayout(topRow);
    page->addWidget(patchAGroup);
    page->addWidget(patchBGroup);
    page->addStretch(1);
}

QGroupBox *MidiPage::buildPortSetup()
{
    const PresetSetting &portA = settingOf(PresetSettings::PortA);
    const PresetSetting &portB = settingOf(PresetSettings::PortB);
    m_portAIn = new QRadioButton(CoreText::display(portA.items.at(0)));
    m_portAOut = new QRadioButton(CoreText::display(portA.items.at(1)));
    m_portBIn = new QRadioButton(CoreText::display(portB.items.at(0)));
    m_portBOut = new QRadioButton(CoreText::display(portB.items.at(1)));
    m_portAIn->setObjectName("portAIn");
    m_portAOut->setObjectName("portAOut");
    m_portBIn->setObjectName("portBIn");
    m_portBOut->setObjectName("portBOut");
    for (auto pair :
         {std::make_pair(m_portAIn, m_portAOut), std::make_pair(m_portBIn, m_portBOut)}) {
        auto *group = new QButtonGroup(this);
        group->addButton(pair.first);
        group->addButton(pair.second);
        for (QRadioButton *button : {pair.first, pair.second})
            connect(button, &QRadioButton::clicked, this, &MidiPage::settingsEdited);
    }

    auto *portSetup = new QGroupBox(tr("MIDI Port Setup"));
    auto *portGrid = new QGridLayout(portSetup);
    portGrid->addWidget(new QLabel(CoreText::display(portA.name) + ':'), 0, 0);
    portGrid->addWidget(new QLabel(CoreText::display(portB.name) + ':'), 0, 1);
    portGrid->addWidget(m_portAIn, 1, 0);
    portGrid->addWidget(m_portBIn, 1, 1);
    portGrid->addWidget(m_portAOut, 2, 0);
    portGrid->addWidget(m_portBOut, 2, 1);
    portGrid->addWidget(new QLabel(tr("Port C:")), 3, 0);
    portGrid->addWidget(new QLabel(tr("Port D:")), 3, 1);
    portGrid->addWidget(fixedPort(CoreText::display(PresetSettings::groupOutputs().at(2)), this), 4,
                        0);
    portGrid->addWidget(fixedPort(CoreText::display(PresetSettings::groupOutputs().at(3)), this), 4,
                        1);
    // A radio button's own text names a direction, which two ports share; its
    // name puts the port's caption first, as a sighted user reads the column:
    // "Port A: MIDI IN 1". The visible text stays whole in the name, so the
    // button is also found by what it shows.
    for (int row : {1, 2, 4}) {
        for (int column : {0, 1}) {
            auto *caption =
                qobject_cast<QLabel *>(portGrid->itemAtPosition(row < 3 ? 0 : 3, column)->widget());
            auto *radio =
                qobject_cast<QRadioButton *>(portGrid->itemAtPosition(row, column)->widget());
            radio->setAccessibleName(
                tr("%1 %2", "a port's caption, then the direction it is set to")
                    .arg(caption->text(), radio->text()));
        }
    }

    return portSetup;
}

QGroupBox *MidiPage::buildRemoteControl()
{
    m_controlPort = new SettingCombo(settingOf(PresetSettings::ControlPort));
    m_controlPort->setObjectName("controlPort");
    m_controlChannel = new SettingCombo(settingOf(PresetSettings::ControlChannel));
    m_controlChannel->setObjectName("controlChannel");
    for (SettingCombo *combo : {m_controlPort, m_controlChannel})
        connect(combo, QOverload<int>::of(&QComboBox::activated), this, &MidiPage::settingsEdited);
    auto *remote = new QGroupBox(tr("MIDI Remote Control"));
    auto *remoteBox = new QVBoxLayout(remote);
    auto *portLabel =
        new QLabel(CoreText::display(settingOf(PresetSettings::ControlPort).name) + ':');
    portLabel->setBuddy(m_controlPort);
    auto *channelLabel =
        new QLabel(CoreText::display(settingOf(PresetSettings::ControlChannel).name) + ':');
    channelLabel->setBuddy(m_controlChannel);
    remoteBox->addWidget(portLabel);
    remoteBox->addWidget(m_controlPort);
    remoteBox->addWidget(channelLabel);
    remoteBox->addWidget(m_controlChannel);

    return remote;
}

QGroupBox *MidiPage::buildGroups()
{
    auto *groups = new QGroupBox(CoreText::display(PresetSettings::groupsTitle()));
    auto *groupGrid = new QGridLayout(groups);
    for (int g = 0; g < Groups; ++g) {
        groupGrid->addWidget(
            new QLabel(CoreText::display(PresetSettings::groupNames().at(g)) + ':'), 0, g);
        for (int output = 0; output < GroupOutputs; ++output) {
            auto *box = new QCheckBox(CoreText::display(PresetSettings::groupOutputs().at(output)));
            box->setObjectName(QString("group%1Output%2").arg(g + 1).arg(output));
            groupGrid->addWidget(box, output + 1, g);
            m_groupOutputs[g][output] = box;
            // Four boxes share each text; the group's name tells them apart.
            box->setAccessibleName(tr("%1: %2", "a routing group, then one of its outputs")
                                       .arg(PresetSettings::groupNames().at(g), box->text()));
            connect(box, &QCheckBox::clicked, this, &MidiPage::settingsEdited);
        }
    }
    groupGrid->setColumnStretch(Groups, 1);

    return groups;
}

void MidiPage::load(const PresetImage &image)
{
    (settingOf(PresetSettings::PortA).itemOf(image) == 1 ? m_portAOut : m_portAIn)
        ->setChecked(true);
    (settingOf(PresetSettings::PortB).itemOf(image) == 1 ? m_portBOut : m_portBIn)
        ->setChecked(true);

    m_controlChannel->load(image);
    m_controlPort->load(image);

    for (int g = 0; g < Groups; ++g) {
        for (int output = 0; output < GroupOutputs; ++output)
            m_groupOutputs[g][output]->setChecked(
                image.value(PresetImage::RoutingGroups, g, output) == 1);
    }

    loadGrid(m_patchAGrid, image, PresetImage::RoutingPatchA);
    loadGrid(m_patchBGrid, image, PresetImage::RoutingPatchB);
}

void MidiPage::apply(PresetImage &image) const
{
    settingOf(PresetSettings::PortA).setItem(image, m_portAOut->isChecked() ? 1 : 0);
    settingOf(PresetSettings::PortB).setItem(image, m_portBOut->isChecked() ? 1 : 0);

    // The two share a byte: each replaces only its own nibble.
    m_controlChannel->apply(image);
    m_controlPort->apply(image);

    for (int g = 0; g < Groups; ++g) {
        for (int output = 0; output < GroupOutputs; ++output)
            applyChecked(image, PresetImage::RoutingGroups, g, output,
                         m_groupOutputs[g][output]->isChecked());
    }

    applyGrid(m_patchAGrid, image, PresetImage::RoutingPatchA);
    applyGrid(m_patchBGrid, image, PresetImage::RoutingPatchB);
}
