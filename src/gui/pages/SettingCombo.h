#pragma once

#include "core/preset/PresetSetting.h"

#include <QComboBox>

// A combo box of the General or MIDI page that shows one setting of the
// image and writes it back. An item the box does not have leaves it blank
// rather than on a wrong item, and a blank box writes nothing, so a value it
// could not show is kept.
class SettingCombo : public QComboBox
{
    Q_OBJECT
public:
    // The setting's items, or `items` in their place when the page knows
    // better names for them.
    explicit SettingCombo(const PresetSetting &setting, QWidget *parent = nullptr);
    SettingCombo(const PresetSetting &setting, const QStringList &items, QWidget *parent = nullptr);

    void load(const PresetImage &image);
    void apply(PresetImage &image) const;

private:
    PresetSetting m_setting;
};
