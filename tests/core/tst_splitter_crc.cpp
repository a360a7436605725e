#include "splitter/clscrc32.h"

#include "testutil.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// Bit by bit, straight from the polynomial: an independent reference for the table code.
quint32 referenz(const QByteArray &data)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

QString hex(quint32 v)
{
    return u"%1"_s.arg(v, 8, 16, QChar(u'0')).toUpper();
}

} // namespace

class tst_SplitterCrc : public QObject
{
    Q_OBJECT

private slots:
    void dateiCrc_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("digits") << QByteArray("123456789") << u"CBF43926"_s;
        QTest::newRow("abc") << QByteArray("abc") << u"352441C2"_s;
        QTest::newRow("a") << QByteArray("a") << u"E8B7BE43"_s;
        QTest::newRow("empty") << QByteArray() << u"00000000"_s;
        // Block edges of the old 2 KiB reader, the 16-byte steps and the 1 MiB read blocks.
        for (const qsizetype n :
             {7, 8, 9, 15, 16, 17, 31, 33, 2047, 2048, 2049, 2050, 4099, (1 << 20) - 1, (1 << 20) + 13}) {
            const QByteArray d = testutil::randomBytes(n, quint32(n));
            QTest::addRow("random %lld", qlonglong(n)) << d << hex(referenz(d));
        }
    }

    void dateiCrc()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, erwartet);
        QTemporaryDir dir;
        const QString pfad = dir.filePath(u"datei.bin"_s);
        QVERIFY(testutil::writeFile(pfad, inhalt));
        QString fehler;
        QCOMPARE(kasto::splitter::DateiCRC32(pfad, &fehler), erwartet);
        QVERIFY(fehler.isEmpty());
    }

    // A value below 0x10000000 still shows all eight digits.
    void fuehrendeNullen()
    {
        QByteArray d(4, '\0');
        quint32 i = 0;
        while (referenz(d) >= 0x10000000u)
            qToLittleEndian(++i, d.data());
        QTemporaryDir dir;
        const QString pfad = dir.filePath(u"null.bin"_s);
        QVERIFY(testutil::writeFile(pfad, d));
        const QString wert = kasto::splitter::DateiCRC32(pfad);
        QCOMPARE(wert.size(), 8);
        QVERIFY(wert.startsWith(u'0'));
        QCOMPARE(wert, hex(referenz(d)));
    }

    void unlesbar()
    {
        QTemporaryDir dir;
        QString fehler;
        QCOMPARE(kasto::splitter::DateiCRC32(dir.filePath(u"fehlt"_s), &fehler), QString());
        QVERIFY(!fehler.isEmpty());
    }

    void blockweise()
    {
        clsCRC32 crc;
        const QByteArray d = testutil::randomBytes(5000, 7);
        // Block by block with the previous value equals one pass; lastIndex counts inclusive.
        quint32 wert = 0;
        for (qsizetype pos = 0; pos < d.size(); pos += 2048) {
            const QByteArray block = d.mid(pos, 2048);
            wert = crc.CRC32(wert, block, double(block.size() - 1));
        }
        QCOMPARE(wert, referenz(d));
        QCOMPARE(crc.CRC32(0, d, 2.0), referenz(d.left(3)));
        QCOMPARE(crc.CRC32(0, d, 2.7), referenz(d.left(3)));
        // Never past the end of the buffer.
        QCOMPARE(crc.CRC32(0, d.left(10), 1e9), referenz(d.left(10)));
        // An empty array gives 0 whatever the running value was.
        QCOMPARE(crc.CRC32(0x12345678u, QByteArray(), 5.0), 0u);
        QCOMPARE(crc.table().at(1), 0x77073096u);
        QCOMPARE(crc.table().at(255), 0x2D02EF8Du);
    }
};

QTEST_GUILESS_MAIN(tst_SplitterCrc)
#include "tst_splitter_crc.moc"
