#pragma once

#include <QDialogButtonBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers modal dialogs in tests: a timer looks for the active modal widget,
// records what it showed and answers it, so no test ever waits for a person.
class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text; // a message box's text, empty for other dialogs
    };

    // `answer` is called with each modal widget found; by default a message box
    // gets its OK (or first) button clicked and any other dialog is rejected.
    explicit ModalAnswerer(QObject *parent = nullptr);
    ~ModalAnswerer() override;

    void setAnswer(std::function<void(QWidget *)> answer) { m_answer = std::move(answer); }
    const QList<Seen> &seen() const { return m_seen; }
    QStringList titles() const;
    QStringList texts() const;
    void clear() { m_seen.clear(); }
    // Leaves modal widgets of this class alone (for example a progress dialog
    // that stays up while a test drives the work behind it).
    void ignoreClass(const QString &className) { m_ignored << className; }

    // Answers a QFileDialog by typing `path` into it and accepting.
    static void acceptFileDialog(QWidget *dialog, const QString &path);
    static void clickButton(QWidget *messageBox, QDialogButtonBox::StandardButton button);

private:
    void poll();

    QTimer m_timer;
    QList<Seen> m_seen;
    QStringList m_ignored;
    QPointer<QWidget> m_last;
    std::function<void(QWidget *)> m_answer;
};
