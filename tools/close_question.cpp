// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/close_question.h"

#include "platform/MsgBox.h"
#include "platform/text_file.h"

#include <optional>

namespace tools {

bool CloseBoxMayClose(const std::string& path, const std::string& bytes, const std::function<bool()>& save) {
    if (path.empty()) {
        return true;
    }
    // The bytes decide, not a record of edits: typing a value and typing the old one back asks nothing.
    const std::optional<std::string> onDisk = textfile::ReadBytes(path);
    if (onDisk && *onDisk == bytes) {
        return true;
    }
    const int answer = platform::MsgBox("退出之前需要保存吗?", platform::vbYesNoCancel, "保存提示！");
    if (answer == platform::vbCancel) {
        return false;
    }
    return answer != platform::vbYes || save();
}

} // namespace tools
