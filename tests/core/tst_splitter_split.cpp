#include "splitter/clscrc32.h"
#include "splitter/splitter.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kasto::splitter;

namespace {

QList<qint64> groessen(const QString &quelle, int anzahl)
{
    QList<qint64> r;
    for (int k = 1; k <= anzahl; ++k)
        r << QFileInfo(fragmentPfad(quelle, k)).size();
    return r;
}

QByteArray zusammen(const QString &quelle, int anzahl)
{
    QByteArray r;
    for (int k = 1; k <= anzahl; ++k)
        r += testutil::readFile(fragmentPfad(quelle, k));
    return r;
}

QString tausender()
{
    const QLocale sys = QLocale::system();
    return sys.language() == QLocale::C ? u"."_s : sys.groupSeparator();
}

SplitErgebnis split(const QString &quelle, qint64 kb, bool batch = false)
{
    SplitAuftrag a;
    a.quelle = quelle;
    a.fragmentKB = kb;
    a.batch = batch;
    a.zeit = QDateTime(QDate(2026, 12, 11), QTime(9, 5, 7));
    return splitten(a);
}

} // namespace

class tst_SplitterSplit : public QObject
{
    Q_OBJECT

private slots:
    void zahlen_data()
    {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kb");
        const QString t = tausender();
        QTest::newRow("zero shows nothing") << qint64(0) << QString() << u" = 0 KB"_s;
        QTest::newRow("one byte") << qint64(1) << u"1"_s << u"1 = 1 KB"_s;
        QTest::newRow("below a thousand") << qint64(999) << u"999"_s << u"999 = 1 KB"_s;
        QTest::newRow("exact kB") << qint64(1024) << (u"1"_s + t + u"024"_s) << (u"1"_s + t + u"024 = 1 KB"_s);
        QTest::newRow("kB plus one") << qint64(1025) << (u"1"_s + t + u"025"_s) << (u"1"_s + t + u"025 = 2 KB"_s);
        QTest::newRow("three million") << qint64(3000000) << (u"3"_s + t + u"000"_s + t + u"000"_s)
                                       << (u"3"_s + t + u"000"_s + t + u"000 = 2930 KB"_s);
        QTest::newRow("past 4 GiB") << qint64(5000000000) << (u"5"_s + t + u"000"_s + t + u"000"_s + t + u"000"_s)
                                    << (u"5"_s + t + u"000"_s + t + u"000"_s + t + u"000 = 4882813 KB"_s);
    }

    void zahlen()
    {
        QFETCH(qint64, n);
        QFETCH(QString, text);
        QFETCH(QString, kb);
        QCOMPARE(zahl(n), text);
        QCOMPARE(groesse(n), kb);
    }

