// ZIP -> SFX -> ZIP copying: stub choice, block progress, exact bytes, refusals, command line.
#include "sfx/sfxkonvert.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray stubDaten(const QString &plattform)
{
    for (const kasto::SfxStub &s : kasto::sfxStubs()) {
        if (s.plattform == plattform)
            return s.daten;
    }
    return {};
}

QStringList prozente(const QString &praefix, const QStringList &zahlen)
{
    QStringList r;
    for (const QString &z : zahlen)
        r << praefix + z + u" %"_s;
    return r;
}

} // namespace

class tst_SfxCopy : public QObject
{
    Q_OBJECT

private slots:
    void stubs()
    {
        const QByteArray win = stubDaten(u"Windows"_s);
        const QByteArray lin = stubDaten(u"Linux"_s);
        QVERIFY(win.startsWith("MZ"));
        QVERIFY(lin.startsWith("\x7f" "ELF"));
        QCOMPARE(kasto::sfxStubFuer(u"/x/a.exe"_s).daten, win);
        QCOMPARE(kasto::sfxStubFuer(u"/x/a.EXE"_s).daten, win);
        QCOMPARE(kasto::sfxStubFuer(u"/x/a.sfx"_s).daten, lin);
        QCOMPARE(kasto::sfxStubFuer(u"/x/a.exe.bak"_s).daten, lin);
    }

