// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

#include "platform/text_file.h"

#include <QCoreApplication>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::string& overridePath() {
    static std::string path;
    return path;
}

bool holdsConfigFiles(const fs::path& dir) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (name == "configfiles") {
            return true;
        }
    }
    return false;
}

} // namespace

std::string AppPath() {
    if (!overridePath().empty()) {
        return overridePath();
    }
    fs::path exeDir = fs::current_path();
    if (QCoreApplication::instance() != nullptr) {
        exeDir = fs::path(QCoreApplication::applicationDirPath().toStdString());
    }
    if (!holdsConfigFiles(exeDir)) {
        const fs::path shared = exeDir / ".." / "share" / "aridane";
        std::error_code ec;
        if (holdsConfigFiles(shared)) {
            return fs::weakly_canonical(shared, ec).string();
        }
    }
    return exeDir.string();
}

void setAppPath(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) {
        p.pop_back();
    }
    overridePath() = p;
}

std::string ResolvePath(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.empty() || p.front() != '/') {
        p = AppPath() + "/" + p;
    }
    return fs::path(textfile::ResolveCaseInsensitive(p)).lexically_normal().string();
}

} // namespace platform
