#include "cli.h"

namespace kasto::cli {

QList<Command> archiveCommands()
{
    return {};
}

} // namespace kasto::cli
