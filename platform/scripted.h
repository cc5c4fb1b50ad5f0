// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

/// The switch between the real desktop and the scripted test side of message boxes, file dialogs, the
/// text viewer and modal windows, and the faults the scripted side finds (a box nobody scripted, a user
/// action on a disabled control, an exception out of a handler). The test stage turns each fault into a
/// test failure; the production side only warns.
namespace platform::scripted {

void setActive(bool active);
bool active();

/// Records a fault: kept for the test stage when scripted, printed as a warning otherwise.
void fault(const std::string& what);
/// The faults recorded since the last call, which clears them.
std::vector<std::string> takeFaults();

} // namespace platform::scripted
