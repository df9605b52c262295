#pragma once

#include <QString>

class PresetImage;

// The whole preset as readable text in the window's words: name and
// description, every setting under its label, the routing patches as grids,
// and each non-empty slot list with the slot list's one-line descriptions.
class TextReport
{
public:
    static QString show(const PresetImage &image);
};
