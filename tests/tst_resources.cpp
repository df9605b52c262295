#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

// The compiled-in images: every one the program's sources name must load.
class tst_resources : public QObject
{
    Q_OBJECT
private slots:
    void namedInSources();

private:
    static QString sourceRoot();
};

QString tst_resources::sourceRoot()
{
    const QString qrc = QFINDTESTDATA("../res/resources.qrc");
    return qrc.isEmpty() ? QString() : QFileInfo(qrc).absoluteDir().absoluteFilePath("..");
}

void tst_resources::namedInSources()
{
    const QString root = sourceRoot();
    QVERIFY(!root.isEmpty());

    const QRegularExpression literal(R"(":/res/[^"]+")");
    QMap<QString, QString> named; // path -> first source naming it
    for (const char *folder : {"app", "preset", "device", "events", "config", "widgets"}) {
        QDirIterator it(root + "/" + folder, {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            auto matches = literal.globalMatch(text);
            while (matches.hasNext()) {
                const QString quoted = matches.next().captured(0);
                const QString path = quoted.mid(1, quoted.size() - 2);
                if (!named.contains(path))
                    named.insert(path, file.fileName());
            }
        }
    }
    // The scan itself works: these are named by the window and the tree.
    QVERIFY(named.contains(":/res/save as-2.png"));
    QVERIFY(named.contains(":/res/numbering-2.ico"));
    QVERIFY(named.contains(":/res/valdane_greyscale.PNG"));

    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        const QImage image(it.key());
        QVERIFY2(!image.isNull(), qPrintable(it.key() + " named in " + it.value()));
    }
}

QTEST_GUILESS_MAIN(tst_resources)
#include "tst_resources.moc"
