// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Forms.h"
#include "platform/controls.h"

#include <string>

namespace ventparam {

/// Shows the one `Dialog` modal over `owner`, then unloads it and puts the text of its box `result` into
/// `target`; false, with `target` as it was, when that text is empty or the dialog was closed with its
/// close box (it is gone then and has nothing to give).
template <class Dialog>
bool TakeDialogValue(platform::TextBox Dialog::*result, platform::TextBox& target, platform::Form* owner) {
    platform::Forms::instance<Dialog>().ShowModal(owner);
    if (!platform::Forms::isLoaded<Dialog>()) {
        return false;
    }
    const std::string text = (platform::Forms::instance<Dialog>().*result).Text();
    platform::Forms::unload<Dialog>();
    if (text.empty()) {
        return false;
    }
    target.set(text);
    return true;
}

} // namespace ventparam
