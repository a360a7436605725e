#pragma once
// The questions the engine has to ask the user: passwords and overwriting. The windows answer
// them with dialogs, tests and kasto-cli with scripted answers. Without a handler the engine
// assumes "no password" and "do not overwrite".

#include <QString>
#include <functional>

namespace kasto::engine {

// Answer to "Datei überschreiben?".
enum class Ueberschreiben { Ja, Nein, JaAlle, NeinKeine };

// Password for reading an encrypted entry.
struct LesePasswortFrage {
    QString archiv;  // path of the archive
    QString eintrag; // full entry name
};
struct LesePasswortAntwort {
    bool abbruch = true; // true: no password (the entry is not read)
    QString passwort;
};

enum class Verschluesselung { Aes256, ZipCrypto };

// Password for writing encrypted entries.
struct SchreibPasswortFrage {
    QString archiv;
};
struct SchreibPasswortAntwort {
    bool abbruch = true; // true: nothing is added
    QString passwort;
    Verschluesselung verfahren = Verschluesselung::Aes256;
};

using LesePasswortHandler = std::function<LesePasswortAntwort(const LesePasswortFrage &)>;
using SchreibPasswortHandler = std::function<SchreibPasswortAntwort(const SchreibPasswortFrage &)>;
using UeberschreibenHandler = std::function<Ueberschreiben(const QString &filePath)>;
// Lets pending window events run during long work (the window sets it to ui::doEvents).
using IdleHandler = std::function<void()>;

} // namespace kasto::engine
