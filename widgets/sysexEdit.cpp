#include "sysexEdit.h"

#include "HexText.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

sysexEdit::sysexEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression("[a-fA-F0-9 ]*"), this));
}

void sysexEdit::setBytes(const QByteArray &bytes)
{
    m_bytes = bytes.left(HexText::SysexMaxBytes);
    setText(HexText::format(m_bytes));
}

void sysexEdit::reread()
{
    m_bytes = HexText::sysexBytes(text());
    const QString canonical = HexText::format(m_bytes);
    if (canonical != text())
        setText(canonical);
    setModified(false);
}

void sysexEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu takes the focus only for a moment; the text is not done.
    if (event->reason() != Qt::PopupFocusReason)
        reread();
    QLineEdit::focusOutEvent(event);
}
