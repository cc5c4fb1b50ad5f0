// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

/// The close box of a window that keeps its inputs in a file of the project.
namespace tools {

/// Whether a window may close by its close box when `bytes` is what it would write to `path`. Bytes equal
/// to the file on disk close without a word; otherwise the box of the main window's Exit asks
/// ("退出之前需要保存吗?", Yes / No / Cancel): Yes closes when `save` has written the file, No closes and
/// leaves the file as it is, Cancel keeps the window. An empty `path` (an unnamed project writes nothing)
/// closes without a word.
bool CloseBoxMayClose(const std::string& path, const std::string& bytes, const std::function<bool()>& save);

} // namespace tools
