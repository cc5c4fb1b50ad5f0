// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/close_box.h"

#include "app/companion_file.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"

#include <optional>

namespace lighting {

namespace {

constexpr const char* kSaveQuestion = "退出之前需要保存吗?";
constexpr const char* kSaveQuestionTitle = "保存提示！";

} // namespace

bool MayCloseWindow(const std::string& path, const scheme::SchemeWriter& file, const std::string& what) {
    if (path.empty()) {
        return true;
    }
    const std::optional<std::string> onDisk = textfile::ReadBytes(path);
    if (onDisk && *onDisk == file.Bytes()) {
        return true;
    }
    switch (platform::MsgBox(kSaveQuestion, platform::vbYesNoCancel, kSaveQuestionTitle)) {
    case platform::vbYes:
        // A save refused or failed keeps the window, so that nothing is lost by the close.
        return app::SaveCompanionFile(file, path, what);
    case platform::vbNo:
        return true;
    default:
        return false;
    }
}

} // namespace lighting
