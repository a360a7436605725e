// Windows files and console (wide-character API), crypto from CNG (bcrypt).
#include "plattform.h"

#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <vector>

namespace sfx {

namespace {

std::wstring breit(const std::string &s)
{
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    for (auto &c : w) {
        if (c == L'/')
            c = L'\\';
    }
    return w;
}

std::string utf8(const wchar_t *w, size_t laenge)
{
    if (laenge == 0)
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, int(laenge), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, int(laenge), s.data(), n, nullptr, nullptr);
    return s;
}

// A path from the system, with "/" as separator.
std::string schmal(const wchar_t *w, size_t laenge)
{
    std::string s = utf8(w, laenge);
    for (auto &c : s) {
        if (c == '\\')
            c = '/';
    }
    return s;
}

bool ok(NTSTATUS s)
{
    return s >= 0;
}

} // namespace

void konsoleEinrichten()
{
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

std::vector<std::string> argumente(int, char **)
{
    // The narrow arguments are in the ANSI code page; the wide ones keep every character.
    int n = 0;
    wchar_t **w = CommandLineToArgvW(GetCommandLineW(), &n);
    std::vector<std::string> r;
    for (int i = 1; w && i < n; ++i)
        r.push_back(utf8(w[i], std::wcslen(w[i])));
    if (w)
        LocalFree(w);
    return r;
}

std::string eigenerPfad()
{
    std::vector<wchar_t> buf(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0 || n >= buf.size())
        return {};
    return schmal(buf.data(), n);
}

std::string aktuellerOrdner()
{
    std::vector<wchar_t> buf(32768);
    const DWORD n = GetCurrentDirectoryW(DWORD(buf.size()), buf.data());
    if (n == 0 || n >= buf.size())
        return ".";
    return schmal(buf.data(), n);
}

Art art(const std::string &pfad)
{
    const DWORD a = GetFileAttributesW(breit(pfad).c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return Art::Fehlt;
    if (a & FILE_ATTRIBUTE_REPARSE_POINT)
        return Art::Link; // symbolic links and junctions alike
    if (a & FILE_ATTRIBUTE_DIRECTORY)
        return Art::Ordner;
    return Art::Datei;
}

FILE *lesenOeffnen(const std::string &pfad)
{
    return _wfopen(breit(pfad).c_str(), L"rb");
}

bool suchen(FILE *f, uint64_t pos)
{
    return _fseeki64(f, int64_t(pos), SEEK_SET) == 0;
}

int64_t groesse(FILE *f)
{
    if (_fseeki64(f, 0, SEEK_END) != 0)
        return -1;
    return _ftelli64(f);
}

bool leeren(FILE *f)
{
    return std::fflush(f) == 0 && _fseeki64(f, 0, SEEK_SET) == 0 && _chsize_s(_fileno(f), 0) == 0;
}

FILE *neuAnlegen(const std::string &pfad)
{
    HANDLE h = CreateFileW(breit(pfad).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    const int fd = _open_osfhandle(intptr_t(h), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    FILE *f = _fdopen(fd, "wb");
    if (!f)
        _close(fd);
    return f;
}

bool ordnerAnlegen(const std::string &pfad)
{
    return CreateDirectoryW(breit(pfad).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ersetzen(const std::string &von, const std::string &nach)
{
    return MoveFileExW(breit(von).c_str(), breit(nach).c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool loeschen(const std::string &pfad)
{
    return DeleteFileW(breit(pfad).c_str());
}

void zeitSetzen(const std::string &pfad, int jahr, int monat, int tag, int stunde, int minute,
                int sekunde)
{
    SYSTEMTIME st{};
    st.wYear = WORD(jahr);
    st.wMonth = WORD(monat);
    st.wDay = WORD(tag);
    st.wHour = WORD(stunde);
    st.wMinute = WORD(minute);
    st.wSecond = WORD(sekunde);
    FILETIME lokal, utc;
    if (!SystemTimeToFileTime(&st, &lokal) || !LocalFileTimeToFileTime(&lokal, &utc))
        return;
    HANDLE h = CreateFileW(breit(pfad).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    SetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
}

void rechteSetzen(const std::string &, unsigned) {}

bool zeileLesen(std::string &zeile, bool verdeckt)
{
    zeile.clear();
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD modus = 0;
    if (GetConsoleMode(in, &modus)) {
        if (verdeckt)
            SetConsoleMode(in, modus & ~DWORD(ENABLE_ECHO_INPUT));
        std::wstring w;
        wchar_t c;
        DWORD n = 0;
        bool gelesen = false;
        while (ReadConsoleW(in, &c, 1, &n, nullptr) && n == 1) {
            gelesen = true;
            if (c == L'\n')
                break;
            if (c != L'\r')
                w.push_back(c);
        }
        if (verdeckt) {
            SetConsoleMode(in, modus);
            std::fputc('\n', stdout);
        }
        zeile = utf8(w.data(), w.size());
        return gelesen;
    }
    return zeileAusStdin(zeile);
}

bool pbkdf2Sha1(const std::string &passwort, const uint8_t *salt, size_t saltLaenge, unsigned runden,
                uint8_t *ziel, size_t zielLaenge)
{
    BCRYPT_ALG_HANDLE alg = nullptr;
    if (!ok(BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA1_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG)))
        return false;
    const bool r = ok(BCryptDeriveKeyPBKDF2(alg, PUCHAR(passwort.data()), ULONG(passwort.size()),
                                            PUCHAR(salt), ULONG(saltLaenge), runden, ziel,
                                            ULONG(zielLaenge), 0));
    BCryptCloseAlgorithmProvider(alg, 0);
    return r;
}

struct Aes::Impl {
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_KEY_HANDLE key = nullptr;
};

Aes::Aes(const uint8_t *schluessel, size_t laenge)
    : d(new Impl)
{
    if (!ok(BCryptOpenAlgorithmProvider(&d->alg, BCRYPT_AES_ALGORITHM, nullptr, 0))) {
        d->alg = nullptr;
        return;
    }
    const wchar_t *ecb = BCRYPT_CHAIN_MODE_ECB;
    if (!ok(BCryptSetProperty(d->alg, BCRYPT_CHAINING_MODE, PUCHAR(ecb),
                              ULONG((std::wcslen(ecb) + 1) * sizeof(wchar_t)), 0))
        || !ok(BCryptGenerateSymmetricKey(d->alg, &d->key, nullptr, 0, PUCHAR(schluessel), ULONG(laenge),
                                          0)))
        d->key = nullptr;
}

Aes::~Aes()
{
    if (d->key)
        BCryptDestroyKey(d->key);
    if (d->alg)
        BCryptCloseAlgorithmProvider(d->alg, 0);
}

bool Aes::gueltig() const
{
    return d->key != nullptr;
}

bool Aes::verschluesseln(const uint8_t *ein, uint8_t *aus, size_t laenge)
{
    ULONG n = 0;
    return ok(BCryptEncrypt(d->key, PUCHAR(ein), ULONG(laenge), nullptr, nullptr, 0, aus, ULONG(laenge), &n,
                            0));
}

struct HmacSha1::Impl {
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
};

HmacSha1::HmacSha1(const uint8_t *schluessel, size_t laenge)
    : d(new Impl)
{
    if (!ok(BCryptOpenAlgorithmProvider(&d->alg, BCRYPT_SHA1_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        d->alg = nullptr;
        return;
    }
    if (!ok(BCryptCreateHash(d->alg, &d->hash, nullptr, 0, PUCHAR(schluessel), ULONG(laenge), 0)))
        d->hash = nullptr;
}

HmacSha1::~HmacSha1()
{
    if (d->hash)
        BCryptDestroyHash(d->hash);
    if (d->alg)
        BCryptCloseAlgorithmProvider(d->alg, 0);
}

bool HmacSha1::gueltig() const
{
    return d->hash != nullptr;
}

void HmacSha1::hinzu(const uint8_t *daten, size_t laenge)
{
    BCryptHashData(d->hash, PUCHAR(daten), ULONG(laenge), 0);
}

void HmacSha1::ergebnis(uint8_t ziel[20])
{
    BCryptFinishHash(d->hash, ziel, 20, 0);
}

} // namespace sfx
