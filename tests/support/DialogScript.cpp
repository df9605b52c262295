#include "DialogScript.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

DialogScript::DialogScript()
{
    answerer.setAnswer([this](QWidget *w) {
        if (auto *dialog = qobject_cast<QFileDialog *>(w)) {
            directories << dialog->directory().absolutePath();
            filters << dialog->nameFilters();
            const QString path = paths.isEmpty() ? QString() : paths.takeFirst();
            // Accepting may ask whether to replace the file, a dialog of its
            // own that the answerer must be free to answer.
            QTimer::singleShot(0, dialog, [this, dialog, path] {
                ModalAnswerer::acceptFileDialog(dialog, path);
                if (accepted && !path.isEmpty())
                    accepted(path);
            });
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->button(QMessageBox::Yes)) {
            box->button(QMessageBox::Yes)->click();
            return;
        }
        ModalAnswerer::clickButton(w, QDialogButtonBox::Ok);
    });
}

QStringList DialogScript::boxes() const
{
    QStringList list;
    for (const ModalAnswerer::Seen &s : answerer.seen())
        if (s.className == "QMessageBox")
            list << s.title + " | " + s.text;
    return list;
}

QStringList DialogScript::dialogTitles() const
{
    QStringList list;
    for (const ModalAnswerer::Seen &s : answerer.seen())
        if (s.className == "QFileDialog")
            list << s.title;
    return list;
}
