#pragma once

// The program's dark look: the Fusion style, its palette and the tooltip and
// splitter style sheet, set on the whole application. The window sets it before
// it makes any widget, so every widget and page takes its colours from it.
class Theme
{
public:
    static void apply();
};
