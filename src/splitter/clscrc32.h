#pragma once
// The common CRC-32 (reflected polynomial 0xEDB88320, start value and final inversion
// 0xFFFFFFFF), as the splitter shows it to compare a file before splitting and after joining.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

class clsCRC32
{
public:
    clsCRC32();

    // Fills the byte-wise table and the tables that let the loop take sixteen bytes a step.
    bool InitCrcTable();

    // Continues `crc` (0 for a new computation) over buffer[0..lastIndex] and returns the
    // finished value, which can be fed in again. An empty buffer gives 0. A lastIndex beyond
    // the buffer is cut to its end, a negative one takes no byte.
    quint32 CRC32(quint32 crc, const QByteArray &buffer, double lastIndex);
    // The same over raw bytes.
    quint32 CRC32(quint32 crc, const char *data, qint64 size);

    const std::array<quint32, 256> &table() const { return crcTable; }

private:
    std::array<quint32, 256> crcTable{};
    // m_slice[k][n]: the table entry of n followed by k zero bytes.
    std::array<std::array<quint32, 256>, 16> m_slice{};
    bool tableReady = false;
};

namespace kasto::splitter {

// Checksum of a whole file as 8 upper-case hex digits. An empty file gives "00000000" without
// being opened. A file that cannot be read gives "" and a German reason in `fehler`.
QString DateiCRC32(const QString &path, QString *fehler = nullptr);
// Same, continuing an existing instance (the window keeps one).
QString DateiCRC32(clsCRC32 &crc, const QString &path, QString *fehler = nullptr);

} // namespace kasto::splitter
