// Writing side of the engine: adding files and removing entries, checked by the peers.
#include "tst_engine_hilfe.h"

#include "engine/statustexte.h"
#include "engine/zipzugriff.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace enginetest;
using kasto::engine::Verschluesselung;

namespace {

void baueQuelle(const QString &root)
{
    testutil::writeFile(root + u"/a.txt"_s, QByteArray(3000, 'a'));
    testutil::writeFile(root + u"/Bild.BMP"_s, QByteArray(500, 'b'));
    testutil::writeFile(root + u"/leer.bmp"_s, QByteArray());
    testutil::writeFile(root + u"/.versteckt.bmp"_s, "v");
    testutil::writeFile(root + u"/Grüße/Äpfel.bmp"_s, "süß");
    testutil::writeFile(root + u"/Grüße/tief/zufall.bin"_s, testutil::randomBytes(150000, 9));
    testutil::writeFile(root + u"/.geheim/x.bmp"_s, "x");
}

// A tree with empty folders at several depths, one hidden, and one without a ".txt" file.
void baueOrdnerBaum(const QString &root)
{
    testutil::writeFile(root + u"/r.txt"_s, "r");
    testutil::writeFile(root + u"/a/x.txt"_s, "x");
    testutil::writeFile(root + u"/e/y.bin"_s, "y");
    for (const auto &leer : {u"/a/leer"_s, u"/b"_s, u"/c/d"_s, u"/.v"_s})
        QDir().mkpath(root + leer);
}

// That tree and the archive it goes into.
struct OrdnerFall {
    QTemporaryDir tmp;
    const QString quelle = tmp.filePath(u"q"_s);
    const QString zip = tmp.filePath(u"o.zip"_s);
    ZipComponent z;
    OrdnerFall()
    {
        baueOrdnerBaum(quelle);
        z.setZipFile(zip);
    }
};

// Arguments that make unzip, 7zz or kasto-cli unpack `zip` into `aus`.
QStringList entpackArgs(const QString &prog, const QString &zip, const QString &aus)
{
    if (prog == u"unzip"_s)
        return {u"-q"_s, zip, u"-d"_s, aus};
    if (prog == u"7zz"_s)
        return {u"x"_s, u"-o"_s + aus, zip};
    return {u"extract"_s, zip, aus};
}

QStringList eintraege(const QString &zip, const QString &passwort = QString())
{
    UnzipComponent u;
    Mitschnitt m(u);
    u.passwortFrage = [passwort](const kasto::engine::LesePasswortFrage &) {
        return kasto::engine::LesePasswortAntwort{false, passwort};
    };
    u.setZipFile(zip);
    u.ListArchive();
    QStringList n = m.namen();
    n.sort();
    return n;
}

bool setzeZeit(const QString &pfad, qint64 sekunden)
{
    const struct timespec ts[2] = {{time_t(sekunden), 0}, {time_t(sekunden), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(pfad).constData(), ts, 0) == 0;
}

qint64 zeitVon(const QString &pfad) { return QFileInfo(pfad).lastModified().toSecsSinceEpoch(); }

// A program run in the given time zone.
testutil::ProcessResult inZone(const QString &zone, const QString &prog, const QStringList &args,
                               const QString &dir = QString())
{
    return peer(u"env"_s, QStringList{u"TZ="_s + zone, prog} + args, dir);
}

struct ZipMitschnitt {
    QStringList fortschritt, status;
    explicit ZipMitschnitt(ZipComponent &z)
    {
        QObject::connect(&z, &ZipComponent::ProgressText, [this](const QString &t) { fortschritt << t; });
        QObject::connect(&z, &ZipComponent::StatusText, [this](const QString &t) { status << t; });
    }
};

} // namespace

class tst_EngineSchreiben : public QObject
{
    Q_OBJECT

private slots:
    void speicherName_data()
    {
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<bool>("ohnePfad");
        QTest::addColumn<QString>("name");
        QTest::newRow("linux") << u"/home/u/a.txt"_s << false << u"home/u/a.txt"_s;
        QTest::newRow("windows") << u"C:\\Daten\\a.txt"_s << false << u"Daten/a.txt"_s;
        QTest::newRow("no paths") << u"/home/u/a.txt"_s << true << u"a.txt"_s;
        QTest::newRow("no paths windows") << u"C:\\Daten\\a.txt"_s << true << u"a.txt"_s;
        QTest::newRow("parent parts resolved") << u"/home/u/../v/a.txt"_s << false << u"home/v/a.txt"_s;
        QTest::newRow("parent above root dropped") << u"/../../a.txt"_s << false << u"a.txt"_s;
    }
    void speicherName()
    {
        QFETCH(QString, pfad);
        QFETCH(bool, ohnePfad);
        QFETCH(QString, name);
        QCOMPARE(kasto::engine::speicherName(pfad, ohnePfad), name);
    }

