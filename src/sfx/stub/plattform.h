#pragma once
// What the self-extractor needs from the operating system: files, the console and the crypto
// primitives. One implementation per platform (POSIX + nettle, Windows + CNG). Paths are UTF-8
// with "/" as separator; the Windows side converts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace sfx {

// Prepares the console for UTF-8 text.
void konsoleEinrichten();
// The program's arguments in UTF-8, without the program name.
std::vector<std::string> argumente(int argc, char **argv);
// Full path of the running program, "" when unknown.
std::string eigenerPfad();
std::string aktuellerOrdner();

enum class Art { Fehlt, Datei, Ordner, Link, Anderes };
// What is at `pfad`, without following a symbolic link.
Art art(const std::string &pfad);

FILE *lesenOeffnen(const std::string &pfad);
// 64-bit positions in an open file.
bool suchen(FILE *f, uint64_t pos);
int64_t groesse(FILE *f); // -1 on failure
// Cuts a file opened for writing back to nothing.
bool leeren(FILE *f);
// Creates a new file; fails when anything exists under that name (no following of links).
FILE *neuAnlegen(const std::string &pfad);
bool ordnerAnlegen(const std::string &pfad);
// Moves `von` to `nach`, replacing a file that is there.
bool ersetzen(const std::string &von, const std::string &nach);
bool loeschen(const std::string &pfad);
// Local time of the entry; failures are ignored.
void zeitSetzen(const std::string &pfad, int jahr, int monat, int tag, int stunde, int minute,
                int sekunde);
// Unix permission bits of the entry (ignored where the platform has none).
void rechteSetzen(const std::string &pfad, unsigned modus);

// One line of standard input without its line end (LF or CR LF); false at the end of input.
inline bool zeileAusStdin(std::string &zeile)
{
    zeile.clear();
    bool gelesen = false;
    for (int c; (c = std::getchar()) != EOF;) {
        gelesen = true;
        if (c == '\n')
            break;
        zeile.push_back(char(c));
    }
    if (!zeile.empty() && zeile.back() == '\r')
        zeile.pop_back();
    return gelesen;
}

// One line from the console without its line end; false at the end of input.
// `verdeckt` hides the typed characters (passwords).
bool zeileLesen(std::string &zeile, bool verdeckt);

// PBKDF2 with HMAC-SHA1.
bool pbkdf2Sha1(const std::string &passwort, const uint8_t *salt, size_t saltLaenge,
                unsigned runden, uint8_t *ziel, size_t zielLaenge);

// AES in single-block (ECB) use; the caller builds the counter mode around it.
class Aes
{
public:
    Aes(const uint8_t *schluessel, size_t laenge); // 16, 24 or 32 bytes
    ~Aes();
    bool gueltig() const;
    // Encrypts `laenge` bytes (a multiple of 16) block by block.
    bool verschluesseln(const uint8_t *ein, uint8_t *aus, size_t laenge);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

class HmacSha1
{
public:
    HmacSha1(const uint8_t *schluessel, size_t laenge);
    ~HmacSha1();
    bool gueltig() const;
    void hinzu(const uint8_t *daten, size_t laenge);
    void ergebnis(uint8_t ziel[20]);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace sfx
