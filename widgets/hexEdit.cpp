#include "hexEdit.h"

#include "HexText.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

hexEdit::hexEdit(QWidget *parent)
    : QLineEdit(parent),
      m_hexValidator(new QRegularExpressionValidator(QRegularExpression("[a-fA-F0-9 ]*"), this)),
      m_textValidator(
          new QRegularExpressionValidator(QRegularExpression("[\\x{0}-\\x{ff}]*"), this))
{
    setValidator(m_textValidator);
}

void hexEdit::setHexMode(bool on)
{
    m_hexMode = on;
    setValidator(on ? m_hexValidator : m_textValidator);
    reread();
}

void hexEdit::setBytes(const QByteArray &bytes)
{
    if (m_hexMode) {
        m_bytes = bytes.left(HexText::SerialMaxBytes);
        setText(HexText::format(m_bytes));
    } else {
        m_bytes = bytes;
        setText(HexText::bytesText(bytes));
    }
}

void hexEdit::reread()
{
    if (m_hexMode) {
        m_bytes = HexText::serialHexBytes(text());
        const QString canonical = HexText::format(m_bytes);
        if (canonical != text())
            setText(canonical);
    } else {
        m_bytes = HexText::textBytes(text());
    }
    setModified(false);
}

void hexEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu takes the focus only for a moment; the text is not done.
    if (event->reason() != Qt::PopupFocusReason)
        reread();
    QLineEdit::focusOutEvent(event);
}
