#include "gui/widgets/ByteLineEdit.h"

#include <QFocusEvent>

ByteLineEdit::ByteLineEdit(QWidget *parent) : QLineEdit(parent) {}

void ByteLineEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu takes the focus only for a moment; the text is not done.
    if (event->reason() != Qt::PopupFocusReason)
        reread();
    QLineEdit::focusOutEvent(event);
}

void ByteLineEdit::takeValue(const QByteArray &bytes, const QString &text)
{
    m_bytes = bytes;
    if (text != this->text())
        setText(text);
    setModified(false);
}
