#include <QDirIterator>
#include <QImageReader>
#include <QRegularExpression>
#include <QtTest>

// The compiled-in images: every one the program's sources name must load.
class tst_resources : public QObject
{
    Q_OBJECT
private slots:
    void namedInSources();
    void compiledImagesLoad();
    void icoFiles();
    void logos();

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

void tst_resources::compiledImagesLoad()
{
    QStringList compiled;
    QDirIterator it(":/res", QDir::Files);
    while (it.hasNext())
        compiled << it.next().mid(QString(":/res/").size());
    compiled.sort();

    // Every image in res/ is compiled in, under its own file name.
    QDir folder(sourceRoot() + "/res");
    QStringList onDisk = folder.entryList(QDir::Files);
    onDisk.removeAll("resources.qrc");
    onDisk.removeAll("README.md");
    onDisk.sort();
    QCOMPARE(compiled, onDisk);

    // Including the ones that the device panel and the event pages name.
    for (const char *name : {"ValdaneLogo.png",
                             "ValdaneLogo-2.png",
                             "valdane_greyscale.PNG",
                             "empty-2.png",
                             "open-2.png",
                             "save as-2.png",
                             "exit-2.png",
                             "information-2.png",
                             "configure-3.png",
                             "settings-2.png",
                             "connect-3.ico",
                             "midicontrol2-2.png",
                             "record-3.png",
                             "stop-5.png",
                             "numbering-2.ico",
                             "compile.png",
                             "upload_preset.png",
                             "table_delete-2.png",
                             "table_save-2.png",
                             "build-2.png",
                             "switch-network.png",
                             "router.png",
                             "cog.png"})
        QVERIFY2(compiled.contains(name), name);

    for (const QString &name : compiled) {
        const QImage image(":/res/" + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY2(image.width() >= 16 && image.height() >= 16, qPrintable(name));
    }
}

void tst_resources::icoFiles()
{
    for (const char *path : {":/res/connect-3.ico", ":/res/numbering-2.ico"}) {
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("ico"));
        QCOMPARE(reader.imageCount(), 3);
        QVERIFY(!reader.read().isNull());
    }
}

void tst_resources::logos()
{
    const QImage panel(":/res/valdane_greyscale.PNG");
    QVERIFY(panel.allGray());
    // Drawn at twice the panel's 302 x 74 so it stays sharp on dense screens.
    QCOMPARE(panel.size(), QSize(604, 148));
    QVERIFY(panel.hasAlphaChannel());

    const QImage icon(":/res/ValdaneLogo.png");
    QCOMPARE(icon.width(), icon.height());
    QVERIFY(!icon.allGray());
    const QImage small(":/res/ValdaneLogo-2.png");
    QCOMPARE(small.size(), QSize(32, 32));
}

QTEST_GUILESS_MAIN(tst_resources)
#include "tst_resources.moc"
