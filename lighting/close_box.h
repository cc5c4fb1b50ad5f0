// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <string>

namespace lighting {

/// The close box of a lighting step, which would drop what the window holds. When `path` names the step's
/// file (a named project) and the bytes of `file` differ from those on disk there (or there is no such
/// file yet), it asks as the main window's Exit does whether to save first: Yes writes the file (`what`
/// names it when that fails), No leaves the disk as it is, Cancel keeps the window. Nothing that differs,
/// nothing is asked. True when the window may close.
bool MayCloseWindow(const std::string& path, const scheme::SchemeWriter& file, const std::string& what);

} // namespace lighting