    // Both directions: the SFX is stub + bytes, the labels follow the blocks, the way back is exact.
    void roundTrip_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("plattform");
        QTest::addColumn<QStringList>("zahlen");
        QTest::newRow("25000, Windows") << 25000 << u"a.exe"_s << u"Windows"_s << QStringList{u"33"_s, u"67"_s, u"100"_s};
        QTest::newRow("25000, Linux") << 25000 << u"a.sfx"_s << u"Linux"_s << QStringList{u"33"_s, u"67"_s, u"100"_s};
        QTest::newRow("20000, empty last block") << 20000 << u"a.exe"_s << u"Windows"_s
                                                 << QStringList{u"33"_s, u"67"_s, u"100"_s};
        QTest::newRow("30000") << 30000 << u"a"_s << u"Linux"_s << QStringList{u"25"_s, u"50"_s, u"75"_s, u"100"_s};
        QTest::newRow("under 10000") << 9999 << u"a.exe"_s << u"Windows"_s << QStringList{u"100"_s};
        QTest::newRow("empty: SFX is the bare stub") << 0 << u"a.sfx"_s << u"Linux"_s << QStringList{u"100"_s};
        // 250 blocks: the first steps round to nothing, later ones are never above 100.
        QTest::newRow("2.5 MB") << 2500000 << u"a.exe"_s << u"Windows"_s << QStringList();
    }

    void roundTrip()
    {
        QFETCH(int, size);
        QFETCH(QString, name);
        QFETCH(QString, plattform);
        QFETCH(QStringList, zahlen);
        QTemporaryDir dir;
        const QString zip = dir.filePath(u"daten.zip"_s);
        const QString sfx = dir.filePath(name);
        const QString zurueck = dir.filePath(u"zurueck.zip"_s);
        const QByteArray daten = testutil::randomBytes(size, quint32(size) + 7);
        QVERIFY(testutil::writeFile(zip, daten));

        QStringList labels;
        const auto merken = [&labels](const QString &t) { labels << t; };
        kasto::SfxErgebnis e = kasto::ZipNachSfx(zip, sfx, merken);
        QVERIFY2(e.ok, qPrintable(e.fehler));
        QCOMPARE(testutil::readFile(sfx), stubDaten(plattform) + daten);
        QVERIFY(QFile::permissions(sfx) & QFile::ExeOwner);
        if (zahlen.isEmpty()) {
            QCOMPARE(labels.size(), size / 10000 + 1);
            QCOMPARE(labels.first(), u"SFX-Archiv erstellen:  %"_s);
            QCOMPARE(labels.last(), u"SFX-Archiv erstellen: 100 %"_s);
            for (const QString &l : std::as_const(labels))
                QVERIFY2(l.mid(22).chopped(2).toInt() <= 100, qPrintable(l));
        } else {
            QCOMPARE(labels, prozente(u"SFX-Archiv erstellen: "_s, zahlen));
        }

        labels.clear();
        e = kasto::SfxNachZip(sfx, zurueck, merken);
        QVERIFY2(e.ok, qPrintable(e.fehler));
        QCOMPARE(testutil::readFile(zurueck), daten);
        if (!zahlen.isEmpty())
            QCOMPARE(labels, prozente(u"Zip-Archiv erstellen: "_s, zahlen));
    }

    // Refused conversions write nothing and leave both files as they were.
    void refused_data()
    {
        QTest::addColumn<bool>("nachSfx");
        QTest::addColumn<QString>("quelle"); // kind of source
        QTest::addColumn<QString>("ziel");   // "neu", "alt" (an existing file), "quelle", "quelle anders"
        QTest::addColumn<QString>("meldung");
        const QString keinSfx = u"ist kein mit diesem Programm erzeugtes SFX-Archiv."_s;
        QTest::newRow("plain file back") << false << u"zufall"_s << u"neu"_s << keinSfx;
        QTest::newRow("plain file back, old target kept") << false << u"zufall"_s << u"alt"_s << keinSfx;
        QTest::newRow("shorter than the stub") << false << u"stub gekuerzt"_s << u"neu"_s << keinSfx;
        QTest::newRow("stub damaged") << false << u"stub veraendert"_s << u"alt"_s << keinSfx;
        QTest::newRow("ZIP: target is source") << true << u"zufall"_s << u"quelle"_s << u"dieselbe Datei"_s;
        QTest::newRow("SFX: target is source, other spelling") << false << u"sfx"_s << u"quelle anders"_s
                                                               << u"dieselbe Datei"_s;
        QTest::newRow("ZIP: source missing") << true << u"fehlt"_s << u"alt"_s << u"nicht gefunden"_s;
        QTest::newRow("SFX: source missing") << false << u"fehlt"_s << u"neu"_s << u"nicht gefunden"_s;
    }

    void refused()
    {
        QFETCH(bool, nachSfx);
        QFETCH(QString, quelle);
        QFETCH(QString, ziel);
        QFETCH(QString, meldung);
        QTemporaryDir dir;
        const QString q = dir.filePath(u"quelle.bin"_s);
        const QByteArray stub = stubDaten(u"Linux"_s);
        QByteArray inhalt = testutil::randomBytes(stub.size() + 30000, 3);
        if (quelle == u"stub gekuerzt"_s)
            inhalt = stub.chopped(1);
        else if (quelle == u"stub veraendert"_s) {
            QByteArray anders = stub;
            anders[anders.size() / 2] = char(anders.at(anders.size() / 2) ^ 1);
            inhalt = anders + inhalt;
        }
        else if (quelle == u"sfx"_s)
            inhalt = stub + inhalt;
        if (quelle != u"fehlt"_s)
            QVERIFY(testutil::writeFile(q, inhalt));

        QString z = dir.filePath(u"ziel.bin"_s);
        const QByteArray alt = "altes Ziel";
        if (ziel == u"alt"_s)
            QVERIFY(testutil::writeFile(z, alt));
        else if (ziel == u"quelle"_s)
            z = q;
        else if (ziel == u"quelle anders"_s)
            z = dir.path() + u"/./unter/../quelle.bin"_s;
        QDir(dir.path()).mkdir(u"unter"_s);

        QStringList labels;
        const auto merken = [&labels](const QString &t) { labels << t; };
        const kasto::SfxErgebnis e = nachSfx ? kasto::ZipNachSfx(q, z, merken) : kasto::SfxNachZip(q, z, merken);
        QVERIFY(!e.ok);
        QVERIFY2(e.fehler.contains(meldung), qPrintable(e.fehler));
        QVERIFY(labels.isEmpty());
        if (quelle != u"fehlt"_s)
            QCOMPARE(testutil::readFile(q), inhalt);
        if (ziel == u"alt"_s)
            QCOMPARE(testutil::readFile(z), alt);
        // Nothing else appeared: no target, no temporary file.
        QStringList erwartet{u"unter"_s};
        if (quelle != u"fehlt"_s)
            erwartet << u"quelle.bin"_s;
        if (ziel == u"alt"_s)
            erwartet << u"ziel.bin"_s;
        erwartet.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 erwartet);
    }

    // An existing target is replaced whole, not overwritten in place.
    void replacesExistingTarget()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath(u"a.zip"_s);
        const QString sfx = dir.filePath(u"a.exe"_s);
        QVERIFY(testutil::writeFile(zip, "klein"));
        QVERIFY(testutil::writeFile(sfx, testutil::randomBytes(3000000)));
        QVERIFY(kasto::ZipNachSfx(zip, sfx).ok);
        QCOMPARE(testutil::readFile(sfx), stubDaten(u"Windows"_s) + "klein");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutText");
        QTest::addColumn<QString>("stderrText");
        QTest::addColumn<QString>("ergebnis"); // file the command should leave, "" for none
        QTest::newRow("sfx") << QStringList{u"sfx"_s, u"daten.zip"_s, u"neu.exe"_s} << 0
                             << u"SFX-Archiv erstellen: 100 %"_s << QString() << u"neu.exe"_s;
        QTest::newRow("unsfx") << QStringList{u"unsfx"_s, u"fertig.sfx"_s, u"neu.zip"_s} << 0
                               << u"Zip-Archiv erstellen: 100 %"_s << QString() << u"neu.zip"_s;
        QTest::newRow("unsfx of a plain ZIP") << QStringList{u"unsfx"_s, u"daten.zip"_s, u"neu.zip"_s} << 1
                                              << QString() << u"ist kein mit diesem Programm erzeugtes SFX-Archiv."_s
                                              << QString();
        QTest::newRow("missing source") << QStringList{u"sfx"_s, u"fehlt.zip"_s, u"neu.exe"_s} << 1 << QString()
                                        << u"nicht gefunden"_s << QString();
        QTest::newRow("one argument") << QStringList{u"sfx"_s, u"daten.zip"_s} << 2 << QString()
                                      << u"Aufruf: kasto-cli sfx ZIP ZIEL"_s << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, stdoutText);
        QFETCH(QString, stderrText);
        QFETCH(QString, ergebnis);
        QTemporaryDir dir;
        const QByteArray zip = testutil::randomBytes(12345, 9);
        QVERIFY(testutil::writeFile(dir.filePath(u"daten.zip"_s), zip));
        QVERIFY(testutil::writeFile(dir.filePath(u"fertig.sfx"_s), stubDaten(u"Linux"_s) + zip));

        const testutil::ProcessResult r = testutil::run(QStringLiteral(KASTO_CLI), args, dir.path());
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(QString::fromUtf8(r.out).trimmed(), stdoutText);
        QVERIFY2(QString::fromUtf8(r.err).contains(stderrText), r.err.constData());
        if (ergebnis == u"neu.exe"_s)
            QCOMPARE(testutil::readFile(dir.filePath(ergebnis)), stubDaten(u"Windows"_s) + zip);
        else if (ergebnis == u"neu.zip"_s)
            QCOMPARE(testutil::readFile(dir.filePath(ergebnis)), zip);
        else
            QVERIFY(!QFile::exists(dir.filePath(u"neu.zip"_s)) && !QFile::exists(dir.filePath(u"neu.exe"_s)));
    }
};

QTEST_GUILESS_MAIN(tst_SfxCopy)
#include "tst_sfx_copy.moc"
