#include "gui/events/EventEditor.h"

#include "core/events/EventRecords.h"
#include "core/preset/PresetImage.h"
#include "gui/widgets/CoreText.h"
#include "gui/widgets/HexEdit.h"
#include "gui/widgets/SysexEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

namespace {

int kindNumber(EventKind kind)
{
    return static_cast<int>(kind);
}

QComboBox *makeCombo(const QStringList &items, const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(CoreText::display(items));
    return combo;
}

QSpinBox *makeSpin(int minimum, int maximum, const QString &name, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    return spin;
}

// Loaded data can hold any byte; what no item stands for shows the first item.
void setComboIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

// Six groups stacked under the slot list: kept tight so the list keeps its rows.
template <typename Layout> Layout *groupLayout(QGroupBox *group)
{
    auto *layout = new Layout(group);
    layout->setContentsMargins(9, 4, 9, 4);
    if (layout->direction() == QBoxLayout::TopToBottom)
        layout->setSpacing(4);
    return layout;
}

// The caption is the field's buddy, so that a screen reader names the field
// after it (a combo box would otherwise be read as its current item).
void addLabelled(QBoxLayout *layout, const QString &label, QWidget *field)
{
    auto *caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(field);
}

} // namespace

EventEditor::EventEditor(QWidget *parent) : QWidget(parent), m_kinds(new QButtonGroup(this))
{
    setStyleSheet("QGroupBox{padding-top:15px; margin-top:-15px}");
    // The slot list above takes the spare height; the editor keeps its own.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    const QStringList &titles = EventRecords::editorTitles();
    auto title = [&titles](EventKind kind) { return titles.at(kindNumber(kind) - 1); };
    addKind(EventKind::Midi, title(EventKind::Midi), &EventEditor::buildMidiGroup);
    addKind(EventKind::SysEx, title(EventKind::SysEx), &EventEditor::buildSysexGroup);
    addKind(EventKind::Serial, title(EventKind::Serial), &EventEditor::buildSerialGroup);
    addKind(EventKind::Relay, title(EventKind::Relay), &EventEditor::buildRelayGroup);
    addKind(EventKind::System, title(EventKind::System), &EventEditor::buildSystemGroup);
    addKind(EventKind::Macro, title(EventKind::Macro), &EventEditor::buildMacroGroup);
    layout->addStretch(1);

    m_kinds->setExclusive(true);
    for (auto [radio, hex] :
         {std::make_pair(m_serialHex, true), std::make_pair(m_serialAscii, false)})
        connect(radio, &QRadioButton::clicked, this,
                [this, hex = hex] { m_serialField->setHexMode(hex); });

    m_serialField->setHexMode(true);
    setActiveGroup(EventKind::None);
}

void EventEditor::addKind(EventKind kind, const QString &title, QGroupBox *(EventEditor::*build)())
{
    auto *button = new QRadioButton(CoreText::display(title), this);
    QGroupBox *group = (this->*build)();
    button->setObjectName(QStringLiteral("kindButton%1").arg(kindNumber(kind)));
    group->setObjectName(QStringLiteral("kindGroup%1").arg(kindNumber(kind)));
    m_kinds->addButton(button, kindNumber(kind));
    connect(button, &QAbstractButton::clicked, this, [this, kind] { setActiveGroup(kind); });
    m_groups[kindNumber(kind)] = group;
    // The groups show no title of their own: the radio button above is theirs.
    group->setAccessibleName(CoreText::display(title));
    layout()->addWidget(button);
    layout()->addWidget(group);
}

QGroupBox *EventEditor::buildMidiGroup()
{
    auto *group = new QGroupBox(this);
    m_midiPort = makeCombo(EventRecords::midiPortNames(), "midiPort", group);
    m_midiChannel = makeSpin(1, 16, "midiChannel", group);
    m_midiType = makeCombo(EventRecords::midiMessageTypeNames(), "midiType", group);
    m_midiData1 = makeSpin(0, EventRecords::DataMax, "midiData1", group);
    m_midiData2 = makeSpin(0, EventRecords::DataMax, "midiData2", group);
    auto *row = groupLayout<QHBoxLayout>(group);
    addLabelled(row, tr("Port:"), m_midiPort);
    addLabelled(row, tr("Chan:"), m_midiChannel);
    addLabelled(row, tr("Message Type:"), m_midiType);
    addLabelled(row, tr("Byte 1:"), m_midiData1);
    addLabelled(row, tr("Byte 2:"), m_midiData2);
    row->addStretch(1);
    return group;
}

