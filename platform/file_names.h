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

/// "`field`：“c”" when `text` holds a character c that GBK cannot store (the first such), for the list that
/// ConfirmUnstorableTexts shows; nullopt when GBK holds all of it. U+FFFD, the mark of bytes a damaged
/// file had, is passed over.
std::optional<std::string> UnstorableTextNote(std::string_view field, std::string_view text);

/// Whether `path` names a file directly inside `folder`, after "." and ".." are resolved in both.
bool IsDirectlyInside(const std::string& path, const std::string& folder);

} // namespace platform
