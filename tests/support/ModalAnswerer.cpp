#include "support/ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

ModalAnswerer::ModalAnswerer(QObject *parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(20);
}

void ModalAnswerer::clickButton(QWidget *messageBox, QDialogButtonBox::StandardButton button)
{
    auto *box = qobject_cast<QMessageBox *>(messageBox);
    QAbstractButton *b = box ? box->button(QMessageBox::StandardButton(button)) : nullptr;
    if (box && !b && !box->buttons().isEmpty())
        b = box->buttons().first();
    if (b)
        b->click();
    else if (auto *dialog = qobject_cast<QDialog *>(messageBox))
        dialog->reject();
}

void ModalAnswerer::acceptFileDialog(QWidget *widget, const QString &path)
{
    auto *dialog = qobject_cast<QFileDialog *>(widget);
    if (dialog && path.isEmpty())
        dialog->reject();
    if (!dialog || path.isEmpty())
        return;
    dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
    static_cast<QDialog *>(dialog)->accept();
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    // Each dialog is answered once; it may take a moment to close.
    if (!modal || !modal->isVisible() || modal == m_last ||
        m_ignored.contains(modal->metaObject()->className()))
        return;
    m_last = modal;
    auto *box = qobject_cast<QMessageBox *>(modal);
    m_titles << modal->windowTitle();
    m_texts << (box ? box->text() : QString());
    if (m_answer)
        m_answer(modal);
    else
        clickButton(modal, QDialogButtonBox::Ok);
}
