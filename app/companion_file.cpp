// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/companion_file.h"

#include "app/modPublic.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"

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
    return (!projectPath.empty() && in.Open(projectPath)) || in.Open(templatePath);
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
