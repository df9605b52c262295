#include "AppStartup.h"
#include "DeviceLink.h"

#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// What `cmake --install` puts in place for a package with prefix /usr: the
// program, its desktop entry, icons, metainfo and udev rule, each agreeing with
// the others and with the program.
class tst_install : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void iconSizes_data();
    void iconSizes();
    void desktopEntryMatchesInstall();
    void metainfoMatchesInstall();
    void udevRuleMatchesUnit();
    void validatorsAccept_data();
    void validatorsAccept();

private:
    QString path(const QString &relative) const { return m_root.filePath("usr/" + relative); }
    // The rules folder may be given relative to the prefix or as an absolute path.
    QString rulePath() const
    {
        const QString rule = QStringLiteral(CUESMITH_UDEV_RULES_DIR "/60-rsx4.rules");
        return rule.startsWith('/') ? m_root.filePath(rule.mid(1)) : path(rule);
    }
    static QString hex4(unsigned short id)
    {
        return QStringLiteral("%1").arg(id, 4, 16, QChar('0'));
    }
    QString read(const QString &relative) const;
    QMap<QString, QString> desktopEntry() const;
    QString desktopFile() const
    {
        return path(
            QStringLiteral("share/applications/%1.desktop").arg(AppStartup::desktopEntryName()));
    }
    QString metainfoFile() const
    {
        return path("share/metainfo/io.github.cuesmith.Cuesmith.metainfo.xml");
    }

    QTemporaryDir m_root;
};

void tst_install::initTestCase()
{
    QVERIFY(m_root.isValid());
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", m_root.path());
    install.setProcessEnvironment(env);
    install.start(CUESMITH_CMAKE_COMMAND, {"--install", CUESMITH_BUILD_DIR, "--prefix", "/usr"});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAllStandardError().constData());
}

QString tst_install::read(const QString &relative) const
{
    QFile file(QFileInfo(relative).isAbsolute() ? relative : path(relative));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The keys of the [Desktop Entry] group.
QMap<QString, QString> tst_install::desktopEntry() const
{
    QMap<QString, QString> keys;
    bool inEntry = false;
    for (const QString &line : read(desktopFile()).split('\n')) {
        if (line.startsWith('['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.contains('=') && !line.startsWith('#'))
            keys.insert(line.section('=', 0, 0).trimmed(), line.section('=', 1).trimmed());
    }
    return keys;
}

void tst_install::installedFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << path("bin/cuesmith") << true;
    QTest::newRow("desktop entry") << desktopFile() << false;
    QTest::newRow("metainfo") << metainfoFile() << false;
    QTest::newRow("udev rule") << rulePath() << false;
    QTest::newRow("readme") << path("share/doc/cuesmith/README.md") << false;
    QTest::newRow("copyright") << path("share/doc/cuesmith/copyright") << false;
    QTest::newRow("licence") << path("share/doc/cuesmith/COPYING") << false;
}

void tst_install::installedFiles()
{
    QFETCH(QString, file);
    QFETCH(bool, executable);
    const QFileInfo info(file);
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void tst_install::iconSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void tst_install::iconSizes()
{
    QFETCH(int, size);
    const QString icon = desktopEntry().value("Icon");
    QVERIFY(!icon.isEmpty());
    QImageReader reader(
        path(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon)));
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), QSize(size, size));
    const QImage image = reader.read();
    QVERIFY(image.hasAlphaChannel());
    // Transparent corners, an opaque middle: the badge, not a square.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);

    const QString svg = read(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon));
    QVERIFY(svg.startsWith("<svg") && svg.contains("viewBox=\"0 0 256 256\""));
}

void tst_install::desktopEntryMatchesInstall()
{
    const QMap<QString, QString> entry = desktopEntry();
    QCOMPARE(entry.value("Type"), QString("Application"));
    QCOMPARE(entry.value("Name"), QString("Cuesmith"));
    QCOMPARE(entry.value("Terminal"), QString("false"));
    // The program opens the one file named on its command line.
    const QString exec = entry.value("Exec");
    QCOMPARE(exec.section(' ', 1), QString("%f"));
    const QFileInfo program(path("bin/" + exec.section(' ', 0, 0)));
    QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(exec));
    QVERIFY(QFileInfo::exists(
        path(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(entry.value("Icon")))));
    QVERIFY(entry.value("Categories").split(';').contains("HardwareSettings"));
}

void tst_install::metainfoMatchesInstall()
{
    QXmlStreamReader xml(read(metainfoFile()));
    QString id, launchable, binary, modalias;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (xml.name() == QLatin1String("binary"))
            binary = xml.readElementText();
        else if (xml.name() == QLatin1String("modalias"))
            modalias = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id + ".metainfo.xml", QFileInfo(metainfoFile()).fileName());
    QCOMPARE(launchable, QFileInfo(desktopFile()).fileName());
    QCOMPARE(binary, desktopEntry().value("Exec").section(' ', 0, 0));
    // Software centres offer the program when the unit is plugged in.
    QCOMPARE(modalias,
             QStringLiteral("usb:v%1p%2*")
                 .arg(hex4(DeviceLink::VendorId).toUpper(), hex4(DeviceLink::ProductId).toUpper()));
}

void tst_install::udevRuleMatchesUnit()
{
    const QString rule = read(rulePath());
    const QString vendor = hex4(DeviceLink::VendorId);
    const QString product = hex4(DeviceLink::ProductId);
    int hidraw = 0;
    for (const QString &line : rule.split('\n')) {
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        QVERIFY2(line.contains(QStringLiteral("{idVendor}==\"%1\"").arg(vendor)), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("{idProduct}==\"%1\"").arg(product)),
                 qPrintable(line));
        QVERIFY(line.contains("TAG+=\"uaccess\""));
        hidraw += line.contains("SUBSYSTEM==\"hidraw\"");
    }
    QCOMPARE(hidraw, 1);
}

void tst_install::validatorsAccept_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop-file-validate") << "desktop-file-validate" << QStringList();
    QTest::newRow("appstreamcli") << "appstreamcli" << QStringList{"validate", "--no-net"};
}

void tst_install::validatorsAccept()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + " is not installed"));
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(program, arguments << (tool == "appstreamcli" ? metainfoFile() : desktopFile()));
    QVERIFY(run.waitForFinished(60000));
    const QByteArray output = run.readAll();
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, output.constData());
    // desktop-file-validate passes with warnings and hints; none is wanted.
    if (tool == "desktop-file-validate")
        QVERIFY2(output.trimmed().isEmpty(), output.constData());
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
