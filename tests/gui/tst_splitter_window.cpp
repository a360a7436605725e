#include "splitter/frminfo.h"
#include "splitter/frmsplitter.h"
#include "splitter/splitter.h"

#include "common/shared.h"
#include "gui/scriptedui.h"
#include "main/frmunzip.h"
#include "testutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using kasto::ui::Icon;
namespace sp = kasto::splitter;

namespace {

QStringList items(const QListWidget *l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

void mausUeber(QWidget *w)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class tst_SplitterWindow : public QObject
{
    Q_OBJECT

private:
    QPointer<frmSplitter> f;
    QTemporaryDir dir;

    QString datei(const QString &name, qint64 groesse, quint32 seed = 1)
    {
        const QString pfad = QDir(dir.path()).filePath(name);
        if (!testutil::writeFile(pfad, testutil::randomBytes(groesse, seed)))
            return QString();
        return pfad;
    }

    // Splits `pfad` through the window with 1-kByte fragments.
    void splitte(const QString &pfad, bool batch)
    {
        f->Combo1->setEditText(u"1"_s);
        f->Check1->setChecked(batch);
        f->Text1->setText(pfad);
        QTest::mouseClick(f->Command1, Qt::LeftButton);
    }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        QDir::setCurrent(dir.path());
        kasto::ArchivPfad.clear();
        f = frmSplitter::zeigen();
    }

    void cleanup()
    {
        if (f)
            f->close();
        if (frmInfo::instance())
            frmInfo::instance()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f);
    }

    void startZustand()
    {
        QCOMPARE(f->windowTitle(), u"Dateisplitter (für Dateien bis max. 2 GByte)"_s);
        QCOMPARE(f->Fragmentgroesse, 1420);
        QCOMPARE(f->Combo1->currentText(), u"1420"_s);
        QVERIFY(!f->Check1->isChecked());
        QVERIFY(!f->Command4->isEnabled());
        QVERIFY(!f->Command2->isEnabled());
        QVERIFY(f->Command1->isEnabled());
        for (QLabel *l : {f->Label5, f->Label12, f->Label14, f->Label15, f->Label8})
            QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
        QCOMPARE(f->Label9->text(), u"Quelldatei (Byte) :"_s);
        QCOMPARE(f->ListenRand, double(f->width() - f->List1->width()));
        QCOMPARE(f->fragmentOrdner(), dir.path());
    }

