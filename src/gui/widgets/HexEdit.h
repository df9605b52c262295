#pragma once

#include "gui/widgets/ByteLineEdit.h"

class QValidator;

// Field for serial data, typed either as hex bytes or as text. Switching the
// mode re-reads the current text under the new mode; it does not translate it.
class HexEdit : public ByteLineEdit
{
    Q_OBJECT
public:
    explicit HexEdit(QWidget *parent = nullptr);

    void setHexMode(bool on);
    bool hexMode() const { return m_hexMode; }

    // Shown in the current mode.
    void setBytes(const QByteArray &bytes) override;
    // Text mode leaves the text as typed.
    void reread() override;

private:
    QValidator *m_hexValidator = nullptr;
    // Text is stored one byte per character, so only Latin-1 can be typed.
    QValidator *m_textValidator = nullptr;
    bool m_hexMode = false;
};
