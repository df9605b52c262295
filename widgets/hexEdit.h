#pragma once

#include <QByteArray>
#include <QLineEdit>

class QValidator;

// Single-line field for serial data, typed either as hex bytes or as text.
// Beside its text it keeps the bytes the text stands for. Switching the mode
// re-reads the current text under the new mode; it does not translate it.
class hexEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit hexEdit(QWidget *parent = nullptr);

    void setHexMode(bool on);
    bool hexMode() const { return m_hexMode; }

    QByteArray bytes() const { return m_bytes; }
    // Shows stored bytes in the current mode and takes them as the value.
    void setBytes(const QByteArray &bytes);
    // Reads the text into the value; in hex mode also rewrites it in canonical form.
    void reread();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    QValidator *m_hexValidator = nullptr;
    // Text is stored one byte per character, so only Latin-1 can be typed.
    QValidator *m_textValidator = nullptr;
    bool m_hexMode = false;
    QByteArray m_bytes;
};
