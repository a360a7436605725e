#include "engine/zipzugriff.h"

#include "engine/statustexte.h"

#include <QDir>
#include <QMessageAuthenticationCode>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kasto::engine {

namespace {

quint32 le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}
quint64 le64(const char *p) { return quint64(le32(p)) | quint64(le32(p + 4)) << 32; }
quint16 le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint16(u[0] | u[1] << 8);
}

} // namespace

qint64 vorspannBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const qint64 size = f.size();
    const qint64 tailLen = qMin<qint64>(size, 0xFFFF + 22);
    if (tailLen < 22 || !f.seek(size - tailLen))
        return -1;
    const QByteArray tail = f.read(tailLen);
    if (tail.size() != tailLen)
        return -1;
    // The record whose comment reaches exactly to the end of the file.
    for (qint64 i = tailLen - 22; i >= 0; --i) {
        const char *p = tail.constData() + i;
        if (le32(p) != 0x06054b50 || i + 22 + le16(p + 20) != tailLen)
            continue;
        const qint64 eocd = size - tailLen + i;
        quint64 cdSize = le32(p + 12);
        quint64 cdOffset = le32(p + 16);
        qint64 recordPos = eocd;
        // ZIP64: locator right before, its end record 56 bytes before that.
        if (eocd >= 20 + 56) {
            char buf[56];
            if (f.seek(eocd - 20) && f.read(buf, 20) == 20 && le32(buf) == 0x07064b50
                && f.seek(eocd - 20 - 56) && f.read(buf, 56) == 56 && le32(buf) == 0x06064b50) {
                cdSize = le64(buf + 40);
                cdOffset = le64(buf + 48);
                recordPos = eocd - 20 - 56;
            }
        }
        const qint64 leading = recordPos - qint64(cdSize) - qint64(cdOffset);
        return leading < 0 ? -1 : leading;
    }
    return -1;
}

