#include "gui/widgets/SysexEdit.h"

#include "core/events/EventRecords.h"
#include "core/events/HexText.h"

#include <QRegularExpressionValidator>

SysexEdit::SysexEdit(QWidget *parent) : ByteLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression("[a-fA-F0-9 ]*"), this));
}

void SysexEdit::setBytes(const QByteArray &bytes)
{
    const QByteArray kept = bytes.left(EventRecords::SysexMaxMessage);
    takeValue(kept, HexText::format(kept));
}

void SysexEdit::reread()
{
    const QByteArray bytes = HexText::sysexBytes(text());
    takeValue(bytes, HexText::format(bytes));
}
