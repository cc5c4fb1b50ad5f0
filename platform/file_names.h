// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// File names the program builds from a text of a file or a box (a fan number, a project name…): one check
/// keeps every such file in the folder it belongs to and storable in the project's code page.
namespace platform {

/// Why `part` cannot be one piece of a file name: empty, "." or "..", a separator or another character a
/// file name cannot hold (\ / : * ? " < > | or a control character), or a character GBK cannot store.
/// `what` names the text in the message ("风机编号"). nullopt when the part is usable.
std::optional<std::string> FileNamePartProblem(std::string_view part, std::string_view what);

/// Whether `path` names a file directly inside `folder`, after "." and ".." are resolved in both.
bool IsDirectlyInside(const std::string& path, const std::string& folder);

} // namespace platform
