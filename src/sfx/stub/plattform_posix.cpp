// POSIX files and console, crypto from nettle.
#include "plattform.h"

#include <nettle/aes.h>
#include <nettle/hmac.h>
#include <nettle/pbkdf2.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sfx {

void konsoleEinrichten() {}

std::vector<std::string> argumente(int argc, char **argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string eigenerPfad()
{
    char buf[PATH_MAX + 1];
    const ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0)
        return {};
    return std::string(buf, size_t(n));
}

std::string aktuellerOrdner()
{
    char buf[PATH_MAX + 1];
    if (!getcwd(buf, sizeof buf))
        return ".";
    return buf;
}

Art art(const std::string &pfad)
{
    struct stat st;
    if (lstat(pfad.c_str(), &st) != 0)
        return Art::Fehlt;
    if (S_ISLNK(st.st_mode))
        return Art::Link;
    if (S_ISDIR(st.st_mode))
        return Art::Ordner;
    if (S_ISREG(st.st_mode))
        return Art::Datei;
    return Art::Anderes;
}

FILE *lesenOeffnen(const std::string &pfad)
{
    return std::fopen(pfad.c_str(), "rb");
}

bool suchen(FILE *f, uint64_t pos)
{
    return fseeko(f, off_t(pos), SEEK_SET) == 0;
}

int64_t groesse(FILE *f)
{
    if (fseeko(f, 0, SEEK_END) != 0)
        return -1;
    return int64_t(ftello(f));
}

bool leeren(FILE *f)
{
    return std::fflush(f) == 0 && fseeko(f, 0, SEEK_SET) == 0 && ftruncate(fileno(f), 0) == 0;
}

FILE *neuAnlegen(const std::string &pfad)
{
    const int fd = open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    FILE *f = fdopen(fd, "wb");
    if (!f)
        close(fd);
    return f;
}

bool ordnerAnlegen(const std::string &pfad)
{
    return mkdir(pfad.c_str(), 0755) == 0 || errno == EEXIST;
}

bool ersetzen(const std::string &von, const std::string &nach)
{
    return std::rename(von.c_str(), nach.c_str()) == 0;
}

bool loeschen(const std::string &pfad)
{
    return unlink(pfad.c_str()) == 0;
}

void zeitSetzen(const std::string &pfad, int jahr, int monat, int tag, int stunde, int minute,
                int sekunde)
{
    std::tm t{};
    t.tm_year = jahr - 1900;
    t.tm_mon = monat - 1;
    t.tm_mday = tag;
    t.tm_hour = stunde;
    t.tm_min = minute;
    t.tm_sec = sekunde;
    t.tm_isdst = -1;
    const time_t s = mktime(&t);
    if (s == time_t(-1))
        return;
    struct timespec ts[2];
    ts[0].tv_sec = ts[1].tv_sec = s;
    ts[0].tv_nsec = ts[1].tv_nsec = 0;
    utimensat(AT_FDCWD, pfad.c_str(), ts, AT_SYMLINK_NOFOLLOW);
}

void rechteSetzen(const std::string &pfad, unsigned modus)
{
    chmod(pfad.c_str(), modus & 0777);
}

bool zeileLesen(std::string &zeile, bool verdeckt)
{
    termios alt{};
    const bool terminal = verdeckt && isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &alt) == 0;
    if (terminal) {
        termios neu = alt;
        neu.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &neu);
    }
    const bool gelesen = zeileAusStdin(zeile);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &alt);
        std::fputc('\n', stdout);
    }
    return gelesen;
}

bool pbkdf2Sha1(const std::string &passwort, const uint8_t *salt, size_t saltLaenge, unsigned runden,
                uint8_t *ziel, size_t zielLaenge)
{
    pbkdf2_hmac_sha1(passwort.size(), reinterpret_cast<const uint8_t *>(passwort.data()), runden,
                     saltLaenge, salt, zielLaenge, ziel);
    return true;
}

struct Aes::Impl {
    size_t laenge = 0;
    aes128_ctx a128;
    aes192_ctx a192;
    aes256_ctx a256;
};

Aes::Aes(const uint8_t *schluessel, size_t laenge)
    : d(new Impl)
{
    d->laenge = laenge;
    switch (laenge) {
    case 16: aes128_set_encrypt_key(&d->a128, schluessel); break;
    case 24: aes192_set_encrypt_key(&d->a192, schluessel); break;
    case 32: aes256_set_encrypt_key(&d->a256, schluessel); break;
    default: d->laenge = 0;
    }
}

Aes::~Aes() = default;

bool Aes::gueltig() const
{
    return d->laenge != 0;
}

bool Aes::verschluesseln(const uint8_t *ein, uint8_t *aus, size_t laenge)
{
    switch (d->laenge) {
    case 16: aes128_encrypt(&d->a128, laenge, aus, ein); return true;
    case 24: aes192_encrypt(&d->a192, laenge, aus, ein); return true;
    case 32: aes256_encrypt(&d->a256, laenge, aus, ein); return true;
    }
    return false;
}

struct HmacSha1::Impl {
    hmac_sha1_ctx ctx;
};

HmacSha1::HmacSha1(const uint8_t *schluessel, size_t laenge)
    : d(new Impl)
{
    hmac_sha1_set_key(&d->ctx, laenge, schluessel);
}

HmacSha1::~HmacSha1() = default;

bool HmacSha1::gueltig() const
{
    return true;
}

void HmacSha1::hinzu(const uint8_t *daten, size_t laenge)
{
    hmac_sha1_update(&d->ctx, laenge, daten);
}

void HmacSha1::ergebnis(uint8_t ziel[20])
{
    hmac_sha1_digest(&d->ctx, SHA1_DIGEST_SIZE, ziel);
}

} // namespace sfx
