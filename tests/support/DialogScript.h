#pragma once

#include "ModalAnswerer.h"

#include <QStringList>

#include <functional>

// Answers the window's dialogs: each file dialog takes the next queued path
// (an empty one cancels), a question is answered Yes, any other box OK.
class DialogScript
{
public:
    DialogScript();

    // Title and text of every message box, in order, as "title | text".
    QStringList boxes() const;
    // Titles of the file dialogs shown, in order.
    QStringList dialogTitles() const;

    ModalAnswerer answerer;
    QStringList paths;
    // Called with each path a file dialog was accepted with, once the dialog
    // has taken it and before the program goes on with it.
    std::function<void(const QString &path)> accepted;
    QStringList directories;
    QList<QStringList> filters;
};
