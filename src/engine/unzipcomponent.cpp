#include "engine/unzipcomponent.h"

#include "engine/statustexte.h"
#include "engine/zieldatei.h"
#include "engine/zipzugriff.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace kasto::engine;

namespace {

constexpr qint64 blockSize = 256 * 1024;

quint64 le(const zip_uint8_t *p, int n)
{
    quint64 v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

// Modification time: from the extended timestamp (Info-ZIP) or the NTFS times (7-Zip) of the
// central directory when there is one, else the DOS time (2-second steps, local time).
time_t aenderungsZeit(zip_t *za, zip_uint64_t index, const zip_stat_t &st)
{
    zip_uint16_t len = 0;
    const zip_uint8_t *d = zip_file_extra_field_get_by_id(za, index, 0x5455, 0, &len, ZIP_FL_CENTRAL);
    if (d && len >= 5 && (d[0] & 1))
        return time_t(qint32(le(d + 1, 4)));
    d = zip_file_extra_field_get_by_id(za, index, 0x000a, 0, &len, ZIP_FL_CENTRAL);
    if (d && len >= 32 && le(d + 4, 2) == 1 && le(d + 6, 2) >= 24) {
        // 100 ns steps since 1601
        const quint64 ft = le(d + 8, 8);
        if (ft > 116444736000000000ULL)
            return time_t((ft - 116444736000000000ULL) / 10000000ULL);
    }
    return (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
}

// True when a part of `rel` below `root` is a symbolic link (writing there could leave the target).
bool durchSymlink(const QString &root, const QString &rel)
{
    QString p = root;
    for (const QString &t : rel.split(u'/')) {
        p += u'/' + t;
        if (QFileInfo(p).isSymLink())
            return true;
    }
    return false;
}

// Opens the component's archive; on failure the status text says why.
ZipHandle oeffne(UnzipComponent *self, const QString &zipFile, qint64 *vorspann)
{
    if (zipFile.isEmpty()) {
        emit self->StatusText(texte::keinArchivName());
        return {};
    }
    QString warum;
    ZipHandle za = oeffneLesend(zipFile, vorspann, &warum);
    if (!za)
        emit self->StatusText(texte::archivFehler(zipFile, warum));
    return za;
}

} // namespace

UnzipComponent::UnzipComponent(QObject *parent) : QObject(parent) {}
UnzipComponent::~UnzipComponent() = default;

bool UnzipComponent::ListArchive()
{
    if (!m_zipFile.isEmpty())
        emit StatusText(texte::ladeStart(m_zipFile));
    qint64 vorspann = 0;
    ZipHandle za = oeffne(this, m_zipFile, &vorspann);
    if (!za)
        return false;
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS, &st) != 0)
            continue;
        const QString full = eintragName(za.get(), zip_uint64_t(i));
        const qsizetype cut = full.lastIndexOf(u'/', full.endsWith(u'/') ? -2 : -1);
        const QString path = full.left(cut + 1);
        const QString name = full.mid(cut + 1);
        const qint64 size = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
        const qint64 packed = (st.valid & ZIP_STAT_COMP_SIZE) ? qint64(st.comp_size) : 0;
        int ratio = 0;
        if (size > 0 && packed < size)
            ratio = int(std::lround(100.0 * double(size - packed) / double(size)));
        const QDateTime t = QDateTime::fromSecsSinceEpoch(qint64(aenderungsZeit(za.get(), zip_uint64_t(i), st)));
        const QDate d = t.date();
        emit FileInfo(size, packed, ratio, d.month(), d.day(), d.year() % 100, t.time().hour(),
                      t.time().minute(), name, path);
    }
    emit StatusText(vorspann > 0 ? texte::sfxGeladen(vorspann) : texte::ladeFertig(m_zipFile, n));
    return true;
}

bool UnzipComponent::ExtractFile(const QString &entryName)
{
    const QStringList one{entryName};
    return extract(&one);
}

bool UnzipComponent::ExtractAll() { return extract(nullptr); }

