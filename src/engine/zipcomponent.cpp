#include "engine/zipcomponent.h"

#include "engine/statustexte.h"
#include "engine/zipzugriff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <limits>
#include <sys/stat.h>
#include <zlib.h>

using namespace Qt::StringLiterals;
using namespace kasto::engine;

namespace {

bool istTrennerZeichen(QChar c) { return c == u'/' || c == u'\\'; }

struct Quelle {
    QString pfad;
    bool ordner = false; // an empty folder, stored as "name/"
};

// Files of `ordner` matching `muster`, with the subfolders when `rekursiv`. With `ordnerEintraege`
// a subfolder that yields no file and has no subfolders of its own is listed as a folder, so that
// unpacking brings back the whole tree; folders that hold something come back through the names
// of what they hold, and the listing stays free of rows that say nothing.
void sammle(const QString &ordner, const QString &muster, bool rekursiv, bool system, bool ordnerEintraege,
            const QString &ausser, QList<Quelle> *out, int tiefe = 0)
{
    const QDir d(ordner);
    const qsizetype vorher = out->size();
    const QDir::Filters versteckt = system ? QDir::Hidden : QDir::Filters();
    for (const QFileInfo &f : d.entryInfoList(QDir::Files | QDir::NoDotAndDotDot | versteckt, QDir::Name)) {
        if (!f.isFile() || f.canonicalFilePath() == ausser)
            continue;
        if (muster == u"*.*"_s || passtMuster(f.fileName(), muster, Qt::CaseInsensitive))
            out->append({f.absoluteFilePath()});
    }
    if (!rekursiv)
        return;
    // Linked folders are not followed: they could lead in circles or out of the tree.
    const QFileInfoList unter = d.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | versteckt,
                                                QDir::Name);
    if (ordnerEintraege && tiefe > 0 && unter.isEmpty() && out->size() == vorher)
        out->append({d.absolutePath(), true});
    for (const QFileInfo &sub : unter)
        sammle(sub.absoluteFilePath(), muster, rekursiv, system, ordnerEintraege, ausser, out, tiefe + 1);
}

// Whether deflate is worth it. Samples of the file (all of a small one; else 16 KiB each from its
// start, middle and end) are deflated at the fastest level, and one that shrinks decides for
// deflate. Trying the file at level 6 would cost as much as packing it again; what level 1 cannot
// shrink, level 6 shrinks by next to nothing.
bool lohntKompression(const QString &datei)
{
    constexpr qint64 probe = 16 * 1024;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return true; // the error shows up when the file is read for the archive
    const qint64 size = f.size();
    if (size <= 0)
        return false;
    const QList<qint64> stellen = size <= 3 * probe ? QList<qint64>{0}
                                                    : QList<qint64>{0, (size - probe) / 2, size - probe};
    const qint64 laenge = size <= 3 * probe ? size : probe;
    z_stream zs{};
    if (deflateInit2(&zs, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return true;
    QByteArray ziel(qsizetype(deflateBound(&zs, uLong(laenge))), Qt::Uninitialized);
    bool lohnt = false;
    for (const qint64 stelle : stellen) {
        if (!f.seek(stelle))
            break;
        const QByteArray stueck = f.read(laenge);
        if (stueck.isEmpty())
            break;
        deflateReset(&zs);
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stueck.constData()));
        zs.avail_in = uInt(stueck.size());
        zs.next_out = reinterpret_cast<Bytef *>(ziel.data());
        zs.avail_out = uInt(ziel.size());
        if (deflate(&zs, Z_FINISH) == Z_STREAM_END && zs.total_out < uLong(stueck.size())) {
            lohnt = true;
            break;
        }
    }
    deflateEnd(&zs);
    return lohnt;
}

