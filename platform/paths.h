// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

/// The program's folder: the one holding ConfigFiles (next to the executable, else ../share/aridane).
/// No trailing separator, so that code can append "\ConfigFiles\...".
std::string AppPath();
/// Points AppPath elsewhere (tests); an empty path restores the default.
void setAppPath(const std::string& path);

/// Turns a path written with '\' (absolute, or relative to AppPath) into a local path. Each component
/// that exists is matched without regard to letter case; components that do not exist keep their
/// spelling, so a file about to be written gets the name the caller gave.
std::string ResolvePath(const std::string& path);

} // namespace platform
