#pragma once

#include <QString>
#include <QStringList>

// The core's names stay English for cuesmith-cli and the preset files; the
// window shows them in the user's language. The core marks them in the
// context "Preset"; a name with numbers in it ("Macro 3") is also found by its
// pattern ("Macro %1"), so each numbered family needs one translation only.
class CoreText
{
public:
    static QString display(const QString &english);
    static QStringList display(const QStringList &english);
};
