#pragma once
// Sub-commands of kasto-cli. Each group lives in its own file (cli_archive.cpp, cli_sfx.cpp,
// cli_splitter.cpp); cli.cpp only dispatches.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace kasto::cli {

// Exit codes shared by every sub-command.
enum Exit : int { Ok = 0, Failed = 1, Usage = 2 };

struct Command {
    QString name;     // "list", "extract", ...
    QString synopsis; // arguments, as shown by --help
    QString summary;  // one German line
    std::function<int(const QStringList &args)> run; // args without the sub-command itself
};

QList<Command> archiveCommands();
QList<Command> sfxCommands();
QList<Command> splitterCommands();

// German message on stderr, one line.
void error(const QString &text);
// Text on stdout, one line, UTF-8.
void out(const QString &text);
// Usage error for a command: prints its synopsis and returns Usage.
int usage(const Command &cmd);

} // namespace kasto::cli
