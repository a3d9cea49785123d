#pragma once
// The Windows Media Player control hosted in a window of ours: a small OLE
// container (client site, in-place site and frame) of its own, since the
// compilers the program is built with bring no ATL.
#include <memory>

#include "viewers/player/PlayerControl.h"

namespace quib {

// Creates the control in place inside the parent window. Null when the
// system has no such control (Windows N and Server editions) or it refuses
// to be embedded; nothing is left behind then.
std::unique_ptr<PlayerControl> CreateWmpControl(HWND parent);

}  // namespace quib
