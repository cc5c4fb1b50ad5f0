// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

#include <QCoreApplication>

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

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
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
    for (char& c : p) {
        if (c == '\\') {
            c = '/';
        }
    }
    fs::path result;
    std::size_t pos = 0;
    if (!p.empty() && p.front() == '/') {
        result = "/";
        pos = 1;
    } else {
        result = AppPath();
    }
    bool exists = true;
    while (pos <= p.size()) {
        const std::size_t next = std::min(p.find('/', pos), p.size());
        const std::string part = p.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            result /= part;
            continue;
        }
        std::error_code ec;
        if (exists && !fs::exists(result / part, ec)) {
            // The first name that matches without regard to case; none keeps the caller's spelling.
            std::string found;
            for (const auto& entry : fs::directory_iterator(result, ec)) {
                const std::string name = entry.path().filename().string();
                if (sameIgnoringCase(name, part) && (found.empty() || name < found)) {
                    found = name;
                }
            }
            if (found.empty()) {
                exists = false;
                result /= part;
            } else {
                result /= found;
            }
            continue;
        }
        result /= part;
    }
    return result.lexically_normal().string();
}

} // namespace platform
