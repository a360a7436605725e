#pragma once
// Shared plumbing of the two components: opening archives (also with leading bytes), libzip
// errors as German reasons, entry-name safety and name matching.

#include <QString>
#include <memory>
#include <zip.h>

namespace kasto::engine {

struct ZipDiscard {
    void operator()(zip_t *za) const
    {
        if (za)
            zip_discard(za);
    }
};
// An open archive. zip_close is called by hand (its result matters); the deleter only discards.
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

// Bytes before the ZIP data (an SFX stub), from the End of Central Directory record (ZIP64 too).
// -1 when no such record was found.
qint64 vorspannBytes(const QString &path);

// Opens an archive for reading, through a window behind the leading bytes where there are any.
// On failure the handle is empty and `grund` says why (German).
ZipHandle oeffneLesend(const QString &path, qint64 *vorspann, QString *grund);

// German reason for a libzip error code.
QString grund(int zipError);
QString grund(zip_error_t *err);

// Full entry name as stored (UTF-8 when flagged, otherwise guessed).
QString eintragName(zip_t *za, zip_uint64_t index);

// WinZip AES entries of version AE-2 carry no CRC, but libzip 1.7 checks one for entries of 20
// bytes and more and then reports ZIP_ER_CRC. For these the authentication code is the check.
bool aesOhneCrc(zip_t *za, zip_uint64_t index);
// True when the stored authentication code of an AES entry matches the password and data.
bool aesEchtheitOk(zip_t *za, zip_uint64_t index, const QByteArray &passwort);

// Relative path below the target for an entry name, or "" when the name is refused (absolute,
// drive letter, ".." part, or nothing left). Backslashes count as separators.
QString sichererPfad(const QString &entryName);

// Name under which a file is stored: its bare name, or its path without root.
QString speicherName(const QString &filePath, bool noPaths);

// Wildcard match of a whole text: "*" and "?" match every character, "/" too.
bool passtMuster(const QString &text, const QString &muster, Qt::CaseSensitivity cs);

} // namespace kasto::engine
