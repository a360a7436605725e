// Reading side of the engine: listing, testing and extracting archives of other tools,
// and staying safe with hostile ones.
#include "tst_engine_hilfe.h"

#include "engine/statustexte.h"
#include "engine/zipzugriff.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace enginetest;
using kasto::engine::Ueberschreiben;

namespace {

// A tree with nested folders, an empty file, umlaut names and data of both kinds.
void baueQuelle(const QString &root)
{
    testutil::writeFile(root + u"/a.txt"_s, QByteArray(3000, 'x'));
    testutil::writeFile(root + u"/leer.txt"_s, QByteArray());
    testutil::writeFile(root + u"/Grüße/Äpfel öl.txt"_s, "süß\n");
    testutil::writeFile(root + u"/tief/er/zufall.bin"_s, testutil::randomBytes(200000, 7));
    QDir().mkpath(root + u"/leerer Ordner"_s);
}

} // namespace

class tst_EngineLesen : public QObject
{
    Q_OBJECT

private slots:
    void sichererPfad_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("erwartet"); // "" = refused
        QTest::newRow("plain") << u"a/b.txt"_s << u"a/b.txt"_s;
        QTest::newRow("dot parts dropped") << u"./a/./b.txt"_s << u"a/b.txt"_s;
        QTest::newRow("parent") << u"../b.txt"_s << QString();
        QTest::newRow("parent inside") << u"a/../../b.txt"_s << QString();
        QTest::newRow("parent even when harmless") << u"a/../b.txt"_s << QString();
        QTest::newRow("backslash parent") << u"..\\b.txt"_s << QString();
        QTest::newRow("absolute") << u"/etc/passwd"_s << QString();
        QTest::newRow("absolute backslash") << u"\\etc\\passwd"_s << QString();
        QTest::newRow("drive") << u"C:\\b.txt"_s << QString();
        QTest::newRow("drive relative") << u"c:b.txt"_s << QString();
        QTest::newRow("dots in a name are fine") << u"a/..b/c..txt"_s << u"a/..b/c..txt"_s;
        QTest::newRow("nothing left") << u"./"_s << QString();
    }
    void sichererPfad()
    {
        QFETCH(QString, name);
        QFETCH(QString, erwartet);
        QCOMPARE(kasto::engine::sichererPfad(name), erwartet);
    }

    void sfxText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("small stub") << qint64(1);
        QTest::newRow("typical stub") << qint64(71680);
        QTest::newRow("huge") << qint64(9223372036854775807LL);
    }
    // The window shows characters 42 to 92 on their own: they must be the whole phrase.
    void sfxText()
    {
        QFETCH(qint64, bytes);
        const QString t = kasto::engine::texte::sfxGeladen(bytes);
        QVERIFY(t.contains(u"extra bytes"_s));
        QVERIFY(!t.startsWith(u"Lade"_s));
        QVERIFY(t.size() <= 92);
        QCOMPARE(t.mid(41, 51), kasto::engine::texte::sfxVorspannPhrase(bytes));
        QVERIFY(t.mid(41, 51).contains(QString::number(bytes)));
    }

    // Rows in archive order, path + name = stored name, folders as "sub/" under "docs/",
    // local time, ratio rules, CP437 names of old tools.
    void listing()
    {
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"l.zip"_s);
        const QDateTime zeit(QDate(2004, 3, 5), QTime(14, 7, 30));
        const time_t t = time_t(zeit.toSecsSinceEpoch());
        QVERIFY(baueArchiv(zip, {{"docs/", {}, ZIP_FL_ENC_UTF_8, t},
                                 {"docs/sub/", {}, ZIP_FL_ENC_UTF_8, t},
                                 {"docs/sub/x.txt", QByteArray(4000, 'x'), ZIP_FL_ENC_UTF_8, t},
                                 {"leer.txt", {}, ZIP_FL_ENC_UTF_8, t},
                                 {"zufall.bin", testutil::randomBytes(5000), ZIP_FL_ENC_UTF_8, t},
                                 {"\x84rger.txt", "a", ZIP_FL_ENC_CP437, t}}));
        UnzipComponent u;
        Mitschnitt m(u);
        u.setZipFile(zip);
        QVERIFY(u.ListArchive());
        QCOMPARE(m.namen(), (QStringList{u"docs/"_s, u"docs/sub/"_s, u"docs/sub/x.txt"_s, u"leer.txt"_s,
                                         u"zufall.bin"_s, u"ärger.txt"_s}));
        QCOMPARE(m.zeilen[1].name, u"sub/"_s);
        QCOMPARE(m.zeilen[1].path, u"docs/"_s);
        QCOMPARE(m.zeilen[2].name, u"x.txt"_s);
        QCOMPARE(m.zeilen[2].path, u"docs/sub/"_s);
        QCOMPARE(m.zeilen[0].path, QString());
        for (const Zeile &z : m.zeilen) {
            QCOMPARE(z.year, 4);
            QCOMPARE(z.month, 3);
            QCOMPARE(z.day, 5);
            QCOMPARE(z.hour, 14);
            QCOMPARE(z.minute, 7);
            QVERIFY(z.ratio >= 0);
        }
        const Zeile &x = m.zeilen[2];
        QCOMPARE(x.size, 4000);
        QVERIFY(x.packed < 100);
        QCOMPARE(x.ratio, qRound(100.0 * double(x.size - x.packed) / double(x.size)));
        QCOMPARE(m.zeilen[3].ratio, 0); // empty
        QVERIFY(m.letzter().startsWith(u"Lade"_s));
    }

    // Archives of other tools: listed, tested and extracted byte for byte.
    void peerArchive_data()
    {
        QTest::addColumn<QString>("programm");
        QTest::addColumn<QStringList>("args"); // run in the source folder; archive "../x.zip"
        QTest::addColumn<QString>("passwort");
        QTest::addColumn<int>("stub");         // bytes put before the archive with cat
        QTest::newRow("zip") << u"zip"_s << QStringList{u"-qr"_s, u"../x.zip"_s, u"."_s} << QString() << 0;
        QTest::newRow("zip64 zip -fz") << u"zip"_s << QStringList{u"-qr"_s, u"-fz"_s, u"../x.zip"_s, u"."_s}
                                       << QString() << 0;
        QTest::newRow("zip zipcrypto") << u"zip"_s
                                       << QStringList{u"-qr"_s, u"-P"_s, u"geheim"_s, u"../x.zip"_s, u"."_s}
                                       << u"geheim"_s << 0;
        QTest::newRow("7zz") << u"7zz"_s << QStringList{u"a"_s, u"-tzip"_s, u"../x.zip"_s, u"."_s} << QString() << 0;
        QTest::newRow("7zz aes256") << u"7zz"_s
                                    << QStringList{u"a"_s, u"-tzip"_s, u"-pgeheim"_s, u"-mem=AES256"_s,
                                                   u"../x.zip"_s, u"."_s}
                                    << u"geheim"_s << 0;
        QTest::newRow("sfx stub") << u"zip"_s << QStringList{u"-qr"_s, u"../x.zip"_s, u"."_s} << QString() << 12345;
        QTest::newRow("sfx stub zip64") << u"zip"_s << QStringList{u"-qr"_s, u"-fz"_s, u"../x.zip"_s, u"."_s}
                                        << QString() << 4096;
    }
    void peerArchive()
    {
        QFETCH(QString, programm);
        QFETCH(QStringList, args);
        QFETCH(QString, passwort);
        QFETCH(int, stub);
        ENGINE_BRAUCHT(programm);
        QTemporaryDir tmp;
        const QString quelle = tmp.filePath(u"quelle"_s);
        baueQuelle(quelle);
        const auto r = peer(programm, args, quelle);
        QCOMPARE(r.exitCode, 0);
        QString zip = tmp.filePath(u"x.zip"_s);
        if (stub > 0) {
            const QString sfx = tmp.filePath(u"x.exe"_s);
            QVERIFY(testutil::writeFile(sfx, testutil::randomBytes(stub, 3) + testutil::readFile(zip)));
            zip = sfx;
        }

        UnzipComponent u;
        Mitschnitt m(u);
        int gefragt = 0;
        u.passwortFrage = [&](const kasto::engine::LesePasswortFrage &) {
            ++gefragt;
            return kasto::engine::LesePasswortAntwort{false, passwort};
        };
        u.setZipFile(zip);
        QVERIFY(u.ListArchive());
        QVERIFY(m.namen().contains(u"Grüße/Äpfel öl.txt"_s));
        QVERIFY(m.namen().contains(u"tief/er/zufall.bin"_s));
        if (stub > 0) {
            QVERIFY(m.letzter().contains(u"extra bytes"_s));
            QVERIFY(!m.letzter().startsWith(u"Lade"_s));
            QCOMPARE(m.letzter().mid(41, 51), u"Vorspann von %1 Bytes"_s.arg(stub));
        } else {
            QVERIFY2(m.letzter().startsWith(u"Lade"_s), qPrintable(m.letzter()));
        }

        u.setTestOnly(true);
        QVERIFY2(u.ExtractAll(), qPrintable(m.texte.join(u'\n')));
        u.setTestOnly(false);
        u.setTargetFolder(tmp.filePath(u"aus"_s));
        QVERIFY2(u.ExtractAll(), qPrintable(m.texte.join(u'\n')));
        QCOMPARE(baum(tmp.filePath(u"aus"_s)), baum(quelle));
        QCOMPARE(gefragt, passwort.isEmpty() ? 0 : 1); // the password that worked is kept
    }

    // Whatever the names say, nothing lands outside the target; the good entries still come out.
    void hostileNames_data()
    {
        QTest::addColumn<QByteArray>("boese");
        QTest::newRow("parent") << QByteArray("../boese.txt");
        QTest::newRow("parent deep") << QByteArray("a/../../boese.txt");
        QTest::newRow("parent backslash") << QByteArray("..\\boese.txt");
        QTest::newRow("absolute") << QByteArray("@ABS@/boese.txt");
        QTest::newRow("drive") << QByteArray("C:\\boese.txt");
        QTest::newRow("drive slash") << QByteArray("C:/boese.txt");
    }
    void hostileNames()
    {
        QFETCH(QByteArray, boese);
        QTemporaryDir tmp;
        boese.replace("@ABS@", QFile::encodeName(tmp.path()));
        const QString zip = tmp.filePath(u"h.zip"_s);
        QVERIFY(baueArchiv(zip, {{"gut1.txt", "eins"}, {boese, "BOESE"}, {"gut2.txt", "zwei"}}));
        const QString ziel = tmp.filePath(u"ziel/innen"_s);
        UnzipComponent u;
        Mitschnitt m(u);
        u.setZipFile(zip);
        u.setTargetFolder(ziel);
        QVERIFY(!u.ExtractAll());
        QCOMPARE(baum(tmp.path()).keys(),
                 (QStringList{u"h.zip"_s, u"ziel/innen/gut1.txt"_s, u"ziel/innen/gut2.txt"_s}));
        const QString name = QString::fromUtf8(boese);
        QVERIFY(std::any_of(m.texte.cbegin(), m.texte.cend(),
                            [&](const QString &t) { return t.startsWith(u"Abgelehnt"_s) && t.contains(name); }));
        // ExtractFile refuses it the same way.
        QVERIFY(!u.ExtractFile(name));
        QCOMPARE(baum(tmp.path()).size(), 3);
    }

    // Broken archives: clear texts naming the file or entry, no file left behind, an existing
    // file of the same name untouched even when overwriting was allowed.
    void damaged_data()
    {
        QTest::addColumn<QString>("art");
        QTest::addColumn<bool>("listbar");
        QTest::addColumn<QString>("textTeil");
        QTest::newRow("flipped byte") << u"flip"_s << true << u"x.txt"_s;
        QTest::newRow("truncated") << u"cut"_s << false << u"d.zip"_s;
        QTest::newRow("not a zip") << u"text"_s << false << u"kein ZIP-Archiv"_s;
        QTest::newRow("missing") << u"missing"_s << false << u"nicht gefunden"_s;
    }
    void damaged()
    {
        QFETCH(QString, art);
        QFETCH(bool, listbar);
        QFETCH(QString, textTeil);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"d.zip"_s);
        const QByteArray inhalt = testutil::randomBytes(20000, 5).toHex(); // compressible
        QVERIFY(baueArchiv(zip, {{"x.txt", inhalt}}));
        QByteArray bytes = testutil::readFile(zip);
        if (art == u"flip"_s)
            bytes[bytes.size() / 3] = char(bytes[bytes.size() / 3] ^ 0x10);
        else if (art == u"cut"_s)
            bytes.truncate(bytes.size() / 2);
        else if (art == u"text"_s)
            bytes = "Dies ist kein Archiv, nur Text.\n";
        QVERIFY(testutil::writeFile(zip, bytes));
        if (art == u"missing"_s)
            QFile::remove(zip);
        const QString ziel = tmp.filePath(u"ziel"_s);
        QVERIFY(testutil::writeFile(ziel + u"/x.txt"_s, "alt"));

        UnzipComponent u;
        Mitschnitt m(u);
        u.ueberschreibenFrage = [](const QString &) { return Ueberschreiben::Ja; };
        u.setZipFile(zip);
        QCOMPARE(u.ListArchive(), listbar);
        if (!listbar)
            QVERIFY2(m.letzter().startsWith(u"Fehler"_s) && m.letzter().contains(textTeil), qPrintable(m.letzter()));
        u.setTestOnly(true);
        QVERIFY(!u.ExtractAll());
        QVERIFY2(m.letzter().contains(textTeil), qPrintable(m.letzter()));
        u.setTestOnly(false);
        u.setTargetFolder(ziel);
        QVERIFY(!u.ExtractAll());
        QCOMPARE(baum(ziel), (QMap<QString, QByteArray>{{u"x.txt"_s, "alt"}}));
    }

    // Passwords: asked once, a wrong or missing one reported per entry and nothing written.
    void passwords_data()
    {
        QTest::addColumn<int>("verfahren");
        QTest::addColumn<QString>("antwort"); // "" = no handler, "-" = cancel
        QTest::addColumn<QString>("grund");
        QTest::newRow("aes wrong") << int(ZIP_EM_AES_256) << u"falsch"_s << u"falsches Passwort"_s;
        QTest::newRow("zipcrypto wrong") << int(ZIP_EM_TRAD_PKWARE) << u"falsch"_s << u"falsches Passwort"_s;
        QTest::newRow("cancelled") << int(ZIP_EM_AES_256) << u"-"_s << u"kein Passwort angegeben"_s;
        QTest::newRow("no handler") << int(ZIP_EM_TRAD_PKWARE) << QString() << u"kein Passwort angegeben"_s;
        QTest::newRow("aes right") << int(ZIP_EM_AES_256) << u"richtig"_s << QString();
        QTest::newRow("zipcrypto right") << int(ZIP_EM_TRAD_PKWARE) << u"richtig"_s << QString();
    }
    void passwords()
    {
        QFETCH(int, verfahren);
        QFETCH(QString, antwort);
        QFETCH(QString, grund);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"p.zip"_s);
        QVERIFY(baueArchiv(zip, {{"a.txt", QByteArray(5000, 'a')}, {"b.txt", testutil::randomBytes(3000)}}));
        {
            int err = 0;
            zip_t *za = zip_open(QFile::encodeName(zip).constData(), 0, &err);
            QVERIFY(za);
            for (zip_uint64_t i = 0; i < 2; ++i)
                QCOMPARE(zip_file_set_encryption(za, i, zip_uint16_t(verfahren), "richtig"), 0);
            QCOMPARE(zip_close(za), 0);
        }
        const QString ziel = tmp.filePath(u"ziel"_s);
        QVERIFY(testutil::writeFile(ziel + u"/a.txt"_s, "alt"));
        UnzipComponent u;
        Mitschnitt m(u);
        int gefragt = 0;
        if (!antwort.isEmpty())
            u.passwortFrage = [&](const kasto::engine::LesePasswortFrage &f) {
                ++gefragt;
                [&] { QCOMPARE(f.archiv, zip); }();
                return kasto::engine::LesePasswortAntwort{antwort == u"-"_s, antwort};
            };
        u.ueberschreibenFrage = [](const QString &) { return Ueberschreiben::JaAlle; };
        u.setZipFile(zip);
        u.setTargetFolder(ziel);
        const bool ok = u.ExtractAll();
        QCOMPARE(gefragt, antwort.isEmpty() ? 0 : 1);
        if (grund.isEmpty()) {
            QVERIFY(ok);
            QCOMPARE(testutil::readFile(ziel + u"/a.txt"_s), QByteArray(5000, 'a'));
            QCOMPARE(testutil::readFile(ziel + u"/b.txt"_s), testutil::randomBytes(3000));
            // Row by row, as the window extracts ticked entries: a password that worked is kept.
            u.setTestOnly(true);
            QVERIFY(u.ExtractFile(u"a.txt"_s));
            QVERIFY(u.ExtractFile(u"b.txt"_s));
            QCOMPARE(gefragt, 1);
            return;
        }
        // A wrong password is not kept: the next call asks again.
        QVERIFY(!u.ExtractFile(u"a.txt"_s));
        QCOMPARE(gefragt, antwort.isEmpty() ? 0 : 2);
        QVERIFY(!ok);
        for (const QString &e : {u"a.txt"_s, u"b.txt"_s})
            QVERIFY2(m.texte.contains(u"Fehler bei %1: %2 – nicht entpackt."_s.arg(e, grund)),
                     qPrintable(m.texte.join(u'\n')));
        QCOMPARE(baum(ziel), (QMap<QString, QByteArray>{{u"a.txt"_s, "alt"}}));
    }

    // The question seam decides over existing files; without a handler nothing is replaced.
    void overwrite_data()
    {
        QTest::addColumn<QList<int>>("antworten"); // Ueberschreiben values, in order; empty = no handler
        QTest::addColumn<int>("fragen");
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("skipped"); // the summary counts the files kept
        const QByteArray neu = "neu", alt = "alt";
        QTest::newRow("no handler") << QList<int>{} << 0 << alt << alt << 2;
        QTest::newRow("Ja, Nein") << QList<int>{int(Ueberschreiben::Ja), int(Ueberschreiben::Nein)} << 2 << neu << alt << 1;
        QTest::newRow("Nein, Ja") << QList<int>{int(Ueberschreiben::Nein), int(Ueberschreiben::Ja)} << 2 << alt << neu << 1;
        QTest::newRow("Ja, alle") << QList<int>{int(Ueberschreiben::JaAlle)} << 1 << neu << neu << 0;
        QTest::newRow("Nein, keine") << QList<int>{int(Ueberschreiben::NeinKeine)} << 1 << alt << alt << 2;
    }
    void overwrite()
    {
        QFETCH(QList<int>, antworten);
        QFETCH(int, fragen);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, skipped);
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"o.zip"_s);
        QVERIFY(baueArchiv(zip, {{"a.txt", "neu"}, {"sub/b.txt", "neu"}, {"c.txt", "neu"}}));
        const QString ziel = tmp.filePath(u"ziel"_s);
        testutil::writeFile(ziel + u"/a.txt"_s, "alt");
        testutil::writeFile(ziel + u"/sub/b.txt"_s, "alt");
        UnzipComponent u;
        QStringList gefragt;
        if (!antworten.isEmpty())
            u.ueberschreibenFrage = [&](const QString &pfad) {
                gefragt << pfad;
                return Ueberschreiben(antworten.value(gefragt.size() - 1, int(Ueberschreiben::Nein)));
            };
        u.setZipFile(zip);
        u.setTargetFolder(ziel);
        QString letzter;
        QObject::connect(&u, &UnzipComponent::StatusText, [&letzter](const QString &t) { letzter = t; });
        QVERIFY(u.ExtractAll());
        QCOMPARE(letzter, skipped ? kasto::engine::texte::teilsEntpackt(3 - skipped, skipped, ziel)
                                  : kasto::engine::texte::alleEntpackt(3, ziel));
        QCOMPARE(gefragt.size(), fragen);
        if (fragen > 0)
            QCOMPARE(QFileInfo(gefragt.first()).canonicalFilePath(), QFileInfo(ziel + u"/a.txt"_s).canonicalFilePath());
        QCOMPARE(baum(ziel), (QMap<QString, QByteArray>{{u"a.txt"_s, a}, {u"sub/b.txt"_s, b}, {u"c.txt"_s, "neu"}}));
    }

    // A symlink inside the target never carries a write out of it.
    void symlinkInTarget()
    {
        QTemporaryDir tmp;
        const QString draussen = tmp.filePath(u"draussen"_s);
        QVERIFY(testutil::writeFile(draussen + u"/datei.txt"_s, "bleibt"));
        const QString ziel = tmp.filePath(u"ziel"_s);
        QDir().mkpath(ziel);
        QVERIFY(QFile::link(draussen, ziel + u"/ordner"_s));
        QVERIFY(QFile::link(draussen + u"/datei.txt"_s, ziel + u"/link.txt"_s));
        const QString zip = tmp.filePath(u"s.zip"_s);
        QVERIFY(baueArchiv(zip, {{"ordner/neu.txt", "X"}, {"ordner/datei.txt", "X"}, {"link.txt", "X"}, {"ok.txt", "ok"}}));
        UnzipComponent u;
        Mitschnitt m(u);
        u.ueberschreibenFrage = [](const QString &) { return Ueberschreiben::JaAlle; };
        u.setZipFile(zip);
        u.setTargetFolder(ziel);
        QVERIFY(!u.ExtractAll());
        QCOMPARE(baum(draussen), (QMap<QString, QByteArray>{{u"datei.txt"_s, "bleibt"}}));
        QCOMPARE(testutil::readFile(ziel + u"/ok.txt"_s), QByteArray("ok"));
    }

    // Modification time (to the second, odd ones too) and the executable bit come back; single
    // entries and folders by name.
    void attributesAndSingleEntries()
    {
        ENGINE_BRAUCHT(u"zip"_s);
        QTemporaryDir tmp;
        const QString quelle = tmp.filePath(u"q"_s);
        QVERIFY(testutil::writeFile(quelle + u"/bin/skript.sh"_s, "#!/bin/sh\necho hi\n"));
        QVERIFY(testutil::writeFile(quelle + u"/bin/daten.txt"_s, "daten"));
        QFile::setPermissions(quelle + u"/bin/skript.sh"_s, QFile::permissions(quelle + u"/bin/skript.sh"_s)
                                                                | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        const QDateTime zeit(QDate(2001, 2, 3), QTime(4, 5, 7));
        for (const QString &f : {u"/bin/skript.sh"_s, u"/bin/daten.txt"_s}) {
            QFile file(quelle + f);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(zeit, QFileDevice::FileModificationTime));
        }
        QCOMPARE(peer(u"zip"_s, {u"-qr"_s, u"../a.zip"_s, u"."_s}, quelle).exitCode, 0);
        UnzipComponent u;
        Mitschnitt m(u);
        u.setZipFile(tmp.filePath(u"a.zip"_s));
        const QString ziel = tmp.filePath(u"z"_s);
        u.setTargetFolder(ziel);
        QVERIFY(u.ExtractFile(u"bin/skript.sh"_s));
        QVERIFY(u.ExtractFile(u"bin/"_s));
        QVERIFY(!u.ExtractFile(u"gibt/es/nicht.txt"_s));
        QVERIFY(m.letzter().contains(u"gibt/es/nicht.txt"_s));
        QCOMPARE(baum(ziel).keys(), QStringList{u"bin/skript.sh"_s});
        const QFileInfo fi(ziel + u"/bin/skript.sh"_s);
        QVERIFY(fi.isExecutable());
        QCOMPARE(fi.lastModified(), zeit);
        QVERIFY(u.ExtractFile(u"bin/daten.txt"_s));
        QVERIFY(!QFileInfo(ziel + u"/bin/daten.txt"_s).isExecutable());
    }

    // Progress runs from 0 to the total of the work, and the idle hook gets its turn.
    void progress()
    {
        QTemporaryDir tmp;
        const QString zip = tmp.filePath(u"g.zip"_s);
        QVERIFY(baueArchiv(zip, {{"a.bin", testutil::randomBytes(700000)}, {"b.bin", testutil::randomBytes(300000, 2)}}));
        UnzipComponent u;
        QList<QPair<qint64, qint64>> schritte;
        connect(&u, &UnzipComponent::Progress, this, [&](qint64 c, qint64 t, const QString &) { schritte.append({c, t}); });
        int idle = 0;
        u.idle = [&] { ++idle; };
        u.setZipFile(zip);
        u.setTestOnly(true);
        QVERIFY(u.ExtractAll());
        QVERIFY(idle > 0);
        QCOMPARE(schritte.first(), (QPair<qint64, qint64>(0, 1000000)));
        QCOMPARE(schritte.last(), (QPair<qint64, qint64>(1000000, 1000000)));
        for (qsizetype i = 1; i < schritte.size(); ++i)
            QVERIFY(schritte[i].first >= schritte[i - 1].first && schritte[i].first <= schritte[i].second);
    }
};

QTEST_GUILESS_MAIN(tst_EngineLesen)
#include "tst_engine_lesen.moc"
