#pragma once

#include <QAbstractButton>
#include <QColor>

// A round lamp: lit while checked, dark otherwise; its state text says the
// same in words. Drawn with radial gradients in a square of 1000 units that is
// scaled to the shorter side of the widget.
class StatusLamp : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor onColor1 READ onColor1 WRITE setOnColor1)
    Q_PROPERTY(QColor onColor2 READ onColor2 WRITE setOnColor2)
    Q_PROPERTY(QColor offColor1 READ offColor1 WRITE setOffColor1)
    Q_PROPERTY(QColor offColor2 READ offColor2 WRITE setOffColor2)
public:
    explicit StatusLamp(QWidget *parent = nullptr);

    QColor onColor1() const { return m_onColor1; }
    QColor onColor2() const { return m_onColor2; }
    QColor offColor1() const { return m_offColor1; }
    QColor offColor2() const { return m_offColor2; }
    void setOnColor1(const QColor &color) { setColor(m_onColor1, color); }
    void setOnColor2(const QColor &color) { setColor(m_onColor2, color); }
    void setOffColor1(const QColor &color) { setColor(m_offColor1, color); }
    void setOffColor2(const QColor &color) { setColor(m_offColor2, color); }

    QSize sizeHint() const override { return minimumSize(); }

    // What the lamp means, in words: its accessible name and its tool tip, for
    // screen readers and for anyone who cannot tell its colours apart. A
    // change is announced to assistive technology.
    void setStateText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setColor(QColor &member, const QColor &color);

    QColor m_onColor1 = QColor(0, 255, 0);
    QColor m_onColor2 = QColor(0, 192, 0);
    QColor m_offColor1 = QColor(0, 28, 0);
    QColor m_offColor2 = QColor(0, 128, 0);
};
