#pragma once

#include "ModalAnswerer.h"

#include <functional>

// Answers the window's dialogs: each file dialog takes the next queued path
// (an empty one cancels), a question is answered Yes, any other box OK.
class DialogScript
{
public:
    DialogScript();

    QStringList paths;
    // Called with each path a file dialog was accepted with, before the
    // program goes on with it.
    std::function<void(const QString &path)> accepted;
    QStringList boxes;        // "title | text" of each message box, in order
    QStringList dialogTitles; // of the file dialogs, in order
    QList<QStringList> filters;

private:
    ModalAnswerer answerer;
};