ZipHandle oeffneLesend(const QString &path, qint64 *vorspann, QString *grundText)
{
    *vorspann = 0;
    if (!QFileInfo(path).isFile()) {
        *grundText = QFileInfo::exists(path) ? texte::grundNichtLesbar() : texte::grundNichtGefunden();
        return {};
    }
    const QByteArray local = QFile::encodeName(path);
    const qint64 leading = vorspannBytes(path);
    int err = 0;
    if (leading <= 0) {
        ZipHandle za(zip_open(local.constData(), ZIP_RDONLY, &err));
        if (!za)
            *grundText = grund(err);
        return za;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_file_create(local.constData(), zip_uint64_t(leading), -1, &error);
    if (!src) {
        *grundText = grund(&error);
        zip_error_fini(&error);
        return {};
    }
    ZipHandle za(zip_open_from_source(src, ZIP_RDONLY, &error));
    if (!za) {
        zip_source_free(src);
        *grundText = grund(&error);
    } else {
        *vorspann = leading;
    }
    zip_error_fini(&error);
    return za;
}

QString grund(int zipError)
{
    switch (zipError) {
    case ZIP_ER_NOZIP: return texte::grundKeinZip();
    case ZIP_ER_NOENT: return texte::grundNichtGefunden();
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK: return texte::grundNichtLesbar();
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF: return texte::grundBeschaedigt();
    case ZIP_ER_CRC: return texte::grundCrc();
    case ZIP_ER_ZLIB: return texte::grundDaten();
    case ZIP_ER_WRONGPASSWD: return texte::grundFalschesPasswort();
    case ZIP_ER_NOPASSWD: return texte::grundKeinPasswort();
    case ZIP_ER_COMPNOTSUPP: return texte::grundVerfahren();
    case ZIP_ER_ENCRNOTSUPP: return texte::grundVerschluesselung();
    case ZIP_ER_MEMORY: return texte::grundSpeicher();
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME: return texte::grundSchreiben();
    case ZIP_ER_RDONLY: return texte::grundSchreibgeschuetzt();
    case ZIP_ER_CANCELLED: return texte::grundAbgebrochen();
    default: break;
    }
    zip_error_t e;
    zip_error_init_with_code(&e, zipError);
    const QString text = texte::grundLibzip(zipError, QString::fromUtf8(zip_error_strerror(&e)));
    zip_error_fini(&e);
    return text;
}

QString grund(zip_error_t *err) { return grund(zip_error_code_zip(err)); }

QString eintragName(zip_t *za, zip_uint64_t index)
{
    const char *n = zip_get_name(za, index, ZIP_FL_ENC_GUESS);
    return n ? QString::fromUtf8(n) : QString();
}

// libzip keeps the AES extra field to itself; the stat tells the strength, and a CRC of 0
// (AE-2) is what it then wrongly compares with.
bool aesOhneCrc(zip_t *za, zip_uint64_t index)
{
    zip_stat_t st;
    const zip_uint64_t noetig = ZIP_STAT_SIZE | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    return zip_stat_index(za, index, 0, &st) == 0 && (st.valid & noetig) == noetig && st.crc == 0
           && st.size >= 20
           && (st.encryption_method == ZIP_EM_AES_128 || st.encryption_method == ZIP_EM_AES_192
               || st.encryption_method == ZIP_EM_AES_256);
}

bool aesEchtheitOk(zip_t *za, zip_uint64_t index, const QByteArray &passwort)
{
    zip_stat_t st;
    if (zip_stat_index(za, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_COMP_SIZE))
        return false;
    const int staerke = st.encryption_method == ZIP_EM_AES_128 ? 1 : st.encryption_method == ZIP_EM_AES_192 ? 2 : 3;
    const int keyLen = 8 + 8 * staerke;
    const int saltLen = keyLen / 2;
    const qint64 textLen = qint64(st.comp_size) - saltLen - 2 - 10;
    if (textLen < 0)
        return false;
    zip_file_t *zf = zip_fopen_index(za, index, ZIP_FL_ENCRYPTED);
    if (!zf)
        return false;
    auto lies = [zf](qint64 n) {
        QByteArray b(n, Qt::Uninitialized);
        return zip_fread(zf, b.data(), zip_uint64_t(n)) == n ? b : QByteArray();
    };
    const QByteArray kopf = lies(saltLen + 2);
    // PBKDF2-HMAC-SHA1, 1000 rounds: AES key, HMAC key, password check value.
    const QByteArray salt = kopf.left(saltLen);
    QByteArray schluessel;
    for (quint32 block = 1; schluessel.size() < 2 * keyLen + 2; ++block) {
        QByteArray u = salt;
        u.append(char(block >> 24)).append(char(block >> 16)).append(char(block >> 8)).append(char(block));
        u = QMessageAuthenticationCode::hash(u, passwort, QCryptographicHash::Sha1);
        QByteArray t = u;
        for (int i = 1; i < 1000; ++i) {
            u = QMessageAuthenticationCode::hash(u, passwort, QCryptographicHash::Sha1);
            for (qsizetype k = 0; k < t.size(); ++k)
                t[k] = char(t[k] ^ u[k]);
        }
        schluessel += t;
    }
    bool ok = kopf.size() == saltLen + 2 && schluessel.mid(2 * keyLen, 2) == kopf.mid(saltLen, 2);
    QMessageAuthenticationCode mac(QCryptographicHash::Sha1, schluessel.mid(keyLen, keyLen));
    for (qint64 rest = textLen; ok && rest > 0;) {
        const QByteArray block = lies(qMin<qint64>(rest, 1 << 20));
        ok = !block.isEmpty();
        mac.addData(block);
        rest -= block.size();
    }
    ok = ok && lies(10) == mac.result().left(10);
    zip_fclose(zf);
    return ok;
}

QString sichererPfad(const QString &entryName)
{
    QString n = entryName;
    n.replace(u'\\', u'/');
    if (n.startsWith(u'/') || (n.size() >= 2 && n.at(1) == u':' && n.at(0).isLetter()))
        return {};
    QStringList teile;
    for (const QString &t : n.split(u'/', Qt::SkipEmptyParts)) {
        if (t == u".."_s || t.contains(QChar(0)))
            return {};
        if (t != u"."_s)
            teile << t;
    }
    return teile.join(u'/');
}

QString speicherName(const QString &filePath, bool noPaths)
{
    QString p = filePath;
    p.replace(u'\\', u'/');
    if (noPaths)
        return p.mid(p.lastIndexOf(u'/') + 1);
    if (p.size() >= 2 && p.at(1) == u':' && p.at(0).isLetter())
        p = p.mid(2);
    QStringList teile;
    for (const QString &t : p.split(u'/', Qt::SkipEmptyParts)) {
        if (t == u".."_s) {
            if (!teile.isEmpty())
                teile.removeLast();
        } else if (t != u"."_s) {
            teile << t;
        }
    }
    return teile.join(u'/');
}

bool passtMuster(const QString &text, const QString &muster, Qt::CaseSensitivity cs)
{
    QString rx;
    for (const QChar c : muster) {
        if (c == u'*')
            rx += u".*"_s;
        else if (c == u'?')
            rx += u'.';
        else
            rx += QRegularExpression::escape(QString(c));
    }
    QRegularExpression re(QRegularExpression::anchoredPattern(rx),
                          QRegularExpression::DotMatchesEverythingOption
                              | (cs == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                           : QRegularExpression::NoPatternOption));
    return re.match(text).hasMatch();
}

} // namespace kasto::engine
