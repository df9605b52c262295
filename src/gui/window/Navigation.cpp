#include "gui/window/Navigation.h"

#include "core/preset/FunctionNames.h"
#include "gui/widgets/CoreText.h"

#include <QCoreApplication>
#include <QStringList>

#include <iterator>

namespace {
struct ConfigEntry
{
    const char *title;
    Navigation::Page page;
};
const ConfigEntry ConfigEntries[] = {
    {QT_TRANSLATE_NOOP("Navigation", "1.0 Config: General"), Navigation::GeneralIndex},
    {QT_TRANSLATE_NOOP("Navigation", "1.1 Config: GPIO"), Navigation::GpioIndex},
    {QT_TRANSLATE_NOOP("Navigation", "1.2 Config: MIDI"), Navigation::MidiIndex},
};

// The names the tree shows for a list kind's entries, and the title's word for the kind.
QStringList listNames(SlotListKind kind)
{
    switch (kind) {
    case InputTrigger:
        return FunctionNames::inputNames();
    case UnitControl:
        return FunctionNames::switchNames();
    case MacroList:
        return FunctionNames::macroNames();
    default:
        return {};
    }
}

const char *listLabel(SlotListKind kind)
{
    switch (kind) {
    case InputTrigger:
        return QT_TRANSLATE_NOOP("Navigation", " Input Trigger: ");
    case UnitControl:
        return QT_TRANSLATE_NOOP("Navigation", " Unit Control: ");
    default:
        return QT_TRANSLATE_NOOP("Navigation", " Macro List: ");
    }
}
} // namespace

QString Navigation::noSelectionTitle()
{
    return QCoreApplication::translate("Navigation", "<No Selection>");
}

void Navigation::select(SlotListKind kind, int index)
{
    m_currentKind = NoSelection;
    m_currentList = 0;
    m_currentPage = LogoIndex;
    m_currentTitle = noSelectionTitle();

    if (kind == ConfigPage && index >= 0 && index < int(std::size(ConfigEntries))) {
        m_currentKind = ConfigPage;
        m_currentList = index;
        m_currentTitle = QCoreApplication::translate("Navigation", ConfigEntries[index].title);
        m_currentPage = ConfigEntries[index].page;
        return;
    }
    const QStringList names = listNames(kind);
    if (index < 0 || index >= names.size())
        return;
    m_currentKind = kind;
    m_currentList = index;
    m_currentTitle = QString::number(kind) + '.' + QString::number(index) +
                     QCoreApplication::translate("Navigation", listLabel(kind)) +
                     CoreText::display(names.at(index));
    m_currentPage = EventIndex;
}
