#pragma once
// The grid viewer's command table.
#include "app/FormCommand.h"

namespace quib {

const CommandTable& ViewGridCommands();

}  // namespace quib
