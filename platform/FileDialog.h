// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

/// The common file dialog. The filter is written the Windows way, description and pattern separated by
/// '|' ("通风分析工程文件|*.vnt", several pairs chained with '|', several patterns with ';').
struct FileDialog {
    std::string DialogTitle;
    std::string Filter;
    std::string InitDir;
    std::string FileName;

    /// The chosen file, or nullopt when the user cancelled. FileName receives the choice.
    std::optional<std::string> ShowOpen();
    /// As ShowOpen; the file's extension defaults to that of the first filter pattern.
    std::optional<std::string> ShowSave();
};

/// The filter in Qt's form: "通风分析工程文件 (*.vnt)", pairs joined by ";;".
std::string QtFilter(const std::string& windowsFilter);

/// The test side: the answer of each dialog is scripted, and every dialog is logged.
namespace filedialog {

struct Shown {
    bool save = false;
    std::string title;
    std::string filter;
    std::string initDir;
};

/// Queues the path chosen in the next dialog.
void script(const std::string& path);
/// Queues a cancel of the next dialog.
void scriptCancel();
const std::vector<Shown>& log();
int pending();
void reset();

} // namespace filedialog
} // namespace platform
