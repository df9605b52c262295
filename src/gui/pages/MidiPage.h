#pragma once

#include "core/preset/PresetImage.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class RoutingGrid;
class SettingCombo;

// Port directions, MIDI remote control, routing groups and the two routing
// patches. The controls hold their values until apply(); apply() followed by
// load() leaves page and model as they were.
//
// Stored values the controls cannot show are carried: a control port above 3
// leaves "MIDI Control Port:" blank and its nibble untouched, and a group flag
// other than 0 or 1 shows unchecked and stays in the model until the user
// changes that box. The port directions are not carried: the unit gets what
// the page shows, so a direction byte other than 1 shows as the input and is
// written back as 0.
class MidiPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Groups = 4;
    static constexpr int GroupOutputs = 4;

    // `paletteSource` colours the routing grids (the main window).
    explicit MidiPage(QWidget *paletteSource, QWidget *parent = nullptr);

    void load(const PresetImage &image);
    void apply(PresetImage &image) const;

    RoutingGrid *patchA() const { return m_patchAGrid; }
    RoutingGrid *patchB() const { return m_patchBGrid; }

signals:
    // User edits that wait for apply(): a port, remote control or routing
    // group choice, and a click in a routing patch.
    void settingsEdited();
    void routingEdited();

private:
    QGroupBox *buildPortSetup();
    QGroupBox *buildRemoteControl();
    QGroupBox *buildGroups();

    QRadioButton *m_portAIn = nullptr;
    QRadioButton *m_portAOut = nullptr;
    QRadioButton *m_portBIn = nullptr;
    QRadioButton *m_portBOut = nullptr;
    SettingCombo *m_controlPort = nullptr;
    SettingCombo *m_controlChannel = nullptr;
    QCheckBox *m_groupOutputs[Groups][GroupOutputs] = {};
    RoutingGrid *m_patchAGrid = nullptr;
    RoutingGrid *m_patchBGrid = nullptr;
};
