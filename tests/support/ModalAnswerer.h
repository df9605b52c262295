#pragma once

#include <QDialogButtonBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers modal dialogs in tests: a timer looks for the active modal widget,
// records its title (and a message box's text) and answers it, so no test
// ever waits for a person.
class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    // By default a message box gets its OK (or first) button clicked and any
    // other dialog is rejected.
    explicit ModalAnswerer(QObject *parent = nullptr);

    void setAnswer(std::function<void(QWidget *)> answer) { m_answer = std::move(answer); }
    QStringList titles() const { return m_titles; }
    QStringList texts() const { return m_texts; } // empty for dialogs other than message boxes
    // Leaves modal widgets of this class alone (a progress dialog, say).
    void ignoreClass(const QString &className) { m_ignored << className; }

    static void clickButton(QWidget *messageBox, QDialogButtonBox::StandardButton button);
    // Types `path` into a file dialog's name field and accepts; an empty path cancels.
    static void acceptFileDialog(QWidget *dialog, const QString &path);

private:
    void poll();

    QTimer m_timer;
    QStringList m_titles;
    QStringList m_texts;
    QStringList m_ignored;
    // Guarded: the next dialog may be created at the same address.
    QPointer<QWidget> m_last;
    std::function<void(QWidget *)> m_answer;
};