QGroupBox *EventEditor::buildSysexGroup()
{
    auto *group = new QGroupBox(this);
    m_sysexPort = makeCombo(EventRecords::midiPortNames(), "sysexPort", group);
    m_sysexField = new SysexEdit(group);
    m_sysexField->setObjectName("sysexField");
    auto *column = groupLayout<QVBoxLayout>(group);
    auto *prompt =
        new QLabel(tr("Enter Sysex message, beginning with F0 and ending with F7 (Max %1 bytes)")
                       .arg(EventRecords::SysexMaxMessage),
                   group);
    prompt->setBuddy(m_sysexField);
    column->addWidget(prompt);
    auto *row = new QHBoxLayout;
    addLabelled(row, tr("Port:"), m_sysexPort);
    row->addWidget(m_sysexField);
    column->addLayout(row);
    return group;
}

QGroupBox *EventEditor::buildSerialGroup()
{
    auto *group = new QGroupBox(this);
    m_serialHex = new QRadioButton(tr("Hex"), group);
    m_serialHex->setObjectName("serialHex");
    m_serialHex->setChecked(true);
    m_serialAscii = new QRadioButton(tr("ASCII"), group);
    m_serialAscii->setObjectName("serialAscii");
    m_serialCr = new QCheckBox(tr("Include CR"), group);
    m_serialCr->setObjectName("serialCr");
    m_serialLf = new QCheckBox(tr("Include LF"), group);
    m_serialLf->setObjectName("serialLf");
    m_serialField = new HexEdit(group);
    m_serialField->setObjectName("serialField");
    auto *column = groupLayout<QVBoxLayout>(group);
    // The number is the one buildEvent() cuts the field's bytes to.
    auto *prompt = new QLabel(tr("Enter Serial Data in Hex or ASCII format (Max %1 bytes)")
                                  .arg(EventRecords::SerialMaxData),
                              group);
    prompt->setBuddy(m_serialField);
    column->addWidget(prompt);
    auto *row = new QHBoxLayout;
    row->addWidget(m_serialHex);
    row->addWidget(m_serialAscii);
    row->addWidget(m_serialCr);
    row->addWidget(m_serialLf);
    row->addWidget(m_serialField);
    column->addLayout(row);
    return group;
}

QGroupBox *EventEditor::buildRelayGroup()
{
    auto *group = new QGroupBox(this);
    m_relayNumber = makeCombo(EventRecords::relayNumberNames(), "relayNumber", group);
    m_relayAction = makeCombo(EventRecords::relayActionNames(), "relayAction", group);
    auto *row = groupLayout<QHBoxLayout>(group);
    addLabelled(row, tr("Relay:"), m_relayNumber);
    addLabelled(row, tr("Action:"), m_relayAction);
    row->addStretch(1);
    return group;
}

QGroupBox *EventEditor::buildSystemGroup()
{
    auto *group = new QGroupBox(this);
    m_systemEvent = makeCombo(EventRecords::systemEventNames(), "systemEvent", group);
    auto *row = groupLayout<QHBoxLayout>(group);
    addLabelled(row, tr("Event:"), m_systemEvent);
    row->addStretch(1);
    return group;
}

QGroupBox *EventEditor::buildMacroGroup()
{
    auto *group = new QGroupBox(this);
    m_macroAction = makeCombo(EventRecords::macroActionNames(), "macroAction", group);
    auto *row = groupLayout<QHBoxLayout>(group);
    addLabelled(row, tr("Macro:"), m_macroAction);
    row->addStretch(1);
    return group;
}

int EventEditor::checkedKind() const
{
    return m_kinds->checkedId();
}

QAbstractButton *EventEditor::kindButton(EventKind kind) const
{
    return m_kinds->button(kindNumber(kind));
}

QGroupBox *EventEditor::kindGroup(EventKind kind) const
{
    const int n = kindNumber(kind);
    return n >= 1 && n <= KindCount ? m_groups[n] : nullptr;
}

void EventEditor::setActiveGroup(EventKind kind)
{
    for (int n = 1; n <= KindCount; ++n)
        m_groups[n]->setEnabled(n == kindNumber(kind));
}

void EventEditor::uncheckKinds()
{
    // An exclusive group cannot be left with nothing checked.
    m_kinds->setExclusive(false);
    for (QAbstractButton *button : m_kinds->buttons())
        button->setChecked(false);
    m_kinds->setExclusive(true);
}

void EventEditor::resetEditor(SlotListKind listKind)
{
    setActiveGroup(EventKind::None);
    uncheckKinds();
    // A macro list cannot run macros; only triggers and switches can.
    kindButton(EventKind::Macro)->setEnabled(listKind != MacroList);
}

void EventEditor::showSlot(const PresetImage &image, SlotListKind listKind, int list, int slot)
{
    if (slot == -1) {
        setActiveGroup(EventKind::None);
        uncheckKinds();
        return;
    }
    if (!EventStore::isValidSlot(image, listKind, list, slot))
        return;
    const int code = EventStore::slotCode(image, listKind, list, slot);
    if (code == 0) {
        emit itemHasNoData();
        return;
    }
    setActiveGroup(EventKind::None);
    uncheckKinds();
    showEvent(image, code);
    emit itemHasData();
}