    void muster_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("muster");
        QTest::addColumn<bool>("passt");
        QTest::newRow("star crosses folders") << u"docs/sub/a.txt"_s << u"*.TXT"_s << true;
        QTest::newRow("question mark matches slash") << u"a/b"_s << u"a?b"_s << true;
        QTest::newRow("whole text") << u"a.txt.bak"_s << u"*.txt"_s << false;
        QTest::newRow("regex characters are literal") << u"a+b(1).txt"_s << u"a+b(?).txt"_s << true;
        QTest::newRow("regex characters do not match others") << u"aab.txt"_s << u"a+b.txt"_s << false;
    }
    void muster()
    {
        QFETCH(QString, text);
        QFETCH(QString, muster);
        QFETCH(bool, passt);
        QCOMPARE(kasto::engine::passtMuster(text, muster, Qt::CaseInsensitive), passt);
    }

    // What AddFiles takes for a file, a folder, a pattern and the three switches.
    void auswahl_data()
    {
        QTest::addColumn<QString>("angabe"); // relative to the source folder
        QTest::addColumn<bool>("unterordner");
        QTest::addColumn<bool>("system");
        QTest::addColumn<QStringList>("namen"); // with NoPaths
        QTest::newRow("one file") << u"a.txt"_s << false << false << QStringList{u"a.txt"_s};
        QTest::newRow("hidden file named itself") << u".versteckt.bmp"_s << false << false
                                                  << QStringList{u".versteckt.bmp"_s};
        QTest::newRow("bare folder") << u""_s << false << false
                                     << QStringList{u"a.txt"_s, u"Bild.BMP"_s, u"leer.bmp"_s};
        QTest::newRow("all") << u"*.*"_s << false << false << QStringList{u"a.txt"_s, u"Bild.BMP"_s, u"leer.bmp"_s};
        QTest::newRow("pattern any case") << u"*.bmp"_s << false << false
                                          << QStringList{u"Bild.BMP"_s, u"leer.bmp"_s};
        QTest::newRow("pattern with subfolders") << u"*.bmp"_s << true << false
                                                 << QStringList{u"Bild.BMP"_s, u"leer.bmp"_s, u"Äpfel.bmp"_s};
        QTest::newRow("system files too") << u"*.bmp"_s << true << true
                                          << QStringList{u".versteckt.bmp"_s, u"Bild.BMP"_s, u"leer.bmp"_s,
                                                         u"x.bmp"_s, u"Äpfel.bmp"_s};
    }
    void auswahl()
    {
        QFETCH(QString, angabe);
        QFETCH(bool, unterordner);
        QFETCH(bool, system);
        QFETCH(QStringList, namen);
        QTemporaryDir tmp;
        const QString quelle = tmp.filePath(u"q"_s);
        baueQuelle(quelle);
        ZipComponent z;
        z.setZipFile(tmp.filePath(u"a.zip"_s));
        z.setNoPaths(true);
        z.setSubfolders(unterordner);
        z.setSystemFiles(system);
        QVERIFY(z.AddFiles(angabe.isEmpty() ? quelle : quelle + u'/' + angabe));
        namen.sort();
        QCOMPARE(eintraege(tmp.filePath(u"a.zip"_s)), namen);
        // With paths: the full path without its root.
        ZipComponent mit;
        mit.setZipFile(tmp.filePath(u"b.zip"_s));
        QVERIFY(mit.AddFiles(quelle + u"/a.txt"_s));
        QCOMPARE(eintraege(tmp.filePath(u"b.zip"_s)), QStringList{quelle.mid(1) + u"/a.txt"_s});
    }

