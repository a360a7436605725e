// The SFX window: opened from the main window, file choice, save loop, conversion and messages.
#include "common/pfad.h"
#include "gui/scriptedui.h"
#include "main/frmunzip.h"
#include "sfx/frmsfx.h"
#include "sfx/sfxkonvert.h"
#include "testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using Paare = QList<QPair<QString, QString>>;

namespace {

void loeschenAbwarten()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray stub(const QString &ziel)
{
    return kasto::sfxStubFuer(ziel).daten;
}

} // namespace

class tst_SfxWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_haupt = new frmUnzip;
        m_haupt->show();
    }

    void cleanup()
    {
        delete m_haupt;
        if (frmSFX::instance())
            delete frmSFX::instance();
        loeschenAbwarten();
    }

    // One window, not modal, opened by "SFX"; "<<" unloads it, so the next one starts empty.
    void lifecycle()
    {
        ScriptedUi ui;
        QTest::mouseClick(m_haupt->Command7, Qt::LeftButton);
        frmSFX *w = frmSFX::instance();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(w->windowTitle(), u"Zip-Archiv <-> SFX-Archiv"_s);
        QCOMPARE(w->Frame1->title(), u"ZipArchiv  -> nach SFXArchiv"_s);
        QCOMPARE(w->Frame2->title(), u"SFXArchiv  -> nach ZipArchiv"_s);
        QCOMPARE(w->Label1->text(), QString());
        QCOMPARE(w->Label2->text(), QString());
        w->txtAppendix->setText(u"/irgendwo/a.zip"_s);

        QTest::mouseClick(m_haupt->Command7, Qt::LeftButton);
        QCOMPARE(frmSFX::instance(), w);
        QCOMPARE(w->txtAppendix->text(), u"/irgendwo/a.zip"_s);

        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes[0].title, u"SFX-Archiv-INFO"_s);
        QCOMPARE(ui.boxes[0].icon, kasto::ui::Icon::Information);
        QCOMPARE(ui.boxes[0].text,
                 u"Das Programm erzeugt aus ZipArchiven selbstentpackende SFXArchive. \nDie SFXArchive können "
                 "wieder in ZIPArchive zurück gewandelt werden. \n\nAchtung! Es können nur SFXArchive in "
                 "ZipArchive zurück gewandelt werden, wenn die SFXArchive vorher mit diesem Programm erzeugt "
                 "wurden!"_s);

        QTest::mouseClick(w->Command5, Qt::LeftButton);
        loeschenAbwarten();
        QVERIFY(!frmSFX::instance());
        QTest::mouseClick(m_haupt->Command7, Qt::LeftButton);
        QVERIFY(frmSFX::instance());
        QCOMPARE(frmSFX::instance()->txtAppendix->text(), QString());
    }

    void chooseButtons_data()
    {
        QTest::addColumn<bool>("zip");
        QTest::addColumn<QString>("antwort");
        QTest::newRow("ZIP chosen") << true << u"/daten/ordner/x.zip"_s;
        QTest::newRow("ZIP cancelled") << true << QString();
        QTest::newRow("SFX chosen") << false << u"/daten/x.exe"_s;
        QTest::newRow("SFX cancelled") << false << QString();
    }

    void chooseButtons()
    {
        QFETCH(bool, zip);
        QFETCH(QString, antwort);
        ScriptedUi ui;
        ui.fileAnswers = {antwort};
        frmSFX *w = frmSFX::zeigen(m_haupt);
        QLineEdit *text = zip ? w->txtAppendix : w->txtAppendix1;
        QLabel *label = zip ? w->Label1 : w->Label2;
        text->setText(u"vorher"_s);
        label->setText(u"alt"_s);
        QTest::mouseClick(zip ? w->Command4 : w->Command3, Qt::LeftButton);

        QCOMPARE(ui.fileRequests.size(), 1);
        const kasto::DateiDialogAnfrage &a = ui.fileRequests[0];
        QCOMPARE(a.mode, kasto::DialogMode::Oeffnen);
        QCOMPARE(a.title, zip ? u"ZipArchiv auswählen"_s : u"SFXArchiv auswählen"_s);
        const QString art = zip ? u"ZipArchive (*.zip)"_s : u"SFXArchive (*.exe)"_s;
        const QString muster = zip ? u"*.zip"_s : u"*.exe"_s;
        QCOMPARE(a.filters, (Paare{{art, muster}, {u" Alle Dateien (*.*)"_s, u"*.*"_s}}));
        QCOMPARE(a.defaultName, QString());
        QCOMPARE(a.defaultExt, u"*.*"_s);
        QCOMPARE(text->text(), antwort.isEmpty() ? u"vorher"_s : antwort);
        QCOMPARE(label->text(), QString());
    }

    // ZIP -> SFX -> ZIP through the window: dialog requests, labels, the written bytes.
    void convertBothWays_data()
    {
        QTest::addColumn<QString>("sfxName");
        QTest::newRow("Windows stub") << u"daten.exe"_s;
        QTest::newRow("Linux stub") << u"daten.sfx"_s;
    }

    void convertBothWays()
    {
        QFETCH(QString, sfxName);
        QTemporaryDir dir;
        const QString zip = dir.filePath(u"daten.v2.zip"_s);
        const QString sfx = dir.filePath(sfxName);
        const QString zurueck = dir.filePath(u"zurueck.zip"_s);
        const QByteArray daten = testutil::randomBytes(25000, 4);
        QVERIFY(testutil::writeFile(zip, daten));
        ScriptedUi ui;
        ui.fileAnswers = {sfx, zurueck};
        frmSFX *w = frmSFX::zeigen(m_haupt);

        w->txtAppendix->setText(zip);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(ui.fileRequests.size(), 1);
        const kasto::DateiDialogAnfrage a = ui.fileRequests[0];
        QCOMPARE(a.mode, kasto::DialogMode::Speichern);
        QCOMPARE(a.title, u"SFX-Archiv speichern"_s);
        QCOMPARE(a.defaultName, u"daten.exe"_s);
        QCOMPARE(a.folder, kasto::mitTrenner(QCoreApplication::applicationDirPath()));
        QCOMPARE(a.filters, (Paare{{u"SFX-Archiv speichern (*.exe)"_s, u"*.exe"_s}, {u" Alle Dateien (*.*)"_s, u"*.*"_s}}));
        QCOMPARE(a.defaultExt, u"*.*"_s);
        QCOMPARE(w->Label1->text(), u"SFX-Archiv erstellen: 100 %"_s);
        QCOMPARE(testutil::readFile(sfx), stub(sfx) + daten);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);

        w->txtAppendix1->setText(sfx);
        QTest::mouseClick(w->Command2, Qt::LeftButton);
        QCOMPARE(ui.fileRequests.size(), 2);
        const kasto::DateiDialogAnfrage b = ui.fileRequests[1];
        QCOMPARE(b.title, u"ZIP-Archiv speichern"_s);
        QCOMPARE(b.defaultName, u"daten.zip"_s);
        QCOMPARE(b.filters, (Paare{{u"ZIP-Archiv speichern (*.zip)"_s, u"*.zip"_s}, {u" Alle Dateien (*.*)"_s, u"*.*"_s}}));
        QCOMPARE(w->Label2->text(), u"Zip-Archiv erstellen: 100 %"_s);
        QCOMPARE(w->Label1->text(), QString());
        QCOMPARE(testutil::readFile(zurueck), daten);
        QVERIFY(ui.boxes.isEmpty());
    }

    // A write-protected target brings the message and the dialog again, until another file or a cancel.
    void saveLoop_data()
    {
        QTest::addColumn<bool>("schreibgeschuetzt");
        QTest::addColumn<bool>("zweiteWahl"); // false: cancel at the second dialog
        QTest::newRow("write-protected, then cancel") << true << false;
        QTest::newRow("write-protected, then another file") << true << true;
        QTest::newRow("writable: replaced without a question") << false << false;
    }

    void saveLoop()
    {
        QFETCH(bool, schreibgeschuetzt);
        QFETCH(bool, zweiteWahl);
        QTemporaryDir dir;
        const QString zip = dir.filePath(u"a.zip"_s);
        const QString vorhanden = dir.filePath(u"vorhanden.exe"_s);
        const QString anders = dir.filePath(u"anders.exe"_s);
        QVERIFY(testutil::writeFile(zip, "zipdaten"));
        QVERIFY(testutil::writeFile(vorhanden, "alt"));
        if (schreibgeschuetzt)
            QVERIFY(QFile::setPermissions(vorhanden, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        ScriptedUi ui;
        ui.fileAnswers = {vorhanden, zweiteWahl ? anders : QString()};
        frmSFX *w = frmSFX::zeigen(m_haupt);
        w->txtAppendix->setText(zip);
        QTest::mouseClick(w->Command1, Qt::LeftButton);

        if (!schreibgeschuetzt) {
            QCOMPARE(ui.fileRequests.size(), 1);
            QVERIFY(ui.boxes.isEmpty());
            QCOMPARE(testutil::readFile(vorhanden), stub(vorhanden) + "zipdaten");
            return;
        }
        QCOMPARE(ui.fileRequests.size(), 2);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes[0].title, u"Zusammenfügen-Nachricht"_s);
        QCOMPARE(ui.boxes[0].icon, kasto::ui::Icon::Exclamation);
        QCOMPARE(ui.boxes[0].text, u"Die ausgewählte Datei ist schreibgeschützt. Bitte eine neue Datei auswählen "
                                   "oder Schreibschutz-Attribut entfernen."_s);
        QCOMPARE(testutil::readFile(vorhanden), QByteArray("alt"));
        QCOMPARE(QFile::exists(anders), zweiteWahl);
        QCOMPARE(w->Label1->text(), zweiteWahl ? u"SFX-Archiv erstellen: 100 %"_s : QString());
    }

    // A refused conversion is reported, and no "100 %" of an earlier run stays next to it.
    void refusalReported_data()
    {
        QTest::addColumn<bool>("zurueck");
        QTest::addColumn<QString>("quelle"); // file name in the temporary folder
        QTest::addColumn<QString>("meldung");
        QTest::newRow("not made by Kasto") << true << u"fremd.exe"_s << u"ist kein mit diesem Programm erzeugtes SFX-Archiv."_s;
        QTest::newRow("source missing") << false << u"fehlt.zip"_s << u"nicht gefunden"_s;
    }

    void refusalReported()
    {
        QFETCH(bool, zurueck);
        QFETCH(QString, quelle);
        QFETCH(QString, meldung);
        QTemporaryDir dir;
        QVERIFY(testutil::writeFile(dir.filePath(u"fremd.exe"_s), "MZ" + testutil::randomBytes(2000000)));
        const QString ziel = dir.filePath(u"ziel.bin"_s);
        ScriptedUi ui;
        ui.fileAnswers = {ziel};
        frmSFX *w = frmSFX::zeigen(m_haupt);
        QLabel *label = zurueck ? w->Label2 : w->Label1;
        label->setText(u"Zip-Archiv erstellen: 100 %"_s);
        (zurueck ? w->txtAppendix1 : w->txtAppendix)->setText(dir.filePath(quelle));
        QTest::mouseClick(zurueck ? w->Command2 : w->Command1, Qt::LeftButton);

        QCOMPARE(ui.boxes.size(), 1);
        QVERIFY2(ui.boxes[0].text.contains(meldung), qPrintable(ui.boxes[0].text));
        QCOMPARE(ui.boxes[0].icon, kasto::ui::Icon::Exclamation);
        QCOMPARE(label->text(), QString());
        QVERIFY(!QFile::exists(ziel));
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    }

    void emptyTextDoesNothing()
    {
        ScriptedUi ui;
        frmSFX *w = frmSFX::zeigen(m_haupt);
        w->Label1->setText(u"bleibt"_s);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QTest::mouseClick(w->Command2, Qt::LeftButton);
        QVERIFY(ui.fileRequests.isEmpty());
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(w->Label1->text(), u"bleibt"_s);
    }

    // The save dialog moves the current folder; a typed relative name still means the file it named.
    void relativeSourceSurvivesDialog()
    {
        QTemporaryDir hier, dort;
        QVERIFY(testutil::writeFile(hier.filePath(u"a.zip"_s), "richtig"));
        QVERIFY(testutil::writeFile(dort.filePath(u"a.zip"_s), "falsch"));
        const QString alt = QDir::currentPath();
        QDir::setCurrent(hier.path());
        ScriptedUi ui;
        ui.fileAnswers = {dort.filePath(u"a.exe"_s)};
        frmSFX *w = frmSFX::zeigen(m_haupt);
        w->txtAppendix->setText(u"a.zip"_s);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QDir::setCurrent(alt);
        QCOMPARE(testutil::readFile(dort.filePath(u"a.exe"_s)), stub(u"a.exe"_s) + "richtig");
    }

private:
    frmUnzip *m_haupt = nullptr;
};

QTEST_MAIN(tst_SfxWindow)
#include "tst_sfx_window.moc"
