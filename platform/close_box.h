// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace platform {

/// Whether a window may close by its close box when `bytes` is what it would write to `path` now. Bytes
/// equal to those on disk close without a word; otherwise (a changed file, or none yet) the question of the
/// main window's Exit asks "退出之前需要保存吗?" under "保存提示！": Yes closes once `save` has written
/// the file (a save refused or failed keeps the window, so that nothing is lost by the close), No closes
/// and leaves the disk as it is, Cancel keeps the window. An empty `path` (an unnamed project, which has
/// nothing to write to) closes without a word.
bool CloseBoxMayClose(const std::string& path, const std::string& bytes, const std::function<bool()>& save);

} // namespace platform
