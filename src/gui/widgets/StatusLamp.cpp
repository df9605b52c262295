#include "gui/widgets/StatusLamp.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace {

constexpr qreal Units = 1000.0;
constexpr qreal GradientRadius = 1500.0;
constexpr qreal OuterRadius = 500.0;
constexpr qreal InnerRadius = 450.0;
constexpr qreal LampRadius = 400.0;
const QColor BezelLight(224, 224, 224);
const QColor BezelDark(28, 28, 28);

QRadialGradient gradient(qreal centre, const QColor &stop0, const QColor &stop1)
{
    QRadialGradient g(QPointF(centre, centre), GradientRadius, QPointF(centre, centre));
    g.setColorAt(0, stop0);
    g.setColorAt(1, stop1);
    return g;
}

} // namespace

StatusLamp::StatusLamp(QWidget *parent) : QAbstractButton(parent)
{
    setMinimumSize(24, 24);
    setCheckable(true);
}

void StatusLamp::setStateText(const QString &text)
{
    // Called on every poll tick: an unchanged text must not be announced again.
    if (text == accessibleName())
        return;
    // Sends QAccessible::NameChanged, so that a screen reader hears the change.
    setAccessibleName(text);
    setToolTip(text);
}

void StatusLamp::setColor(QColor &member, const QColor &color)
{
    if (member == color)
        return;
    member = color;
    update();
}

void StatusLamp::resizeEvent(QResizeEvent *)
{
    update();
}

void StatusLamp::paintEvent(QPaintEvent *)
{
    const int side = std::min(width(), height());
    const qreal half = Units / 2;

    QPainter painter(this);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 1));
    painter.translate(width() / 2, height() / 2);
    painter.scale(side / Units, side / Units);

    painter.setBrush(gradient(-half, BezelLight, BezelDark));
    painter.drawEllipse(QPointF(0, 0), OuterRadius, OuterRadius);

    painter.setBrush(gradient(half, BezelLight, BezelDark));
    painter.drawEllipse(QPointF(0, 0), InnerRadius, InnerRadius);

    if (isChecked())
        painter.setBrush(gradient(-half, m_onColor1, m_onColor2));
    else
        painter.setBrush(gradient(half, m_offColor1, m_offColor2));
    painter.drawEllipse(QPointF(0, 0), LampRadius, LampRadius);
    painter.restore();
}
