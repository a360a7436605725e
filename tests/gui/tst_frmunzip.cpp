#include "gui/scriptedui.h"
#include "main/frmunzip.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

void moveMouseOver(QWidget *w)
{
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

QToolButton *button(frmUnzip &w, const char *name)
{
    return w.findChild<QToolButton *>(QString::fromLatin1(name));
}

} // namespace

class tst_FrmUnzip : public QObject
{
    Q_OBJECT

private slots:
    void startState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("left");

        QTest::newRow("Neu") << u"Command5"_s << u"Neu"_s << u"Neues Archiv anlegen"_s << true << 0;
        QTest::newRow("Öffnen") << u"Command6"_s << u"Öffnen"_s << u"Ein bestehendes Archiv öffnen"_s << true
                                << 72;
        QTest::newRow("Hinzufügen") << u"Command4"_s << u"Hinzufügen"_s << u"Dateien zu einem Archiv hinzufügen"_s
                                    << false << 144;
        QTest::newRow("Entfernen") << u"Command3"_s << u"Entfernen "_s
                                   << u"Markierte Dateien aus dem Archiv entfernen."_s << false << 216;
        QTest::newRow("Unzip") << u"Command1"_s << u"Unzip"_s << u"Markierte Dateien entpacken"_s << false << 288;
        QTest::newRow("Unzip (alles)") << u"Command2"_s << u"Unzip (alles)"_s << u"Alle Dateien entpacken"_s
                                       << false << 360;
        QTest::newRow("Splitter")
            << u"Command8"_s << u"Splitter"_s
            << u"Zip-Archiv oder beliebige Dateien aufteilen (z.B. auf Diskettengröße)."_s << true << 432;
        QTest::newRow("TestZip") << u"Command9"_s << u"TestZip"_s << u"Testet ein geöffnetes ZipArchiv"_s << false
                                 << 504;
        QTest::newRow("SFX")
            << u"Command7"_s << u"SFX"_s
            << u"Erzeugt aus einem ZipArchiv (*.zip) ein selbstentpackendes ZipArchiv (*.exe)"_s << true << 576;
    }

    void startState()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(bool, enabled);
        QFETCH(int, left);

        frmUnzip w;
        auto *b = w.findChild<QToolButton *>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->toolTip(), tooltip);
        QCOMPARE(b->isEnabled(), enabled);
        QCOMPARE(b->geometry(), QRect(left, 0, 70, 57));
        QVERIFY(!b->icon().isNull());
    }

    void captionAndLayout()
    {
        frmUnzip w;
        const QString caption = w.windowTitle();
        QCOMPARE(caption.size(), 116);
        QVERIFY(caption.startsWith(u"KASTO - PackProgramm"_s + QString(88, u' ') + u"-wexlon-"_s));
        QCOMPARE(w.centralWidget()->size(), QSize(650, 318));
        QCOMPARE(w.ListView1->geometry(), QRect(0, 56, 649, 225));
        QCOMPARE(w.ProgressBar1->geometry(), QRect(0, 318 - 34, 650, 17));
        QCOMPARE(w.StatusBar1->geometry(), QRect(0, 318 - 17, 650, 17));
        QCOMPARE(w.ProgressBar1->minimum(), 0);
        QCOMPARE(w.ProgressBar1->maximum(), 100);
        QCOMPARE(w.statusText(), QString());
        QCOMPARE(w.ListView1->columnCount(), 6);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void aboutBox()
    {
        ScriptedUi ui;
        frmUnzip w;
        w.about->trigger();
        QCOMPARE(ui.boxes.size(), 1);
        const ScriptedUi::Box &box = ui.boxes.first();
        QCOMPARE(box.title, u"Kasto - Info"_s);
        QCOMPARE(box.icon, kasto::ui::Icon::Information);
        QCOMPARE(box.buttons, kasto::ui::Buttons::Ok);
        const QStringList lines = box.text.split(u'\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(0), u"- Zip/Unzip Programm. "_s);
        QCOMPARE(lines.at(1), u"- Erstellt selbstentpackende Zip-Archive (SFX-Archive)"_s);
        QCOMPARE(lines.at(2), u"- Integrierter ZIP-Archivsplitter (Dateisplitter)"_s);
        QCOMPARE(lines.at(3), QString());
        QVERIFY(lines.at(4).contains(u"libzip"_s));
        QCOMPARE(lines.at(5), QString(70, u'_'));
    }

    void hoverMovesBetweenButtons()
    {
        frmUnzip w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QColor normal = w.normalColor();
        const QColor yellow(255, 255, 20);
        QVERIFY(normal != yellow);
        QToolButton *neu = button(w, "Command5");
        QToolButton *oeffnen = button(w, "Command6");
        QToolButton *sfx = button(w, "Command7");
        QToolButton *hinzu = button(w, "Command4");

        moveMouseOver(neu);
        QCOMPARE(w.buttonColor(neu), yellow);

        // Straight onto the next button: the highlight moves.
        moveMouseOver(oeffnen);
        QCOMPARE(w.buttonColor(oeffnen), yellow);
        QCOMPARE(w.buttonColor(neu), normal);

        // Again over the yellow one: nothing changes.
        moveMouseOver(oeffnen);
        QCOMPARE(w.buttonColor(oeffnen), yellow);

        // A disabled button never turns yellow.
        moveMouseOver(hinzu);
        QCOMPARE(w.buttonColor(hinzu), normal);

        moveMouseOver(sfx);
        QCOMPARE(w.buttonColor(sfx), yellow);
        // The free area and the list give every button its normal colour back.
        moveMouseOver(w.centralWidget());
        for (QToolButton *b : w.findChildren<QToolButton *>())
            QCOMPARE(w.buttonColor(b), normal);
        moveMouseOver(neu);
        moveMouseOver(w.ListView1->viewport());
        QCOMPARE(w.buttonColor(neu), normal);
    }

    void popupItems()
    {
        ScriptedUi ui;
        frmUnzip w;
        w.showListPopup(QPoint(10, 10));
        new QTreeWidgetItem(w.ListView1, QStringList{u"a.txt"_s});
        w.showListPopup(QPoint(10, 10));
        w.ListView1->clear();
        w.showListPopup(QPoint(10, 10));

        QCOMPARE(ui.menusShown.size(), 3);
        const QStringList empty{u"-"_s, u"Ein neues Archiv erstellen"_s, u"Ein Archiv öffnen"_s};
        QCOMPARE(ui.menusShown.at(0), empty);
        QCOMPARE(ui.menusShown.at(1),
                 (QStringList{u"Ausgewählte Datei(en) aus Archiv &entfernen"_s,
                              u"Ausgewählte Datei(en) entpacken (&unzip)"_s, u"-"_s,
                              u"Ausgewählte Datei(en) &testen"_s}));
        QCOMPARE(ui.menusShown.at(2), empty);
        // The popup never appears in the menu bar.
        for (QAction *a : w.menuBar()->actions())
            QVERIFY(a->menu() != w.mnuPopUp);
    }

    void resizeRule()
    {
        frmUnzip w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        w.resize(800, 500);
        QTRY_COMPARE(w.centralWidget()->width(), 800);
        const QSize client = w.centralWidget()->size();
        QCOMPARE(w.ListView1->size(), QSize(client.width() - 1, client.height() - 93));
        QCOMPARE(w.ListView1->pos(), QPoint(0, 56));
        // The bars stay docked to the bottom edge.
        QCOMPARE(w.StatusBar1->geometry().bottom(), client.height() - 1);
        QCOMPARE(w.StatusBar1->width(), client.width());

        // Smaller than the margins: the list keeps its size, no message.
        ScriptedUi ui;
        const QSize before = w.ListView1->size();
        w.resize(300, 60);
        QTRY_COMPARE(w.centralWidget()->width(), 300);
        QCOMPARE(w.ListView1->size(), before);
        QVERIFY(ui.boxes.isEmpty());
    }

    void minimisedKeepsList()
    {
        frmUnzip w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize before = w.ListView1->size();
        w.setWindowState(Qt::WindowMinimized);
        w.resize(900, 600);
        QTRY_COMPARE(w.centralWidget()->width(), 900);
        QCOMPARE(w.ListView1->size(), before);
        // Restoring fits the list to the window again.
        w.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(w.ListView1->size(), w.centralWidget()->size() - QSize(1, 93));
    }

    void closingEndsSecondaryWindows()
    {
        frmUnzip w;
        w.show();
        auto *secondary = new QWidget(nullptr, Qt::Window);
        secondary->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QWidget> guard(secondary);
        secondary->show();
        w.end->trigger();
        QVERIFY(!w.isVisible());
        QTRY_VERIFY(guard.isNull());
    }
};

QTEST_MAIN(tst_FrmUnzip)
#include "tst_frmunzip.moc"
