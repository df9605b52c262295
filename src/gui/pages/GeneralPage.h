#pragma once

#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"

#include <QWidget>

class QLineEdit;
class SettingCombo;

// Preset-wide settings: name and description, boot options, configuration
// options and the expansion board's serial settings. The combo boxes hold
// their choices until apply(); the name and description are meant to be
// written on every keystroke (namesEdited() -> applyNames()).
//
// A stored value that no item stands for shows as a blank combo box and is
// left in the model by apply(), with one exception: a setup macro above 12
// is corrected to 0 ("<No Action>") when loaded.
class GeneralPage : public QWidget
{
    Q_OBJECT
public:
    enum TextField { NameField, DescriptionField };

    explicit GeneralPage(const QStringList &macroNames, QWidget *parent = nullptr);

    // Non-const: loading may correct the setup macro in the model.
    void load(PresetImage &image);
    void apply(PresetImage &image) const;
    // Writes both line edits, whichever was edited.
    void applyNames(PresetImage &image) const;

    QLineEdit *nameEdit() const { return m_presetName; }
    QLineEdit *descriptionEdit() const { return m_presetDescription; }

signals:
    // A user edit of either line edit; loading does not raise it.
    void namesEdited(GeneralPage::TextField field);
    // The user chose an item in a combo box; the choice waits for apply().
    void settingsEdited();

private:
    // The setting's own items unless `items` names them.
    SettingCombo *addCombo(const char *objectName, PresetSettings::Id id,
                           const QStringList &items = {});

    QLineEdit *m_presetName = nullptr;
    QLineEdit *m_presetDescription = nullptr;
    SettingCombo *m_setupMacro = nullptr;
    SettingCombo *m_initialState = nullptr;
    SettingCombo *m_videoHpd = nullptr;
    SettingCombo *m_channelOverride = nullptr;
    SettingCombo *m_doublePressLimit = nullptr;
    SettingCombo *m_baudRate = nullptr;
    SettingCombo *m_parity = nullptr;
};