// Attributes and times of a new entry from the file or folder on disk. The DOS time libzip
// writes knows only local time in 2-second steps; Info-ZIP's extended timestamp (0x5455, "UT")
// adds the exact second in UTC, in the local header and the central directory as zip does.
// Extra fields of an entry being replaced described the old file and go.
void setzeMetadaten(zip_t *za, zip_uint64_t i, const struct stat &sb, bool ordner)
{
    zip_file_extra_field_delete(za, i, ZIP_EXTRA_FIELD_ALL, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
    zip_uint32_t attr = zip_uint32_t(sb.st_mode & 0xFFFF) << 16;
    if (ordner) {
        attr |= 0x10; // MS-DOS directory bit, for tools that look only at that
        zip_file_set_mtime(za, i, sb.st_mtime, 0); // a buffer source would say "now"
    }
    zip_file_set_external_attributes(za, i, 0, ZIP_OPSYS_UNIX, attr);
    // The field holds a signed 32-bit count of seconds; outside of it the DOS time must do.
    if (sb.st_mtime < std::numeric_limits<qint32>::min() || sb.st_mtime > std::numeric_limits<qint32>::max())
        return;
    const auto t = quint32(qint32(sb.st_mtime));
    const zip_uint8_t ut[5] = {0x01, zip_uint8_t(t), zip_uint8_t(t >> 8), zip_uint8_t(t >> 16), zip_uint8_t(t >> 24)};
    zip_file_extra_field_set(za, i, 0x5455, ZIP_EXTRA_FIELD_NEW, ut, sizeof ut, ZIP_FL_LOCAL);
    zip_file_extra_field_set(za, i, 0x5455, ZIP_EXTRA_FIELD_NEW, ut, sizeof ut, ZIP_FL_CENTRAL);
}

struct Fortschritt {
    ZipComponent *self = nullptr;
    QStringList namen;     // surviving entries in write order
    QList<bool> neu;       // entry is one of ours (announced)
    qsizetype gemeldet = 0;
    std::function<void(const QString &)> melde;
    std::function<void()> idle;

    void bis(qsizetype n)
    {
        for (; gemeldet < qMin(n, namen.size()); ++gemeldet) {
            if (neu.at(gemeldet))
                melde(namen.at(gemeldet));
        }
    }
};

void fortschrittCallback(zip_t *, double anteil, void *ud)
{
    auto *f = static_cast<Fortschritt *>(ud);
    // libzip splits the progress equally per entry, in index order.
    f->bis(qsizetype(anteil * double(f->namen.size())));
    if (f->idle)
        f->idle();
}

} // namespace

ZipComponent::ZipComponent(QObject *parent) : QObject(parent) {}

// Errors go out on both channels: a window that shows only progress texts must not keep an
// earlier "deleting" text after a removal that failed.
void ZipComponent::fehler(const QString &text)
{
    emit StatusText(text);
    emit ProgressText(text);
}
ZipComponent::~ZipComponent() = default;

