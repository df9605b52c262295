#include "gui/pages/SettingCombo.h"

#include "gui/widgets/CoreText.h"

SettingCombo::SettingCombo(const PresetSetting &setting, QWidget *parent)
    : SettingCombo(setting, setting.items, parent)
{
}

SettingCombo::SettingCombo(const PresetSetting &setting, const QStringList &items, QWidget *parent)
    : QComboBox(parent), m_setting(setting)
{
    addItems(CoreText::display(items));
}

void SettingCombo::load(const PresetImage &image)
{
    const int item = m_setting.itemOf(image);
    setCurrentIndex(item >= 0 && item < count() ? item : -1);
}

void SettingCombo::apply(PresetImage &image) const
{
    if (currentIndex() >= 0)
        m_setting.setItem(image, currentIndex());
}
