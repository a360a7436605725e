// list / test / extract / add / delete: the ZIP components without windows.
#include "cli.h"

#include "engine/unzipcomponent.h"
#include "engine/zipcomponent.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kasto::engine;

namespace kasto::cli {

namespace {

struct Optionen {
    QStringList frei;          // positional arguments
    QString passwort;
    bool passwortGesetzt = false;
    bool ja = false;
    bool rekursiv = false, system = false, ohnePfade = false;
    QString verschluesselung;  // "", "aes", "zipcrypto"
};

// Parses the options every archive command knows; false on a usage error.
bool parse(const QStringList &args, Optionen *o, bool mitAdd)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--password"_s && i + 1 < args.size()) {
            o->passwort = args.at(++i);
            o->passwortGesetzt = true;
        } else if (a == u"--yes"_s) {
            o->ja = true;
        } else if (mitAdd && a == u"--recurse"_s) {
            o->rekursiv = true;
        } else if (mitAdd && a == u"--system"_s) {
            o->system = true;
        } else if (mitAdd && a == u"--no-paths"_s) {
            o->ohnePfade = true;
        } else if (mitAdd && a == u"--encrypt"_s && i + 1 < args.size()) {
            o->verschluesselung = args.at(++i);
            if (o->verschluesselung != u"aes"_s && o->verschluesselung != u"zipcrypto"_s)
                return false;
        } else if (a.startsWith(u"--"_s)) {
            return false;
        } else {
            o->frei << a;
        }
    }
    if (!o->passwortGesetzt && qEnvironmentVariableIsSet("KASTO_PASSWORD")) {
        o->passwort = qEnvironmentVariable("KASTO_PASSWORD");
        o->passwortGesetzt = true;
    }
    return true;
}

// Reads a line from the terminal without echo; false when there is no terminal.
bool frageTerminal(const QString &prompt, QString *antwort)
{
    FILE *tty = std::fopen("/dev/tty", "r+");
    if (!tty)
        return false;
    std::fputs(prompt.toLocal8Bit().constData(), tty);
    std::fflush(tty);
    termios alt{}, neu{};
    const bool term = tcgetattr(fileno(tty), &alt) == 0;
    if (term) {
        neu = alt;
        neu.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(fileno(tty), TCSAFLUSH, &neu);
    }
    char buf[1024];
    const bool ok = std::fgets(buf, sizeof buf, tty) != nullptr;
    if (term)
        tcsetattr(fileno(tty), TCSAFLUSH, &alt);
    std::fputs("\n", tty);
    std::fclose(tty);
    if (!ok)
        return false;
    *antwort = QString::fromLocal8Bit(buf).chopped(QByteArrayView(buf).endsWith('\n') ? 1 : 0);
    return true;
}

bool istFehlerText(const QString &t)
{
    for (const auto &p : {u"Fehler"_s, u"Abgelehnt"_s, u"Abgebrochen"_s, u"Kein"_s, u"Übersprungen"_s})
        if (t.startsWith(p))
            return true;
    return false;
}

// Collects the status texts of a component; errors go to stderr, and on success the last text.
class Bericht
{
public:
    void text(const QString &t)
    {
        m_letzter = t;
        if (istFehlerText(t))
            error(t);
    }
    int ende(bool ok, bool leise = false)
    {
        if (ok && !leise && !m_letzter.isEmpty() && !istFehlerText(m_letzter))
            error(m_letzter);
        return ok ? Ok : Failed;
    }

private:
    QString m_letzter;
};

void richteEin(UnzipComponent &u, const Optionen &o, Bericht &b)
{
    QObject::connect(&u, &UnzipComponent::StatusText, [&b](const QString &t) { b.text(t); });
    u.passwortFrage = [o](const LesePasswortFrage &f) {
        LesePasswortAntwort a;
        if (o.passwortGesetzt) {
            a.abbruch = false;
            a.passwort = o.passwort;
        } else {
            a.abbruch = !frageTerminal(u"Passwort für %1 (%2): "_s.arg(f.eintrag, f.archiv), &a.passwort);
        }
        return a;
    };
    const bool ja = o.ja;
    u.ueberschreibenFrage = [ja](const QString &) { return ja ? Ueberschreiben::Ja : Ueberschreiben::Nein; };
}

QString datumText(int day, int month, int year, int hour, int minute)
{
    const auto zwei = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    return zwei(day) + u'.' + zwei(month) + u'.' + (year >= 80 ? u"19"_s : u"20"_s) + zwei(year) + u"  "_s
           + zwei(hour) + u':' + zwei(minute);
}

