#pragma once

#include <QStringList>

class PresetImage;

// Every problem in a preset as it was read, before any page or save settles
// it: slots naming free records or codes in no range, values outside their
// encodings, and records no slot names. One line each.
class PresetCheck
{
public:
    static QStringList problems(const PresetImage &image);
};
