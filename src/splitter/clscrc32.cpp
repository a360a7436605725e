#include "splitter/clscrc32.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

clsCRC32::clsCRC32()
{
    tableReady = InitCrcTable();
}

bool clsCRC32::InitCrcTable()
{
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        crcTable[n] = c;
    }
    m_slice[0] = crcTable;
    for (int k = 1; k < 16; ++k) {
        for (int n = 0; n < 256; ++n) {
            const quint32 prev = m_slice[k - 1][n];
            m_slice[k][n] = (prev >> 8) ^ crcTable[prev & 0xFF];
        }
    }
    return true;
}

quint32 clsCRC32::CRC32(quint32 crc, const QByteArray &buffer, double lastIndex)
{
    if (buffer.isEmpty())
        return 0;
    if (!(lastIndex >= 0)) // negative or NaN: no byte
        return crc;
    const double last = std::floor(lastIndex);
    const qint64 count = last >= double(buffer.size()) ? buffer.size() : qint64(last) + 1;
    return CRC32(crc, buffer.constData(), count);
}

quint32 clsCRC32::CRC32(quint32 crc, const char *data, qint64 size)
{
    if (!tableReady)
        tableReady = InitCrcTable();
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    quint32 c = ~crc;
    // Sixteen bytes a step; the tables give the same value as sixteen single steps.
    const auto wort = [](const unsigned char *q) {
        quint32 w;
        std::memcpy(&w, q, 4);
        return qFromLittleEndian(w);
    };
    while (size >= 16) {
        const quint32 a = wort(p) ^ c;
        const quint32 b = wort(p + 4);
        const quint32 d = wort(p + 8);
        const quint32 e = wort(p + 12);
        c = m_slice[15][a & 0xFF] ^ m_slice[14][(a >> 8) & 0xFF] ^ m_slice[13][(a >> 16) & 0xFF]
            ^ m_slice[12][a >> 24] ^ m_slice[11][b & 0xFF] ^ m_slice[10][(b >> 8) & 0xFF]
            ^ m_slice[9][(b >> 16) & 0xFF] ^ m_slice[8][b >> 24] ^ m_slice[7][d & 0xFF]
            ^ m_slice[6][(d >> 8) & 0xFF] ^ m_slice[5][(d >> 16) & 0xFF] ^ m_slice[4][d >> 24]
            ^ m_slice[3][e & 0xFF] ^ m_slice[2][(e >> 8) & 0xFF] ^ m_slice[1][(e >> 16) & 0xFF]
            ^ m_slice[0][e >> 24];
        p += 16;
        size -= 16;
    }
    while (size-- > 0)
        c = (c >> 8) ^ crcTable[(c ^ *p++) & 0xFF];
    return ~c;
}

namespace kasto::splitter {

QString DateiCRC32(const QString &path, QString *fehler)
{
    clsCRC32 crc;
    return DateiCRC32(crc, path, fehler);
}

QString DateiCRC32(clsCRC32 &crc, const QString &path, QString *fehler)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (fehler)
            *fehler = u"Die Datei %1 wurde nicht gefunden."_s.arg(path);
        return QString();
    }
    quint32 wert = 0;
    if (info.size() > 0) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            if (fehler)
                *fehler = u"Die Datei %1 kann nicht gelesen werden (%2)."_s.arg(path, f.errorString());
            return QString();
        }
        // Larger blocks than the 2 KiB of old: the value does not depend on the block size.
        constexpr qint64 block = 1 << 20;
        const auto puffer = std::make_unique<char[]>(block);
        for (;;) {
            const qint64 n = f.read(puffer.get(), block);
            if (n < 0) {
                if (fehler)
                    *fehler = u"Die Datei %1 kann nicht gelesen werden (%2)."_s.arg(path, f.errorString());
                return QString();
            }
            if (n == 0)
                break;
            wert = crc.CRC32(wert, puffer.get(), n);
        }
    }
    return u"%1"_s.arg(wert, 8, 16, QChar(u'0')).toUpper();
}

} // namespace kasto::splitter
