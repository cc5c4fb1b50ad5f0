// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace platform {

/// Opens a report in the desktop's text viewer. Under the test stage the path is only logged.
void OpenTextViewer(const std::string& path);

namespace textviewer {
/// Every path opened since the last reset.
const std::vector<std::string>& log();
void reset();
} // namespace textviewer

} // namespace platform
