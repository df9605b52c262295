#include "AppStartup.h"
#include "DeviceLink.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// What `cmake --install` puts in place for a package with prefix /usr, each
// file agreeing with the others and with the program; and the images the
// program names, compiled in.
class tst_install : public QObject
{
    Q_OBJECT
private slots:
    void installTree();
    void namedImagesLoad();

private:
    QString read(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The first match of `pattern` in the file, its first group.
    QString field(const QString &path, const QString &pattern) const
    {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption)
            .match(read(path))
            .captured(1);
    }
};

void tst_install::installTree()
{
    QTemporaryDir root;
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", root.path());
    install.setProcessEnvironment(env);
    install.start(CUESMITH_CMAKE_COMMAND, {"--install", CUESMITH_BUILD_DIR, "--prefix", "/usr"});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    const QString usr = root.filePath("usr/");
    const QString rules = QStringLiteral(CUESMITH_UDEV_RULES_DIR "/60-rsx4.rules");
    const QString desktop =
        usr + QStringLiteral("share/applications/%1.desktop").arg(AppStartup::desktopEntryName());
    const QString metainfo = usr + "share/metainfo/io.github.cuesmith.Cuesmith.metainfo.xml";
    for (const QString &file :
         {usr + "share/doc/cuesmith/README.md", usr + "share/doc/cuesmith/copyright",
          usr + "share/doc/cuesmith/COPYING",
          rules.startsWith('/') ? root.path() + rules : usr + rules})
        QVERIFY2(QFileInfo(file).size() > 0, qPrintable(file));

    // The desktop entry starts the installed program and names its icon.
    const QString exec = field(desktop, "^Exec=(\\S+)");
    QVERIFY2(QFileInfo(usr + "bin/" + exec).isExecutable(), qPrintable(exec));
    QCOMPARE(field(desktop, "^Name=(.*)$"), QString("Cuesmith"));
    const QString icon = field(desktop, "^Icon=(.*)$");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image(usr +
                           QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon));
        QCOMPARE(image.size(), QSize(size, size));
        // Transparent corners, an opaque middle: the badge, not a square.
        QCOMPARE(qAlpha(image.pixel(0, 0)) * 1000 + qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
    QVERIFY(read(usr + QString("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))
                .startsWith("<svg"));

    // The metainfo names the entry and the program, and the unit it serves.
    QCOMPARE(field(metainfo, "<id>(.*)</id>") + ".metainfo.xml", QFileInfo(metainfo).fileName());
    QCOMPARE(field(metainfo, "<launchable[^>]*>(.*)</launchable>"), QFileInfo(desktop).fileName());
    QCOMPARE(field(metainfo, "<binary>(.*)</binary>"), exec);
    const QString vendor = QString::asprintf("%04x", DeviceLink::VendorId);
    const QString product = QString::asprintf("%04x", DeviceLink::ProductId);
    QCOMPARE(field(metainfo, "<modalias>(.*)</modalias>"),
             QString("usb:v%1p%2*").arg(vendor.toUpper(), product.toUpper()));
    // The udev rule lets the user at the seat open the unit's hidraw node.
    const QString rule = read(rules.startsWith('/') ? root.path() + rules : usr + rules);
    QVERIFY2(QRegularExpression(
                 QString("^SUBSYSTEM==\"hidraw\".*\\{idVendor\\}==\"%1\".*\\{idProduct\\}=="
                         "\"%2\".*TAG\\+=\"uaccess\"")
                     .arg(vendor, product),
                 QRegularExpression::MultilineOption)
                 .match(rule)
                 .hasMatch(),
             qPrintable(rule));

    // The validators, where installed, find nothing to say.
    for (const QStringList &run : {QStringList{"desktop-file-validate", desktop},
                                   QStringList{"appstreamcli", "validate", "--no-net", metainfo}}) {
        const QString program = QStandardPaths::findExecutable(run[0]);
        if (program.isEmpty()) {
            qWarning("%s is not installed", qPrintable(run[0]));
            continue;
        }
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(program, run.mid(1));
        QVERIFY(check.waitForFinished(60000));
        const QByteArray output = check.readAll();
        QVERIFY2(check.exitCode() == 0 &&
                     (run[0] != "desktop-file-validate" || output.trimmed().isEmpty()),
                 output.constData());
    }
}

void tst_install::namedImagesLoad()
{
    const QString root = QFileInfo(QFINDTESTDATA("../res/resources.qrc")).absolutePath() + "/..";
    QStringList named;
    for (const char *folder : {"app", "config", "device", "events", "preset", "widgets"}) {
        QDirIterator it(root + "/" + folder, {"*.cpp", "*.h"}, QDir::Files);
        while (it.hasNext()) {
            auto matches = QRegularExpression("\":(/res/[^\"]+)\"").globalMatch(read(it.next()));
            while (matches.hasNext())
                named << ":" + matches.next().captured(1);
        }
    }
    // The scan works: the window names these.
    QVERIFY(named.contains(":/res/save as-2.png") && named.contains(":/res/valdane_greyscale.PNG"));
    for (const QString &path : named)
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
