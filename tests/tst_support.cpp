#include "ModalAnswerer.h"

#include <QMessageBox>
#include <QtTest>

// The dialog answerer the widget tests rely on.
class tst_support : public QObject
{
    Q_OBJECT
private slots:
    void answersMessageBoxes()
    {
        ModalAnswerer answerer;
        QMessageBox::warning(nullptr, "File Operation", "Unable to Open Preset File");
        QMessageBox::information(nullptr, "Second", "Another");
        QCOMPARE(answerer.titles(), QStringList({"File Operation", "Second"}));
        QCOMPARE(answerer.texts(), QStringList({"Unable to Open Preset File", "Another"}));
        QCOMPARE(answerer.seen().first().className, QString("QMessageBox"));
    }
};

QTEST_MAIN(tst_support)
#include "tst_support.moc"
