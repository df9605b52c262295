#include "gui/widgets/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
constexpr const char *Context = "Preset";
} // namespace

QString CoreText::display(const QString &english)
{
    const QString whole = QCoreApplication::translate(Context, english.toUtf8().constData());
    if (whole != english)
        return whole;

    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QString pattern;
    QStringList numbers;
    int from = 0;
    for (auto it = digits.globalMatch(english); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        numbers << match.captured();
        pattern +=
            english.mid(from, match.capturedStart() - from) + '%' + QString::number(numbers.size());
        from = match.capturedEnd();
    }
    if (numbers.isEmpty())
        return english;
    pattern += english.mid(from);
    QString shown = QCoreApplication::translate(Context, pattern.toUtf8().constData());
    if (shown == pattern)
        return english;
    for (const QString &number : numbers)
        shown = shown.arg(number);
    return shown;
}

QStringList CoreText::display(const QStringList &english)
{
    QStringList shown;
    for (const QString &text : english)
        shown << display(text);
    return shown;
}
