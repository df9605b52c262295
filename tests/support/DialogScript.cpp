#include "DialogScript.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

DialogScript::DialogScript()
{
    answerer.setAnswer([this](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            boxes << box->windowTitle() + " | " + box->text();
            if (box->button(QMessageBox::Yes))
                box->button(QMessageBox::Yes)->click();
            else
                ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
        } else if (auto *dialog = qobject_cast<QFileDialog *>(w)) {
            dialogTitles << dialog->windowTitle();
            filters << dialog->nameFilters();
            const QString path = paths.isEmpty() ? QString() : paths.takeFirst();
            // Accepting may ask whether to replace the file: a dialog of its
            // own, which the answerer must be free to answer.
            QTimer::singleShot(0, dialog, [this, dialog, path] {
                ModalAnswerer::acceptFileDialog(dialog, path);
                if (accepted && !path.isEmpty())
                    accepted(path);
            });
        }
    });
}
