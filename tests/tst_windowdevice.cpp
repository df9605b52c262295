#include "DeviceTestKit.h"
#include "DialogScript.h"
#include "GeneralPage.h"
#include "MainWindow.h"
#include "WindowDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

using namespace kit;

// Upload and download through the main window against the virtual unit: the
// unit gets exactly what the pages show, and what it holds comes back into them.
class tst_windowdevice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init();
    void cleanup();
    void uploadSendsWhatThePagesShow();
    void downloadRefreshesEveryPage();
    void unplugDuringDownloadKeepsPreset();

private:
    commsWidget &panel() { return *m_window->findChild<commsWidget *>(); }
    void click(const char *button)
    {
        auto *b = panel().findChild<QPushButton *>(button);
        QVERIFY(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    std::unique_ptr<MainWindow> m_window;
};

void tst_windowdevice::init()
{
    unit().reset();
    m_window.reset(new MainWindow({"cuesmith"}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(connectUnit(panel()));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("RSX-4 Online"));
}

void tst_windowdevice::cleanup()
{
    m_window.reset();
    QCOMPARE(leftovers(), QStringList());
}

void tst_windowdevice::uploadSendsWhatThePagesShow()
{
    selectEntry(*m_window, "General");
    m_window->findChild<QComboBox *>("parity")->setCurrentText("Even");
    auto *name = m_window->findChild<GeneralPage *>()->findChild<QLineEdit *>();
    QVERIFY(name);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Stage Left");

    // Uploaded without a change of page: the upload applies the page itself.
    click("uploadButton");
    QVERIFY(finishTransfer(panel()) >= 0);
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Upload Complete"));
    const QVector<int> sent = toInts(unit().eeprom(), 1760);
    QCOMPARE(sent, m_window->preset().image());
    QCOMPARE(sent.at(1233), 2);
    const QByteArray typed = "Stage Left";
    for (int i = 0; i < 16; ++i)
        QCOMPARE(sent.at(32 + i), i < typed.size() ? int(typed.at(i)) : 0);
}

void tst_windowdevice::downloadRefreshesEveryPage()
{
    PresetImage source;
    const QByteArray text = "FROM UNIT";
    for (int i = 0; i < 16; ++i)
        source.setValue(PresetImage::PresetName, i, i < text.size() ? text.at(i) : 0);
    source.setValue(PresetImage::SerialConfig, 0, 7);
    source.setValue(PresetImage::TriggerSlots, 4, 3, 217);
    source.buildImage();
    std::vector<std::uint8_t> bytes;
    for (int v : source.image())
        bytes.push_back(std::uint8_t(v));
    unit().setEeprom(bytes);

    selectEntry(*m_window, "GPI 5");
    click("downloadButton");
    QVERIFY(finishTransfer(panel()) >= 0);
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Download Complete"));
    QCOMPARE(m_window->preset().image(), source.image());
    // The model was parsed (the slot packed to the front) and the views reloaded.
    QCOMPARE(m_window->preset().value(PresetImage::TriggerSlots, 4, 0), 217);
    auto *slotTree = m_window->findChild<QTreeWidget *>("slotTree");
    QCOMPARE(slotTree->topLevelItem(0)->text(1), QString("SYSTEM: Toggle USB"));
    QCOMPARE(m_window->findChild<QComboBox *>("baudRate")->currentText(), QString("115200"));
    auto *name = m_window->findChild<GeneralPage *>()->findChild<QLineEdit *>();
    QCOMPARE(name->text(), QString("FROM UNIT"));
}

void tst_windowdevice::unplugDuringDownloadKeepsPreset()
{
    unit().setEeprom(pattern(3));
    m_window->preset().setValue(PresetImage::TriggerSlots, 0, 5, 200);
    selectEntry(*m_window, "GPI 1");
    const QVector<int> before = m_window->preset().image();
    click("downloadButton");
    tick(panel(), 30);
    unit().setPlugged(false);
    ModalAnswerer answerer;
    answerer.ignoreClass("QProgressDialog");
    QVERIFY(finishTransfer(panel()) >= 0);
    QCOMPARE(answerer.titles(), QStringList{"Receive Preset"});
    QVERIFY(!dialogShown(panel()));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("RSX-4 Offline"));
    QCOMPARE(m_window->preset().image(), before);
    QCOMPARE(m_window->preset().value(PresetImage::TriggerSlots, 0, 5), 200);
}

QTEST_MAIN(tst_windowdevice)
#include "tst_windowdevice.moc"