// Extracts or tests the named entries (all when `names` is null).
bool UnzipComponent::extract(const QStringList *names)
{
    if (!m_testOnly && m_targetFolder.isEmpty()) {
        emit StatusText(texte::keinZielordner());
        return false;
    }
    qint64 vorspann = 0;
    ZipHandle za = oeffne(this, m_zipFile, &vorspann);
    if (!za)
        return false;

    // Which entries, in archive order.
    QList<zip_uint64_t> auswahl;
    qint64 total = 0;
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        if (names && !names->contains(eintragName(za.get(), zip_uint64_t(i))))
            continue;
        zip_stat_t st;
        if (zip_stat_index(za.get(), zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE))
            total += qint64(st.size);
        auswahl << zip_uint64_t(i);
    }
    if (names && auswahl.isEmpty()) {
        emit StatusText(texte::eintragNichtGefunden(names->value(0)));
        return false;
    }

    QString root;
    if (!m_testOnly) {
        root = QDir::cleanPath(QDir(m_targetFolder).absolutePath());
        if (!QDir().mkpath(root)) {
            emit StatusText(texte::zielFehler(root, texte::grundOrdner()));
            return false;
        }
    }

    // Asked once per operation.
    // A password that worked for this archive is used again: the window extracts ticked rows
    // one ExtractFile call at a time, and the user should be asked once.
    const bool gemerkt = m_passwortArchiv == m_zipFile && !m_passwort.isNull();
    bool passwortGefragt = gemerkt;
    QByteArray passwort = gemerkt ? m_passwort : QByteArray();
    bool hatPasswort = gemerkt;
    bool passwortFalsch = false, passwortGut = false;
    bool alleJa = false, alleNein = false;

    qint64 done = 0, fehler = 0, uebersprungen = 0;
    QString letzterFehler;
    QByteArray buf(blockSize, Qt::Uninitialized);
    emit Progress(0, total, QString());

    for (const zip_uint64_t idx : auswahl) {
        const QString name = eintragName(za.get(), idx);
        auto fail = [&](const QString &text) {
            ++fehler;
            letzterFehler = text;
            emit StatusText(text);
        };
        zip_stat_t st;
        zip_stat_index(za.get(), idx, 0, &st);
        const qint64 size = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
        const bool verschluesselt = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        const bool ordner = name.endsWith(u'/') || name.endsWith(u'\\');

        const QString rel = sichererPfad(name);
        if (rel.isEmpty() && !(ordner && m_testOnly)) {
            fail(texte::unsichererName(name));
            done += size;
            continue;
        }
        emit StatusText(m_testOnly ? texte::teste(name) : texte::entpacke(name));

        QString ziel;
        if (!m_testOnly) {
            ziel = root + u'/' + rel;
            if (durchSymlink(root, rel)) {
                fail(texte::eintragFehler(name, texte::grundSymlink()));
                done += size;
                continue;
            }
            if (ordner) {
                if (!QDir().mkpath(ziel))
                    fail(texte::zielFehler(ziel, texte::grundOrdner()));
                else
                    emit StatusText(texte::entpacktOk(name));
                continue;
            }
            if (QFileInfo::exists(ziel)) {
                Ueberschreiben a = alleJa ? Ueberschreiben::Ja : alleNein ? Ueberschreiben::Nein
                                   : ueberschreibenFrage ? ueberschreibenFrage(ziel)
                                                         : Ueberschreiben::Nein;
                alleJa = alleJa || a == Ueberschreiben::JaAlle;
                alleNein = alleNein || a == Ueberschreiben::NeinKeine;
                if (a == Ueberschreiben::Nein || a == Ueberschreiben::NeinKeine || !QFileInfo(ziel).isFile()) {
                    emit StatusText(texte::uebersprungen(ziel));
                    ++uebersprungen;
                    done += size;
                    continue;
                }
            }
            if (!QDir().mkpath(QFileInfo(ziel).path())) {
                fail(texte::zielFehler(ziel, texte::grundOrdner()));
                done += size;
                continue;
            }
        } else if (ordner) {
            emit StatusText(texte::getestetOk(name));
            continue;
        }

        if (verschluesselt && !passwortGefragt) {
            passwortGefragt = true;
            if (passwortFrage) {
                const LesePasswortAntwort a = passwortFrage({m_zipFile, name});
                hatPasswort = !a.abbruch;
                passwort = a.passwort.toUtf8();
            }
        }
        if (verschluesselt && !hatPasswort) {
            fail(m_testOnly ? texte::testFehler(name, texte::grundKeinPasswort())
                            : texte::eintragFehler(name, texte::grundKeinPasswort()));
            done += size;
            continue;
        }

        // Read to the end and check the close: only then is the CRC known to be right.
        zip_file_t *zf = verschluesselt ? zip_fopen_index_encrypted(za.get(), idx, 0, passwort.constData())
                                        : zip_fopen_index(za.get(), idx, 0);
        int code = ZIP_ER_OK;
        if (!zf)
            code = zip_error_code_zip(zip_get_error(za.get()));

        ZielDatei out(ziel);
        if (zf && !m_testOnly) {
            if (!out.open()) {
                zip_fclose(zf);
                fail(texte::zielFehler(ziel, out.errorString()));
                done += size;
                continue;
            }
        }
        bool schreibFehler = false;
        qint64 gelesen = 0;
        while (zf) {
            const zip_int64_t r = zip_fread(zf, buf.data(), zip_uint64_t(buf.size()));
            if (r < 0) {
                code = zip_error_code_zip(zip_file_get_error(zf));
                break;
            }
            if (r == 0)
                break;
            if (!m_testOnly && !out.write(buf.constData(), r)) {
                schreibFehler = true;
                break;
            }
            gelesen += r;
            emit Progress(qMin(done + gelesen, total), total, name);
            if (idle)
                idle();
        }
        if (zf) {
            const int c = zip_fclose(zf);
            if (code == ZIP_ER_OK)
                code = c;
        }
        done += size;
        if (code == ZIP_ER_CRC && gelesen == size && aesOhneCrc(za.get(), idx)
            && aesEchtheitOk(za.get(), idx, passwort))
            code = ZIP_ER_OK;
        if (code == ZIP_ER_ZLIB && verschluesselt)
            code = ZIP_ER_WRONGPASSWD; // a wrong ZipCrypto password that passed the header check
        passwortFalsch = passwortFalsch || (verschluesselt && code == ZIP_ER_WRONGPASSWD);
        passwortGut = passwortGut || (verschluesselt && code == ZIP_ER_OK);
        if (code != ZIP_ER_OK || schreibFehler) {
            if (!m_testOnly)
                out.cancel();
            const QString g = schreibFehler ? out.errorString() : grund(code);
            fail(m_testOnly ? texte::testFehler(name, g) : texte::eintragFehler(name, g));
            continue;
        }
        if (m_testOnly) {
            emit StatusText(texte::getestetOk(name));
            continue;
        }
        if (!out.commit()) {
            fail(texte::zielFehler(ziel, out.errorString()));
            continue;
        }
        // Times and the executable bit.
        const QByteArray local = QFile::encodeName(ziel);
        const time_t mtime = aenderungsZeit(za.get(), idx, st);
        if (mtime != 0) {
            struct timespec ts[2] = {{0, UTIME_OMIT}, {mtime, 0}};
            utimensat(AT_FDCWD, local.constData(), ts, AT_SYMLINK_NOFOLLOW);
        }
        zip_uint8_t opsys = 0;
        zip_uint32_t attr = 0;
        if (zip_file_get_external_attributes(za.get(), idx, 0, &opsys, &attr) == 0 && opsys == ZIP_OPSYS_UNIX
            && ((attr >> 16) & 0111)) {
            struct stat sb;
            if (stat(local.constData(), &sb) == 0)
                chmod(local.constData(), (sb.st_mode & 07777) | (((attr >> 16) & 0111) & ((sb.st_mode & 0444) >> 2)));
        }
        emit StatusText(texte::entpacktOk(name));
    }
    emit Progress(total, total, QString());
    if (passwortFalsch) {
        m_passwort = QByteArray();
    } else if (passwortGut) {
        m_passwort = passwort;
        m_passwortArchiv = m_zipFile;
    }

    const qint64 count = auswahl.size();
    if (fehler > 0) {
        if (count > 1)
            emit StatusText(texte::mitFehlern(fehler, count, letzterFehler));
        return false;
    }
    if (!names)
        emit StatusText(m_testOnly        ? texte::alleGetestet(count)
                        : uebersprungen ? texte::teilsEntpackt(count - uebersprungen, uebersprungen, root)
                                        : texte::alleEntpackt(count, root));
    return true;
}