// Opens the archive for changing, lets `aendern` work on it and closes it. An archive with
// leading bytes is changed as a plain copy of its ZIP part and then put behind the same bytes
// again; the original is replaced only when everything was written.
bool ZipComponent::schreibe(const std::function<bool(zip_t *)> &aendern,
                            const std::function<void(zip_t *, QStringList *, QList<bool> *)> &neueEintraege,
                            bool *geleert)
{
    *geleert = false;
    const QString pfad = m_zipFile;
    const bool vorhanden = QFileInfo::exists(pfad);
    qint64 vorspann = 0;
    if (vorhanden) {
        vorspann = vorspannBytes(pfad);
        QFile f(pfad);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray kopf = f.read(4);
            // Leading bytes that the offsets already count (an adjusted SFX) would be lost.
            if (vorspann <= 0 && f.size() > 0 && kopf != QByteArrayView("PK\3\4") && kopf != QByteArrayView("PK\5\6")) {
                fehler(texte::schreibFehler(pfad, texte::grundVorspann()));
                return false;
            }
        }
    }

    QTemporaryFile arbeit(pfad + u".kasto.XXXXXX"_s);
    QString offen = pfad;
    if (vorspann > 0) {
        QFile quelle(pfad);
        if (!arbeit.open() || !quelle.open(QIODevice::ReadOnly) || !quelle.seek(vorspann)) {
            fehler(texte::schreibFehler(pfad, texte::grundNichtLesbar()));
            return false;
        }
        while (!quelle.atEnd()) {
            const QByteArray block = quelle.read(1 << 20);
            if (block.isEmpty() || arbeit.write(block) != block.size()) {
                fehler(texte::schreibFehler(pfad, arbeit.errorString()));
                return false;
            }
        }
        arbeit.close();
        offen = arbeit.fileName();
    }

    int err = 0;
    ZipHandle za(zip_open(QFile::encodeName(offen).constData(), ZIP_CREATE, &err));
    if (!za) {
        fehler(texte::schreibFehler(pfad, grund(err)));
        return false;
    }
    if (!aendern(za.get()))
        return false;

    Fortschritt fs;
    fs.melde = [this](const QString &n) { emit ProgressText(texte::hinzufuegen(n)); };
    fs.idle = idle;
    neueEintraege(za.get(), &fs.namen, &fs.neu);
    zip_register_progress_callback_with_state(za.get(), 0.001, fortschrittCallback, nullptr, &fs);
    if (zip_close(za.get()) != 0) {
        fehler(texte::schreibFehler(pfad, grund(zip_get_error(za.get()))));
        return false; // the handle discards itself: the archive stays as it was
    }
    za.release();
    fs.bis(fs.namen.size());

    if (vorspann > 0) {
        if (!QFileInfo::exists(offen)) {
            *geleert = QFile::remove(pfad) || !QFileInfo::exists(pfad);
            return true;
        }
        QFile stub(pfad), neuZip(offen);
        QSaveFile ziel(pfad);
        ziel.setDirectWriteFallback(false);
        bool ok = stub.open(QIODevice::ReadOnly) && neuZip.open(QIODevice::ReadOnly) && ziel.open(QIODevice::WriteOnly);
        ok = ok && ziel.write(stub.read(vorspann)) == vorspann;
        while (ok && !neuZip.atEnd()) {
            const QByteArray block = neuZip.read(1 << 20);
            ok = !block.isEmpty() && ziel.write(block) == block.size();
        }
        if (!ok || !ziel.commit()) {
            ziel.cancelWriting();
            fehler(texte::schreibFehler(pfad, ziel.errorString()));
            return false;
        }
        return true;
    }
    *geleert = vorhanden && !QFileInfo::exists(pfad);
    return true;
}

bool ZipComponent::AddFiles(const QString &angabe)
{
    return AddFiles(QStringList{angabe});
}