int cmdList(const Command &c, const QStringList &args)
{
    Optionen o;
    if (!parse(args, &o, false) || o.frei.size() != 1)
        return usage(c);
    UnzipComponent u;
    Bericht b;
    richteEin(u, o, b);
    QObject::connect(&u, &UnzipComponent::FileInfo,
                     [](qint64 size, qint64 packed, int ratio, int month, int day, int year, int hour, int minute,
                        const QString &name, const QString &path) {
                         out(u"%1\t%2\t%3\t%4%\t%5"_s.arg(path + name).arg(size).arg(packed).arg(ratio)
                                 .arg(datumText(day, month, year, hour, minute)));
                     });
    u.setZipFile(o.frei.at(0));
    return b.ende(u.ListArchive(), true);
}

int extractOrTest(const Command &c, const QStringList &args, bool test)
{
    Optionen o;
    if (!parse(args, &o, false) || o.frei.size() < (test ? 1 : 2))
        return usage(c);
    UnzipComponent u;
    Bericht b;
    richteEin(u, o, b);
    u.setZipFile(o.frei.takeFirst());
    u.setTestOnly(test);
    if (!test)
        u.setTargetFolder(o.frei.takeFirst());
    if (o.frei.isEmpty())
        return b.ende(u.ExtractAll());
    bool ok = true;
    for (const QString &e : o.frei)
        ok = u.ExtractFile(e) && ok;
    return b.ende(ok);
}

int cmdAdd(const Command &c, const QStringList &args)
{
    Optionen o;
    if (!parse(args, &o, true) || o.frei.size() < 2)
        return usage(c);
    ZipComponent z;
    Bericht b;
    QObject::connect(&z, &ZipComponent::StatusText, [&b](const QString &t) { b.text(t); });
    z.setZipFile(o.frei.takeFirst());
    z.setSubfolders(o.rekursiv);
    z.setSystemFiles(o.system);
    z.setNoPaths(o.ohnePfade);
    z.setUsePassword(!o.verschluesselung.isEmpty());
    z.passwortFrage = [o](const SchreibPasswortFrage &f) {
        SchreibPasswortAntwort a;
        a.verfahren = o.verschluesselung == u"zipcrypto"_s ? Verschluesselung::ZipCrypto : Verschluesselung::Aes256;
        if (o.passwortGesetzt) {
            a.abbruch = false;
            a.passwort = o.passwort;
            return a;
        }
        QString eins, zwei;
        if (frageTerminal(u"Passwort für %1: "_s.arg(f.archiv), &eins)
            && frageTerminal(u"Passwort wiederholen: "_s, &zwei)) {
            if (eins == zwei) {
                a.abbruch = false;
                a.passwort = eins;
            } else {
                error(u"Die Passwörter stimmen nicht überein."_s);
            }
        }
        return a;
    };
    return b.ende(z.AddFiles(o.frei));
}

int cmdDelete(const Command &c, const QStringList &args)
{
    Optionen o;
    if (!parse(args, &o, false) || o.frei.size() < 2)
        return usage(c);
    ZipComponent z;
    Bericht b;
    QObject::connect(&z, &ZipComponent::StatusText, [&b](const QString &t) { b.text(t); });
    z.setZipFile(o.frei.takeFirst());
    bool ok = true;
    for (const QString &p : o.frei)
        ok = z.DeleteFiles(p) && ok;
    return b.ende(ok);
}

} // namespace

QList<Command> archiveCommands()
{
    QList<Command> cmds{
        {u"list"_s, u"ARCHIV"_s, u"Listet die Einträge: Name, Größe, gepackt, Ratio, Datum (Tabs)."_s, {}},
        {u"test"_s, u"ARCHIV [EINTRAG…] [--password PW]"_s, u"Prüft die Einträge auf Fehler."_s, {}},
        {u"extract"_s, u"ARCHIV ORDNER [EINTRAG…] [--password PW] [--yes]"_s,
         u"Entpackt Einträge in den Ordner (--yes: vorhandene Dateien überschreiben)."_s, {}},
        {u"add"_s, u"ARCHIV PFAD… [--recurse] [--system] [--no-paths] [--encrypt aes|zipcrypto] [--password PW]"_s,
         u"Fügt Dateien hinzu (Datei, Ordner oder Ordner/Muster)."_s, {}},
        {u"delete"_s, u"ARCHIV NAME-ODER-MUSTER…"_s, u"Entfernt Einträge aus dem Archiv."_s, {}},
    };
    cmds[0].run = [c = cmds[0]](const QStringList &a) { return cmdList(c, a); };
    cmds[1].run = [c = cmds[1]](const QStringList &a) { return extractOrTest(c, a, true); };
    cmds[2].run = [c = cmds[2]](const QStringList &a) { return extractOrTest(c, a, false); };
    cmds[3].run = [c = cmds[3]](const QStringList &a) { return cmdAdd(c, a); };
    cmds[4].run = [c = cmds[4]](const QStringList &a) { return cmdDelete(c, a); };
    return cmds;
}

} // namespace kasto::cli
