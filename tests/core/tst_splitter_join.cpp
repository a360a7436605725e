#include "splitter/clscrc32.h"
#include "splitter/splitter.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kasto::splitter;

class tst_SplitterJoin : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_quelle;
    QByteArray m_daten;

    JoinErgebnis join(const QStringList &eintraege, const QString &ziel, std::function<void(int)> vor = {})
    {
        JoinAuftrag a;
        a.ordner = m_dir.path();
        a.eintraege = eintraege;
        a.ziel = ziel;
        a.vorFragment = std::move(vor);
        return verbinden(a);
    }

    QStringList liste() const { return fragmenteVon(ordnerListe(m_dir.path()), m_quelle); }

private slots:
    // Five fragments of film.avi (the last one short) for every case.
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_quelle = m_dir.filePath(u"film.avi"_s);
        m_daten = testutil::randomBytes(4 * 1024 + 100, 11);
        QVERIFY(testutil::writeFile(m_quelle, m_daten));
        SplitAuftrag a;
        a.quelle = m_quelle;
        a.fragmentKB = 1;
        QCOMPARE(splitten(a).gesamt, 5);
    }

    void rundreise()
    {
        const QString ziel = m_dir.filePath(u"aus/film.avi"_s);
        QDir().mkpath(m_dir.filePath(u"aus"_s));
        QList<int> reihe;
        const JoinErgebnis e = join(liste(), ziel, [&](int i) { reihe << i; });
        QCOMPARE(e.status, JoinStatus::Ok);
        QCOMPARE(reihe, (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(e.laenge, m_daten.size());
        QVERIFY(testutil::readFile(ziel) == m_daten);
        QCOMPARE(DateiCRC32(ziel), DateiCRC32(m_quelle));
    }

    // The join writes the listed fragments, from whichever one the list starts with.
    void abZweitem()
    {
        QStringList l = liste();
        l.removeFirst();
        const QString ziel = m_dir.filePath(u"rest.bin"_s);
        QCOMPARE(join(l, ziel).status, JoinStatus::Ok);
        QVERIFY(testutil::readFile(ziel) == m_daten.mid(1024));
    }

    // A missing fragment is found before anything is written; an old target stays as it was.
    void fragmentFehlt_data()
    {
        QTest::addColumn<bool>("zielDa");
        QTest::newRow("no target yet") << false;
        QTest::newRow("old target") << true;
    }

    void fragmentFehlt()
    {
        QFETCH(bool, zielDa);
        const QString ziel = m_dir.filePath(u"neu.avi"_s);
        if (zielDa)
            QVERIFY(testutil::writeFile(ziel, "alt"));
        QVERIFY(QFile::remove(fragmentPfad(m_quelle, 4)));
        const QStringList l{u"film.avi._001"_s, u"film.avi._002"_s, u"film.avi._003"_s, u"film.avi._004"_s,
                            u"film.avi._005"_s};
        bool angefangen = false;
        const JoinErgebnis e = join(l, ziel, [&](int) { angefangen = true; });
        QCOMPARE(e.status, JoinStatus::FragmentFehlt);
        QCOMPARE(e.pfad, QDir(m_dir.path()).filePath(u"film.avi._004"_s));
        QCOMPARE(meldung(e), u"Fragmentdatei "_s + e.pfad
                                 + u" wurde nicht gefunden ! Zusammenfügen wurde abgebrochen. "
                                   u"Dateifragmentliste und Dateiverzeichnis überprüfen !"_s);
        QVERIFY(!angefangen);
        QCOMPARE(QFileInfo::exists(ziel), zielDa);
        if (zielDa)
            QCOMPARE(testutil::readFile(ziel), QByteArray("alt"));
    }

    // Saving under a listed fragment's name would destroy that fragment: refused, nothing lost.
    void zielIstFragment()
    {
        const QString fragment = fragmentPfad(m_quelle, 3);
        const QByteArray vorher = testutil::readFile(fragment);
        const JoinErgebnis e = join(liste(), fragment);
        QCOMPARE(e.status, JoinStatus::ZielIstFragment);
        QVERIFY(meldung(e).contains(u"ist eines der Dateifragmente"_s));
        QVERIFY(testutil::readFile(fragment) == vorher);
        QCOMPARE(liste().size(), 5);
    }

    // A fragment that vanishes after the check: message, no partial target, an old one kept.
    void verschwindet_data()
    {
        QTest::addColumn<bool>("zielDa");
        QTest::newRow("new target") << false;
        QTest::newRow("old target") << true;
    }

    void verschwindet()
    {
        QFETCH(bool, zielDa);
        const QString ziel = m_dir.filePath(u"ziel.avi"_s);
        if (zielDa)
            QVERIFY(testutil::writeFile(ziel, "vorher"));
        const JoinErgebnis e = join(liste(), ziel, [&](int i) {
            if (i == 1)
                QFile::remove(fragmentPfad(m_quelle, 3));
        });
        QCOMPARE(e.status, JoinStatus::Fehler);
        QVERIFY(meldung(e).startsWith(u"Fehler beim Zusammenfügen: "_s));
        QVERIFY(meldung(e).contains(u"film.avi._003"_s));
        QCOMPARE(QFileInfo::exists(ziel), zielDa);
        if (zielDa)
            QCOMPARE(testutil::readFile(ziel), QByteArray("vorher"));
        // No temporary file left behind either.
        const QStringList rest = QDir(m_dir.path()).entryList(QDir::Files);
        QVERIFY2(rest.filter(u"ziel"_s).size() == (zielDa ? 1 : 0), qPrintable(rest.join(u' ')));
    }

    void sonderfaelle()
    {
        QCOMPARE(join({}, m_dir.filePath(u"x"_s)).status, JoinStatus::LeereListe);
        QCOMPARE(meldung(join({}, m_dir.filePath(u"x"_s))),
                 u"Keine Dateifragmente in Dateifragmentliste ! Bitte erst das erste Dateifragment auswählen. "_s);
        // A target in a folder that does not exist.
        const JoinErgebnis e = join(liste(), m_dir.filePath(u"nirgends/x.avi"_s));
        QCOMPARE(e.status, JoinStatus::Fehler);
        QVERIFY(!QFileInfo::exists(m_dir.filePath(u"nirgends"_s)));
        // A write-protected target is replaced.
        const QString ziel = m_dir.filePath(u"schreibschutz.avi"_s);
        QVERIFY(testutil::writeFile(ziel, "alt"));
        QFile::setPermissions(ziel, QFile::ReadOwner);
        QCOMPARE(join(liste(), ziel).status, JoinStatus::Ok);
        QVERIFY(testutil::readFile(ziel) == m_daten);
    }

    // The list sums only names ending in "_" and three characters that exist.
    void summe()
    {
        QCOMPARE(summeGroessen(m_dir.path(), liste()), m_daten.size());
        QCOMPARE(summeGroessen(m_dir.path(), {u"film.avi._001"_s, u"film.avi._009"_s, u"film.avi"_s}), 1024);
    }
};

QTEST_GUILESS_MAIN(tst_SplitterJoin)
#include "tst_splitter_join.moc"