void EventEditor::showEvent(const PresetImage &image, int code)
{
    const EventKind kind = EventRecords::kindOfCode(code);
    const int entry = EventRecords::poolEntryOfCode(image, code);
    switch (kind) {
    case EventKind::Midi: {
        const MidiRecord r = EventRecords::readMidi(image, entry);
        setComboIndex(m_midiPort, r.port - 1);
        m_midiType->setCurrentIndex(EventRecords::typeOfStatus(r.status));
        m_midiChannel->setValue(EventRecords::channelOfStatus(r.status));
        // Spin boxes settle a loaded value above 127 to 127.
        m_midiData1->setValue(r.data1);
        m_midiData2->setValue(r.data2);
        break;
    }
    case EventKind::SysEx: {
        if (entry < 0) // 81-96 lie in the SysEx range but name no entry
            return;
        const SysexRecord r = EventRecords::readSysex(image, entry);
        setComboIndex(m_sysexPort, r.port - 1);
        m_sysexField->setBytes(r.message);
        break;
    }
    case EventKind::Relay: {
        const RelayRecord r = EventRecords::readRelay(image, entry);
        setComboIndex(m_relayNumber, r.relay - 1);
        setComboIndex(m_relayAction, r.action);
        break;
    }
    case EventKind::Macro:
        setComboIndex(m_macroAction, code - EventRecords::MacroFirstCode);
        break;
    case EventKind::Serial: {
        const SerialRecord r = EventRecords::readSerial(image, entry);
        // Checking a radio from code emits no clicked, so the mode is set here.
        (r.ascii ? m_serialAscii : m_serialHex)->setChecked(true);
        m_serialField->setHexMode(!r.ascii);
        m_serialCr->setChecked(r.cr);
        m_serialLf->setChecked(r.lf);
        m_serialField->setBytes(r.data);
        break;
    }
    case EventKind::System:
        setComboIndex(m_systemEvent, code - EventRecords::SystemFirstCode);
        break;
    case EventKind::None:
        return;
    }
    // A disabled button ignores the click: a macro action in a macro's own
    // list is shown in its combo but its kind stays unchosen.
    kindButton(kind)->click();
}

EventData EventEditor::buildEvent()
{
    // A field edited but not yet left holds bytes that do not match its text.
    for (ByteLineEdit *field :
         {static_cast<ByteLineEdit *>(m_sysexField), static_cast<ByteLineEdit *>(m_serialField)}) {
        if (field->isModified())
            field->reread();
    }

    EventData event;
    const int kind = checkedKind();
    if (kind < 1 || kind > KindCount)
        return event;
    event.kind = static_cast<EventKind>(kind);
    event.midi.port = m_midiPort->currentIndex() + 1;
    event.midi.status =
        EventRecords::statusByte(m_midiType->currentIndex(), m_midiChannel->value());
    event.midi.data1 = m_midiData1->value();
    event.midi.data2 = m_midiData2->value();
    event.sysex.port = m_sysexPort->currentIndex() + 1;
    event.sysex.message = m_sysexField->bytes().left(EventRecords::SysexMaxMessage);
    event.relay.relay = m_relayNumber->currentIndex() + 1;
    event.relay.action = m_relayAction->currentIndex();
    event.systemIndex = m_systemEvent->currentIndex();
    event.macroIndex = m_macroAction->currentIndex();
    // The field's mode decides how its bytes were read, so it decides the flag.
    event.serial.ascii = !m_serialField->hexMode();
    event.serial.cr = m_serialCr->isChecked();
    event.serial.lf = m_serialLf->isChecked();
    event.serial.data = m_serialField->bytes().left(EventRecords::SerialMaxData);
    return event;
}

EventStore::StoreResult EventEditor::storeEvent(PresetImage &image, SlotListKind listKind, int list,
                                                int slot)
{
    return EventStore::storeEvent(image, listKind, list, slot, buildEvent());
}

QString EventEditor::poolFullText(EventKind kind, int capacity)
{
    QString name;
    switch (kind) {
    case EventKind::Midi:
        name = tr("MIDI");
        break;
    case EventKind::SysEx:
        name = tr("SysEx");
        break;
    case EventKind::Relay:
        name = tr("relay");
        break;
    case EventKind::Serial:
        name = tr("serial");
        break;
    default:
        return tr("The preset has no free entry left for this kind of event. "
                  "The slot was left as it was.");
    }
    return tr("The preset has no free entry left for a %1 event: a preset holds at "
              "most %2 %1 events, shared by all inputs, switches and macros.\n\n"
              "Clear one of them to make room. The slot was left as it was.")
        .arg(name)
        .arg(capacity);
}

void EventEditor::showPoolFullWarning(const PresetImage &image)
{
    const auto kind = static_cast<EventKind>(qMax(0, checkedKind()));
    QMessageBox::warning(this, tr("Store Event"),
                         poolFullText(kind, EventStore::poolCapacity(image, kind)));
}
