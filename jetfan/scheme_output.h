// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Form;
} // namespace platform

/// What the scheme windows share to put their reports and operation control tables on disk and before the
/// engineer.
namespace jetfan {

/// The local path of the open project's output "_" + name + extension. An unnamed project has nothing to
/// name the file after: it is refused with "请先保存项目！" and nullopt is returned.
std::optional<std::string> ProjectOutputPath(std::string_view name, std::string_view extension);

/// Writes the lines (GBK, CR LF, replacing the file as a whole), names the file in the main window's status
/// bar and opens it in the text viewer when `open`. A file that cannot be written is said so (what +
/// "未能写入：" + path, under `title`) and nothing is opened, so that an older file of the same name never
/// passes for the new one. True when written.
bool PublishSchemeText(const std::string& path, const std::vector<std::string>& lines, bool open,
                       const std::string& what, const std::string& title);

/// How a scheme window takes part in the operation control table.
struct ControlTableScheme {
    /// Name of the table in its file name ("纯射流风机通风运营控制表").
    std::string Name;
    /// Recalculates the scheme for the combination now in the main window and step 2 and returns its
    /// summary.
    std::function<std::string()> Summary;
    /// Runs once per year after the one-way head, before its speeds (may be empty).
    std::function<void()> BeforeOneWaySpeeds;
    /// For each one-way speed, step 2's two-way row is selected before its one-way row.
    bool SelectTwoWayBeforeOneWay = true;
};

/// The operation control table of a scheme window: asks the design years, cases and one-way speeds in the
/// report options dialog over `owner`, drives the main window and step 2 through every chosen combination
/// in the order of their lists, writes one line per combination and opens the table when asked. The
/// dialog's close box is a cancel: nothing is recalculated or written.
void RunControlTable(platform::Form& owner, const ControlTableScheme& scheme);

} // namespace jetfan
