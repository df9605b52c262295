#include "hexEdit.h"

#include "HexText.h"

#include <QRegularExpressionValidator>

hexEdit::hexEdit(QWidget *parent)
    : ByteLineEdit(parent),
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
        const QByteArray kept = bytes.left(HexText::SerialMaxBytes);
        takeValue(kept, HexText::format(kept));
    } else {
        takeValue(bytes, HexText::bytesText(bytes));
    }
}

void hexEdit::reread()
{
    if (m_hexMode) {
        const QByteArray bytes = HexText::serialHexBytes(text());
        takeValue(bytes, HexText::format(bytes));
    } else {
        takeValue(HexText::textBytes(text()), text());
    }
}