    // Folders that would vanish on unpacking are stored as "name/"; those that hold something
    // come back through their content anyway.
    void leereOrdner_data()
    {
        QTest::addColumn<QString>("muster");
        QTest::addColumn<bool>("unterordner");
        QTest::addColumn<bool>("system");
        QTest::addColumn<bool>("ohnePfad");
        QTest::addColumn<QStringList>("namen"); // below the source folder, in the order written
        QTest::addColumn<QString>("status");
        QTest::newRow("all") << u"*.*"_s << true << false << false
                             << QStringList{u"r.txt"_s, u"a/x.txt"_s, u"a/leer/"_s, u"b/"_s, u"c/d/"_s, u"e/y.bin"_s}
                             << u"3 Datei(en) und 3 leere(r) Ordner"_s;
        QTest::newRow("folder without a match") << u"*.TXT"_s << true << false << false
                             << QStringList{u"r.txt"_s, u"a/x.txt"_s, u"a/leer/"_s, u"b/"_s, u"c/d/"_s, u"e/"_s}
                             << u"2 Datei(en) und 4 leere(r) Ordner"_s;
        QTest::newRow("hidden folder as system file") << u"*.*"_s << true << true << false
                             << QStringList{u"r.txt"_s, u".v/"_s, u"a/x.txt"_s, u"a/leer/"_s, u"b/"_s, u"c/d/"_s,
                                            u"e/y.bin"_s}
                             << u"3 Datei(en) und 4 leere(r) Ordner"_s;
        QTest::newRow("only folders") << u"*.nix"_s << true << false << false
                             << QStringList{u"a/leer/"_s, u"b/"_s, u"c/d/"_s, u"e/"_s}
                             << u"0 Datei(en) und 4 leere(r) Ordner"_s;
        QTest::newRow("not recursive") << u"*.*"_s << false << false << false << QStringList{u"r.txt"_s}
                                       << u"1 Datei(en) zu"_s;
        QTest::newRow("no paths, no tree") << u"*.*"_s << true << false << true
                                           << QStringList{u"r.txt"_s, u"x.txt"_s, u"y.bin"_s} << u"3 Datei(en) zu"_s;
    }
    void leereOrdner()
    {
        QFETCH(QString, muster);
        QFETCH(bool, unterordner);
        QFETCH(bool, system);
        QFETCH(bool, ohnePfad);
        QFETCH(QStringList, namen);
        QFETCH(QString, status);
        OrdnerFall f;
        ZipMitschnitt m(f.z);
        f.z.setSubfolders(unterordner);
        f.z.setSystemFiles(system);
        f.z.setNoPaths(ohnePfad);
        QVERIFY(f.z.AddFiles(f.quelle + u'/' + muster));
        QVERIFY2(m.status.last().contains(status), qPrintable(m.status.last()));
        const QString vorn = ohnePfad ? QString() : f.quelle.mid(1) + u'/';
        QStringList erwartet;
        for (const QString &n : namen)
            erwartet << vorn + n;
        QCOMPARE(m.fortschritt, [&] {
            QStringList t;
            for (const QString &n : erwartet)
                t << u"Füge hinzu: "_s + n;
            return t;
        }());
        erwartet.sort();
        QCOMPARE(eintraege(f.zip), erwartet);
    }

    // The peers and Kasto bring the empty folders back.
    void leereOrdnerEntpacken()
    {
        ENGINE_BRAUCHT(u"unzip"_s);
        ENGINE_BRAUCHT(u"7zz"_s);
        OrdnerFall f;
        f.z.setSubfolders(true);
        f.z.setSystemFiles(true);
        QVERIFY(f.z.AddFiles(f.quelle));
        const auto soll = baum(f.quelle);
        QVERIFY(soll.contains(u"c/d/"_s) && soll.contains(u".v/"_s));
        for (const QString &prog : {u"unzip"_s, u"7zz"_s, QStringLiteral(KASTO_CLI)}) {
            const QString aus = f.tmp.filePath(u"aus-"_s + QFileInfo(prog).fileName());
            const auto x = peer(prog, entpackArgs(prog, f.zip, aus));
            QVERIFY2(x.exitCode == 0, qPrintable(prog + u": "_s + QString::fromUtf8(x.out + x.err)));
            QCOMPARE(baum(aus + f.quelle), soll);
        }
    }

