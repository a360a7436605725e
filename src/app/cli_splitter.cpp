#include "cli.h"

namespace kasto::cli {

QList<Command> splitterCommands()
{
    return {};
}

} // namespace kasto::cli
