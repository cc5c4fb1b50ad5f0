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

/// Which file OpenCompanionOrTemplate opened.
enum class CompanionSource { None, Project, Template };
/// As OpenCompanionOrTemplate, and says which file it opened.
CompanionSource OpenCompanionOrTemplateFrom(scheme::SchemeReader& in, const std::string& projectPath,
                                            const std::string& templatePath);

/// Whether the open project's tunnel is the one the shipped templates were designed for: its portal
/// stations (modPublic::StartPile, modPublic::EndPile) are those of the template project
/// (configfiles\Normal.req). A scheme template holds a whole design at that tunnel's stations, which is
/// the template's own and no other tunnel's; true also when the template project cannot be read, since
/// nothing then says the tunnels differ.
bool ProjectIsOnTheTemplatesTunnel();

/// True when a window that opened `source` must leave out what the template holds at the template
/// tunnel's stations and its results: the template was opened for a tunnel other than its own.
inline bool TemplateIsForAnotherTunnel(CompanionSource source) {
    return source == CompanionSource::Template && !ProjectIsOnTheTemplatesTunnel();
}

/// As TemplateIsForAnotherTunnel, for the lighting steps, which take the project's own tunnel from what the
/// main window publishes: with no portal published (both stations 0) there is no tunnel of the project's
/// own to take, and the template stands whole.
bool TemplateIsForAnotherPublishedTunnel(CompanionSource source);

/// Saves the window's file as a whole. Texts GBK cannot store are listed first with the question whether to
/// save them with "?"; a No keeps the earlier file and returns false without another word. A file that cannot
/// be written is said so (what + "未能保存:" and the path, under "出错"), since the window's data would
/// otherwise be lost without a word; the earlier file stays as it was. True when written.
bool SaveCompanionFile(const scheme::SchemeWriter& file, const std::string& path, const std::string& what);

} // namespace app
