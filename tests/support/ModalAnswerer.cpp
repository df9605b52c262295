#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

ModalAnswerer::ModalAnswerer(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

ModalAnswerer::~ModalAnswerer() = default;

QStringList ModalAnswerer::titles() const
{
    QStringList list;
    for (const Seen &s : m_seen)
        list << s.title;
    return list;
}

QStringList ModalAnswerer::texts() const
{
    QStringList list;
    for (const Seen &s : m_seen)
        list << s.text;
    return list;
}

void ModalAnswerer::clickButton(QWidget *messageBox, QDialogButtonBox::StandardButton button)
{
    if (auto *box = qobject_cast<QMessageBox *>(messageBox)) {
        if (QAbstractButton *b = box->button(static_cast<QMessageBox::StandardButton>(button))) {
            b->click();
            return;
        }
        if (!box->buttons().isEmpty()) {
            box->buttons().first()->click();
            return;
        }
    }
    if (auto *dialog = qobject_cast<QDialog *>(messageBox))
        dialog->reject();
}

void ModalAnswerer::acceptFileDialog(QWidget *widget, const QString &path)
{
    auto *dialog = qobject_cast<QFileDialog *>(widget);
    if (!dialog)
        return;
    if (path.isEmpty()) {
        dialog->reject();
        return;
    }
    dialog->selectFile(path);
    // selectFile() leaves a name field that has the focus alone; type the name
    // into it as a user would.
    if (auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit"))
        edit->setText(path);
    static_cast<QDialog *>(dialog)->accept();
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        m_last = nullptr;
        return;
    }
    // Answer each dialog once; it may take a moment to close. A guarded
    // pointer, since the next dialog may be created at the same address.
    if (modal == m_last)
        return;
    if (m_ignored.contains(QString::fromLatin1(modal->metaObject()->className())))
        return;
    m_last = modal;

    Seen s;
    s.className = QString::fromLatin1(modal->metaObject()->className());
    s.title = modal->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        s.text = box->text();
    m_seen << s;

    if (m_answer)
        m_answer(modal);
    else
        clickButton(modal, QDialogButtonBox::Ok);
}
