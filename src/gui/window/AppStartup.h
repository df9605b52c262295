#pragma once

// What every start of the program does around the application object, shared
// by main and the tools that start the window the same way.
class AppStartup
{
public:
    // The name of the installed desktop entry, without ".desktop".
    static const char *desktopEntryName() { return "cuesmith"; }

    // Qt reads these attributes only while no application object exists:
    // scaling on high-DPI screens, and icons drawn from their larger pixmaps.
    static void beforeApplication();
    // Lets the desktop shell pair the window with its desktop entry (the
    // Wayland app id), so that it shows the entry's icon and name.
    static void afterApplication();
};