    void namen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<bool>("gehoert");
        QTest::addColumn<bool>("eigenes");
        QTest::newRow("own fragment") << u"film.avi._001"_s << u"/d/film.avi"_s << true << true;
        QTest::newRow("same stem, other file") << u"film.mpg._001"_s << u"/d/film.avi"_s << true << false;
        QTest::newRow("case counts") << u"Film.avi._001"_s << u"/d/film.avi"_s << false << false;
        QTest::newRow("two digits") << u"film.avi._01"_s << u"/d/film.avi"_s << false << false;
        QTest::newRow("four digits") << u"film.avi._0012"_s << u"/d/film.avi"_s << false << false;
        QTest::newRow("no dot underscore") << u"film.avi_001"_s << u"/d/film.avi"_s << false << false;
        QTest::newRow("letters") << u"film.avi._abc"_s << u"/d/film.avi"_s << true << false;
        QTest::newRow("several dots") << u"film.tar.gz._002"_s << u"C:\\d\\film.tar.gz._001"_s << true << false;
        QTest::newRow("no dot in source") << u"film._003"_s << u"/d/film"_s << true << true;
        QTest::newRow("other stem") << u"filme.avi._001"_s << u"/d/film.avi"_s << false << false;
    }

    void namen()
    {
        QFETCH(QString, name);
        QFETCH(QString, pfad);
        QFETCH(bool, gehoert);
        QFETCH(bool, eigenes);
        QCOMPARE(gehoertZu(name, pfad), gehoert);
        QCOMPARE(istEigenesFragment(name, pfad), eigenes);
    }

    void helfer()
    {
        QCOMPARE(NurName(u"D:\\Daten\\film.avi._001"_s), u"film"_s);
        QCOMPARE(NurName(u"/daten/film.tar.gz._001"_s), u"film"_s);
        QCOMPARE(NurName(u"/daten/film"_s), u"film"_s);
        QCOMPARE(Nurdatei(u"D:\\Daten\\film.avi"_s), u"film.avi"_s);
        QCOMPARE(Nurdatei(u"film.avi"_s), u"film.avi"_s);
        QCOMPARE(Nurdatei(QString()), QString());
        QCOMPARE(fragmentPfad(u"/d/a%1b.avi"_s, 7), u"/d/a%1b.avi._007"_s);
        QCOMPARE(fragmentPfad(u"/d/film.avi"_s, 999), u"/d/film.avi._999"_s);
        QCOMPARE(batchName(u"/d/film.tar.gz"_s), u"film.bat"_s);
        QCOMPARE(batchName(u"/d/README"_s), u"README.bat"_s);
        QCOMPARE(fragmentNummer(u"film.avi._007"_s), 7);
        QCOMPARE(fragmentNummer(u"film.avi._abc"_s), 0);
    }

    void splitGroessen_data()
    {
        QTest::addColumn<qint64>("laenge");
        QTest::addColumn<qint64>("kb");
        QTest::addColumn<QList<qint64>>("erwartet");
        QTest::addColumn<int>("volle");
        const qint64 S = 1024;
        QTest::newRow("S-1") << S - 1 << qint64(1) << QList<qint64>{S - 1} << 0;
        QTest::newRow("exactly S") << S << qint64(1) << QList<qint64>{S} << 1;
        QTest::newRow("3S") << 3 * S << qint64(1) << QList<qint64>{S, S, S} << 3;
        QTest::newRow("3S+1") << 3 * S + 1 << qint64(1) << QList<qint64>{S, S, S, 1} << 3;
        QTest::newRow("1420 kB of 3 000 000") << qint64(3000000) << qint64(1420)
                                              << QList<qint64>{1454080, 1454080, 91840} << 2;
        // Fragments larger than the copy buffer stream through it.
        QTest::newRow("fragment over 8 MiB") << qint64(9 << 20) + 5 << qint64(9 << 10)
                                             << QList<qint64>{qint64(9 << 20), 5} << 1;
    }

    void splitGroessen()
    {
        QFETCH(qint64, laenge);
        QFETCH(qint64, kb);
        QFETCH(QList<qint64>, erwartet);
        QFETCH(int, volle);
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"film.avi"_s);
        const QByteArray daten = testutil::randomBytes(laenge, 3);
        QVERIFY(testutil::writeFile(quelle, daten));

        QList<int> fortschritt;
        qint64 gemeldet = -1;
        SplitAuftrag a;
        a.quelle = quelle;
        a.fragmentKB = kb;
        a.gestartet = [&](qint64 l, int) { gemeldet = l; };
        a.vorFragment = [&](int k, int gesamt) {
            QCOMPARE(gesamt, erwartet.size());
            fortschritt << k;
        };
        const SplitErgebnis e = splitten(a);
        QCOMPARE(e.status, SplitStatus::Ok);
        QCOMPARE(gemeldet, laenge);
        QCOMPARE(e.laenge, laenge);
        QCOMPARE(e.volle, volle);
        QCOMPARE(e.gesamt, int(erwartet.size()));
        QCOMPARE(e.geschrieben, int(erwartet.size()));
        QCOMPARE(e.geschriebenBytes, laenge);
        QCOMPARE(groessen(quelle, int(erwartet.size())), erwartet);
        QVERIFY(!QFileInfo::exists(fragmentPfad(quelle, int(erwartet.size()) + 1)));
        QVERIFY(zusammen(quelle, int(erwartet.size())) == daten);
        // Progress is reported before every full fragment only.
        QList<int> voll;
        for (int k = 1; k <= volle; ++k)
            voll << k;
        QCOMPARE(fortschritt, voll);
        QCOMPARE(e.fragmente.constFirst(), u"film.avi._001"_s);
        // No batch file unless asked for.
        QVERIFY(!QFileInfo::exists(dir.filePath(u"film.bat"_s)));
    }

    void fragmentGrenze_data()
    {
        QTest::addColumn<qint64>("laenge");
        QTest::addColumn<SplitStatus>("status");
        QTest::addColumn<int>("gesamt");
        QTest::newRow("999 fragments") << qint64(999 * 1024) << SplitStatus::Ok << 999;
        QTest::newRow("1000 fragments") << qint64(999 * 1024 + 1) << SplitStatus::ZuVieleFragmente << 1000;
    }

    void fragmentGrenze()
    {
        QFETCH(qint64, laenge);
        QFETCH(SplitStatus, status);
        QFETCH(int, gesamt);
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"gross.dat"_s);
        QVERIFY(testutil::writeFile(quelle, QByteArray(laenge, 'x')));
        const SplitErgebnis e = split(quelle, 1);
        QCOMPARE(e.status, status);
        QCOMPARE(e.gesamt, gesamt);
        QCOMPARE(QFileInfo::exists(fragmentPfad(quelle, 1)), status == SplitStatus::Ok);
        QCOMPARE(QFileInfo::exists(fragmentPfad(quelle, 999)), status == SplitStatus::Ok);
        if (status != SplitStatus::Ok)
            QVERIFY(meldung(e).contains(u"zu gross (1000)."_s));
    }

    // Refusals write nothing and delete nothing: old fragments and the old batch file stay.
    void verweigert_data()
    {
        QTest::addColumn<QString>("quellName");
        QTest::addColumn<qint64>("kb");
        QTest::addColumn<SplitStatus>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("size 0") << u"film.avi"_s << qint64(0) << SplitStatus::GroesseNull
                                << u"Ungültige Dateifragmentgröße !"_s;
        QTest::newRow("negative size") << u"film.avi"_s << qint64(-5) << SplitStatus::ZuWenigSpeicher
                                       << u"Zu wenig Speicher. Fragmentgrösse zu gross gewählt!"_s;
        QTest::newRow("no source") << u"fehlt.avi"_s << qint64(1) << SplitStatus::KeineQuelle
                                   << u"Es wurde noch keine Datei ausgewählt ! Bitte die zu splittende Datei "
                                      u"auswählen."_s;
        QTest::newRow("empty path") << QString() << qint64(1) << SplitStatus::KeineQuelle << QString();
    }

    void verweigert()
    {
        QFETCH(QString, quellName);
        QFETCH(qint64, kb);
        QFETCH(SplitStatus, status);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QVERIFY(testutil::writeFile(dir.filePath(u"film.avi"_s), QByteArray(5000, 'q')));
        QVERIFY(testutil::writeFile(dir.filePath(u"film.avi._007"_s), "alt"));
        QVERIFY(testutil::writeFile(dir.filePath(u"film.bat"_s), "meins"));
        const SplitErgebnis e = split(quellName.isEmpty() ? QString() : dir.filePath(quellName), kb, true);
        QCOMPARE(e.status, status);
        if (!text.isEmpty())
            QCOMPARE(meldung(e), text);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"film.avi._001"_s)));
        QCOMPARE(testutil::readFile(dir.filePath(u"film.avi._007"_s)), QByteArray("alt"));
        QCOMPARE(testutil::readFile(dir.filePath(u"film.bat"_s)), QByteArray("meins"));
    }

    void leereQuelle()
    {
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"leer.txt"_s);
        QVERIFY(testutil::writeFile(quelle, QByteArray()));
        const SplitErgebnis e = split(quelle, 1, true);
        QCOMPARE(e.status, SplitStatus::Ok);
        QCOMPARE(e.gesamt, 0);
        QVERIFY(e.fragmente.isEmpty());
        QVERIFY(!QFileInfo::exists(fragmentPfad(quelle, 1)));
        QVERIFY(!QFileInfo::exists(dir.filePath(u"leer.bat"_s)));
        QCOMPARE(groesse(e.laenge), u" = 0 KB"_s);
    }

    // Seven fragments, then five: the stale ._006 and ._007 go, another file's fragments stay.
    void alteFragmente()
    {
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"film.avi"_s);
        QVERIFY(testutil::writeFile(quelle, testutil::randomBytes(7 * 1024, 1)));
        QCOMPARE(split(quelle, 1).gesamt, 7);
        QVERIFY(testutil::writeFile(dir.filePath(u"film.mpg._001"_s), "anderer Film"));
        QVERIFY(testutil::writeFile(dir.filePath(u"film.avi._abc"_s), "keine Nummer"));
        QVERIFY(testutil::writeFile(dir.filePath(u"film.bat"_s), "eigene Batchdatei"));
        const QByteArray neu = testutil::randomBytes(5 * 1024 - 10, 2);
        QVERIFY(testutil::writeFile(quelle, neu));

        const SplitErgebnis e = split(quelle, 1);
        QCOMPARE(e.status, SplitStatus::Ok);
        QCOMPARE(e.gesamt, 5);
        QVERIFY(!QFileInfo::exists(fragmentPfad(quelle, 6)));
        QVERIFY(!QFileInfo::exists(fragmentPfad(quelle, 7)));
        QCOMPARE(testutil::readFile(dir.filePath(u"film.mpg._001"_s)), QByteArray("anderer Film"));
        QCOMPARE(testutil::readFile(dir.filePath(u"film.avi._abc"_s)), QByteArray("keine Nummer"));
        QCOMPARE(testutil::readFile(dir.filePath(u"film.bat"_s)), QByteArray("eigene Batchdatei"));
        QVERIFY(zusammen(quelle, 5) == neu);
        // The join side lists what the match rule finds, in ascending order.
        QCOMPARE(fragmenteVon(ordnerListe(dir.path()), quelle),
                 (QStringList{u"film.avi._001"_s, u"film.avi._002"_s, u"film.avi._003"_s, u"film.avi._004"_s,
                              u"film.avi._005"_s, u"film.avi._abc"_s, u"film.mpg._001"_s}));

        // With the batch option the old film.bat is replaced.
        QCOMPARE(split(quelle, 1, true).batch, u"film.bat"_s);
        QVERIFY(testutil::readFile(dir.filePath(u"film.bat"_s)).startsWith("@echo off\r\n"));
    }

    // A fragment that cannot be created (here a folder of that name) gives the write message.
    void nichtSchreibbar()
    {
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"film.avi"_s);
        QVERIFY(testutil::writeFile(quelle, QByteArray(3000, 'r')));
        QVERIFY(QDir(dir.path()).mkdir(u"film.avi._002"_s));
        const SplitErgebnis e = split(quelle, 1);
        QCOMPARE(e.status, SplitStatus::NichtSchreibbar);
        QCOMPARE(meldung(e), texte::nichtSchreibbar());
        QCOMPARE(e.fragmente, QStringList{u"film.avi._001"_s});
    }

    void batchKlein()
    {
        QTemporaryDir dir;
        const QString quelle = dir.filePath(u"Film.avi"_s);
        QVERIFY(testutil::writeFile(quelle, QByteArray(2500, 'b')));
        const SplitErgebnis e = split(quelle, 1, true);
        QCOMPARE(e.status, SplitStatus::Ok);
        QCOMPARE(e.batch, u"Film.bat"_s);
        const QString zeit = zeitText(QDateTime(QDate(2026, 12, 11), QTime(9, 5, 7)));
        const QString t = tausender();
        const QByteArray erwartet =
            "@echo off\r\n"
            "echo.\r\n"
            "echo *******************************************************\r\n"
            "echo *                                                     *\r\n"
            "echo *        Gesplittet mit Wexlon's Dateisplitter.       *\r\n"
            "echo *                                                     *\r\n"
            "echo *******************************************************\r\n"
            "echo.\r\n"
            "echo Die Originaldatei \"Film.avi\" [2" + t.toLatin1() + "500 Byte]\r\n"
            "echo wurde am: " + zeit.toLatin1() + " gesplittet.\r\n"
            "echo.\r\n"
            "@if NOT exist \"film.avi._001\" goto Fehler\r\n"
            "@if NOT exist \"Film.avi._003\" goto Fehler\r\n"
            "echo Zusammengefuegt werden folgende Fragmente:   \r\n"
            "echo.\r\n"
            "copy /b \"film.avi._001\"+\"film.avi._002\"+\"film.avi._003\"  \"Film.avi\"\r\n"
            "echo.\r\n"
            "echo.\r\n"
            "GoTo OK\r\n"
            ":Fehler\r\n"
            "echo Abbruch: Eine oder mehrere Fragmentdateien fehlen oder befinden sich\r\n"
            "echo          in einem anderen Ordner !\r\n"
            "goto end\r\n"
            "echo.\r\n"
            ":OK\r\n"
            "echo Zusammenfuegen von \"Film.avi\" beendet.\r\n"
            ":End\r\n";
        QCOMPARE(testutil::readFile(dir.filePath(u"Film.bat"_s)), erwartet);
        QVERIFY(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.2026 09:05:07$"_s).match(zeit).hasMatch()
                || QLocale::system().language() != QLocale::C);
    }

    // J below 512 characters: one copy line; from 512 on: one line per fragment.
    void batchKopierform_data()
    {
        QTest::addColumn<int>("letzteLaenge");
        QTest::addColumn<bool>("einzeilig");
        QTest::newRow("J of 511") << 60 << true;
        QTest::newRow("J of 512") << 61 << false;
    }

    void batchKopierform()
    {
        QFETCH(int, letzteLaenge);
        QFETCH(bool, einzeilig);
        BatchDaten d;
        d.quellName = u"q.bin"_s;
        d.laenge = 0;
        d.zeit = u"Z"_s;
        // Seven names of 61 characters (64 in J each) and one of the row's length.
        for (int i = 1; i <= 7; ++i)
            d.eintraege << QString(56, u'n') + u"._00"_s + QString::number(i);
        d.eintraege << QString(letzteLaenge - 4, u'n') + u"._08"_s;
        d.letztesFragment = d.eintraege.constLast();
        const QList<QByteArray> zeilen = batchText(d).split('\n');
        const qsizetype copy = zeilen.indexOf("echo.\r", 13);
        QVERIFY(copy > 0);
        if (einzeilig) {
            const QByteArray j = '"' + d.eintraege.join(u"\"+\""_s).toLatin1() + "\" ";
            QCOMPARE(j.size(), 511);
            QCOMPARE(zeilen.at(15), "copy /b " + j + " \"q.bin\"\r");
            QCOMPARE(zeilen.at(16), "echo.\r");
        } else {
            const QByteArray e1 = '"' + d.eintraege.at(0).toLatin1() + '"';
            QCOMPARE(zeilen.at(15), "echo.\r");
            QCOMPARE(zeilen.at(16), "echo \"q.bin\"\r");
            QCOMPARE(zeilen.at(17), "echo " + e1 + "\r");
            QCOMPARE(zeilen.at(18), "copy /b " + e1 + " \"q.bin\"\r");
            for (int i = 1; i < 8; ++i)
                QCOMPARE(zeilen.at(18 + i), "copy /b \"q.bin\"+\"" + d.eintraege.at(i).toLatin1() + "\" \"q.bin\"\r");
            QCOMPARE(zeilen.at(26), "echo.\r");
        }
        QCOMPARE(zeilen.constLast(), QByteArray()); // the last line ends in CR LF too
        QCOMPARE(zeilen.at(zeilen.size() - 2), ":End\r");
        for (const QByteArray &z : zeilen.mid(2, 5))
            QCOMPARE(z.size(), 61); // 60 characters and the CR
    }

    void batchKodierung_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("umlaut in 1252") << u"Müll.dat"_s << QByteArray("M\xFCll.dat");
        QTest::newRow("euro in 1252") << u"5€.dat"_s << QByteArray("5\x80.dat");
        QTest::newRow("outside 1252: UTF-8") << u"łódź.dat"_s << u"łódź.dat"_s.toUtf8();
    }

    void batchKodierung()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        BatchDaten d;
        d.quellName = name;
        d.laenge = 1;
        d.zeit = u"Z"_s;
        d.eintraege << name.toLower() + u"._001"_s;
        d.letztesFragment = name + u"._001"_s;
        QVERIFY(batchText(d).contains("echo Zusammenfuegen von \"" + bytes + "\" beendet.\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_SplitterSplit)
#include "tst_splitter_split.moc"
