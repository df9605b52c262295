#pragma once

#include <QString>

class QWidget;

// Types text into a widget as key events. QTest::keyClicks handles plain
// ASCII only; other characters go out as key events carrying their text.
void typeText(QWidget *widget, const QString &text);
