// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/modPublic.h"
#include "test_stage.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace test_support {

/// For the disabled tests that write a window's shipped template through its own controls: the folder
/// named by ARIDANE_TEMPLATE_OUT (else "template" in the test's program folder), created; the installed
/// template `installed` (a file name in ConfigFiles, "Normal.jet") removed so that the window starts from
/// nothing; the project named Normal.vnt in that folder, so that the window saves its Normal file there.
inline std::string templateOutFolder(const std::string& installed) {
    const char* out = std::getenv("ARIDANE_TEMPLATE_OUT");
    const std::string dir = out != nullptr ? std::string(out) : test_stage::appFolder() + "/template";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(std::filesystem::path(test_stage::appFolder()) / "ConfigFiles" / installed);
    modPublic::ProjectFile = dir + "/Normal.vnt";
    return dir;
}

} // namespace test_support
