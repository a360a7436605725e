// kasto-sfx: the self-extractor that Kasto puts in front of a ZIP archive. It reads the ZIP data
// appended to its own file and extracts, tests or lists it. Plain C++ and zlib; everything the
// operating system has to do is in plattform.h.
#include "plattform.h"

#include <zlib.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using sfx::Art;

// ---------------------------------------------------------------- output

void meldung(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void fehlerMeldung(const char *format, ...)
{
    std::fflush(stdout);
    std::fputs("Fehler: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void frage(const char *text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// ---------------------------------------------------------------- archive structure

uint16_t le16(const uint8_t *p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint64_t le64(const uint8_t *p)
{
    return uint64_t(le32(p)) | (uint64_t(le32(p + 4)) << 32);
}

constexpr uint32_t kSigLokal = 0x04034b50;
constexpr uint32_t kSigZentral = 0x02014b50;
constexpr uint32_t kSigEnde = 0x06054b50;
constexpr uint32_t kSigEnde64 = 0x06064b50;
constexpr uint32_t kSigLocator64 = 0x07064b50;

constexpr uint16_t kVerschluesselt = 0x0001;
constexpr uint16_t kDatenDeskriptor = 0x0008;
constexpr uint16_t kUtf8 = 0x0800;
constexpr uint16_t kMethodeAes = 99;

struct Eintrag {
    std::string name; // UTF-8, "/" as separator
    uint16_t erstelltMit = 0;
    uint16_t flags = 0;
    uint16_t methode = 0;
    uint16_t dosZeit = 0;
    uint16_t dosDatum = 0;
    uint32_t crc = 0;
    uint64_t kompGroesse = 0;
    uint64_t groesse = 0;
    uint64_t lokalOffset = 0;
    uint32_t externeAttribute = 0;
    // WinZip AES
    int aesVersion = 0;  // 1 = AE-1, 2 = AE-2
    int aesStaerke = 0;  // 1, 2, 3 = 128, 192, 256 bits
    uint16_t aesMethode = 0;

    bool istOrdner() const { return !name.empty() && name.back() == '/'; }
    bool istLink() const
    {
        return (erstelltMit >> 8) == 3 && ((externeAttribute >> 16) & 0170000) == 0120000;
    }
    unsigned unixModus() const { return (erstelltMit >> 8) == 3 ? (externeAttribute >> 16) & 07777 : 0; }
    uint16_t datenMethode() const { return methode == kMethodeAes ? aesMethode : methode; }
};

const uint16_t kCp437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

bool istUtf8(const std::string &s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto c = uint8_t(s[i]);
        size_t folge;
        if (c < 0x80)
            folge = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            folge = 1;
        else if ((c >> 4) == 0xE)
            folge = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            folge = 3;
        else
            return false;
        if (i + folge >= s.size() && folge > 0)
            return false;
        for (size_t k = 1; k <= folge; ++k) {
            if ((uint8_t(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += folge + 1;
    }
    return true;
}

// Names without the UTF-8 flag: UTF-8 when they are valid UTF-8 (as Info-ZIP writes them on Linux),
// otherwise the DOS code page of old tools.
std::string nameLesen(const uint8_t *p, size_t n, bool utf8Flag)
{
    std::string roh(reinterpret_cast<const char *>(p), n);
    if (utf8Flag || istUtf8(roh))
        return roh;
    std::string s;
    for (unsigned char c : roh) {
        if (c < 0x80) {
            s.push_back(char(c));
            continue;
        }
        const uint16_t u = kCp437[c - 0x80];
        if (u < 0x800) {
            s.push_back(char(0xC0 | (u >> 6)));
            s.push_back(char(0x80 | (u & 0x3F)));
        } else {
            s.push_back(char(0xE0 | (u >> 12)));
            s.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            s.push_back(char(0x80 | (u & 0x3F)));
        }
    }
    return s;
}

bool lesenAn(FILE *f, uint64_t pos, void *ziel, size_t n)
{
    if (!sfx::suchen(f, pos))
        return false;
    return std::fread(ziel, 1, n, f) == n;
}

struct Archiv {
    FILE *datei = nullptr;
    uint64_t groesse = 0;
    uint64_t vorspann = 0; // bytes in front of the ZIP data whose offsets were not adjusted
    std::vector<Eintrag> eintraege;
};

// Finds the End of Central Directory record and reads the central directory.
bool archivLesen(Archiv &a, std::string &fehler)
{
    const int64_t groesse = sfx::groesse(a.datei);
    if (groesse < 0) {
        fehler = "Die Programmdatei kann nicht gelesen werden.";
        return false;
    }
    a.groesse = uint64_t(groesse);
    const uint64_t fenster = a.groesse < 65557 ? a.groesse : 65557;
    std::vector<uint8_t> ende(fenster);
    if (fenster < 22 || !lesenAn(a.datei, a.groesse - fenster, ende.data(), fenster)) {
        fehler = "Es wurden keine ZIP-Daten gefunden.";
        return false;
    }
    int64_t eocd = -1;
    for (int64_t i = int64_t(fenster) - 22; i >= 0; --i) {
        const uint8_t *p = ende.data() + i;
        if (le32(p) == kSigEnde && uint64_t(i) + 22 + le16(p + 20) == fenster) {
            eocd = i;
            break;
        }
    }
    if (eocd < 0) {
        fehler = "Es wurden keine ZIP-Daten gefunden.";
        return false;
    }
    const uint8_t *e = ende.data() + eocd;
    const uint64_t eocdPos = a.groesse - fenster + uint64_t(eocd);
    uint64_t anzahl = le16(e + 10);
    uint64_t cdGroesse = le32(e + 12);
    uint64_t cdOffset = le32(e + 16);
    uint64_t endePos = eocdPos;

    // ZIP64: the locator sits right before the record, the ZIP64 end record 56 bytes before that.
    if (eocdPos >= 20 + 56) {
        uint8_t loc[20];
        uint8_t z64[56];
        if (lesenAn(a.datei, eocdPos - 20, loc, 20) && le32(loc) == kSigLocator64
            && lesenAn(a.datei, eocdPos - 20 - 56, z64, 56) && le32(z64) == kSigEnde64) {
            anzahl = le64(z64 + 32);
            cdGroesse = le64(z64 + 40);
            cdOffset = le64(z64 + 48);
            endePos = eocdPos - 20 - 56;
        }
    }
    if (cdGroesse + cdOffset > endePos) {
        fehler = "Das angehängte ZIP-Archiv ist beschädigt.";
        return false;
    }
    a.vorspann = endePos - cdGroesse - cdOffset;

    std::vector<uint8_t> cd(static_cast<size_t>(cdGroesse));
    if (cdGroesse > 0 && !lesenAn(a.datei, a.vorspann + cdOffset, cd.data(), cd.size())) {
        fehler = "Das Inhaltsverzeichnis des Archivs kann nicht gelesen werden.";
        return false;
    }
    size_t pos = 0;
    for (uint64_t i = 0; i < anzahl; ++i) {
        if (pos + 46 > cd.size() || le32(cd.data() + pos) != kSigZentral) {
            fehler = "Das Inhaltsverzeichnis des Archivs ist beschädigt.";
            return false;
        }
        const uint8_t *p = cd.data() + pos;
        Eintrag en;
        en.erstelltMit = le16(p + 4);
        en.flags = le16(p + 8);
        en.methode = le16(p + 10);
        en.dosZeit = le16(p + 12);
        en.dosDatum = le16(p + 14);
        en.crc = le32(p + 16);
        en.kompGroesse = le32(p + 20);
        en.groesse = le32(p + 24);
        const size_t nl = le16(p + 28), xl = le16(p + 30), kl = le16(p + 32);
        en.externeAttribute = le32(p + 38);
        en.lokalOffset = le32(p + 42);
        if (pos + 46 + nl + xl + kl > cd.size()) {
            fehler = "Das Inhaltsverzeichnis des Archivs ist beschädigt.";
            return false;
        }
        en.name = nameLesen(p + 46, nl, en.flags & kUtf8);
        for (auto &c : en.name) {
            if (c == '\\')
                c = '/';
        }
        const uint8_t *x = p + 46 + nl;
        for (size_t k = 0; k + 4 <= xl;) {
            const uint16_t id = le16(x + k), len = le16(x + k + 2);
            const uint8_t *d = x + k + 4;
            if (k + 4 + len > xl)
                break;
            if (id == 0x0001) {
                size_t o = 0;
                if (en.groesse == 0xFFFFFFFF && o + 8 <= len) {
                    en.groesse = le64(d + o);
                    o += 8;
                }
                if (en.kompGroesse == 0xFFFFFFFF && o + 8 <= len) {
                    en.kompGroesse = le64(d + o);
                    o += 8;
                }
                if (en.lokalOffset == 0xFFFFFFFF && o + 8 <= len)
                    en.lokalOffset = le64(d + o);
            } else if (id == 0x9901 && len >= 7) {
                en.aesVersion = le16(d);
                en.aesStaerke = d[4];
                en.aesMethode = le16(d + 5);
            }
            k += 4 + len;
        }
        a.eintraege.push_back(std::move(en));
        pos += 46 + nl + xl + kl;
    }
    return true;
}

// ---------------------------------------------------------------- reading an entry

enum class Ergebnis { Ok, FalschesPasswort, Fehler };

// Receives the uncompressed bytes; false stops the reading (write error).
using Senke = bool (*)(void *kontext, const uint8_t *daten, size_t laenge);

class ZipCrypto
{
public:
    explicit ZipCrypto(const std::string &passwort)
    {
        for (unsigned char c : passwort)
            schritt(c);
    }
    void entschluesseln(uint8_t *p, size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            const uint32_t t = (m_k[2] | 2) & 0xFFFF;
            p[i] = uint8_t(p[i] ^ uint8_t((t * (t ^ 1)) >> 8));
            schritt(p[i]);
        }
    }

private:
    void schritt(uint8_t c)
    {
        m_k[0] = crcByte(m_k[0], c);
        m_k[1] = (m_k[1] + (m_k[0] & 0xFF)) * 134775813u + 1;
        m_k[2] = crcByte(m_k[2], uint8_t(m_k[1] >> 24));
    }
    static uint32_t crcByte(uint32_t crc, uint8_t c)
    {
        // zlib's CRC works on the final (inverted) value; the cipher keeps the raw register.
        return ~uint32_t(crc32(~crc & 0xFFFFFFFFu, &c, 1)) & 0xFFFFFFFFu;
    }
    uint32_t m_k[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

// WinZip AES: counter mode with a little-endian block counter starting at 1.
class AesCtr
{
public:
    AesCtr(sfx::Aes &aes)
        : m_aes(aes)
    {
    }
    bool anwenden(uint8_t *p, size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            if (m_rest == 16) {
                ++m_zaehler;
                uint8_t block[16] = {};
                for (int b = 0; b < 8; ++b)
                    block[b] = uint8_t(m_zaehler >> (8 * b));
                if (!m_aes.verschluesseln(block, m_strom, 16))
                    return false;
                m_rest = 0;
            }
            p[i] ^= m_strom[m_rest++];
        }
        return true;
    }

private:
    sfx::Aes &m_aes;
    uint64_t m_zaehler = 0;
    uint8_t m_strom[16] = {};
    size_t m_rest = 16;
};

Ergebnis eintragLesen(const Archiv &a, const Eintrag &e, const std::string &passwort, Senke senke,
                      void *kontext, std::string &fehler)
{
    uint8_t lokal[30];
    if (!lesenAn(a.datei, a.vorspann + e.lokalOffset, lokal, 30) || le32(lokal) != kSigLokal) {
        fehler = "lokaler Eintragskopf nicht gefunden";
        return Ergebnis::Fehler;
    }
    uint64_t pos = a.vorspann + e.lokalOffset + 30 + le16(lokal + 26) + le16(lokal + 28);
    uint64_t rest = e.kompGroesse;
    if (pos + rest > a.groesse) {
        fehler = "Daten reichen über das Dateiende hinaus";
        return Ergebnis::Fehler;
    }
    const uint16_t methode = e.datenMethode();
    if (methode != 0 && methode != 8) {
        fehler = "Kompressionsmethode " + std::to_string(methode) + " wird nicht unterstützt";
        return Ergebnis::Fehler;
    }
    const bool verschluesselt = e.flags & kVerschluesselt;
    const bool aes = e.methode == kMethodeAes;

    std::unique_ptr<ZipCrypto> zc;
    std::unique_ptr<sfx::Aes> aesSchluessel;
    std::unique_ptr<AesCtr> ctr;
    std::unique_ptr<sfx::HmacSha1> hmac;
    if (aes) {
        if (e.aesStaerke < 1 || e.aesStaerke > 3) {
            fehler = "unbekannte AES-Schlüssellänge";
            return Ergebnis::Fehler;
        }
        const size_t kl = size_t(8 + 8 * e.aesStaerke); // 16, 24, 32
        const size_t saltLaenge = kl / 2;
        if (rest < saltLaenge + 2 + 10) {
            fehler = "verschlüsselte Daten zu kurz";
            return Ergebnis::Fehler;
        }
        uint8_t kopf[18];
        if (!lesenAn(a.datei, pos, kopf, saltLaenge + 2)) {
            fehler = "Lesefehler";
            return Ergebnis::Fehler;
        }
        std::vector<uint8_t> schluessel(2 * kl + 2);
        if (!sfx::pbkdf2Sha1(passwort, kopf, saltLaenge, 1000, schluessel.data(), schluessel.size())) {
            fehler = "Schlüsselableitung fehlgeschlagen";
            return Ergebnis::Fehler;
        }
        if (std::memcmp(schluessel.data() + 2 * kl, kopf + saltLaenge, 2) != 0)
            return Ergebnis::FalschesPasswort;
        aesSchluessel = std::make_unique<sfx::Aes>(schluessel.data(), kl);
        hmac = std::make_unique<sfx::HmacSha1>(schluessel.data() + kl, kl);
        if (!aesSchluessel->gueltig() || !hmac->gueltig()) {
            fehler = "AES nicht verfügbar";
            return Ergebnis::Fehler;
        }
        ctr = std::make_unique<AesCtr>(*aesSchluessel);
        pos += saltLaenge + 2;
        rest -= saltLaenge + 2 + 10;
    } else if (verschluesselt) {
        if (rest < 12) {
            fehler = "verschlüsselte Daten zu kurz";
            return Ergebnis::Fehler;
        }
        uint8_t kopf[12];
        if (!lesenAn(a.datei, pos, kopf, 12)) {
            fehler = "Lesefehler";
            return Ergebnis::Fehler;
        }
        zc = std::make_unique<ZipCrypto>(passwort);
        zc->entschluesseln(kopf, 12);
        const uint8_t pruef = (e.flags & kDatenDeskriptor) ? uint8_t(e.dosZeit >> 8) : uint8_t(e.crc >> 24);
        if (kopf[11] != pruef)
            return Ergebnis::FalschesPasswort;
        pos += 12;
        rest -= 12;
    }

    const uint64_t datenLaenge = rest;
    if (!sfx::suchen(a.datei, pos)) {
        fehler = "Lesefehler";
        return Ergebnis::Fehler;
    }
    z_stream z{};
    if (methode == 8 && inflateInit2(&z, -MAX_WBITS) != Z_OK) {
        fehler = "zlib-Fehler";
        return Ergebnis::Fehler;
    }
    std::vector<uint8_t> ein(65536), aus(65536);
    uint32_t crc = uint32_t(crc32(0, nullptr, 0));
    uint64_t geschrieben = 0;
    bool streamEnde = methode == 0;
    Ergebnis ergebnis = Ergebnis::Ok;
    auto ausgeben = [&](const uint8_t *p, size_t n) {
        crc = uint32_t(crc32(crc, p, uInt(n)));
        geschrieben += n;
        return n == 0 || senke(kontext, p, n);
    };
    while (ergebnis == Ergebnis::Ok && rest > 0) {
        const size_t n = size_t(rest < ein.size() ? rest : ein.size());
        if (std::fread(ein.data(), 1, n, a.datei) != n) {
            fehler = "Lesefehler";
            ergebnis = Ergebnis::Fehler;
            break;
        }
        rest -= n;
        if (hmac)
            hmac->hinzu(ein.data(), n);
        if (ctr && !ctr->anwenden(ein.data(), n)) {
            fehler = "AES-Fehler";
            ergebnis = Ergebnis::Fehler;
            break;
        }
        if (zc)
            zc->entschluesseln(ein.data(), n);
        if (methode == 0) {
            if (!ausgeben(ein.data(), n)) {
                fehler = "Schreibfehler";
                ergebnis = Ergebnis::Fehler;
            }
            continue;
        }
        z.next_in = ein.data();
        z.avail_in = uInt(n);
        while (z.avail_in > 0 && !streamEnde) {
            z.next_out = aus.data();
            z.avail_out = uInt(aus.size());
            const int r = inflate(&z, Z_NO_FLUSH);
            if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) {
                fehler = "Daten beschädigt";
                ergebnis = Ergebnis::Fehler;
                break;
            }
            if (!ausgeben(aus.data(), aus.size() - z.avail_out)) {
                fehler = "Schreibfehler";
                ergebnis = Ergebnis::Fehler;
                break;
            }
            if (r == Z_STREAM_END)
                streamEnde = true;
            else if (r == Z_BUF_ERROR)
                break;
        }
    }
    // Output still held back by inflate.
    while (ergebnis == Ergebnis::Ok && !streamEnde) {
        z.next_in = nullptr;
        z.avail_in = 0;
        z.next_out = aus.data();
        z.avail_out = uInt(aus.size());
        const int r = inflate(&z, Z_FINISH);
        const size_t n = aus.size() - z.avail_out;
        if (!ausgeben(aus.data(), n)) {
            fehler = "Schreibfehler";
            ergebnis = Ergebnis::Fehler;
        } else if (r == Z_STREAM_END) {
            streamEnde = true;
        } else if (n == 0) {
            fehler = "Daten unvollständig";
            ergebnis = Ergebnis::Fehler;
        }
    }
    if (methode == 8)
        inflateEnd(&z);
    if (ergebnis != Ergebnis::Ok)
        return ergebnis;

    if (hmac) {
        uint8_t gelesen[10], berechnet[20];
        if (!lesenAn(a.datei, pos + datenLaenge, gelesen, 10)) {
            fehler = "Lesefehler";
            return Ergebnis::Fehler;
        }
        hmac->ergebnis(berechnet);
        if (std::memcmp(gelesen, berechnet, 10) != 0) {
            fehler = "Prüfsumme (HMAC) falsch: Daten beschädigt";
            return Ergebnis::Fehler;
        }
    }
    if (geschrieben != e.groesse) {
        fehler = "Größe stimmt nicht";
        return Ergebnis::Fehler;
    }
    // AE-2 stores no CRC; the HMAC above vouches for the data.
    if (!(aes && e.aesVersion == 2) && crc != e.crc) {
        // A wrong ZipCrypto password passes the one-byte check now and then.
        if (zc)
            return Ergebnis::FalschesPasswort;
        fehler = "CRC-Fehler: Daten beschädigt";
        return Ergebnis::Fehler;
    }
    return Ergebnis::Ok;
}

// ---------------------------------------------------------------- extraction

struct Optionen {
    bool liste = false;
    bool test = false;
    bool alleErsetzen = false;
    std::string ziel;
    bool zielGegeben = false;
    std::string passwort;
    bool passwortGegeben = false;
};

struct Lauf {
    Archiv archiv;
    Optionen opt;
    std::string passwort;
    bool passwortBekannt = false;
    bool keineErsetzen = false;
    unsigned ok = 0;
    unsigned fehler = 0;
};

// Why a name must not be written: absolute, drive letter, ".." or an empty part in the middle.
const char *unsichererName(const std::string &name, std::vector<std::string> &teile)
{
    teile.clear();
    if (name.empty())
        return "leerer Name";
    if (name[0] == '/')
        return "absoluter Pfad";
    if (name.size() >= 2 && name[1] == ':')
        return "Laufwerksangabe";
    std::string teil;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            if (teil == "..")
                return "\"..\" im Pfad";
            if (!teil.empty() && teil != ".")
                teile.push_back(teil);
            teil.clear();
        } else {
#ifdef _WIN32
            if (name[i] == ':')
                return "\":\" im Namen";
#endif
            teil.push_back(name[i]);
        }
    }
    if (teile.empty())
        return "leerer Name";
    return nullptr;
}

bool passwortHolen(Lauf &l, const Eintrag &e, bool nochmal)
{
    if (l.opt.passwortGegeben) {
        if (nochmal)
            return false;
        l.passwort = l.opt.passwort;
        return true;
    }
    if (l.passwortBekannt && !nochmal)
        return true;
    if (nochmal)
        frage("Falsches Passwort. ");
    std::string text = "Passwort für " + e.name + " (leer = überspringen): ";
    frage(text.c_str());
    std::string zeile;
    if (!sfx::zeileLesen(zeile, true) || zeile.empty())
        return false;
    l.passwort = zeile;
    l.passwortBekannt = true;
    return true;
}

// Reads the entry, asking for the password as long as the user gives one.
Ergebnis lesenMitPasswort(Lauf &l, const Eintrag &e, Senke senke, void *kontext, bool (*neuStart)(void *),
                          std::string &fehler)
{
    const bool verschluesselt = (e.flags & kVerschluesselt) || e.methode == kMethodeAes;
    if (verschluesselt && !passwortHolen(l, e, false)) {
        fehler = "kein Passwort";
        return Ergebnis::Fehler;
    }
    for (;;) {
        const Ergebnis r = eintragLesen(l.archiv, e, verschluesselt ? l.passwort : std::string(), senke,
                                        kontext, fehler);
        if (r != Ergebnis::FalschesPasswort)
            return r;
        if (!passwortHolen(l, e, true)) {
            fehler = "falsches Passwort";
            return Ergebnis::Fehler;
        }
        if (!neuStart(kontext)) {
            fehler = "Schreibfehler";
            return Ergebnis::Fehler;
        }
    }
}

struct Ausgabe {
    FILE *datei = nullptr;
    std::string pfad;
};

bool schreiben(void *k, const uint8_t *p, size_t n)
{
    auto *a = static_cast<Ausgabe *>(k);
    return std::fwrite(p, 1, n, a->datei) == n;
}

bool vonVorn(void *k)
{
    auto *a = static_cast<Ausgabe *>(k);
    return sfx::leeren(a->datei);
}

bool verwerfen(void *, const uint8_t *, size_t)
{
    return true;
}

bool nichts(void *)
{
    return true;
}

std::string verbinden(const std::string &ordner, const std::string &name)
{
    if (ordner.empty())
        return name;
    const char letzt = ordner.back();
    if (letzt == '/' || letzt == '\\')
        return ordner + name;
    return ordner + "/" + name;
}

// Creates the folders of `teile[0 .. bis)` below the target; none of them may be a link.
bool ordnerKette(const std::string &ziel, const std::vector<std::string> &teile, size_t bis, std::string &pfad,
                 std::string &fehler)
{
    pfad = ziel;
    for (size_t i = 0; i < bis; ++i) {
        pfad = verbinden(pfad, teile[i]);
        switch (sfx::art(pfad)) {
        case Art::Ordner: break;
        case Art::Fehlt:
            if (!sfx::ordnerAnlegen(pfad)) {
                fehler = "Ordner kann nicht angelegt werden";
                return false;
            }
            break;
        case Art::Link: fehler = "symbolischer Link im Pfad (" + pfad + ")"; return false;
        default: fehler = "im Weg liegt eine Datei (" + pfad + ")"; return false;
        }
    }
    return true;
}

// True: write it. Asks unless -y or an earlier "alle"/"keine" answer decides.
bool ersetzenErlaubt(Lauf &l, const std::string &name)
{
    if (l.opt.alleErsetzen)
        return true;
    if (l.keineErsetzen)
        return false;
    for (;;) {
        const std::string text = "Die Datei " + name + " existiert bereits. Ersetzen? [j]a, [n]ein, [a]lle, [k]eine: ";
        frage(text.c_str());
        std::string zeile;
        if (!sfx::zeileLesen(zeile, false)) {
            std::fputc('\n', stdout);
            return false;
        }
        if (zeile == "j" || zeile == "J")
            return true;
        if (zeile == "n" || zeile == "N")
            return false;
        if (zeile == "a" || zeile == "A") {
            l.opt.alleErsetzen = true;
            return true;
        }
        if (zeile == "k" || zeile == "K") {
            l.keineErsetzen = true;
            return false;
        }
    }
}

void zeitUebernehmen(const std::string &pfad, const Eintrag &e)
{
    sfx::zeitSetzen(pfad, 1980 + (e.dosDatum >> 9), (e.dosDatum >> 5) & 15, e.dosDatum & 31, e.dosZeit >> 11,
                    (e.dosZeit >> 5) & 63, (e.dosZeit & 31) * 2);
}

void entpacken(Lauf &l, const Eintrag &e)
{
    std::vector<std::string> teile;
    if (const char *grund = unsichererName(e.name, teile)) {
        fehlerMeldung("%s: unsicherer Name (%s), nicht entpackt.", e.name.c_str(), grund);
        ++l.fehler;
        return;
    }
    if (e.istLink()) {
        fehlerMeldung("%s: symbolische Links werden nicht entpackt.", e.name.c_str());
        ++l.fehler;
        return;
    }
    std::string fehler, pfad;
    if (e.istOrdner()) {
        if (!ordnerKette(l.opt.ziel, teile, teile.size(), pfad, fehler)) {
            fehlerMeldung("%s: %s.", e.name.c_str(), fehler.c_str());
            ++l.fehler;
        }
        return;
    }
    std::string ordner;
    if (!ordnerKette(l.opt.ziel, teile, teile.size() - 1, ordner, fehler)) {
        fehlerMeldung("%s: %s.", e.name.c_str(), fehler.c_str());
        ++l.fehler;
        return;
    }
    pfad = verbinden(ordner, teile.back());
    switch (sfx::art(pfad)) {
    case Art::Fehlt: break;
    case Art::Datei:
        if (!ersetzenErlaubt(l, e.name)) {
            meldung("übersprungen: %s", e.name.c_str());
            return;
        }
        break;
    case Art::Link:
        fehlerMeldung("%s: am Ziel liegt ein symbolischer Link, nicht entpackt.", e.name.c_str());
        ++l.fehler;
        return;
    default:
        fehlerMeldung("%s: am Ziel liegt ein Ordner, nicht entpackt.", e.name.c_str());
        ++l.fehler;
        return;
    }

    // Written under a temporary name; only intact data replaces the target.
    Ausgabe aus;
    for (unsigned n = 0; !aus.datei && n < 1000; ++n) {
        aus.pfad = verbinden(ordner, ".kasto-sfx-" + std::to_string(n) + ".tmp");
        aus.datei = sfx::neuAnlegen(aus.pfad);
    }
    if (!aus.datei) {
        fehlerMeldung("%s: Datei kann nicht angelegt werden.", e.name.c_str());
        ++l.fehler;
        return;
    }
    meldung("entpacke: %s", e.name.c_str());
    const Ergebnis r = lesenMitPasswort(l, e, schreiben, &aus, vonVorn, fehler);
    const bool geschlossen = std::fclose(aus.datei) == 0;
    if (r != Ergebnis::Ok || !geschlossen) {
        sfx::loeschen(aus.pfad);
        fehlerMeldung("%s: %s.", e.name.c_str(), r == Ergebnis::Ok ? "Schreibfehler" : fehler.c_str());
        ++l.fehler;
        return;
    }
    if (const unsigned m = e.unixModus())
        sfx::rechteSetzen(aus.pfad, m);
    zeitUebernehmen(aus.pfad, e);
    if (!sfx::ersetzen(aus.pfad, pfad)) {
        sfx::loeschen(aus.pfad);
        fehlerMeldung("%s: Datei kann nicht ersetzt werden.", e.name.c_str());
        ++l.fehler;
        return;
    }
    ++l.ok;
}

void pruefen(Lauf &l, const Eintrag &e)
{
    if (e.istOrdner())
        return;
    std::string fehler;
    const Ergebnis r = lesenMitPasswort(l, e, verwerfen, nullptr, nichts, fehler);
    if (r == Ergebnis::Ok) {
        meldung("ok: %s", e.name.c_str());
        ++l.ok;
    } else {
        fehlerMeldung("%s: %s.", e.name.c_str(), fehler.c_str());
        ++l.fehler;
    }
}

std::string zahl(uint64_t n)
{
    std::string s = std::to_string(n);
    for (int i = int(s.size()) - 3; i > 0; i -= 3)
        s.insert(size_t(i), ".");
    return s;
}

void liste(Lauf &l)
{
    uint64_t summe = 0;
    unsigned dateien = 0;
    for (const Eintrag &e : l.archiv.eintraege) {
        char datum[32];
        std::snprintf(datum, sizeof datum, "%02u.%02u.%04u %02u:%02u", unsigned(e.dosDatum & 31),
                      unsigned((e.dosDatum >> 5) & 15), unsigned(1980 + (e.dosDatum >> 9)),
                      unsigned(e.dosZeit >> 11), unsigned((e.dosZeit >> 5) & 63));
        const bool geheim = (e.flags & kVerschluesselt) || e.methode == kMethodeAes;
        meldung("%12s  %s  %s%s", zahl(e.groesse).c_str(), datum, e.name.c_str(), geheim ? "  *" : "");
        if (!e.istOrdner()) {
            summe += e.groesse;
            ++dateien;
        }
    }
    meldung("%u Dateien, %s Bytes.", dateien, zahl(summe).c_str());
}

// The target folder the user named, with any missing parent folders.
bool ordnerMitEltern(const std::string &pfad)
{
    for (size_t i = 1; i < pfad.size(); ++i) {
        if ((pfad[i] == '/' || pfad[i] == '\\') && pfad[i - 1] != ':' && sfx::art(pfad.substr(0, i)) == Art::Fehlt)
            sfx::ordnerAnlegen(pfad.substr(0, i));
    }
    return sfx::ordnerAnlegen(pfad) && sfx::art(pfad) == Art::Ordner;
}

void hilfe()
{
    meldung("Kasto SFX-Archiv: entpackt die angehängten Dateien.\n"
            "Aufruf: kasto-sfx [-l | -t] [-d ORDNER] [-p PASSWORT] [-y]\n"
            "  -l           Inhalt auflisten\n"
            "  -t           Archiv testen\n"
            "  -d ORDNER    in ORDNER entpacken (ohne Angabe wird gefragt)\n"
            "  -p PASSWORT  Passwort für verschlüsselte Dateien\n"
            "  -y           vorhandene Dateien ohne Rückfrage ersetzen");
}

} // namespace

int main(int argc, char **argv)
{
    sfx::konsoleEinrichten();
    Lauf l;
    const std::vector<std::string> args = sfx::argumente(argc, argv);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "-l") {
            l.opt.liste = true;
        } else if (a == "-t") {
            l.opt.test = true;
        } else if (a == "-y") {
            l.opt.alleErsetzen = true;
        } else if ((a == "-d" || a == "-p") && i + 1 < args.size()) {
            if (a == "-d") {
                l.opt.ziel = args[++i];
                l.opt.zielGegeben = true;
            } else {
                l.opt.passwort = args[++i];
                l.opt.passwortGegeben = true;
            }
        } else if (a == "-h" || a == "--help" || a == "/?") {
            hilfe();
            return 0;
        } else {
            fehlerMeldung("unbekannte Angabe \"%s\".", a.c_str());
            hilfe();
            return 1;
        }
    }

    const std::string selbst = sfx::eigenerPfad();
    l.archiv.datei = selbst.empty() ? nullptr : sfx::lesenOeffnen(selbst);
    if (!l.archiv.datei) {
        fehlerMeldung("Die Programmdatei kann nicht geöffnet werden.");
        return 1;
    }
    std::string fehler;
    if (!archivLesen(l.archiv, fehler)) {
        fehlerMeldung("%s", fehler.c_str());
        return 1;
    }

    if (l.opt.liste) {
        liste(l);
        return 0;
    }

    uint64_t summe = 0;
    unsigned dateien = 0;
    for (const Eintrag &e : l.archiv.eintraege) {
        if (!e.istOrdner()) {
            summe += e.groesse;
            ++dateien;
        }
    }
    if (l.opt.test) {
        meldung("Teste %u Dateien (%s Bytes).", dateien, zahl(summe).c_str());
        for (const Eintrag &e : l.archiv.eintraege)
            pruefen(l, e);
        meldung("%u Dateien geprüft, %u fehlerhaft.", l.ok, l.fehler);
        return l.fehler == 0 ? 0 : 1;
    }

    meldung("Dieses SFX-Archiv enthält %u Dateien (%s Bytes).", dateien, zahl(summe).c_str());
    if (!l.opt.zielGegeben) {
        const std::string hier = sfx::aktuellerOrdner();
        const std::string text = "Zielordner (Eingabetaste = " + hier + "): ";
        frage(text.c_str());
        std::string zeile;
        if (!sfx::zeileLesen(zeile, false))
            std::fputc('\n', stdout);
        l.opt.ziel = zeile.empty() ? hier : zeile;
    }
    if (l.opt.ziel.empty())
        l.opt.ziel = ".";
    switch (sfx::art(l.opt.ziel)) {
    case Art::Ordner:
    case Art::Link: break; // a link the user names himself is his choice
    case Art::Fehlt:
        if (ordnerMitEltern(l.opt.ziel))
            break;
        [[fallthrough]];
    default:
        fehlerMeldung("Der Zielordner \"%s\" kann nicht angelegt werden.", l.opt.ziel.c_str());
        return 1;
    }
    meldung("Entpacke nach %s", l.opt.ziel.c_str());
    for (const Eintrag &e : l.archiv.eintraege)
        entpacken(l, e);
    meldung("%u Dateien entpackt, %u Fehler.", l.ok, l.fehler);
    return l.fehler == 0 ? 0 : 1;
}
