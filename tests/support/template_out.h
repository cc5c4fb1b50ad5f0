// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/modPublic.h"
#include "test_stage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

/// The template writers run with every build: the file `name` they wrote into `dir` must hold the very
/// bytes of the shipped ConfigFiles/`name`, so that a template never falls behind its writer. To
/// regenerate one, run its writer alone with ARIDANE_TEMPLATE_OUT set to an empty folder and copy only
/// `name` into ConfigFiles: some writers leave other files behind (the shaft-and-jet writer a Normal.par).
inline void expectShippedTemplate(const std::string& dir, const std::string& name) {
    auto bytes = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string written = bytes(std::filesystem::path(dir) / name);
    const std::string shipped = bytes(std::filesystem::path(CONFIGFILES_DIR) / name);
    ASSERT_FALSE(written.empty()) << name << " was not written";
    if (written == shipped)
        return;
    std::size_t at = 0;
    while (at < written.size() && at < shipped.size() && written[at] == shipped[at])
        ++at;
    ADD_FAILURE() << name << " differs from its writer's output from byte " << at << " (written "
                  << written.size() << " bytes, shipped " << shipped.size() << ")";
}

} // namespace test_support
