#pragma once

#include "core/events/EventData.h"
#include "core/events/EventStore.h"

#include <QWidget>
#include <array>

class PresetImage;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class HexEdit;
class SysexEdit;

// The lower half of the event page: the editor of one event. Six kind buttons
// (their ids are the EventKind numbers), each above a group box with that
// kind's fields; only the chosen kind's group is enabled. Field values are
// never cleared, so a kind chosen again shows what it showed last.
class EventEditor : public QWidget
{
    Q_OBJECT
public:
    explicit EventEditor(QWidget *parent = nullptr);

    // No kind chosen; "Run Macro" is refused in a macro's own list.
    void resetEditor(SlotListKind listKind);
    // Shows the event in a slot and tells whether there is one; an empty slot
    // leaves the editor as it was, so a store copies what it shows.
    void showSlot(const PresetImage &image, SlotListKind listKind, int list, int slot);
    // The event the fields describe, kind None when no kind is chosen.
    EventData buildEvent();
    // Replaces the slot's event with the edited one; PoolFull leaves
    // everything untouched (see showPoolFullWarning).
    EventStore::StoreResult storeEvent(PresetImage &image, SlotListKind listKind, int list,
                                       int slot);

    // The checked kind button's id, -1 when none.
    int checkedKind() const;
    QAbstractButton *kindButton(EventKind kind) const;
    QGroupBox *kindGroup(EventKind kind) const;

    static QString poolFullText(EventKind kind, int capacity);
    // The modal "Store Event" warning for a store refused for a full pool.
    void showPoolFullWarning(const PresetImage &image);

signals:
    void itemHasData();
    void itemHasNoData();

protected:
    using QWidget::showEvent;

private:
    void uncheckKinds();
    void showEvent(const PresetImage &image, int code);
    // The one place that decides which group box is enabled.
    void setActiveGroup(EventKind kind);
    // The kind's button is made before its group, so that Tab reaches it first.
    void addKind(EventKind kind, const QString &title, QGroupBox *(EventEditor::*build)());
    QGroupBox *buildMidiGroup();
    QGroupBox *buildSysexGroup();
    QGroupBox *buildSerialGroup();
    QGroupBox *buildRelayGroup();
    QGroupBox *buildSystemGroup();
    QGroupBox *buildMacroGroup();

    static constexpr int KindCount = 6;

    QButtonGroup *m_kinds = nullptr;
    std::array<QGroupBox *, KindCount + 1> m_groups{}; // indexed by kind number

    QComboBox *m_midiPort = nullptr;
    QSpinBox *m_midiChannel = nullptr;
    QComboBox *m_midiType = nullptr;
    QSpinBox *m_midiData1 = nullptr;
    QSpinBox *m_midiData2 = nullptr;

    QComboBox *m_sysexPort = nullptr;
    SysexEdit *m_sysexField = nullptr;

    QRadioButton *m_serialHex = nullptr;
    QRadioButton *m_serialAscii = nullptr;
    QCheckBox *m_serialCr = nullptr;
    QCheckBox *m_serialLf = nullptr;
    HexEdit *m_serialField = nullptr;

    QComboBox *m_relayNumber = nullptr;
    QComboBox *m_relayAction = nullptr;
    QComboBox *m_systemEvent = nullptr;
    QComboBox *m_macroAction = nullptr;
};
