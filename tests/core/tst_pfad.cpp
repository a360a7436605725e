#include "common/pfad.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Pfad : public QObject
{
    Q_OBJECT

private slots:
    void helpers_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stamm");
        QTest::addColumn<QString>("ohneExt");

        QTest::newRow("folder and name") << u"C:\\Daten\\bild.zip"_s << u"bild.zip"_s << u"bild"_s << u"bild"_s;
        QTest::newRow("two dots") << u"C:\\Daten\\bild.alt.zip"_s << u"bild.alt.zip"_s << u"bild"_s
                                  << u"bild.alt"_s;
        QTest::newRow("no separator") << u"bild.zip"_s << u"bild.zip"_s << u"bild"_s << u"bild"_s;
        QTest::newRow("neither") << u"bild"_s << u"bild"_s << u"bild"_s << u"bild"_s;
        QTest::newRow("no dot") << u"C:\\Daten\\bild"_s << u"bild"_s << u"bild"_s << u"C:\\Daten\\bild"_s;
        QTest::newRow("dot in folder") << u"C:\\ver.1\\bild"_s << u"bild"_s << u"bild"_s
                                       << u"C:\\ver.1\\bild"_s;
        QTest::newRow("ends in separator") << u"C:\\Daten\\"_s << QString() << QString() << u"C:\\Daten\\"_s;
        QTest::newRow("drive root") << u"C:\\"_s << QString() << QString() << u"C:\\"_s;
        QTest::newRow("name starts with dot") << u"C:\\Daten\\.zip"_s << u".zip"_s << QString() << QString();
        QTest::newRow("empty") << QString() << QString() << QString() << QString();
        // The same rules with the Linux separator, and with both mixed.
        QTest::newRow("slash") << u"/home/u/bild.alt.zip"_s << u"bild.alt.zip"_s << u"bild"_s << u"bild.alt"_s;
        QTest::newRow("slash dot in folder") << u"/home/v.2/bild"_s << u"bild"_s << u"bild"_s
                                             << u"/home/v.2/bild"_s;
        QTest::newRow("slash root") << u"/"_s << QString() << QString() << u"/"_s;
        QTest::newRow("mixed") << u"C:/a.b\\c.d/bild.zip"_s << u"bild.zip"_s << u"bild"_s << u"bild"_s;
    }

    void helpers()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, stamm);
        QFETCH(QString, ohneExt);
        QCOMPARE(kasto::DateiName(path), name);
        QCOMPARE(kasto::DateiStamm(path), stamm);
        QCOMPARE(kasto::ohne_pfad_ext(path), ohneExt);
    }

    void mitTrenner_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << u"/tmp/a"_s << u"/tmp/a/"_s;
        QTest::newRow("slash") << u"/tmp/a/"_s << u"/tmp/a/"_s;
        QTest::newRow("backslash") << u"C:\\"_s << u"C:\\"_s;
        QTest::newRow("root") << u"/"_s << u"/"_s;
    }

    void mitTrenner()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(kasto::mitTrenner(folder), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Pfad)
#include "tst_pfad.moc"
