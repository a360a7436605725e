// kasto-cli list/test/extract/add/delete: exit codes, output format, passwords, overwriting.
#include "tst_engine_hilfe.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace enginetest;

namespace {

struct Lauf {
    int code = -1;
    QString out, err;
};

Lauf cli(const QStringList &args, const QString &passwortEnv = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"KASTO_PASSWORD"_s);
    if (!passwortEnv.isEmpty())
        env.insert(u"KASTO_PASSWORD"_s, passwortEnv);
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(KASTO_CLI), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray bInhalt() { return testutil::randomBytes(3000).toHex(); }

} // namespace

class tst_EngineCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString pfad(const QString &n) const { return m_tmp.filePath(n); }

private slots:
    void initTestCase()
    {
        const time_t t = time_t(QDateTime(QDate(2004, 3, 5), QTime(14, 7)).toSecsSinceEpoch());
        QVERIFY(baueArchiv(pfad(u"gut.zip"_s), {{"docs/", {}, ZIP_FL_ENC_UTF_8, t},
                                                 {"docs/a.txt", "hallo", ZIP_FL_ENC_UTF_8, t},
                                                 {"b.txt", bInhalt(), ZIP_FL_ENC_UTF_8, t}}));
        QVERIFY(baueArchiv(pfad(u"boese.zip"_s), {{"../draussen.txt", "x"}, {"drin.txt", "y"}}));
        QByteArray kaputt = testutil::readFile(pfad(u"gut.zip"_s));
        const qsizetype at = kaputt.indexOf("b.txt") + 500; // inside b.txt's data
        kaputt[at] = char(kaputt[at] ^ 0x55);
        QVERIFY(testutil::writeFile(pfad(u"kaputt.zip"_s), kaputt));
        QVERIFY(testutil::writeFile(pfad(u"text.zip"_s), "nur Text"));
        QVERIFY(baueArchiv(pfad(u"pw.zip"_s), {{"geheim.txt", "geheim"}}));
        int err = 0;
        zip_t *za = zip_open(QFile::encodeName(pfad(u"pw.zip"_s)).constData(), 0, &err);
        QVERIFY(za);
        QCOMPARE(zip_file_set_encryption(za, 0, ZIP_EM_AES_256, "pw"), 0);
        QCOMPARE(zip_close(za), 0);
    }

    void befehle_data()
    {
        QTest::addColumn<QStringList>("args"); // "@" stands for the fixture folder
        QTest::addColumn<QString>("env");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("stdoutTeil");
        QTest::addColumn<QString>("stderrTeil");
        QTest::newRow("list") << QStringList{u"list"_s, u"@/gut.zip"_s} << QString() << 0
                              << u"docs/a.txt\t5\t"_s << QString();
        QTest::newRow("list date") << QStringList{u"list"_s, u"@/gut.zip"_s} << QString() << 0
                                   << u"\t05.03.2004  14:07\n"_s << QString();
        QTest::newRow("list ratio") << QStringList{u"list"_s, u"@/gut.zip"_s} << QString() << 0
                                    << u"b.txt\t6000\t"_s << QString();
        QTest::newRow("list no archive") << QStringList{u"list"_s} << QString() << 2 << QString() << u"Aufruf"_s;
        QTest::newRow("unknown option") << QStringList{u"test"_s, u"@/gut.zip"_s, u"--gibts-nicht"_s} << QString() << 2
                                        << QString() << u"Aufruf"_s;
        QTest::newRow("bad encryption") << QStringList{u"add"_s, u"@/n.zip"_s, u"@/text.zip"_s, u"--encrypt"_s, u"rot13"_s}
                                        << QString() << 2 << QString() << u"Aufruf"_s;
        QTest::newRow("not a zip") << QStringList{u"list"_s, u"@/text.zip"_s} << QString() << 1 << QString()
                                   << u"kein ZIP-Archiv"_s;
        QTest::newRow("test good") << QStringList{u"test"_s, u"@/gut.zip"_s} << QString() << 0 << QString() << QString();
        QTest::newRow("test damaged") << QStringList{u"test"_s, u"@/kaputt.zip"_s} << QString() << 1 << QString()
                                      << u"Fehler bei b.txt"_s;
        QTest::newRow("test one entry") << QStringList{u"test"_s, u"@/kaputt.zip"_s, u"docs/a.txt"_s} << QString() << 0
                                        << QString() << QString();
        QTest::newRow("password option") << QStringList{u"test"_s, u"@/pw.zip"_s, u"--password"_s, u"pw"_s}
                                         << QString() << 0 << QString() << QString();
        QTest::newRow("password variable") << QStringList{u"test"_s, u"@/pw.zip"_s} << u"pw"_s << 0 << QString()
                                           << QString();
        QTest::newRow("wrong password") << QStringList{u"test"_s, u"@/pw.zip"_s, u"--password"_s, u"nein"_s}
                                        << QString() << 1 << QString() << u"falsches Passwort"_s;
        QTest::newRow("no password, no terminal") << QStringList{u"test"_s, u"@/pw.zip"_s} << QString() << 1
                                                  << QString() << u"kein Passwort"_s;
        QTest::newRow("hostile extract") << QStringList{u"extract"_s, u"@/boese.zip"_s, u"@/ziel/innen"_s} << QString()
                                         << 1 << QString() << u"../draussen.txt"_s;
        QTest::newRow("delete nothing") << QStringList{u"delete"_s, u"@/gut.zip"_s, u"*.doc"_s} << QString() << 1
                                        << QString() << u"*.doc"_s;
    }
    void befehle()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, env);
        QFETCH(int, code);
        QFETCH(QString, stdoutTeil);
        QFETCH(QString, stderrTeil);
        for (QString &a : args)
            a.replace(u"@"_s, m_tmp.path());
        const QByteArray gut = testutil::readFile(pfad(u"gut.zip"_s));
        const Lauf r = cli(args, env);
        QVERIFY2(r.code == code, qPrintable(r.err));
        QVERIFY2(r.out.contains(stdoutTeil), qPrintable(r.out));
        QVERIFY2(r.err.contains(stderrTeil), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(pfad(u"ziel/draussen.txt"_s)));
        QVERIFY(!QFileInfo::exists(pfad(u"n.zip"_s)));
        QCOMPARE(testutil::readFile(pfad(u"gut.zip"_s)), gut);
    }

    // extract answers the overwrite question with --yes only.
    void extractOverwrite()
    {
        const QString ziel = pfad(u"ow"_s);
        QVERIFY(testutil::writeFile(ziel + u"/b.txt"_s, "alt"));
        QCOMPARE(cli({u"extract"_s, pfad(u"gut.zip"_s), ziel}).code, 0);
        QCOMPARE(testutil::readFile(ziel + u"/b.txt"_s), QByteArray("alt"));
        QCOMPARE(testutil::readFile(ziel + u"/docs/a.txt"_s), QByteArray("hallo"));
        QCOMPARE(cli({u"extract"_s, pfad(u"gut.zip"_s), ziel, u"b.txt"_s, u"--yes"_s}).code, 0);
        QCOMPARE(testutil::readFile(ziel + u"/b.txt"_s), bInhalt());
    }

    // add and delete change the archive; list shows the result.
    void addAndDelete()
    {
        ENGINE_BRAUCHT(u"7zz"_s);
        const QString q = pfad(u"quelle"_s);
        testutil::writeFile(q + u"/x.txt"_s, "x");
        testutil::writeFile(q + u"/sub/y.txt"_s, "y");
        testutil::writeFile(q + u"/.z.txt"_s, "z");
        const QString zip = pfad(u"neu.zip"_s);
        QCOMPARE(cli({u"add"_s, zip, q + u"/*.txt"_s, u"--recurse"_s, u"--no-paths"_s, u"--encrypt"_s, u"aes"_s,
                      u"--password"_s, u"pw"_s}).code, 0);
        QCOMPARE(peer(u"7zz"_s, {u"t"_s, u"-ppw"_s, zip}).exitCode, 0);
        QCOMPARE(cli({u"list"_s, zip}).out.count(u'\n'), 2);
        QCOMPARE(cli({u"add"_s, zip, q + u"/.z.txt"_s, u"--no-paths"_s}).code, 0);
        QCOMPARE(cli({u"delete"_s, zip, u"X.TXT"_s}).code, 1); // exact names are exact
        QCOMPARE(cli({u"delete"_s, zip, u"?.TXT"_s}).code, 0);
        QCOMPARE(cli({u"list"_s, zip}).out.section(u'\t', 0, 0), u".z.txt"_s);
    }
};

QTEST_GUILESS_MAIN(tst_EngineCli)
#include "tst_engine_cli.moc"
