// The self-extractor itself: SFX files made by Kasto are run and must extract exactly, safely and
// still be ZIP files for other tools.
#include "sfx/sfxkonvert.h"
#include "testutil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPasswort = u"Passwört1"_s;

struct Datei {
    QString name; // "/" at the end: folder
    QByteArray daten;
    zip_uint16_t verschluesselung = ZIP_EM_NONE;
    zip_int32_t methode = ZIP_CM_DEFLATE;
};

// Builds a ZIP with libzip; names are taken as they are, unsafe ones included.
bool zipBauen(const QString &pfad, const QList<Datei> &dateien)
{
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(pfad).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        return false;
    for (const Datei &d : dateien) {
        const QByteArray name = d.name.toUtf8();
        if (d.name.endsWith(u'/')) {
            if (zip_dir_add(z, name.constData(), ZIP_FL_ENC_UTF_8) < 0)
                return zip_discard(z), false;
            continue;
        }
        zip_source_t *src = zip_source_buffer(z, d.daten.constData(), zip_uint64_t(d.daten.size()), 0);
        const zip_int64_t i = zip_file_add(z, name.constData(), src, ZIP_FL_ENC_UTF_8);
        if (i < 0 || zip_set_file_compression(z, zip_uint64_t(i), d.methode, 6) < 0
            || (d.verschluesselung != ZIP_EM_NONE
                && zip_file_set_encryption(z, zip_uint64_t(i), d.verschluesselung,
                                           kPasswort.toUtf8().constData()) < 0)) {
            zip_source_free(src);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

QByteArray text(int zeilen)
{
    QByteArray t;
    for (int i = 0; i < zeilen; ++i)
        t += "Zeile " + QByteArray::number(i) + " mit etwas Text, der sich gut packen lässt.\n";
    return t;
}

// The test tree: nested folders, umlauts, an empty file, stored and deflated data, both ciphers.
QList<Datei> inhalt(bool verschluesselt)
{
    QList<Datei> d{{u"a/"_s, {}},
                   {u"a/b/c/tief.txt"_s, text(500)},
                   {u"Ärger über Öl.txt"_s, "Umlaute im Namen\n"},
                   {u"leer.txt"_s, {}},
                   {u"zufall.bin"_s, testutil::randomBytes(200000, 5), ZIP_EM_NONE, ZIP_CM_STORE}};
    if (verschluesselt) {
        d.append({u"geheim/zc.txt"_s, text(300), ZIP_EM_TRAD_PKWARE});
        d.append({u"geheim/aes.bin"_s, text(2000) + testutil::randomBytes(70000, 8), ZIP_EM_AES_256});
    }
    return d;
}

QMap<QString, QByteArray> erwartet(const QList<Datei> &dateien)
{
    QMap<QString, QByteArray> m;
    for (const Datei &d : dateien) {
        m[d.name] = d.daten;
        // Folders that only appear inside names.
        QString pfad = d.name;
        while (pfad.lastIndexOf(u'/', pfad.size() - 2) > 0) {
            pfad.truncate(pfad.lastIndexOf(u'/', pfad.size() - 2) + 1);
            m[pfad] = QByteArray();
        }
    }
    return m;
}

// Every file and folder below `ordner` ("/" at the end of folders), links included.
QMap<QString, QByteArray> baum(const QString &ordner)
{
    QMap<QString, QByteArray> m;
    QDirIterator it(ordner, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString rel = QDir(ordner).relativeFilePath(it.filePath());
        if (it.fileInfo().isSymLink())
            m[rel] = "-> " + it.fileInfo().symLinkTarget().toUtf8();
        else if (it.fileInfo().isDir())
            m[rel + u'/'] = QByteArray();
        else
            m[rel] = testutil::readFile(it.filePath());
    }
    return m;
}

QString sfxMachen(const QString &zip, const QString &ziel)
{
    const kasto::SfxErgebnis e = kasto::ZipNachSfx(zip, ziel);
    return e.ok ? QString() : e.fehler;
}

// Writes `dateien` as a ZIP in `dir` and makes the SFX `name` of it; "" when that fails.
QString sfxAus(const QTemporaryDir &dir, const QList<Datei> &dateien, const QString &name = u"a.sfx"_s)
{
    const QString zip = dir.filePath(u"a.zip"_s);
    const QString sfx = dir.filePath(name);
    if (!zipBauen(zip, dateien) || !sfxMachen(zip, sfx).isEmpty())
        return QString();
    return sfx;
}

testutil::ProcessResult laufen(const QString &programm, const QStringList &args, const QString &ordner,
                               const QByteArray &eingabe = {})
{
    if (eingabe.isEmpty())
        return testutil::run(programm, args, ordner);
    testutil::ProcessResult r;
    QProcess p;
    p.setWorkingDirectory(ordner);
    p.start(programm, args);
    r.started = p.waitForStarted();
    p.write(eingabe);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

// Position of an entry's data in `bytes` (behind its local header).
qsizetype datenPosition(const QByteArray &bytes, const QByteArray &name)
{
    for (qsizetype i = bytes.indexOf("PK\x03\x04"); i >= 0; i = bytes.indexOf("PK\x03\x04", i + 1)) {
        const auto le16 = [&](qsizetype p) { return int(uchar(bytes[p])) | (int(uchar(bytes[p + 1])) << 8); };
        if (i + 30 <= bytes.size() && bytes.mid(i + 30, le16(i + 26)) == name)
            return i + 30 + le16(i + 26) + le16(i + 28);
    }
    return -1;
}

QString fehlerText(const testutil::ProcessResult &r)
{
    return QString::fromUtf8(r.out + r.err);
}

} // namespace

class tst_SfxStub : public QObject
{
    Q_OBJECT

private slots:
    // Archives from different makers, appended to the Linux stub, extract to the same tree.
    void extracts_data()
    {
        QTest::addColumn<QString>("macher");
        QTest::newRow("libzip, both ciphers") << u"libzip"_s;
        QTest::newRow("offsets adjusted by zip -A") << u"zip -A"_s;
        QTest::newRow("Info-ZIP") << u"zip"_s;
        QTest::newRow("Info-ZIP, ZIP64") << u"zip -fz"_s;
        QTest::newRow("7-Zip, AES-256 everywhere") << u"7zz"_s;
    }

    void extracts()
    {
        QFETCH(QString, macher);
        const bool eigen = macher == u"libzip"_s || macher == u"zip -A"_s;
        const QString programm = eigen ? QString() : macher.section(u' ', 0, 0);
        if (!programm.isEmpty() && !testutil::haveProgram(programm))
            QSKIP("Vergleichsprogramm fehlt");
        // 7-Zip takes only ASCII passwords for ZIP.
        const QString passwort = macher == u"7zz"_s ? u"Geheim7"_s : kPasswort;
        QTemporaryDir dir;
        const QList<Datei> dateien = inhalt(eigen);
        const QString zip = dir.filePath(u"quelle.zip"_s);
        const QString sfx = dir.filePath(u"archiv.sfx"_s);
        if (eigen) {
            QVERIFY(zipBauen(zip, dateien));
        } else {
            const QString quelle = dir.filePath(u"quelle"_s);
            for (const Datei &d : dateien) {
                if (d.name.endsWith(u'/'))
                    QVERIFY(QDir().mkpath(quelle + u'/' + d.name));
                else
                    QVERIFY(testutil::writeFile(quelle + u'/' + d.name, d.daten));
            }
            QStringList args;
            if (macher == u"7zz"_s)
                args = {u"a"_s, u"-tzip"_s, u"-mem=AES256"_s, u"-p"_s + passwort, zip, u"."_s};
            else
                args = QStringList{u"-qr"_s} + (macher == u"zip -fz"_s ? QStringList{u"-fz"_s} : QStringList())
                    + QStringList{zip, u"."_s};
            const testutil::ProcessResult r = testutil::run(programm, args, quelle);
            QVERIFY2(r.exitCode == 0, r.err.constData());
        }
        QCOMPARE(sfxMachen(zip, sfx), QString());
        if (macher == u"zip -A"_s) {
            const testutil::ProcessResult r = testutil::run(u"zip"_s, {u"-A"_s, sfx}, dir.path());
            QVERIFY2(r.exitCode == 0, r.err.constData());
            QVERIFY(testutil::readFile(sfx) != testutil::readFile(zip).prepend(kasto::sfxStubFuer(sfx).daten));
        }

        const testutil::ProcessResult r =
            laufen(sfx, {u"-d"_s, u"neu/ausgabe"_s, u"-p"_s, passwort}, dir.path());
        QVERIFY2(r.exitCode == 0, qPrintable(fehlerText(r)));
        QVERIFY2(r.out.contains("Fehler."), r.out.constData()); // the summary line
        QCOMPARE(baum(dir.filePath(u"neu/ausgabe"_s)), erwartet(dateien));

        const testutil::ProcessResult t = laufen(sfx, {u"-t"_s, u"-p"_s, passwort}, dir.path());
        QVERIFY2(t.exitCode == 0, qPrintable(fehlerText(t)));
        const testutil::ProcessResult l = laufen(sfx, {u"-l"_s}, dir.path());
        QCOMPARE(l.exitCode, 0);
        for (const Datei &d : dateien)
            QVERIFY2(QString::fromUtf8(l.out).contains(d.name), qPrintable(d.name));
    }

    // Names that point outside the target, and links that would lead there, are refused; the
    // other entries are still extracted and the run ends with exit code 1.
    void refusesUnsafe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("link"); // a link placed in the target beforehand: "name=ziel"
        QTest::newRow("..") << u"../boese.txt"_s << QString();
        QTest::newRow(".. in the middle") << u"a/../../boese.txt"_s << QString();
        QTest::newRow(".. with backslashes") << u"a\\..\\..\\boese.txt"_s << QString();
        QTest::newRow("absolute") << u"@/draussen/boese.txt"_s << QString();
        QTest::newRow("through a folder link") << u"link/boese.txt"_s << u"link=@/draussen"_s;
        QTest::newRow("onto a file link") << u"opfer.txt"_s << u"opfer.txt=@/draussen/opfer.txt"_s;
    }

    void refusesUnsafe()
    {
        QFETCH(QString, name);
        QFETCH(QString, link);
        QTemporaryDir dir;
        const QString ziel = dir.filePath(u"ziel"_s);
        const QString draussen = dir.filePath(u"draussen"_s);
        QVERIFY(testutil::writeFile(draussen + u"/opfer.txt"_s, "unberührt"));
        QVERIFY(QDir().mkpath(ziel));
        if (!link.isEmpty()) {
            const QString von = ziel + u'/' + link.section(u'=', 0, 0);
            QVERIFY(QFile::link(link.section(u'=', 1).replace(u'@', dir.path()), von));
        }
        name.replace(u'@', dir.path());
        const QString sfx = sfxAus(dir, {{u"gut.txt"_s, "gut"}, {name, "böse"}});
        QVERIFY(!sfx.isEmpty());
        const auto vorher = baum(dir.path());

        const testutil::ProcessResult r = laufen(sfx, {u"-y"_s, u"-d"_s, ziel}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.err.isEmpty(), r.out.constData());
        auto nachher = baum(dir.path());
        QCOMPARE(nachher.take(u"ziel/gut.txt"_s), QByteArray("gut"));
        QCOMPARE(nachher, vorher);
    }

    // Without the right password the encrypted entries are not written, and nothing half-done stays.
    void password_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("eingabe");
        QTest::addColumn<bool>("ok");
        QTest::newRow("given") << QStringList{u"-p"_s, kPasswort} << QByteArray() << true;
        QTest::newRow("typed") << QStringList() << kPasswort.toUtf8() + '\n' << true;
        QTest::newRow("typed wrong, then right") << QStringList() << "falsch\n" + kPasswort.toUtf8() + '\n' << true;
        QTest::newRow("wrong") << QStringList{u"-p"_s, u"falsch"_s} << QByteArray() << false;
        QTest::newRow("typed wrong, then none") << QStringList() << QByteArray("falsch\n\n") << false;
        QTest::newRow("none, no console") << QStringList() << QByteArray() << false;
    }

    void password()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, eingabe);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QList<Datei> dateien = inhalt(true);
        const QString sfx = sfxAus(dir, dateien);
        QVERIFY(!sfx.isEmpty());
        const testutil::ProcessResult r = laufen(sfx, args + QStringList{u"-d"_s, u"aus"_s}, dir.path(), eingabe);
        QCOMPARE(r.exitCode, ok ? 0 : 1);
        QMap<QString, QByteArray> soll = erwartet(dateien);
        if (!ok) {
            soll.remove(u"geheim/zc.txt"_s);
            soll.remove(u"geheim/aes.bin"_s);
        }
        QCOMPARE(baum(dir.filePath(u"aus"_s)), soll);
    }

    // Damaged data: the entry is reported, no file of it is left, and testing finds it too.
    void damagedData_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("abstand"); // from the start of the entry's data
        QTest::newRow("stored, CRC") << u"zufall.bin"_s << 100000;
        QTest::newRow("deflated, stream") << u"a/b/c/tief.txt"_s << 40;
        QTest::newRow("AES, authentication code") << u"geheim/aes.bin"_s << 5000;
    }

    void damagedData()
    {
        QFETCH(QString, name);
        QFETCH(int, abstand);
        QTemporaryDir dir;
        const QList<Datei> dateien = inhalt(true);
        const QString sfx = sfxAus(dir, dateien);
        QVERIFY(!sfx.isEmpty());
        QByteArray bytes = testutil::readFile(sfx);
        const qsizetype pos = datenPosition(bytes, name.toUtf8());
        QVERIFY(pos > 0);
        bytes[pos + abstand] = char(bytes.at(pos + abstand) ^ 0x55);
        QVERIFY(testutil::writeFile(sfx, bytes));

        const testutil::ProcessResult r = laufen(sfx, {u"-d"_s, u"aus"_s, u"-p"_s, kPasswort}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(name.toUtf8()), r.err.constData());
        QMap<QString, QByteArray> soll = erwartet(dateien);
        soll.remove(name);
        QCOMPARE(baum(dir.filePath(u"aus"_s)), soll);
        QCOMPARE(laufen(sfx, {u"-t"_s, u"-p"_s, kPasswort}, dir.path()).exitCode, 1);
    }

    // Existing files: replaced only after "yes" or with -y; the target folder is asked for.
    void existingFilesAndTarget_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("eingabe");
        QTest::addColumn<QString>("ordner"); // where the files end up, relative to the working folder
        QTest::addColumn<bool>("ersetzt");
        QTest::newRow("no console: kept") << QStringList{u"-d"_s, u"aus"_s} << QByteArray() << u"aus"_s << false;
        QTest::newRow("-y: replaced") << QStringList{u"-y"_s, u"-d"_s, u"aus"_s} << QByteArray() << u"aus"_s << true;
        QTest::newRow("answered yes") << QStringList{u"-d"_s, u"aus"_s} << QByteArray("j\n") << u"aus"_s << true;
        QTest::newRow("answered no") << QStringList{u"-d"_s, u"aus"_s} << QByteArray("n\n") << u"aus"_s << false;
        QTest::newRow("target typed") << QStringList() << QByteArray("aus\nj\n") << u"aus"_s << true;
        QTest::newRow("target: current folder") << QStringList() << QByteArray("\nj\n") << u"."_s << true;
    }

    void existingFilesAndTarget()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, eingabe);
        QFETCH(QString, ordner);
        QFETCH(bool, ersetzt);
        QTemporaryDir dir;
        const QList<Datei> dateien{{u"x/eins.txt"_s, "neu 1"}, {u"zwei.txt"_s, "neu 2"}};
        const QString sfx = sfxAus(dir, dateien);
        QVERIFY(!sfx.isEmpty());
        const QString aus = QDir(dir.path()).filePath(ordner);
        QVERIFY(testutil::writeFile(aus + u"/zwei.txt"_s, "alt"));

        const testutil::ProcessResult r = laufen(sfx, args, dir.path(), eingabe);
        QVERIFY2(r.exitCode == 0, qPrintable(fehlerText(r)));
        QCOMPARE(testutil::readFile(aus + u"/x/eins.txt"_s), QByteArray("neu 1"));
        QCOMPARE(testutil::readFile(aus + u"/zwei.txt"_s), ersetzt ? QByteArray("neu 2") : QByteArray("alt"));
    }

    // Other tools still read an SFX made by Kasto as a ZIP archive.
    void peersAccept_data()
    {
        QTest::addColumn<QString>("programm");
        QTest::addColumn<bool>("aes");
        QTest::newRow("unzip -t") << u"unzip"_s << false; // Info-ZIP cannot read AES
        QTest::newRow("7zz t") << u"7zz"_s << true;
    }

    void peersAccept()
    {
        QFETCH(QString, programm);
        QFETCH(bool, aes);
        if (!testutil::haveProgram(programm))
            QSKIP("Vergleichsprogramm fehlt");
        QTemporaryDir dir;
        QList<Datei> dateien = inhalt(true);
        if (!aes)
            dateien.removeLast();
        const QString zip = dir.filePath(u"a.zip"_s);
        QVERIFY(zipBauen(zip, dateien));
        for (const QString &ziel : {u"a.exe"_s, u"a.sfx"_s}) {
            const QString sfx = dir.filePath(ziel);
            QCOMPARE(sfxMachen(zip, sfx), QString());
            const QStringList args = programm == u"unzip"_s
                ? QStringList{u"-t"_s, u"-P"_s, kPasswort, sfx}
                : QStringList{u"t"_s, u"-p"_s + kPasswort, sfx};
            const testutil::ProcessResult r = testutil::run(programm, args, dir.path());
            const QString aus = QString::fromUtf8(r.out + r.err);
            // unzip reports the leading stub as a warning (exit code 1) and then tests every entry.
            QVERIFY2(r.exitCode == 0 || (programm == u"unzip"_s && r.exitCode == 1), qPrintable(aus));
            QVERIFY2(aus.contains(programm == u"unzip"_s ? u"No errors detected"_s : u"Everything is Ok"_s),
                     qPrintable(aus));
        }
    }

    // Without ZIP data behind it (or with a cut-off archive) the stub says so and extracts nothing.
    void noZipBehindStub_data()
    {
        QTest::addColumn<int>("behalten"); // bytes of the ZIP kept, -1 none at all
        QTest::newRow("bare stub") << -1;
        QTest::newRow("archive cut before its end record") << 300;
    }

    void noZipBehindStub()
    {
        QFETCH(int, behalten);
        QTemporaryDir dir;
        const QString zip = dir.filePath(u"a.zip"_s);
        const QString sfx = dir.filePath(u"a.sfx"_s);
        QVERIFY(zipBauen(zip, inhalt(false)));
        QVERIFY(testutil::writeFile(zip, behalten < 0 ? QByteArray() : testutil::readFile(zip).left(behalten)));
        QCOMPARE(sfxMachen(zip, sfx), QString());
        const testutil::ProcessResult r = laufen(sfx, {u"-y"_s, u"-d"_s, u"aus"_s}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("keine ZIP-Daten"), r.err.constData());
        QVERIFY(!QFile::exists(dir.filePath(u"aus"_s)));
    }

    void windowsStubUnderWine()
    {
        QString wine = QStandardPaths::findExecutable(u"wine64"_s);
        if (wine.isEmpty() && QFile::exists(u"/usr/lib/wine/wine64"_s))
            wine = u"/usr/lib/wine/wine64"_s;
        if (wine.isEmpty())
            QSKIP("wine64 ist nicht installiert: der Windows-Stub wird hier nicht ausgeführt.");
        QTemporaryDir dir;
        const QList<Datei> dateien = inhalt(true);
        const QString sfx = sfxAus(dir, dateien, u"a.exe"_s);
        QVERIFY(!sfx.isEmpty());
        const testutil::ProcessResult r =
            testutil::run(wine, {sfx, u"-d"_s, u"aus"_s, u"-p"_s, kPasswort}, dir.path(), 300000);
        QVERIFY2(r.exitCode == 0, qPrintable(fehlerText(r)));
        QCOMPARE(baum(dir.filePath(u"aus"_s)), erwartet(dateien));
    }
};

QTEST_GUILESS_MAIN(tst_SfxStub)
#include "tst_sfx_stub.moc"
