#include "gui/widgets/HexEdit.h"

#include "core/events/EventRecords.h"
#include "core/events/HexText.h"

#include <QRegularExpressionValidator>

HexEdit::HexEdit(QWidget *parent)
    : ByteLineEdit(parent),
      m_hexValidator(new QRegularExpressionValidator(QRegularExpression("[a-fA-F0-9 ]*"), this)),
      m_textValidator(
          new QRegularExpressionValidator(QRegularExpression("[\\x{0}-\\x{ff}]*"), this))
{
    setValidator(m_textValidator);
}

void HexEdit::setHexMode(bool on)
{
    m_hexMode = on;
    setValidator(on ? m_hexValidator : m_textValidator);
    reread();
}

void HexEdit::setBytes(const QByteArray &bytes)
{
    if (m_hexMode) {
        const QByteArray kept = bytes.left(EventRecords::SerialMaxData);
        takeValue(kept, HexText::format(kept));
    } else {
        takeValue(bytes, HexText::bytesText(bytes));
    }
}

void HexEdit::reread()
{
    if (m_hexMode) {
        const QByteArray bytes = HexText::serialHexBytes(text());
        takeValue(bytes, HexText::format(bytes));
    } else {
        takeValue(HexText::textBytes(text()), text());
    }
}
