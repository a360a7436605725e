#include "testutil.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// kasto-cli split, join and crc32 as a script would use them.
class tst_SplitterCli : public QObject
{
    Q_OBJECT

private:
    static testutil::ProcessResult cli(const QStringList &args, const QString &dir)
    {
        return testutil::run(QStringLiteral(KASTO_CLI), args, dir);
    }

private slots:
    void splitJoinCrc()
    {
        QTemporaryDir dir;
        const QByteArray daten = testutil::randomBytes(3 * 720 * 1024 + 77, 5);
        QVERIFY(testutil::writeFile(dir.filePath(u"daten.tar.gz"_s), daten));

        auto r = cli({u"split"_s, u"daten.tar.gz"_s, u"--size"_s, u"720"_s, u"--batch"_s}, dir.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("daten.tar.gz._001\ndaten.tar.gz._002\ndaten.tar.gz._003\ndaten.tar.gz._004\n"
                                   "daten.bat\n"));
        QCOMPARE(QFileInfo(dir.filePath(u"daten.tar.gz._004"_s)).size(), 77);
        // A fragment of another file with the same stem.
        QVERIFY(testutil::writeFile(dir.filePath(u"daten.zip._009"_s), "fremd"));

        r = cli({u"join"_s, u"daten.tar.gz._001"_s, u"neu.tar.gz"_s}, dir.path());
        QCOMPARE(r.exitCode, 0);
        // The match rule takes daten.zip._009 too: the joined file ends with it.
        QVERIFY(testutil::readFile(dir.filePath(u"neu.tar.gz"_s)) == daten + "fremd");
        QVERIFY(QFile::remove(dir.filePath(u"daten.zip._009"_s)));
        r = cli({u"join"_s, u"daten.tar.gz._001"_s, u"neu.tar.gz"_s}, dir.path());
        QCOMPARE(r.exitCode, 0);
        QVERIFY(testutil::readFile(dir.filePath(u"neu.tar.gz"_s)) == daten);

        const auto a = cli({u"crc32"_s, u"daten.tar.gz"_s}, dir.path());
        const auto b = cli({u"crc32"_s, u"neu.tar.gz"_s}, dir.path());
        QCOMPARE(a.exitCode, 0);
        QCOMPARE(a.out.size(), 9);
        QCOMPARE(a.out, b.out);
        if (testutil::haveProgram(u"7zz"_s)) {
            const auto peer = testutil::run(u"7zz"_s, {u"h"_s, u"-scrcCRC32"_s, u"neu.tar.gz"_s}, dir.path());
            QVERIFY2(peer.out.contains(a.out.trimmed()), peer.out.constData());
        }
    }

    void fehler_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("size 0") << QStringList{u"split"_s, u"f.bin"_s, u"--size"_s, u"0"_s} << 1
                                << u"Ungültige Dateifragmentgröße !"_s;
        QTest::newRow("size not a number") << QStringList{u"split"_s, u"f.bin"_s, u"--size"_s, u"viel"_s} << 2
                                           << u"Fragmentgröße kein numerischer Wert !"_s;
        QTest::newRow("too many") << QStringList{u"split"_s, u"f.bin"_s, u"--size=1"_s} << 1
                                  << u"zu gross (1001)"_s;
        QTest::newRow("no source") << QStringList{u"split"_s, u"fehlt"_s, u"--size"_s, u"1"_s} << 1
                                   << u"Es wurde noch keine Datei ausgewählt !"_s;
        QTest::newRow("split without size") << QStringList{u"split"_s, u"f.bin"_s} << 2 << u"Aufruf:"_s;
        QTest::newRow("join missing first") << QStringList{u"join"_s, u"f.bin._001"_s, u"x"_s} << 1
                                            << u"wurde nicht gefunden !"_s;
        QTest::newRow("crc of nothing") << QStringList{u"crc32"_s, u"fehlt"_s} << 1 << u"nicht gefunden"_s;
    }

    void fehler()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, meldung);
        QTemporaryDir dir;
        QVERIFY(testutil::writeFile(dir.filePath(u"f.bin"_s), QByteArray(1000 * 1024 + 1, 'f')));
        const auto r = cli(args, dir.path());
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.err).contains(meldung), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(u"f.bin._001"_s)));
    }
};

QTEST_GUILESS_MAIN(tst_SplitterCli)
#include "tst_splitter_cli.moc"
