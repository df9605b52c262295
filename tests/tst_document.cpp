#include "core/document/PresetFile.h"
#include "core/document/RecentFiles.h"
#include "core/document/UnitBackup.h"
#include "gui/pages/ComboTable.h"
#include "gui/pages/GeneralPage.h"
#include "gui/pages/RoutingGrid.h"
#include "gui/window/MainWindow.h"
#include "support/DeviceTestKit.h"
#include "support/ModalAnswerer.h"
#include "support/ToolRun.h"
#include "support/WindowDriver.h"
#include "virtualunit/VirtualUnit.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

namespace {
const QString ProgramTitle = "Valdane RSX-4 Cuesmith v1.6.1";
const QString Question =
    "Unsaved Changes | The preset has unsaved changes. Save them before continuing?";

// Answers each message box with the button or key `answer`, noting "title |
// text", and a file dialog with `path` (empty: cancels).
struct Answers
{
    explicit Answers(int answer = QMessageBox::Ok, const QString &path = QString())
    {
        modal.ignoreClass("QProgressDialog");
        modal.setAnswer([=](QWidget *w) {
            if (auto *d = qobject_cast<QFileDialog *>(w)) {
                folders << d->directory().absolutePath();
                return QTimer::singleShot(0, d, [=] { ModalAnswerer::acceptFileDialog(d, path); });
            }
            boxes << w->windowTitle() + " | " + qobject_cast<QMessageBox *>(w)->text();
            if (answer < Qt::Key_Escape)
                return ModalAnswerer::clickButton(w, QDialogButtonBox::StandardButton(answer));
            QTest::keyClick(w, Qt::Key(answer));
        });
    }
    ModalAnswerer modal;
    QStringList folders, boxes;
};
} // namespace

// The preset as a document, in the real window: the modified mark and the
// question before edits are lost, the current file, recent files, undo and
// redo, files from the command line and by drop, and the installed file type.
class tst_document : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Port bytes that the page shows as inputs, as it shows any value but 1.
    static QString writePreset(const QString &path)
    {
        PresetImage image;
        image.setImageByte(8, 2), image.setImageByte(9, 255);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && PresetFile::write(file, image) ? path : "";
    }
    // The title as the window system shows it, "[*]" resolved.
    static QString shownTitle(MainWindow &w) { return w.winId(), w.windowHandle()->title(); }
    static QLineEdit *nameEdit(MainWindow &w) { return w.findChild<GeneralPage *>()->nameEdit(); }
    static void click(MainWindow &w, const char *n) { w.findChild<QAbstractButton *>(n)->click(); }
    // The preset with every page applied, as a save would write it.
    static QVector<int> settledBytes(MainWindow &w)
    {
        selectEntry(w, "General"), selectEntry(w, "GPIO Config"), w.preset().buildImage();
        return w.preset().image();
    }
    // Enters a drag of `urls` and drops it; whether the window took it.
    static bool drop(MainWindow &w, const QList<QUrl> &urls)
    {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&w, &enter), QCoreApplication::sendEvent(&w, &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    }

    // An edited preset on its way to the unit, its dialog cancelled once
    // the first block has gone.
    static DeviceLinkPanel &startCancelledUpload(MainWindow &w)
    {
        VirtualUnit &unit = VirtualUnit::instance();
        unit.setPlugged(true);
        DeviceLinkPanel &panel = *w.findChild<DeviceLinkPanel *>();
        if (!kit::connectUnit(panel))
            qFatal("no unit");
        unit.clearLog();
        QTest::keyClicks(nameEdit(w), "Q");
        w.onCommsRequestUpload();
        auto writing = [&unit] {
            for (const auto &out : unit.receivedReports())
                if (out[2] == 0x0D)
                    return true;
            return false;
        };
        for (int i = 0; i < 300 && !writing(); ++i)
            kit::tick(panel);
        panel.transferDialog()->findChild<QPushButton *>()->click();
        if (!writing() || !panel.link()->isBusy() || panel.transferDialog()->isVisible())
            qFatal("no upload running");
        return panel;
    }