    // Kasto's archives open in the peers, plain and encrypted, and come back byte for byte.
    void peersRead_data()
    {
        QTest::addColumn<bool>("verschluesselt");
        QTest::addColumn<int>("verfahren");
        QTest::newRow("plain") << false << 0;
        QTest::newRow("aes256") << true << int(Verschluesselung::Aes256);
        QTest::newRow("zipcrypto") << true << int(Verschluesselung::ZipCrypto);
    }
    void peersRead()
    {
        QFETCH(bool, verschluesselt);
        QFETCH(int, verfahren);
        ENGINE_BRAUCHT(u"7zz"_s);
        ENGINE_BRAUCHT(u"unzip"_s);
        QTemporaryDir tmp;
        const QString quelle = tmp.filePath(u"q"_s);
        baueQuelle(quelle);
        const QString zip = tmp.filePath(u"k.zip"_s);
        ZipComponent z;
        ZipMitschnitt m(z);
        int gefragt = 0;
        z.passwortFrage = [&](const kasto::engine::SchreibPasswortFrage &) {
            ++gefragt;
            return kasto::engine::SchreibPasswortAntwort{false, u"pw ÄÖ"_s, Verschluesselung(verfahren)};
        };
        z.setZipFile(zip);
        z.setUsePassword(verschluesselt);
        z.setSubfolders(true);
        z.setSystemFiles(true);
        QVERIFY(z.AddFiles(quelle + u"/*.*"_s));
        QCOMPARE(gefragt, verschluesselt ? 1 : 0);
        // One progress text per entry written.
        QCOMPARE(m.fortschritt.size(), baum(quelle).size());
        QVERIFY(m.fortschritt.contains(u"Füge hinzu: %1/Grüße/tief/zufall.bin"_s.arg(quelle.mid(1))));

        const QString pw = u"-ppw ÄÖ"_s;
        auto sieben = peer(u"7zz"_s, {u"t"_s, verschluesselt ? pw : u"-p"_s, zip});
        QVERIFY2(sieben.exitCode == 0, sieben.out.constData());
        if (!verschluesselt || Verschluesselung(verfahren) == Verschluesselung::ZipCrypto) {
            QStringList a{u"-t"_s};
            if (verschluesselt)
                a << u"-P"_s << u"pw ÄÖ"_s;
            const auto info = peer(u"unzip"_s, a << zip);
            QVERIFY2(info.exitCode == 0, info.out.constData());
        }
        const QString aus = tmp.filePath(u"aus"_s);
        sieben = peer(u"7zz"_s, {u"x"_s, verschluesselt ? pw : u"-p"_s, u"-o"_s + aus, zip});
        QCOMPARE(sieben.exitCode, 0);
        QCOMPARE(baum(aus + quelle), baum(quelle));

        // Compressible data is deflated, incompressible data stored.
        int err = 0;
        kasto::engine::ZipHandle za(zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &err));
        QVERIFY(za);
        zip_stat_t st;
        QCOMPARE(zip_stat(za.get(), (quelle.mid(1) + u"/a.txt"_s).toUtf8().constData(), 0, &st), 0);
        QCOMPARE(st.comp_method, zip_uint16_t(ZIP_CM_DEFLATE));
        QCOMPARE(zip_stat(za.get(), (quelle.mid(1) + u"/Grüße/tief/zufall.bin"_s).toUtf8().constData(), 0, &st), 0);
        QCOMPARE(st.comp_method, zip_uint16_t(ZIP_CM_STORE));
        QCOMPARE(st.encryption_method != ZIP_EM_NONE, verschluesselt);
    }

    // Several paths in one call: one password question, every file added in order; a path that
    // yields nothing is reported and makes the call fail, the others are still added.
    void severalPaths()
    {
        QTemporaryDir tmp;
        const QString quelle = tmp.filePath(u"q"_s);
        baueQuelle(quelle);
        const QString zip = tmp.filePath(u"m.zip"_s);
        ZipComponent z;
        ZipMitschnitt m(z);
        int gefragt = 0;
        z.passwortFrage = [&](const kasto::engine::SchreibPasswortFrage &) {
            ++gefragt;
            return kasto::engine::SchreibPasswortAntwort{false, u"pw"_s, Verschluesselung::Aes256};
        };
        z.setZipFile(zip);
        z.setNoPaths(true);
        z.setUsePassword(true);
        QVERIFY(z.AddFiles(QStringList{quelle + u"/a.txt"_s, quelle + u"/Bild.BMP"_s, quelle + u"/Grüße/*.bmp"_s}));
        QCOMPARE(gefragt, 1);
        QCOMPARE(m.fortschritt, (QStringList{u"Füge hinzu: a.txt"_s, u"Füge hinzu: Bild.BMP"_s,
                                             u"Füge hinzu: Äpfel.bmp"_s}));

        const QString fehlt = quelle + u"/gibt-es-nicht.txt"_s;
        QVERIFY(!z.AddFiles(QStringList{fehlt, quelle + u"/leer.bmp"_s}));
        QVERIFY(m.status.contains(kasto::engine::texte::keineDateien(fehlt)));
        QCOMPARE(gefragt, 2);
        UnzipComponent u;
        u.setZipFile(zip);
        Mitschnitt l(u);
        QVERIFY(u.ListArchive());
        QCOMPARE(l.namen(), (QStringList{u"a.txt"_s, u"Bild.BMP"_s, u"Äpfel.bmp"_s, u"leer.bmp"_s}));
    }

    // The exact second survives a change of time zone between packing and unpacking, also for
    // an entry that replaces one whose old time another tool had stored.
    void zeitstempel_data()
    {
        QTest::addColumn<QString>("entpacker");
        QTest::newRow("unzip") << u"unzip"_s;
        QTest::newRow("7zz") << u"7zz"_s;
        QTest::newRow("kasto") << QStringLiteral(KASTO_CLI);
    }
    void zeitstempel()
    {
        QFETCH(QString, entpacker);
        ENGINE_BRAUCHT(u"zip"_s);
        ENGINE_BRAUCHT(u"unzip"_s);
        ENGINE_BRAUCHT(u"7zz"_s);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"t.zip"_s);
        const QString alt = tmp.filePath(u"alt.txt"_s), neu = tmp.filePath(u"neu.txt"_s);
        testutil::writeFile(alt, "alter Stand");
        QVERIFY(setzeZeit(alt, QDateTime(QDate(2010, 1, 1), QTime(0, 0, 1), Qt::UTC).toSecsSinceEpoch()));
        QCOMPARE(peer(u"zip"_s, {u"-q"_s, zip, u"alt.txt"_s}, tmp.path()).exitCode, 0);
        // Odd second, summer time, another year.
        const qint64 soll = QDateTime(QDate(2003, 7, 15), QTime(10, 20, 31), Qt::UTC).toSecsSinceEpoch();
        testutil::writeFile(alt, "neuer Stand");
        testutil::writeFile(neu, "neu");
        QVERIFY(setzeZeit(alt, soll));
        QVERIFY(setzeZeit(neu, soll));
        const auto add = inZone(u"Pacific/Chatham"_s, QStringLiteral(KASTO_CLI),
                                {u"add"_s, zip, alt, neu, u"--no-paths"_s});
        QVERIFY2(add.exitCode == 0, add.err.constData());

        const QString aus = tmp.filePath(u"aus"_s);
        QVERIFY(QDir().mkpath(aus));
        const auto x = inZone(u"America/St_Johns"_s, entpacker, entpackArgs(entpacker, zip, aus));
        QVERIFY2(x.exitCode == 0, x.err.constData());
        QCOMPARE(testutil::readFile(aus + u"/alt.txt"_s), QByteArray("neuer Stand"));
        QCOMPARE(zeitVon(aus + u"/alt.txt"_s), soll);
        QCOMPARE(zeitVon(aus + u"/neu.txt"_s), soll);
    }

    // Deflate where it pays, stored where it does not; samples from the start, middle and end
    // of a larger file decide.
    void kompression_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<bool>("deflate");
        const QByteArray text = QByteArray("Grüße aus dem Archiv, Zeile für Zeile.\n").repeated(6000);
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("short text") << QByteArray("hallo hallo hallo hallo hallo") << true;
        QTest::newRow("text") << text << true;
        QTest::newRow("small random") << testutil::randomBytes(40000, 3) << false;
        QTest::newRow("random") << testutil::randomBytes(400000, 4) << false;
        QTest::newRow("random head, text body") << testutil::randomBytes(100000, 5) + text << true;
        QTest::newRow("text only at the end") << testutil::randomBytes(300000, 6) + text.left(20000) << true;
    }
    void kompression()
    {
        QFETCH(QByteArray, daten);
        QFETCH(bool, deflate);
        QTemporaryDir tmp;
        const QString datei = tmp.filePath(u"d.bin"_s);
        QVERIFY(testutil::writeFile(datei, daten));
        const QString zip = tmp.filePath(u"k.zip"_s);
        ZipComponent z;
        z.setZipFile(zip);
        z.setNoPaths(true);
        QVERIFY(z.AddFiles(datei));
        int err = 0;
        kasto::engine::ZipHandle za(zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &err));
        QVERIFY(za);
        zip_stat_t st;
        QCOMPARE(zip_stat(za.get(), "d.bin", 0, &st), 0);
        QCOMPARE(st.comp_method, zip_uint16_t(deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE));
        QCOMPARE(qint64(st.size), daten.size());
        if (deflate)
            QVERIFY(qint64(st.comp_size) < daten.size());
    }

    // Adding a file of a name that is there replaces it; a missing password adds nothing.
    void replaceAndRefuse()
    {
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"r.zip"_s);
        const QString datei = tmp.filePath(u"a.txt"_s);
        ZipComponent z;
        ZipMitschnitt m(z);
        z.setZipFile(zip);
        z.setNoPaths(true);
        testutil::writeFile(datei, "eins");
        QVERIFY(z.AddFiles(datei));
        testutil::writeFile(datei, "zwei, länger");
        QVERIFY(z.AddFiles(datei));
        QCOMPARE(eintraege(zip), QStringList{u"a.txt"_s});
        UnzipComponent u;
        u.setZipFile(zip);
        u.setTargetFolder(tmp.filePath(u"aus"_s));
        QVERIFY(u.ExtractAll());
        QCOMPARE(testutil::readFile(tmp.filePath(u"aus/a.txt"_s)), QByteArray("zwei, länger"));

        const QByteArray vorher = testutil::readFile(zip);
        z.setUsePassword(true); // no handler: no password
        QVERIFY(!z.AddFiles(datei));
        QVERIFY(m.status.last().startsWith(u"Abgebrochen"_s));
        QVERIFY(!z.AddFiles(tmp.filePath(u"fehlt.txt"_s)));
        QVERIFY(m.status.last().contains(u"fehlt.txt"_s));
        QVERIFY(!z.AddFiles(tmp.filePath(u"*.nix"_s)));
        QVERIFY(m.status.last().startsWith(u"Keine passenden Dateien"_s));
        QCOMPARE(testutil::readFile(zip), vorher);
    }

    // A write that fails while closing leaves the archive as it was, SFX or not.
    void failedCloseKeepsArchive_data()
    {
        QTest::addColumn<int>("stub");
        QTest::newRow("plain") << 0;
        QTest::newRow("sfx") << 3000;
    }
    void failedCloseKeepsArchive()
    {
        QFETCH(int, stub);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"f.zip"_s);
        QVERIFY(baueArchiv(zip, {{"alt.txt", "alt"}}));
        if (stub)
            QVERIFY(testutil::writeFile(zip, testutil::randomBytes(stub) + testutil::readFile(zip)));
        const QByteArray vorher = testutil::readFile(zip);
        const QString quelle = tmp.filePath(u"q"_s);
        testutil::writeFile(quelle + u"/1.txt"_s, "1");
        testutil::writeFile(quelle + u"/2.txt"_s, "2");
        ZipComponent z;
        ZipMitschnitt m(z);
        // The second file vanishes while the archive is being written.
        z.idle = [&] { QFile::remove(quelle + u"/2.txt"_s); };
        z.setZipFile(zip);
        z.setNoPaths(true);
        QVERIFY(!z.AddFiles(quelle + u"/*.txt"_s));
        QVERIFY2(m.status.last().contains(u"unverändert"_s), qPrintable(m.status.last()));
        QCOMPARE(testutil::readFile(zip), vorher);
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files), QStringList{u"f.zip"_s});
    }

    // Removing: exact names, "*.*" and patterns; a "deleting" text per entry, "empty" at the end.
    void deleteFiles_data()
    {
        QTest::addColumn<QString>("was");
        QTest::addColumn<QStringList>("weg");
        QTest::newRow("exact") << u"docs/a.txt"_s << QStringList{u"docs/a.txt"_s};
        QTest::newRow("exact is not a prefix") << u"docs/"_s << QStringList{u"docs/"_s};
        QTest::newRow("pattern across folders") << u"*.TXT"_s << QStringList{u"docs/a.txt"_s, u"b.txt"_s};
        QTest::newRow("question mark") << u"docs?a.*"_s << QStringList{u"docs/a.txt"_s};
        QTest::newRow("nothing matches") << u"*.doc"_s << QStringList{};
        QTest::newRow("all") << u"*.*"_s << QStringList{u"docs/"_s, u"docs/a.txt"_s, u"b.txt"_s, u"c.bin"_s};
    }
    void deleteFiles()
    {
        QFETCH(QString, was);
        QFETCH(QStringList, weg);
        ENGINE_BRAUCHT(u"unzip"_s);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"d.zip"_s);
        const QByteArray c = testutil::randomBytes(40000).toHex();
        QVERIFY(baueArchiv(zip, {{"docs/", {}}, {"docs/a.txt", "a"}, {"b.txt", "b"}, {"c.bin", c}}));
        ZipComponent z;
        ZipMitschnitt m(z);
        z.setZipFile(zip);
        QCOMPARE(z.DeleteFiles(was), !weg.isEmpty());
        QStringList erwartet;
        for (const QString &n : weg)
            erwartet << u"deleting: "_s + n;
        if (weg.size() == 4) {
            erwartet << u"Archiv %1 ist leer (empty) und wurde entfernt."_s.arg(zip);
            QCOMPARE(m.fortschritt, erwartet);
            QVERIFY(!QFileInfo::exists(zip));
            return;
        }
        if (weg.isEmpty()) {
            QVERIFY(!m.fortschritt.last().startsWith(u"deleting"_s));
            QVERIFY(!m.fortschritt.last().contains(u"empty"_s));
        } else {
            QCOMPARE(m.fortschritt, erwartet);
        }
        QStringList bleibt{u"b.txt"_s, u"c.bin"_s, u"docs/"_s, u"docs/a.txt"_s};
        for (const QString &n : weg)
            bleibt.removeAll(n);
        QCOMPARE(eintraege(zip), bleibt);
        QCOMPARE(peer(u"unzip"_s, {u"-tq"_s, zip}).exitCode, 0);
    }

    // An archive behind a stub keeps the stub through adding and removing.
    void sfxKeepsStub()
    {
        ENGINE_BRAUCHT(u"7zz"_s);
        QTemporaryDir tmp;
        const QString plain = tmp.filePath(u"p.zip"_s);
        QVERIFY(baueArchiv(plain, {{"eins.txt", QByteArray(2000, '1')}, {"zwei.txt", "2"}}));
        const QByteArray stub = testutil::randomBytes(9000, 4);
        const QString sfx = tmp.filePath(u"s.exe"_s);
        QVERIFY(testutil::writeFile(sfx, stub + testutil::readFile(plain)));
        const QString neu = tmp.filePath(u"drei.txt"_s);
        testutil::writeFile(neu, "drei");
        ZipComponent z;
        ZipMitschnitt m(z);
        z.setZipFile(sfx);
        z.setNoPaths(true);
        QVERIFY(z.AddFiles(neu));
        QVERIFY(z.DeleteFiles(u"eins.txt"_s));
        QCOMPARE(m.fortschritt.last(), u"deleting: eins.txt"_s);
        QCOMPARE(testutil::readFile(sfx).left(stub.size()), stub);
        QCOMPARE(eintraege(sfx), (QStringList{u"drei.txt"_s, u"zwei.txt"_s}));
        QCOMPARE(kasto::engine::vorspannBytes(sfx), stub.size());
        const auto t = peer(u"7zz"_s, {u"t"_s, sfx});
        QVERIFY2(t.exitCode == 0, t.out.constData());
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files), (QStringList{u"drei.txt"_s, u"p.zip"_s, u"s.exe"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_EngineSchreiben)
#include "tst_engine_schreiben.moc"
