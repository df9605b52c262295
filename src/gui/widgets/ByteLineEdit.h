#pragma once

#include <QByteArray>
#include <QLineEdit>

// A single-line field that keeps, beside the text it shows, the bytes the
// text stands for. Losing the keyboard focus re-reads the text into bytes.
class ByteLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    QByteArray bytes() const { return m_bytes; }
    // Shows stored bytes and takes them as the value.
    virtual void setBytes(const QByteArray &bytes) = 0;
    // Reads the text into the value and shows it in canonical form.
    virtual void reread() = 0;

protected:
    explicit ByteLineEdit(QWidget *parent);
    void focusOutEvent(QFocusEvent *event) override;
    // Takes the value and shows its text, leaving an unchanged text alone.
    void takeValue(const QByteArray &bytes, const QString &text);

private:
    QByteArray m_bytes;
};
