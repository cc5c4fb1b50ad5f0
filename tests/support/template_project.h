// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/test_stage.h"

#include <string>

namespace test_support {

/// This test's project file `proj` in the program folder, with `tail` after its name: ".vnt", ".fir",
/// "_火灾设备控制表.rpt".
inline std::string projectPath(const std::string& tail) {
    return test_stage::appFolder() + "/proj" + tail;
}

/// The main window with the template project saved as proj.vnt, so that the windows of each step read and
/// write their files beside it.
inline frmReq& savedTemplate() {
    frmReq& req = platform::Forms::instance<frmReq>();
    modPublic::ProjectFile = projectPath(".vnt");
    req.SaveFile();
    return req;
}

} // namespace test_support