bool ZipComponent::AddFiles(const QStringList &angaben)
{
    if (m_zipFile.isEmpty()) {
        emit StatusText(texte::keinArchivName());
        return false;
    }
    // What to add. A path that yields nothing is reported; the others are still added.
    QList<Quelle> dateien;
    bool alleGefunden = true;
    const QString archivEcht = QFileInfo(m_zipFile).canonicalFilePath();
    for (const QString &angabe : angaben) {
        const qsizetype vorher = dateien.size();
        const QFileInfo info(angabe);
        if (info.isFile()) {
            dateien.append({info.absoluteFilePath()});
        } else {
            QString ordner = angabe, muster = u"*.*"_s;
            if (!info.isDir()) {
                qsizetype cut = angabe.size() - 1;
                while (cut >= 0 && !istTrennerZeichen(angabe.at(cut)))
                    --cut;
                ordner = cut < 0 ? u"."_s : cut == 0 ? angabe.left(1) : angabe.left(cut);
                muster = angabe.mid(cut + 1);
                if (!QFileInfo(ordner).isDir() || muster.isEmpty()) {
                    emit StatusText(texte::quelleFehlt(angabe));
                    alleGefunden = false;
                    continue;
                }
            }
            // Without paths there is no tree to keep.
            sammle(ordner, muster, m_subfolders, m_systemFiles, !m_noPaths, archivEcht, &dateien);
        }
        if (dateien.size() == vorher) {
            emit StatusText(texte::keineDateien(angabe));
            alleGefunden = false;
        }
    }
    if (dateien.isEmpty())
        return false;

    SchreibPasswortAntwort pw;
    if (m_usePassword) {
        if (passwortFrage)
            pw = passwortFrage({m_zipFile});
        if (pw.abbruch || pw.passwort.isEmpty()) {
            emit StatusText(texte::keinPasswortGesetzt());
            return false;
        }
    }
    const QByteArray passwort = pw.passwort.toUtf8();

    QSet<zip_uint64_t> unsere;

    auto aendern = [&](zip_t *za) {
        for (const Quelle &q : dateien) {
            const QString &datei = q.pfad;
            const QString name = speicherName(datei, m_noPaths) + (q.ordner ? u"/"_s : QString());
            const QByteArray local = QFile::encodeName(datei);
            zip_error_t e;
            zip_error_init(&e);
            zip_source_t *src = q.ordner ? zip_source_buffer(za, nullptr, 0, 0)
                                         : zip_source_file_create(local.constData(), 0, -1, &e);
            zip_error_fini(&e);
            const zip_int64_t idx = src ? zip_file_add(za, name.toUtf8().constData(), src,
                                                       ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
                                        : -1;
            if (idx < 0) {
                if (src)
                    zip_source_free(src);
                fehler(texte::quelleFehlt(datei));
                return false;
            }
            const auto i = zip_uint64_t(idx);
            unsere.insert(i);
            // Level 6 on purpose: libzip's default is 9, much slower for little gain.
            if (!q.ordner && lohntKompression(datei))
                zip_set_file_compression(za, i, ZIP_CM_DEFLATE, 6);
            else
                zip_set_file_compression(za, i, ZIP_CM_STORE, 0);
            struct stat sb;
            if (stat(local.constData(), &sb) == 0)
                setzeMetadaten(za, i, sb, q.ordner);
            // A folder entry has nothing to hide (zip -e leaves them plain too).
            if (m_usePassword && !q.ordner) {
                const zip_uint16_t em = pw.verfahren == Verschluesselung::ZipCrypto ? ZIP_EM_TRAD_PKWARE : ZIP_EM_AES_256;
                if (zip_file_set_encryption(za, i, em, passwort.constData()) != 0) {
                    fehler(texte::schreibFehler(m_zipFile, grund(zip_get_error(za))));
                    return false;
                }
            }
        }
        return true;
    };
    auto neue = [&](zip_t *za, QStringList *namen, QList<bool> *neu) {
        const zip_int64_t n = zip_get_num_entries(za, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            const QString name = eintragName(za, zip_uint64_t(i));
            if (name.isNull())
                continue; // deleted
            namen->append(name);
            neu->append(unsere.contains(zip_uint64_t(i)));
        }
    };
    bool geleert = false;
    if (!schreibe(aendern, neue, &geleert))
        return false;
    const auto leere = std::count_if(dateien.cbegin(), dateien.cend(), [](const Quelle &q) { return q.ordner; });
    emit StatusText(texte::hinzugefuegt(dateien.size() - leere, leere, m_zipFile));
    return alleGefunden;
}

bool ZipComponent::DeleteFiles(const QString &nameOrPattern)
{
    if (m_zipFile.isEmpty()) {
        emit StatusText(texte::keinArchivName());
        return false;
    }
    if (!QFileInfo::exists(m_zipFile)) {
        fehler(texte::archivFehler(m_zipFile, texte::grundNichtGefunden()));
        return false;
    }
    const bool alle = nameOrPattern == u"*.*"_s;
    const bool muster = nameOrPattern.contains(u'*') || nameOrPattern.contains(u'?');
    QStringList weg;
    auto aendern = [&](zip_t *za) {
        const zip_int64_t n = zip_get_num_entries(za, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            const QString name = eintragName(za, zip_uint64_t(i));
            const bool treffer = alle || (muster ? passtMuster(name, nameOrPattern, Qt::CaseInsensitive)
                                                 : name == nameOrPattern);
            if (treffer && zip_delete(za, zip_uint64_t(i)) == 0)
                weg << name;
        }
        if (weg.isEmpty()) {
            fehler(texte::nichtsGeloescht(nameOrPattern));
            return false;
        }
        return true;
    };
    auto keine = [](zip_t *, QStringList *, QList<bool> *) {};
    bool geleert = false;
    if (!schreibe(aendern, keine, &geleert)) {
        return false;
    }
    for (const QString &n : weg)
        emit ProgressText(texte::loesche(n));
    if (geleert) {
        emit ProgressText(texte::archivLeer(m_zipFile));
        emit StatusText(texte::archivLeer(m_zipFile));
    } else {
        emit StatusText(texte::loesche(weg.constLast()));
    }
    return true;
}
