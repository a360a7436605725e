#include "cli.h"

#include "sfx/sfxkonvert.h"

using namespace Qt::StringLiterals;

namespace kasto::cli {

namespace {

using Umwandlung = SfxErgebnis (*)(const QString &, const QString &, const SfxFortschritt &);

Command umwandlung(const QString &name, const QString &synopsis, const QString &summary, Umwandlung f)
{
    Command c{name, synopsis, summary, {}};
    c.run = [c, f](const QStringList &args) {
        if (args.size() != 2)
            return usage(c);
        QString letzter;
        const SfxErgebnis e = f(args.at(0), args.at(1), [&letzter](const QString &t) { letzter = t; });
        if (!e.ok) {
            error(e.fehler);
            return int(Failed);
        }
        out(letzter);
        return int(Ok);
    };
    return c;
}

} // namespace

QList<Command> sfxCommands()
{
    return {umwandlung(u"sfx"_s, u"ZIP ZIEL"_s,
                       u"Macht aus ZIP ein selbstentpackendes Archiv (ZIEL auf .exe: Windows, sonst Linux)."_s,
                       ZipNachSfx),
            umwandlung(u"unsfx"_s, u"SFX ZIEL"_s,
                       u"Wandelt ein mit Kasto erzeugtes SFX-Archiv wieder in ein ZIP-Archiv."_s, SfxNachZip)};
}

} // namespace kasto::cli