    // Every keystroke is checked; an empty or non-numeric box disables the split.
    void groessenfeld_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("gueltig");
        QTest::addColumn<int>("groesse");
        QTest::newRow("own size") << u"2048"_s << true << 2048;
        QTest::newRow("half rounds to even, down") << u"2.5"_s << true << 2;
        QTest::newRow("half rounds to even, up") << u"3.5"_s << true << 4;
        QTest::newRow("zero passes here") << u"0"_s << true << 0;
        QTest::newRow("negative passes here") << u"-5"_s << true << -5;
        QTest::newRow("letters") << u"12a"_s << false << 1420;
        QTest::newRow("beyond 32 bit") << u"99999999999"_s << false << 1420;
        QTest::newRow("empty") << QString() << false << 1420;
    }

    void groessenfeld()
    {
        QFETCH(QString, text);
        QFETCH(bool, gueltig);
        QFETCH(int, groesse);
        ScriptedUi ui;
        f->Combo1->setEditText(text);
        QCOMPARE(f->Command1->isEnabled(), gueltig);
        QCOMPARE(f->Fragmentgroesse, groesse);
        if (gueltig) {
            QVERIFY(ui.boxes.isEmpty());
        } else {
            QCOMPARE(ui.boxes.size(), 1);
            QCOMPARE(ui.boxes.at(0).text, u"Fragmentgröße kein numerischer Wert !"_s);
            QCOMPARE(ui.boxes.at(0).title, u"Splitter-Nachricht"_s);
            QCOMPARE(ui.boxes.at(0).icon, Icon::Exclamation);
        }
    }

    void tippenUndListe()
    {
        ScriptedUi ui;
        f->Combo1->lineEdit()->clear();
        QCOMPARE(ui.boxes.size(), 1); // clearing the box shows the message at once
        QVERIFY(!f->Command1->isEnabled());
        ui.boxes.clear();
        QTest::keyClicks(f->Combo1->lineEdit(), u"2048"_s);
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(f->Command1->isEnabled());
        QCOMPARE(f->Fragmentgroesse, 2048);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(f->Combo1->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(ui.boxes.size(), 1);
        QVERIFY(!f->Command1->isEnabled());
        f->Combo1->setCurrentIndex(1);
        QCOMPARE(f->Fragmentgroesse, 720);
        QVERIFY(f->Command1->isEnabled());
        QCOMPARE(ui.boxes.size(), 1);
    }

    void hover_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("Check1") << u"Check1"_s << u"Falls auf Zielrechner Programm Splitter nicht vorhanden."_s;
        QTest::newRow("Command1") << u"Command1"_s << u"Zerlegt die ausgewählte Datei in Dateifragmente."_s;
        QTest::newRow("Picture1") << u"Picture1"_s << u"Zerlegt die ausgewählte Datei in Dateifragmente."_s;
        QTest::newRow("Command3") << u"Command3"_s << u"Öffnet die zu splittende Datei."_s;
        QTest::newRow("Command6") << u"Command6"_s << u"Beendet das Programm."_s;
        QTest::newRow("Command7") << u"Command7"_s << u"Ermittelt die CRC32 Prüfsumme für eine Datei ."_s;
        QTest::newRow("List1") << u"List1"_s
                               << u"Doppel-Click entfernt nicht benötigte Dateifragmente aus der "
                                  u"Dateifragmentliste."_s;
        QTest::newRow("List2") << u"List2"_s << u"Liste der erzeugten Dateifragmente."_s;
        QTest::newRow("Text1") << u"Text1"_s << u"Zeigt Name und Pfad der zu splittenden Datei."_s;
        // Disabled at start; the texts show once they are enabled.
        QTest::newRow("Command2") << u"Command2"_s << u"Die Dateifragmente werden vom Datenträger gelöscht ."_s;
        QTest::newRow("Command4") << u"Command4"_s << u"Die Dateifragmente werden zusammengefügt."_s;
    }

    void hover()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QWidget *w = f->findChild<QWidget *>(control);
        QVERIFY(w);
        if (auto *l = qobject_cast<QListWidget *>(w))
            w = l->viewport();
        mausUeber(w);
        QCOMPARE(f->Label8->text(), text);
        mausUeber(f);
        QCOMPARE(f->Label8->text(), QString());
        // Text2 shows its text as a tooltip and leaves the help line alone.
        mausUeber(w);
        f->Text2->setText(u"/ein/langer/pfad/film.avi._001"_s);
        mausUeber(f->Text2);
        QCOMPARE(f->Label8->text(), text);
        QCOMPARE(f->Text2->toolTip(), f->Text2->text());
    }

    void dateiWaehlen()
    {
        const QString pfad = datei(u"film.avi"_s, 3000000);
        ScriptedUi ui;
        ui.fileAnswers << pfad;
        QTest::mouseClick(f->Command3, Qt::LeftButton);
        QCOMPARE(ui.fileRequests.at(0).title, u"Die zu splittende Datei öffnen"_s);
        QCOMPARE(f->Text1->text(), pfad);
        QCOMPARE(kasto::ArchivPfad, pfad);
        QCOMPARE(f->Label9->text(), u"Quelldatei  (Byte): "_s + sp::zahl(3000000) + u" = 2930 KB"_s);
        QCOMPARE(f->Label11->text(), u"Erzeugte Dateifragmente:"_s);
        // A cancel empties the path and resets the size line.
        QTest::mouseClick(f->Command3, Qt::LeftButton);
        QCOMPARE(f->Text1->text(), QString());
        QCOMPARE(f->Label9->text(), u"Quelldatei  (Byte):"_s);
        QCOMPARE(kasto::ArchivPfad, pfad);
    }

    void splitMitBatch()
    {
        const QString pfad = datei(u"Film.avi"_s, 3 * 1024 + 1);
        ScriptedUi ui;
        splitte(pfad, true);
        QCOMPARE(items(f->List2),
                 (QStringList{u"film.avi._001"_s, u"film.avi._002"_s, u"film.avi._003"_s, u"film.avi._004"_s}));
        QCOMPARE(f->Label11->text(), u"Dateifragmente: 4 von 4"_s);
        const QString groesse = sp::zahl(3 * 1024 + 1) + u" = 4 KB"_s;
        QCOMPARE(f->Label9->text(), u"Quelldatei  (Byte): "_s + groesse);
        QCOMPARE(f->Label10->text(), u"Fragmente (Byte): "_s + groesse);
        QCOMPARE(items(f->List1),
                 (QStringList{u"Film.avi._001"_s, u"Film.avi._002"_s, u"Film.avi._003"_s, u"Film.avi._004"_s}));
        QCOMPARE(f->Label6->text(), u"Dateifragmente:4"_s);
        QCOMPARE(f->Label12->text(), u"Fragmente zusammen (Byte): "_s + groesse);
        QCOMPARE(f->Text2->text(), pfad + u"._001"_s);
        QVERIFY(f->Command4->isEnabled());
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).text, u"Batchdatei Film.bat wurde erzeugt !"_s);
        QCOMPARE(ui.boxes.at(0).title, u"Splitter-Info"_s);
        QCOMPARE(ui.boxes.at(0).icon, Icon::Information);
        QVERIFY(QFileInfo::exists(QDir(dir.path()).filePath(u"Film.bat"_s)));
        QVERIFY(!f->beschaeftigt());
        QVERIFY(f->Command3->isEnabled() && f->Command6->isEnabled());
    }

    // The window's side of the refusals: title, icon, focus, nothing written.
    void splitVerweigert_data()
    {
        QTest::addColumn<QString>("groesse");
        QTest::addColumn<qint64>("laenge");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<Icon>("icon");
        QTest::newRow("no file") << u"1"_s << qint64(-1) << u"Datei-Splitter Nachricht !"_s << Icon::Exclamation;
        QTest::newRow("size 0") << u"0"_s << qint64(10) << frmSplitter::caption() << Icon::None;
        QTest::newRow("negative") << u"-1"_s << qint64(10) << u"Splitter - Info"_s << Icon::Critical;
        QTest::newRow("1000 fragments") << u"1"_s << qint64(999 * 1024 + 1) << u"Splitter-Info"_s << Icon::Critical;
    }

    void splitVerweigert()
    {
        QFETCH(QString, groesse);
        QFETCH(qint64, laenge);
        QFETCH(QString, titel);
        QFETCH(Icon, icon);
        const QString pfad = laenge < 0 ? QDir(dir.path()).filePath(u"fehlt.dat"_s) : datei(u"q.dat"_s, laenge);
        ScriptedUi ui;
        f->Combo1->setEditText(groesse);
        f->Text1->setText(pfad);
        f->Command1_Click();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).title, titel);
        QCOMPARE(ui.boxes.at(0).icon, icon);
        QVERIFY(!QFileInfo::exists(pfad + u"._001"_s));
        QCOMPARE(f->List2->count(), 0);
        QCOMPARE(f->cursor().shape(), Qt::ArrowCursor);
    }

    void leereQuelle()
    {
        const QString pfad = datei(u"leer.txt"_s, 0);
        ScriptedUi ui;
        splitte(pfad, true);
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(f->Label9->text(), u"Quelldatei  (Byte):  = 0 KB"_s);
        QCOMPARE(f->Label11->text(), u"Dateifragmente: 0 von 0"_s);
        QCOMPARE(f->List2->count(), 0);
    }

    // Picture1 runs the split as its button does.
    void bildKlick()
    {
        const QString pfad = datei(u"bild.bmp"_s, 1500);
        ScriptedUi ui;
        f->Combo1->setEditText(u"1"_s);
        f->Text1->setText(pfad);
        QTest::mouseClick(f->Picture1, Qt::LeftButton);
        QCOMPARE(f->List2->count(), 2);
    }

    void zusammenfuegen()
    {
        const QString pfad = datei(u"film.avi"_s, 9 * 1024 + 3, 4);
        ScriptedUi ui;
        splitte(pfad, false);
        QCOMPARE(f->List1->count(), 10);
        const QString ziel = QDir(dir.path()).filePath(u"neu/film.avi"_s);
        QDir().mkpath(QFileInfo(ziel).path());
        ui.fileAnswers << ziel;
        // The selection follows the first seven fragments, then jumps to the last.
        QList<int> auswahl;
        connect(f->List1, &QListWidget::currentRowChanged, this, [&](int row) { auswahl << row; });
        f->List1->setCurrentRow(-1);
        auswahl.clear();
        QTest::mouseClick(f->Command4, Qt::LeftButton);
        QCOMPARE(auswahl, (QList<int>{0, 1, 2, 3, 4, 5, 6, 9}));
        const auto &anfrage = ui.fileRequests.constLast();
        QCOMPARE(anfrage.title, u"Zusammengefügte Datei speichern unter"_s);
        QCOMPARE(anfrage.defaultName, u"film.avi"_s);
        QCOMPARE(anfrage.folder, QString());
        QCOMPARE(anfrage.mode, kasto::DialogMode::Speichern);
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(f->Label5->text(), u"add Fragment: 10 von 10, fertig!"_s);
        QCOMPARE(f->Label14->text(), u"film.avi"_s);
        QCOMPARE(f->Label15->text(), sp::zahl(9 * 1024 + 3) + u" = 10 KB"_s);
        QCOMPARE(f->List1->currentRow(), 9);
        QVERIFY(f->Command2->isEnabled());
        QVERIFY(f->Command4->isEnabled());
        QVERIFY(testutil::readFile(ziel) == testutil::readFile(pfad));
    }

    // Double-click drops an entry; the total then starts with the count. Joining then skips it.
    void entfernenUndFehlendes()
    {
        const QString pfad = datei(u"film.avi"_s, 3 * 1024, 6);
        datei(u"film.mpg._001"_s, 100);
        ScriptedUi ui;
        splitte(pfad, false);
        QCOMPARE(items(f->List1),
                 (QStringList{u"film.avi._001"_s, u"film.avi._002"_s, u"film.avi._003"_s, u"film.mpg._001"_s}));
        QListWidgetItem *fremd = f->List1->item(3);
        f->List1->setCurrentItem(fremd);
        const QPoint stelle = f->List1->visualItemRect(fremd).center();
        QTest::mouseClick(f->List1->viewport(), Qt::LeftButton, {}, stelle);
        QTest::mouseDClick(f->List1->viewport(), Qt::LeftButton, {}, stelle);
        QCOMPARE(f->List1->count(), 3);
        QCOMPARE(f->Label6->text(), u"Dateifragmente:3"_s);
        QCOMPARE(f->Label12->text(), u"3 Fragmente zusammen (Byte): "_s + sp::zahl(3072) + u" = 3 KB"_s);
        f->List1->setCurrentRow(0);
        f->List1_DblClick();
        QCOMPARE(f->Label12->text(), u"2 Fragmente zusammen (Byte): "_s + sp::zahl(2048) + u" = 2 KB"_s);

        // The list now starts at ._002: film.avi is offered; ._003 vanished meanwhile.
        QVERIFY(QFile::remove(pfad + u"._003"_s));
        const QString ziel = QDir(dir.path()).filePath(u"ziel.avi"_s);
        ui.fileAnswers << ziel;
        f->Command4_Click();
        QCOMPARE(ui.fileRequests.constLast().defaultName, u"film.avi"_s);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).title, u"Splitter-Info"_s);
        QCOMPARE(ui.boxes.at(0).icon, Icon::Exclamation);
        QCOMPARE(ui.boxes.at(0).text, sp::texte::fragmentFehlt(QDir(dir.path()).filePath(u"film.avi._003"_s)));
        QVERIFY(!QFileInfo::exists(ziel));
        QCOMPARE(f->Label15->text(), QString());
        QVERIFY(f->Command4->isEnabled());
        QCOMPARE(f->cursor().shape(), Qt::ArrowCursor);

        // A target named like a listed fragment is refused and the fragment kept.
        QVERIFY(testutil::writeFile(pfad + u"._003"_s, QByteArray(1024, 'c')));
        ui.fileAnswers << pfad + u"._002"_s;
        f->Command4_Click();
        QCOMPARE(ui.boxes.size(), 2);
        QVERIFY(ui.boxes.at(1).text.contains(u"ist eines der Dateifragmente"_s));
        QCOMPARE(QFileInfo(pfad + u"._002"_s).size(), 1024);
    }

    void ersteFragmentWaehlen()
    {
        const QString pfad = datei(u"film.avi"_s, 2 * 1024, 6);
        sp::SplitAuftrag a;
        a.quelle = pfad;
        a.fragmentKB = 1;
        QCOMPARE(sp::splitten(a).gesamt, 2);
        QDir::setCurrent(QDir::rootPath());
        ScriptedUi ui;
        ui.fileAnswers << pfad + u"._001"_s;
        f->Command8_Click();
        QCOMPARE(ui.fileRequests.at(0).title, u"Erstes DateiFragment \"*._001\" auswählen"_s);
        QCOMPARE(ui.fileRequests.at(0).filters.at(0).second, u"*._001*"_s);
        QCOMPARE(f->Text2->text(), pfad + u"._001"_s);
        QCOMPARE(kasto::ArchivPfad, pfad + u"._001"_s);
        QCOMPARE(items(f->List1), (QStringList{u"film.avi._001"_s, u"film.avi._002"_s}));
        QVERIFY(f->Command4->isEnabled());
        // Cancel: empty list, heading with 0.
        f->Command8_Click();
        QCOMPARE(f->Text2->text(), QString());
        QCOMPARE(f->List1->count(), 0);
        QCOMPARE(f->Label6->text(), u"Dateifragmente:0"_s);
        // Joining an empty list asks for the first fragment.
        f->Command4_Click();
        QCOMPARE(ui.boxes.constLast().text, sp::texte::leereListe());
    }

    void clear_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::addColumn<bool>("leereListe");
        QTest::newRow("yes") << true << false;
        QTest::newRow("no") << false << false;
        QTest::newRow("yes, empty list") << true << true;
    }

    void clear()
    {
        QFETCH(bool, ja);
        QFETCH(bool, leereListe);
        const QString pfad = datei(u"film.avi"_s, 2 * 1024 + 5, 2);
        ScriptedUi ui;
        splitte(pfad, true);
        ui.fileAnswers << QDir(dir.path()).filePath(u"kopie.avi"_s);
        f->Command4_Click();
        QVERIFY(f->Command2->isEnabled());
        QFile::setPermissions(pfad + u"._002"_s, QFile::ReadOwner); // write-protected goes too
        if (leereListe)
            f->List1->clear();
        ui.boxes.clear();
        ui.boxAnswers << (ja ? kasto::ui::Answer::Yes : kasto::ui::Answer::No);
        QTest::mouseClick(f->Command2, Qt::LeftButton);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).text, u"Dateifragmente jetzt  löschen ?"_s);
        QCOMPARE(ui.boxes.at(0).title, u"Dateisplitter Kontroll-Abfrage"_s);
        QCOMPARE(ui.boxes.at(0).buttons, kasto::ui::Buttons::YesNo);
        const bool geloescht = ja && !leereListe;
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(QFileInfo::exists(sp::fragmentPfad(pfad, k)), !geloescht);
        QVERIFY(QFileInfo::exists(QDir(dir.path()).filePath(u"film.bat"_s)));
        QCOMPARE(f->Command2->isEnabled(), !ja);
        if (ja) {
            QCOMPARE(f->List1->count(), 0);
            QCOMPARE(f->List2->count(), 0);
            QCOMPARE(f->Label11->text(), u"Erzeugte Dateifragmente:"_s);
            QCOMPARE(f->Label6->text(), u"Dateifragmente:"_s);
            QCOMPARE(f->Label12->text(), QString());
            QCOMPARE(f->Label5->text(), QString());
        } else {
            QCOMPARE(f->List1->count(), 3);
        }
    }

    void pruefsumme()
    {
        const QString pfad = QDir(dir.path()).filePath(u"abc.txt"_s);
        QVERIFY(testutil::writeFile(pfad, "abc"));
        ScriptedUi ui;
        ui.fileAnswers << pfad;
        QTest::mouseClick(f->Command7, Qt::LeftButton);
        QCOMPARE(ui.fileRequests.at(0).title, u"Die zu prüfende Datei wählen"_s);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).text, u"Die CRC32 Prüfsumme der Datei abc.txt lautet: 352441C2"_s);
        QCOMPARE(ui.boxes.at(0).title, u"CRC32 - Prüfung"_s);
        QCOMPARE(ui.boxes.at(0).icon, Icon::Information);
        QCOMPARE(kasto::ArchivPfad, pfad);
        QCOMPARE(f->cursor().shape(), Qt::ArrowCursor);
        // Cancel: nothing.
        QTest::mouseClick(f->Command7, Qt::LeftButton);
        QCOMPARE(ui.boxes.size(), 1);
    }

    void groesseAendern()
    {
        f->resize(f->width() + 50, f->height());
        QCOMPARE(f->List1->width(), 141 + 50);
        QCOMPARE(f->List2->width(), 141 + 50);
        f->resize(int(f->ListenRand) - 20, f->height());
        QCOMPARE(f->List1->width(), 141 + 50);
        QCOMPARE(f->List2->width(), 141 + 50);
    }

    // One help window at a time; "ok" unloads it and the next one starts afresh.
    void hilfe()
    {
        QTest::mouseClick(f->Command5, Qt::LeftButton);
        QPointer<frmInfo> erste = frmInfo::instance();
        QVERIFY(erste && erste->isVisible());
        QTest::mouseClick(f->Command5, Qt::LeftButton);
        QCOMPARE(frmInfo::instance(), erste.data());
        const auto fenster = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(fenster.begin(), fenster.end(),
                               [](QWidget *w) { return qobject_cast<frmInfo *>(w) != nullptr; }),
                 1);
        QCOMPARE(erste->windowTitle(), u"Dateisplitter - Info"_s);
        QCOMPARE(erste->List1->count(), 46);
        QCOMPARE(erste->List1->item(0)->text(), u"       *** Datei splitten ***"_s);
        QCOMPARE(erste->List1->item(29)->text(), u"Nach Click auf \"Dateifragmente zusammenfügen\","_s);
        QCOMPARE(erste->List1->item(45)->text(), u"check\" (Zyklische Redundanz-Überprüfung)"_s);
        QVERIFY(QFontInfo(erste->List1->font()).fixedPitch());
        erste->List1->setCurrentRow(5);
        QTest::mouseClick(erste->Command1, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!erste);
        f->Command5_Click();
        QVERIFY(frmInfo::instance());
        QCOMPARE(frmInfo::instance()->List1->currentRow(), -1);
        QVERIFY(frmInfo::instance()->List1->selectedItems().isEmpty());
    }

    // The main window's "Splitter" button: one window, not modal, offered the current file.
    void ausHauptfenster()
    {
        f->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmUnzip haupt;
        haupt.show();
        kasto::ArchivPfad = u"/daten/archiv.zip"_s;
        QTest::mouseClick(haupt.Command8, Qt::LeftButton);
        f = frmSplitter::instance();
        QVERIFY(f && f->isVisible());
        QVERIFY(!f->isModal());
        QCOMPARE(f->Text1->text(), u"/daten/archiv.zip"_s);
        QCOMPARE(f->Label9->text(), u"Quelldatei (Byte) :"_s);
        QTest::mouseClick(haupt.Command8, Qt::LeftButton);
        QCOMPARE(frmSplitter::instance(), f.data());
        // "End" unloads it; the next opening loads it anew.
        QTest::mouseClick(f->Command6, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f);
        kasto::ArchivPfad.clear();
        QTest::mouseClick(haupt.Command8, Qt::LeftButton);
        f = frmSplitter::instance();
        QVERIFY(f);
        QCOMPARE(f->Text1->text(), QString());
    }
};

QTEST_MAIN(tst_SplitterWindow)
#include "tst_splitter_window.moc"
