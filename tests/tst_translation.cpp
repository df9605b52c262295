#include "core/document/PresetDocument.h"
#include "core/preset/PresetImage.h"
#include "gui/device/DeviceInfoDialog.h"
#include "gui/pages/EepromMapWindow.h"
#include "gui/pages/GeneralPage.h"
#include "gui/window/FunctionTree.h"
#include "gui/window/MainWindow.h"
#include "support/ModalAnswerer.h"
#include "support/RandomImage.h"
#include "support/WindowDriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Every text of ours comes back wrapped in ⟦ ⟧, Qt's own (the contexts
// beginning with Q: message box buttons, "Undo %1") in ⟪ ⟫; whatever is shown
// unwrapped never went through a translation.
class PseudoTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        if (text.isEmpty())
            return text;
        return context && context[0] == 'Q' ? "⟪" + text + "⟫" : "⟦" + text + "⟧";
    }
};

// Data may stay as it is: numbers, hex bytes, punctuation, the program's title.
bool isTranslated(QString text)
{
    text.remove(QRegularExpression("⟦[^⟧]*⟧|⟪[^⟫]*⟫|\\b[0-9A-F]{2}\\b"));
    text.remove(PresetDocument::programTitle()).remove("RSX-4");
    text.remove(QRegularExpression("\\S+\\.rsx4pre"));
    return !text.contains(QRegularExpression("\\p{L}"));
}

// The texts a user reads in `root` and everything under it, each with where it is.
QStringList untranslated(QWidget *root)
{
    QStringList found;
    auto check = [&found](QObject *o, const QString &text) {
        if (!isTranslated(text))
            found << QStringLiteral("%1: \"%2\"").arg(o->metaObject()->className(), text);
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        if (w->isWindow())
            check(w, w->windowTitle());
        if (auto *label = qobject_cast<QLabel *>(w))
            check(w, label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(w, button->text());
        if (auto *group = qobject_cast<QGroupBox *>(w))
            check(w, group->title());
        // The title line; the unit's name and the preset's fields hold data.
        if (auto *edit = qobject_cast<QLineEdit *>(w);
            edit && edit->isReadOnly() && edit->objectName() != "unitNameEdit")
            check(w, edit->text());
        if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                check(w, combo->itemText(i));
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model()) {
            const QAbstractItemModel *m = view->model();
            for (int c = 0; c < m->columnCount(); ++c)
                check(w, m->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < m->rowCount(); ++r)
                for (int c = 0; c < m->columnCount(); ++c)
                    check(w, m->index(r, c).data().toString());
        }
        for (QAction *a : w->actions())
            check(a, a->text());
    }
    found.removeDuplicates();
    return found;
}

} // namespace

class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void everyShownTextIsTranslated();
    void germanIsLoadedAndComplete();
};

void TranslationTest::everyShownTextIsTranslated()
{
    PseudoTranslator pseudo;
    QCoreApplication::installTranslator(&pseudo);
    QStringList found;
    {
        MainWindow window({"cuesmith", "-devMode"});
        // Events of every kind in the slot lists, so their descriptions are read too.
        RandomImage(1).fill(window.preset());
        window.preset().parseImage();
        auto *tree = window.findChild<FunctionTree *>()->findChild<QTreeWidget *>();
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            tree->setCurrentItem(*it);
            found += untranslated(&window);
        }
        for (QAction *menu : window.menuBar()->actions())
            found += untranslated(menu->menu());

        // The message boxes are checked while they are open, then answered.
        ModalAnswerer answerer;
        answerer.setAnswer([&found](QWidget *box) {
            found += untranslated(box);
            ModalAnswerer::clickButton(box, QDialogButtonBox::Cancel);
        });
        action(window, "⟦About⟧")->trigger();
        QTRY_COMPARE(answerer.titles().size(), 1);
        // An edited name, so that a new preset asks first.
        auto *name = window.findChild<GeneralPage *>()->findChild<QLineEdit *>();
        name->selectAll();
        QTest::keyClicks(name, "x");
        action(window, "⟦New Preset⟧")->trigger();
        QTRY_COMPARE(answerer.titles(), QStringList({"⟦About Cuesmith⟧", "⟦Unsaved Changes⟧"}));

        action(window, "⟦Show Eeprom Map⟧")->trigger();
        QVERIFY(window.findChild<EepromMapWindow *>());
        found += untranslated(window.findChild<EepromMapWindow *>());
        DeviceInfoDialog info(nullptr);
        found += untranslated(&info);
    }
    QCoreApplication::removeTranslator(&pseudo);
    found.removeDuplicates();
    QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
}

void TranslationTest::germanIsLoadedAndComplete()
{
    QTranslator german;
    QVERIFY(german.load(QLocale(QLocale::German, QLocale::Germany), "cuesmith", "_", ":/i18n"));
    QCoreApplication::installTranslator(&german);
    {
        MainWindow window({"cuesmith"});
        QStringList menus;
        for (QAction *menu : window.menuBar()->actions())
            menus << menu->text();
        QCOMPARE(menus, QStringList({"&Datei", "&Bearbeiten", "&Hilfe"}));
        // A numbered name is found by its pattern ("Macro %1").
        QVERIFY(!window.findChild<FunctionTree *>()
                     ->findChild<QTreeWidget *>()
                     ->findItems("Makro 12", Qt::MatchRecursive)
                     .isEmpty());
    }
    QCoreApplication::removeTranslator(&german);

    // lupdate keeps what is not translated yet as unfinished; lrelease would leave it English.
    QFile ts(CUESMITH_SOURCE_DIR "/translations/cuesmith_de.ts");
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QByteArray text = ts.readAll();
    QVERIFY(text.count("<message>") > 200);
    QVERIFY(!text.contains("type=\"unfinished\"") && !text.contains("type=\"vanished\""));
}

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
