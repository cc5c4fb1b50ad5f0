// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"

#include "platform/textcodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {
namespace {

// The permissions a plain new file gets (0666 less the process's umask), read without changing the umask.
mode_t NewFileMode() {
    mode_t mask = 022;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            unsigned int m = 0;
            if (std::sscanf(line, "Umask: %o", &m) == 1) {
                mask = static_cast<mode_t>(m);
                break;
            }
        }
        std::fclose(f);
    }
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

namespace fs = std::filesystem;

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char ca = a[i];
        char cb = b[i];
        if (ca >= 'A' && ca <= 'Z') {
            ca = static_cast<char>(ca - 'A' + 'a');
        }
        if (cb >= 'A' && cb <= 'Z') {
            cb = static_cast<char>(cb - 'A' + 'a');
        }
        if (ca != cb) {
            return false;
        }
    }
    return true;
}

// The entry of `dir` whose name equals `name` without regard to case; the smallest such name when several
// differ only in case, so that the choice does not depend on the order the folder lists them in.
std::optional<std::string> FindNoCase(const fs::path& dir, const std::string& name) {
    std::optional<std::string> match;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, name) && (!match || entry < *match)) {
            match = std::move(entry);
        }
    }
    return match;
}

constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kTempLetters = 6; // the XXXXXX of mkstemp

} // namespace

bool IsLeftoverOf(std::string_view name, std::string_view target) {
    if (target.empty() || name.size() != target.size() + kTempMark.size() + kTempLetters ||
        name.substr(0, target.size()) != target ||
        name.substr(target.size(), kTempMark.size()) != kTempMark) {
        return false;
    }
    for (const char c : name.substr(target.size() + kTempMark.size())) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

int RemoveLeftovers(const std::string& path) {
    int removed = 0;
    try {
        const fs::path p(path);
        const std::string target = p.filename().string();
        const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code fileEc;
            if (IsLeftoverOf(it->path().filename().string(), target) && it->is_regular_file(fileEc) &&
                fs::remove(it->path(), fileEc)) {
                ++removed;
            }
        }
    } catch (...) {
    }
    return removed;
}

std::optional<std::string> ReadBytes(const std::string& path) {
    try {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            return std::nullopt;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    try {
        std::optional<std::string> bytes = ReadBytes(path);
        if (!bytes) {
            return std::nullopt;
        }
        const std::string text = textcodec::FromGbk(*bytes);
        std::vector<std::string> lines;
        std::size_t start = 0;
        std::size_t i = 0;
        while (i < text.size()) {
            char c = text[i];
            if (c == '\r' || c == '\n') {
                lines.emplace_back(text, start, i - start);
                i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
                start = i;
            } else {
                ++i;
            }
        }
        if (start < text.size()) {
            lines.emplace_back(text, start, text.size() - start);
        }
        return lines;
    } catch (...) {
        return std::nullopt;
    }
}

namespace {

// Writes `bytes` to a new temporary file beside `path`, with the permissions of the file it is to replace
// (those of any new file when there is none); the temporary's path, or nullopt (nothing left) on failure.
std::optional<std::string> WriteTemporary(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return std::nullopt;
    }
    std::string temp = path + std::string(kTempMark) + std::string(kTempLetters, 'X');
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
    (void)::fchmod(fd, mode); // a file system without permissions is no reason to fail the save
    bool ok = WriteAll(fd, bytes);
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        std::error_code ec;
        fs::remove(temp, ec);
        return std::nullopt;
    }
    return temp;
}

void RemoveTemporaries(const std::vector<std::string>& temps) {
    for (const std::string& temp : temps) {
        std::error_code ec;
        if (!temp.empty()) {
            fs::remove(temp, ec);
        }
    }
}

} // namespace

bool WriteAtomically(const std::string& path, std::string_view bytes) {
    std::optional<std::string> temp;
    try {
        temp = WriteTemporary(path, bytes);
        if (!temp) {
            return false;
        }
        std::error_code ec;
        fs::rename(*temp, path, ec);
        if (ec) {
            fs::remove(*temp, ec);
            return false;
        }
        RemoveLeftovers(path);
        return true;
    } catch (...) {
        if (temp) {
            RemoveTemporaries({*temp});
        }
        return false;
    }
}

std::optional<std::size_t> WriteAllOrNone(const std::vector<FileToWrite>& files) {
    std::vector<std::string> temps(files.size());
    std::size_t at = 0;
    try {
        for (; at < files.size(); ++at) {
            std::optional<std::string> temp = WriteTemporary(files[at].path, files[at].bytes);
            if (!temp) {
                RemoveTemporaries(temps);
                return at;
            }
            temps[at] = std::move(*temp);
        }
        // What each target holds now, to be put back when a later one cannot be put in place. A target
        // that is there but cannot be read (a folder of that name, say) could not be put back: it fails
        // the save before anything is replaced.
        std::vector<std::optional<std::string>> earlier(files.size());
        for (at = 0; at < files.size(); ++at) {
            std::error_code ec;
            if (fs::symlink_status(files[at].path, ec).type() != fs::file_type::not_found) {
                earlier[at] = ReadBytes(files[at].path);
                if (!earlier[at]) {
                    RemoveTemporaries(temps);
                    return at;
                }
            }
        }
        for (at = 0; at < files.size(); ++at) {
            std::error_code ec;
            fs::rename(temps[at], files[at].path, ec);
            if (ec) {
                for (std::size_t back = 0; back < at; ++back) {
                    std::error_code rm;
                    if (earlier[back]) {
                        WriteAtomically(files[back].path, *earlier[back]);
                    } else {
                        fs::remove(files[back].path, rm);
                    }
                }
                RemoveTemporaries(
                    std::vector<std::string>(temps.begin() + static_cast<std::ptrdiff_t>(at), temps.end()));
                return at;
            }
        }
        for (const FileToWrite& f : files) {
            RemoveLeftovers(f.path);
        }
        return std::nullopt;
    } catch (...) {
        RemoveTemporaries(temps);
        return std::min(at, files.empty() ? 0 : files.size() - 1);
    }
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    try {
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += textcodec::ToGbk(line);
            bytes += "\r\n";
        }
        return WriteAtomically(path, bytes);
    } catch (...) {
        return false;
    }
}

std::string ResolveCaseInsensitive(std::string_view path) {
    try {
        std::string local(path);
        std::replace(local.begin(), local.end(), '\\', '/');
        const fs::path written(local);
        std::error_code ec;
        if (local.empty() || fs::exists(written, ec)) {
            return local;
        }
        fs::path out = written.root_path();
        bool resolving = true;
        for (const fs::path& part : written.relative_path()) {
            if (part.empty()) {
                continue;
            }
            fs::path candidate = out / part;
            if (resolving && !fs::exists(candidate, ec)) {
                std::optional<std::string> match =
                    FindNoCase(out.empty() ? fs::path(".") : out, part.string());
                if (match) {
                    candidate = out / *match;
                } else {
                    resolving = false; // nothing below a missing folder can match
                }
            }
            out = std::move(candidate);
        }
        return out.string();
    } catch (...) {
        return std::string(path);
    }
}

} // namespace textfile
