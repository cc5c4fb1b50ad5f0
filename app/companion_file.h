// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace scheme {
class SchemeReader;
class SchemeWriter;
} // namespace scheme

/// The file a scheme window keeps beside the project (the project's name with the window's own
/// extension) and the template it starts from when the project has none yet.
namespace app {

/// The local path of the open project's file with `extension` (".sj") in place of its own; "" for an
/// unnamed project, which has nothing to name the file after.
std::string ProjectCompanionPath(std::string_view extension);

/// The local path of the shipped template "normal" + `extension` in the program's configfiles folder.
std::string TemplateCompanionPath(std::string_view extension);

/// Opens the project's file, else the template; false when neither can be read.
bool OpenCompanionOrTemplate(scheme::SchemeReader& in, const std::string& projectPath,
                             const std::string& templatePath);

/// Saves the window's file as a whole. Texts GBK cannot store are listed first with the question whether to
/// save them with "?"; a No keeps the earlier file and returns false without another word. A file that cannot
/// be written is said so (what + "未能保存:" and the path, under "出错"), since the window's data would
/// otherwise be lost without a word; the earlier file stays as it was. True when written.
bool SaveCompanionFile(const scheme::SchemeWriter& file, const std::string& path, const std::string& what);

} // namespace app
