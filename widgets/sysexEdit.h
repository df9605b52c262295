#pragma once

#include <QByteArray>
#include <QLineEdit>

// Single-line field for a MIDI SysEx message typed as hex bytes. Beside its
// text it keeps the bytes the text stands for; losing the focus rewrites the
// text into canonical form, framed by F0 ... F7.
class sysexEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit sysexEdit(QWidget *parent = nullptr);

    QByteArray bytes() const { return m_bytes; }
    // Shows stored bytes as they are and takes them as the value.
    void setBytes(const QByteArray &bytes);
    // Reads the text into the value and rewrites it in canonical form.
    void reread();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    QByteArray m_bytes;
};
