#pragma once

#include "MainWindow.h"

class QAction;
class QComboBox;

// Works the main window the way a user does: actions by their text, tree
// entries by their label, combo boxes by their items' texts.
QAction *action(MainWindow &window, const QString &text);
// Clicks the tree entry (selects it, while the window is hidden).
void selectEntry(MainWindow &window, const QString &text);
void choose(QComboBox *combo, const QString &text);
// Key events; QTest::keyClicks handles plain ASCII only.
void typeText(QWidget *widget, const QString &text);
// "Save Preset As..." into a new file at `path`: the 1760 image bytes after
// the file's 6-byte header, or what went wrong.
QByteArray savedImage(MainWindow &window, QString *path = nullptr);
QByteArray imageBytes(const PresetImage &image);
QByteArray built(PresetImage image);

// The window, shown and active.
struct ShownWindow
{
    MainWindow window{{"cuesmith"}};
    PresetImage &preset = window.preset();

    ShownWindow();
    template <typename T = QWidget> T *find(const QString &name) const
    {
        T *w = window.findChild<T *>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }
    // A button of that name, or a radio button of that text, clicked on its
    // indicator: check boxes and radio buttons take clicks there only.
    void click(const QString &name) const;
    // As from a file: these image bytes, parsed and shown.
    void load(const QList<QPair<int, int>> &bytes);
};
