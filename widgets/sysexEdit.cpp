#include "sysexEdit.h"

#include "HexText.h"

#include <QRegularExpressionValidator>

sysexEdit::sysexEdit(QWidget *parent) : ByteLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression("[a-fA-F0-9 ]*"), this));
}

void sysexEdit::setBytes(const QByteArray &bytes)
{
    const QByteArray kept = bytes.left(HexText::SysexMaxBytes);
    takeValue(kept, HexText::format(kept));
}

void sysexEdit::reread()
{
    const QByteArray bytes = HexText::sysexBytes(text());
    takeValue(bytes, HexText::format(bytes));
}
