// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/companion_file.h"

#include "app/modPublic.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace app {

std::string ProjectCompanionPath(std::string_view extension) {
    const std::string& project = modPublic::ProjectFile;
    if (project.size() <= 4) {
        return {};
    }
    return platform::ResolvePath(project.substr(0, project.size() - 4) + std::string(extension));
}

std::string TemplateCompanionPath(std::string_view extension) {
    return platform::ResolvePath(platform::AppPath() + "\\configfiles\\normal" + std::string(extension));
}

bool OpenCompanionOrTemplate(scheme::SchemeReader& in, const std::string& projectPath,
                             const std::string& templatePath) {
    return OpenCompanionOrTemplateFrom(in, projectPath, templatePath) != CompanionSource::None;
}

CompanionSource OpenCompanionOrTemplateFrom(scheme::SchemeReader& in, const std::string& projectPath,
                                            const std::string& templatePath) {
    if (!projectPath.empty() && in.Open(projectPath)) {
        return CompanionSource::Project;
    }
    return in.Open(templatePath) ? CompanionSource::Template : CompanionSource::None;
}

namespace {

struct Portals {
    double start = 0;
    double end = 0;
};

/// The portals of the template project: its start station and the station of its last grade row, the
/// other portal (the smaller first on either line).
std::optional<Portals> TemplateProjectPortals() {
    scheme::SchemeReader in;
    if (!in.Open(modPublic::InstallPath("configfiles\\Normal.req"))) {
        return std::nullopt;
    }
    in.Skip(3); // heading, name, description
    in.Skip(2); // left and right line
    in.Skip(3); // road class, design speed, elevation
    const std::optional<double> start = in.NextNumber();
    in.Skip(1 + 4 + 3); // CO in air; the four factors; the three names
    const std::optional<long long> grades = in.NextWhole();
    if (!start || !grades || *grades < 1 || *grades > 100000) {
        return std::nullopt;
    }
    in.Skip(static_cast<std::size_t>(2 * (*grades - 1)));
    const std::optional<double> last = in.NextNumber();
    if (!last) {
        return std::nullopt;
    }
    return Portals{std::min(*start, *last), std::max(*start, *last)};
}

} // namespace

bool ProjectIsOnTheTemplatesTunnel() {
    const std::optional<Portals> portals = TemplateProjectPortals();
    if (!portals) {
        return true;
    }
    // Stations are typed to the millimetre at most; a closer match is the same portal.
    constexpr double kSamePortal = 1e-6;
    return std::fabs(modPublic::StartPile - portals->start) < kSamePortal &&
           std::fabs(modPublic::EndPile - portals->end) < kSamePortal;
}

bool TemplateIsForAnotherPublishedTunnel(CompanionSource source) {
    const bool published = modPublic::StartPile != 0 || modPublic::EndPile != 0;
    return published && TemplateIsForAnotherTunnel(source);
}

bool SaveCompanionFile(const scheme::SchemeWriter& file, const std::string& path, const std::string& what) {
    if (!platform::ConfirmUnstorableTexts(file.UnstorableTexts())) {
        return false;
    }
    if (file.Save(path)) {
        return true;
    }
    platform::MsgBox(what + "未能保存:\r\n" + path + "\r\n请检查文件夹是否存在、是否可写入, 磁盘是否已满.",
                     platform::vbOKOnly, "出错");
    return false;
}

} // namespace app
