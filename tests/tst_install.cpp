#include "core/Version.h"
#include "core/device/DeviceLink.h"
#include "gui/window/AppStartup.h"
#include "support/ToolRun.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The groups, joined by blanks, of the first line of the file that matches `pattern`.
QString field(const QString &path, const QString &pattern)
{
    const QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
    return expression.match(read(path)).capturedTexts().mid(1).join(' ');
}

} // namespace

// What `cmake --install` puts in place for a package with prefix /usr, each
// file agreeing with the others and with the program; and the images the
// program names, compiled in.
class tst_install : public QObject
{
    Q_OBJECT
private slots:
    void installTree()
    {
        QTemporaryDir root;
        qputenv("DESTDIR", QFile::encodeName(root.path()));
        QCOMPARE(QProcess::execute(CUESMITH_CMAKE_COMMAND,
                                   {"--install", CUESMITH_BUILD_DIR, "--prefix", "/usr"}),
                 0);
        const QString usr = root.filePath("usr/");
        const QString udev = QStringLiteral(CUESMITH_UDEV_RULES_DIR "/60-rsx4.rules");
        const QString rules = udev.startsWith('/') ? root.path() + udev : usr + udev;
        const QString desktop =
            usr + "share/applications/" + AppStartup::desktopEntryName() + ".desktop";
        const QString metainfo = usr + "share/metainfo/io.github.cuesmith.Cuesmith.metainfo.xml";
        for (const char *doc : {"README.md", "copyright", "COPYING"})
            QVERIFY2(!read(usr + "share/doc/cuesmith/" + doc).isEmpty(), doc);

        // The desktop entry starts the installed program and names its icon,
        // a badge in every size.
        const QString exec = field(desktop, "^Exec=(\\S+)");
        QVERIFY2(QFileInfo(usr + "bin/" + exec).isExecutable(), qPrintable(exec));
        const QString icon = field(desktop, "^Icon=(.*)$");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage image(
                usr + QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon));
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
        // The metainfo names the entry, the program and the unit it serves;
        // the udev rule lets the user at the seat open that unit.
        QCOMPARE(field(metainfo, "<id>(.*)</id>") + ".metainfo.xml",
                 QFileInfo(metainfo).fileName());
        QCOMPARE(field(metainfo, "<launchable[^>]*>(.*)</launchable>"),
                 QFileInfo(desktop).fileName());
        QCOMPARE(field(metainfo, "<binary>(.*)</binary>"), exec);
        // Its newest release is this version, and so is the installed manual page's.
        QCOMPARE(field(metainfo, "<release version=\"([^\"]+)\""), QString(Version::Text));
        QVERIFY(read(usr + "share/man/man1/cuesmith-cli.1")
                    .startsWith(QStringLiteral(".TH CUESMITH-CLI 1 \"2026\" \"Cuesmith %1\"")
                                    .arg(Version::Text)));
        const QString ids =
            QString::asprintf("%04x %04x", DeviceLink::VendorId, DeviceLink::ProductId);
        QCOMPARE(field(metainfo, "<modalias>usb:v(\\w+)p(\\w+)\\*</modalias>"), ids.toUpper());
        QCOMPARE(field(rules, "^SUBSYSTEM==\"hidraw\", ATTRS\\{idVendor\\}==\"(\\w+)\", "
                              "ATTRS\\{idProduct\\}==\"(\\w+)\", TAG\\+=\"uaccess\"$"),
                 ids);

        // The validators find nothing to say.
        const ToolRun appstream =
            ToolRun::run("appstreamcli", "appstream", {"validate", "--no-net", metainfo});
        QVERIFY2(appstream.ran, qPrintable(appstream.problem));
        QVERIFY2(appstream.exitCode == 0, appstream.output.constData());
        const ToolRun check =
            ToolRun::run("desktop-file-validate", "desktop-file-utils", {desktop});
        QVERIFY2(check.ran, qPrintable(check.problem));
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), check.output.constData());
    }

    void namedImagesLoad()
    {
        const QString root = QStringLiteral(CUESMITH_SOURCE_DIR);
        QStringList named;
        for (QDirIterator it(root + "/src", {"*.cpp", "*.h"}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            auto matches = QRegularExpression("\":(/res/[^\"]+)\"").globalMatch(read(it.next()));
            while (matches.hasNext())
                named << ":" + matches.next().captured(1);
        }
        // The scan works: the window names these.
        QVERIFY(named.contains(":/res/save as-2.png") &&
                named.contains(":/res/valdane_greyscale.PNG"));
        for (const QString &path : named)
            QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }
};

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