private slots:
    void init()
    {
        VirtualUnit::instance().reset();
        VirtualUnit::instance().setPlugged(false);
    }
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QStandardPaths::setTestModeEnabled(true);
        VirtualUnit::instance().setPlugged(false);
        // Recent files go to a folder of this run, never into the user's settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("cfg"));
    }

    void unsavedEditThenNew_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("typed"); // into the save dialog; empty cancels it
        QTest::addColumn<bool>("newDone");
        QTest::newRow("Save") << int(QMessageBox::Save) << m_dir.filePath("kept") << true;
        QTest::newRow("Save, dialog cancelled") << int(QMessageBox::Save) << QString() << false;
        QTest::newRow("Discard") << int(QMessageBox::Discard) << QString() << true;
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QString() << false;
        QTest::newRow("Escape: Cancel") << int(Qt::Key_Escape) << QString() << false;
        QTest::newRow("Return: Cancel") << int(Qt::Key_Return) << m_dir.filePath("no") << false;
    }
    void unsavedEditThenNew()
    {
        QFETCH(int, answer);
        QFETCH(QString, typed);
        QFETCH(bool, newDone);
        MainWindow window({"cuesmith"});
        // Before it is maximized, the window already fills the screen's height.
        QCOMPARE(window.geometry().height(), window.screen()->availableGeometry().height());
        QTest::keyClicks(nameEdit(window), "Q");
        // A port direction waits in the MIDI page, yet marks the preset at once.
        click(window, "portAOut");

        Answers answers(answer, typed);
        action(window, "New Preset")->trigger();
        QCOMPARE(answers.boxes, QStringList{Question});
        QCOMPARE(nameEdit(window)->text(), newDone ? "<EMPTY PRESET>" : "<EMPTY PRESET>Q");
        QCOMPARE(shownTitle(window), ProgramTitle + (newDone ? "" : "*"));
        // Saved under the suffix with the edits, the port that waits in its page among them.
        QCOMPARE(readFile(typed + ".rsx4pre").mid(6 + 8, 1).toHex(),
                 QByteArray(answer == QMessageBox::Save && newDone ? "01" : ""));
    }

    void portBytesFromCommandLineFile()
    {
        const QString path = writePreset(m_dir.filePath("ports.rsx4pre"));
        QTest::ignoreMessage(QtWarningMsg, "cuesmith: ignoring \"none\": not an existing file");
        MainWindow window({"cuesmith", "-devMode", path, "none"});
        QTRY_COMPARE(shownTitle(window), ProgramTitle + " - ports.rsx4pre");
        // Saved to its file without a dialog, bytes 8 and 9 exactly as shown.
        Answers answers;
        const QList<QPair<const char *, QByteArray>> steps = {
            {nullptr, "0000"}, {"portAOut", "0100"}, {"portBOut", "0101"}, {"portAIn", "0001"}};
        for (const auto &step : steps) {
            if (step.first)
                click(window, step.first);
            QFile::remove(path), action(window, "Save Preset")->trigger();
            QCOMPARE(readFile(path).mid(6 + 8, 2).toHex(), step.second);
        }
        QCOMPARE(answers.folders.size() + answers.boxes.size() + window.isWindowModified(), 0);
    }

    void dropAndRecentFiles()
    {
        QSettings("Cuesmith", "Cuesmith").clear();
        MainWindow window({"cuesmith"});
        // The numbers of the recent files, newest first.
        const QString f = m_dir.filePath("f");
        auto recent = [&f] { return RecentFiles().files().join("").remove(f).remove(".rsx4pre"); };
        QList<QUrl> files;
        for (int i = 0; i < 9; ++i)
            files << QUrl::fromLocalFile(writePreset(f + QString::number(i) + ".rsx4pre"));
        QVERIFY(!drop(window, {files[0], files[1]}));
        for (const QUrl &file : files)
            QVERIFY(drop(window, {file}));
        QCOMPARE(recent(), QString("87654321"));
        QTest::keyClicks(nameEdit(window), "Z");
        Answers answers(QMessageBox::Discard);
        QVERIFY(drop(window, {files[0]}));

        // A file that no longer opens leaves the list after the usual warning.
        const QList<QAction *> entries = action(window, "Open Recent")->menu()->actions();
        QCOMPARE(entries.at(3)->text(), "&4 " + files[6].toLocalFile());
        QFile::remove(files[5].toLocalFile());
        entries.at(4)->trigger();
        QCOMPARE(recent(), QString("0876432"));

        // The open dialog starts beside the current file; cancelling it is no failure.
        action(window, "Open Preset...")->trigger();
        QCOMPARE(answers.folders, QStringList{m_dir.path()});
        QCOMPARE(answers.boxes,
                 QStringList({Question, "File Operation | Unable to Open Preset File"}));

        // A FIFO in a preset's place is refused, not waited on.
        const QString fifo = files[8].toLocalFile();
        QVERIFY(QFile::remove(fifo) && mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        answers.boxes.clear();
        QVERIFY(drop(window, {files[8]}));
        QTRY_COMPARE(answers.boxes, QStringList{"File Operation | Unable to Open Preset File"});
    }

    void undoRedoRestoresEveryStep()
    {
        MainWindow window({"cuesmith"});
        QMenu *edit = window.menuBar()->actions().at(1)->menu();
        QAction *undo = edit->actions().at(0), *redo = edit->actions().at(1);
        auto *slotTree = window.findChild<QTreeWidget *>("slotTree");
        // One step each, the page edits that wait for applying among them; typing
        // in one field is one step until another edit comes.
        const QList<QPair<QString, std::function<void()>>> edits = {
            {"Edit Preset Name", [&] { QTest::keyClicks(nameEdit(window), "AB"); }},
            {"Change GPI Configuration",
             [&] { window.findChild<ComboTable *>("gpiTable")->setCell(2, 1, "2.0s"); }},
            {"Change MIDI Configuration", [&] { click(window, "portAOut"); }},
            {"Change MIDI Routing",
             [&] {
                 QTest::mouseClick(window.findChild<RoutingGrid *>(), Qt::LeftButton, {}, {84, 84});
             }},
            {"Change General Configuration",
             [&] { QTest::keyClick(window.findChild<QComboBox *>("baudRate"), Qt::Key_Down); }},
            {"Edit Preset Name", [&] { QTest::keyClick(nameEdit(window), Qt::Key_Backspace); }},
            {"Store Event", [&] {
                 selectEntry(window, "GPI 1"), slotTree->setCurrentItem(slotTree->topLevelItem(3));
                 click(window, "kindButton3"), click(window, "storeButton");
             }}};
        QList<QVector<int>> states{settledBytes(window)};
        for (const auto &edit : edits) {
            edit.second();
            QCOMPARE(undo->text(), "Undo " + edit.first);
            states << settledBytes(window);
        }
        // Undone back to the start, the mark goes; then all redone.
        for (int step = 1; step <= 2 * edits.size(); ++step) {
            const int at = step <= edits.size() ? edits.size() - step : step - edits.size();
            (step <= edits.size() ? undo : redo)->trigger();
            QCOMPARE(settledBytes(window), states.at(at));
            QCOMPARE(window.isWindowModified(), at != 0);
        }

        // A completed upload is clean too; a download starts over, in no file.
        VirtualUnit::instance().setPlugged(true);
        DeviceLinkPanel &panel = *window.findChild<DeviceLinkPanel *>();
        QVERIFY(kit::connectUnit(panel));
        window.onCommsRequestUpload();
        QVERIFY(kit::finishTransfer(panel) >= 0 && !window.isWindowModified());
        undo->trigger();
        Answers answers(QMessageBox::Discard);
        window.onCommsRequestDownload();
        QVERIFY(kit::finishTransfer(panel) >= 0 && !undo->isEnabled());
        QCOMPARE(answers.boxes, QStringList{Question});
        QCOMPARE(settledBytes(window), states.last());
    }

    // An upload clears the mark only when the unit then holds exactly the
    // preset in the window: nothing edited while it ran on after Cancel, and
    // a unit that takes the whole image.
    void uploadMark_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("modified");
        QTest::newRow("untouched") << "1.6" << false << false;
        QTest::newRow("edited after Cancel") << "1.6" << true << true;
        QTest::newRow("1232-byte unit") << "1.4" << false << true;
    }
    void uploadMark()
    {
        QFETCH(QString, firmware);
        QFETCH(bool, edit);
        QFETCH(bool, modified);
        VirtualUnit::instance().setFirmwareVersion(firmware.toStdString());
        MainWindow window({"cuesmith"});
        DeviceLinkPanel &panel = startCancelledUpload(window);
        if (edit)
            QTest::keyClicks(nameEdit(window), "R");
        QVERIFY(kit::finishTransfer(panel) > 0);
        QCOMPARE(window.isWindowModified(), modified);
        Answers answers(QMessageBox::Cancel);
        action(window, "New Preset")->trigger();
        QCOMPARE(answers.boxes, modified ? QStringList{Question} : QStringList());
    }

    // Quit or closing the window while an upload runs on after Cancel asks
    // first (Return and Escape mean Cancel, which keeps both); a download
    // running asks nothing.
    void quitDuringUpload()
    {
        MainWindow window({"cuesmith"});
        DeviceLinkPanel &panel = startCancelledUpload(window);
        QStringList boxes, keys{"Return", "Escape", "Cancel", "Quit Anyway", "Discard"};
        ModalAnswerer modal;
        modal.setAnswer([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            boxes << box->windowTitle() + " | " + box->text();
            const QString key = keys.isEmpty() ? "Cancel" : keys.takeFirst();
            if (key == "Return" || key == "Escape")
                return QTest::keyClick(box, key == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            for (QAbstractButton *b : box->buttons())
                if (b->text() == key)
                    return b->click();
            box->reject();
        });
        action(window, "Quit")->trigger();
        QVERIFY(!window.close() && !window.close() && panel.link()->isBusy());
        QVERIFY(window.close());
        const QString running = "Upload Running | The preset is still being sent to the RSX-4. "
                                "Quitting now leaves an incomplete preset in the unit.";
        QCOMPARE(boxes, QStringList({running, running, running, running, Question}));
        QVERIFY(kit::finishTransfer(panel) > 0);

        MainWindow other({"cuesmith"});
        DeviceLinkPanel &otherPanel = *other.findChild<DeviceLinkPanel *>();
        QVERIFY(kit::connectUnit(otherPanel));
        other.onCommsRequestDownload();
        kit::tick(otherPanel, 5);
        QVERIFY(otherPanel.link()->isBusy() && other.close());
        QVERIFY(kit::finishTransfer(otherPanel) > 0 && boxes.size() == 5);
    }

    // Every upload first keeps the unit's preset as download and "Save Preset
    // As..." from a new preset would write it (a 1232-byte unit's rest is the
    // new preset's), and not twice when equal. "Open Unit Backup..." makes the
    // folder and opens one as Open does.
    void uploadKeepsBackup_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::newRow("1760 bytes") << "1.6";
        QTest::newRow("1232 bytes") << "1.4";
    }
    void uploadKeepsBackup()
    {
        QFETCH(QString, firmware);
        VirtualUnit &unit = VirtualUnit::instance();
        unit.setFirmwareVersion(firmware.toStdString());
        PresetImage onUnit;
        onUnit.setValue(PresetImage::PresetName, 0, 'U');
        onUnit.setValue(PresetImage::TriggerSlots, 1, 0, 1);
        onUnit.buildImage();
        std::vector<std::uint8_t> eeprom = kit::pattern(5);
        std::copy_n(onUnit.image().begin(), firmware == "1.6" ? 1760 : 1232, eeprom.begin());
        unit.setEeprom(eeprom);
        unit.setPlugged(true);
        MainWindow window({"cuesmith"});
        DeviceLinkPanel &panel = *window.findChild<DeviceLinkPanel *>();
        UnitBackup &backup = panel.unitBackup();
        backup.setFolder(m_dir.filePath("backups " + firmware));
        {
            Answers answers;
            action(window, "Open Unit Backup...")->trigger();
            QCOMPARE(answers.folders, QStringList{backup.folder()});
            QVERIFY(QDir(backup.folder()).exists());
        }
        const QString saved = m_dir.filePath("downloaded " + firmware + ".rsx4pre");
        {
            Answers answers(QMessageBox::Ok, saved);
            QVERIFY(kit::connectUnit(panel));
            window.onCommsRequestDownload();
            QVERIFY(kit::finishTransfer(panel) > 0);
            action(window, "Save Preset As...")->trigger();
            for (int upload = 0; upload < 2; ++upload) {
                window.onCommsRequestUpload();
                QVERIFY(kit::finishTransfer(panel) > 0);
            }
            QCOMPARE(answers.boxes, QStringList());
        }
        QCOMPARE(backup.files().size(), 1);
        QCOMPARE(readFile(backup.files().first()), readFile(saved));
        QTest::keyClicks(nameEdit(window), "Z");
        Answers opening(QMessageBox::Discard, backup.files().first());
        action(window, "Open Unit Backup...")->trigger();
        QCOMPARE(opening.boxes, QStringList{Question});
        QCOMPARE(shownTitle(window),
                 ProgramTitle + " - " + QFileInfo(backup.files().first()).fileName());
        QCOMPARE(nameEdit(window)->text().left(1), "U");
    }

    void fileTypeInstalled()
    {
        const QString usr = m_dir.filePath("usr");
        const ToolRun install = ToolRun::run(CUESMITH_CMAKE_COMMAND, "cmake",
                                             {"--install", CUESMITH_BUILD_DIR, "--prefix", usr});
        QVERIFY2(install.ran && install.exitCode == 0,
                 qPrintable(install.problem + install.output));
        const ToolRun type = ToolRun::run(
            "xmllint", "libxml2-utils",
            {"--xpath", "string(//*[@type='application/x-rsx4-preset'][*[@pattern='*.rsx4pre']])",
             usr + "/share/mime/packages/cuesmith.xml"});
        QVERIFY2(type.ran, qPrintable(type.problem));
        QCOMPARE(type.output, QByteArray("RSX-4 preset"));
        const QString desktop = usr + "/share/applications/cuesmith.desktop";
        QVERIFY(readFile(desktop).contains("\nExec=cuesmith %f\n"));
        QVERIFY(readFile(desktop).contains("\nMimeType=application/x-rsx4-preset;\n"));
        const ToolRun validate =
            ToolRun::run("desktop-file-validate", "desktop-file-utils", {desktop});
        QVERIFY2(validate.ran, qPrintable(validate.problem));
        QCOMPARE(validate.exitCode, 0);
        QCOMPARE(validate.output, QByteArray());
    }
};

QTEST_MAIN(tst_document)
#include "tst_document.moc"
