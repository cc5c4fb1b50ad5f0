// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/close_box.h"

#include "platform/MsgBox.h"
#include "platform/text_file.h"

#include <optional>

namespace platform {

bool CloseBoxMayClose(const std::string& path, const std::string& bytes, const std::function<bool()>& save) {
    if (path.empty()) {
        return true;
    }
    // The bytes decide, not a record of edits: typing a value and typing the old one back asks nothing.
    const std::optional<std::string> onDisk = textfile::ReadBytes(path);
    if (onDisk && *onDisk == bytes) {
        return true;
    }
    switch (MsgBox("退出之前需要保存吗?", vbYesNoCancel, "保存提示！")) {
    case vbYes:
        return save();
    case vbNo:
        return true;
    default:
        return false;
    }
}

} // namespace platform
