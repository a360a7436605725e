#include "cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kasto::cli {

void error(const QString &text)
{
    QTextStream err(stderr);
    err << text << '\n';
}

void out(const QString &text)
{
    QTextStream o(stdout);
    o << text << '\n';
}

static QList<Command> allCommands()
{
    QList<Command> all;
    all << archiveCommands() << sfxCommands() << splitterCommands();
    return all;
}

int usage(const Command &cmd)
{
    error(u"Aufruf: kasto-cli %1 %2"_s.arg(cmd.name, cmd.synopsis));
    return Usage;
}

static void help()
{
    out(u"Aufruf: kasto-cli BEFEHL [ARGUMENTE]"_s);
    out(QString());
    out(u"Befehle:"_s);
    for (const Command &c : allCommands())
        out(u"  %1 %2\n      %3"_s.arg(c.name, c.synopsis, c.summary));
    out(QString());
    out(u"Rückgabewert: 0 Erfolg, 1 Vorgang fehlgeschlagen, 2 falscher Aufruf."_s);
}

} // namespace kasto::cli

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"kasto-cli"_s);
    using namespace kasto::cli;

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        help();
        return Usage;
    }
    const QString name = args.takeFirst();
    if (name == u"--help"_s || name == u"-h"_s || name == u"help"_s) {
        help();
        return Ok;
    }
    for (const Command &c : allCommands()) {
        if (c.name == name)
            return c.run(args);
    }
    error(u"Unbekannter Befehl: %1 (kasto-cli --help zeigt alle Befehle)"_s.arg(name));
    return Usage;
}
