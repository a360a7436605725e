#include "cli.h"

namespace kasto::cli {

QList<Command> sfxCommands()
{
    return {};
}

} // namespace kasto::cli
