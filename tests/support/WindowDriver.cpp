#include "WindowDriver.h"

#include "DialogScript.h"
#include "functionTree.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

QAction *action(MainWindow &window, const QString &text)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

void selectEntry(MainWindow &window, const QString &text)
{
    auto *tree = window.findChild<functionTree *>()->findChild<QTreeWidget *>();
    QTreeWidgetItem *item = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    if (!window.isVisible())
        return tree->setCurrentItem(item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget,
                            c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}

QByteArray savedImage(MainWindow &window, QString *path)
{
    static QTemporaryDir dir;
    static int count = 0;
    const QString name = dir.filePath(QString("saved%1.rsx4pre").arg(++count));
    if (path)
        *path = name;
    DialogScript script;
    script.paths << name;
    action(window, "Save Preset As...")->trigger();
    QFile file(name);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.size() == 1766 && script.boxes.isEmpty())
        return bytes.mid(6);
    return QString("%1 bytes saved; %2").arg(bytes.size()).arg(script.boxes.join("; ")).toUtf8();
}

QByteArray imageBytes(const PresetImage &image)
{
    QByteArray bytes;
    for (int value : image.image())
        bytes.append(char(value));
    return bytes;
}

QByteArray built(PresetImage image)
{
    image.buildImage();
    return imageBytes(image);
}

ShownWindow::ShownWindow()
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void ShownWindow::click(const QString &name) const
{
    for (QAbstractButton *b : window.findChildren<QAbstractButton *>()) {
        if (b->objectName() == name || (qobject_cast<QRadioButton *>(b) && b->text() == name))
            return QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    qFatal("no button %s", qPrintable(name));
}

void ShownWindow::load(const QList<QPair<int, int>> &bytes)
{
    for (const auto &b : bytes)
        preset.setImageByte(b.first, b.second);
    preset.parseImage();
    window.requestRedraw();
}
