// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/modPublic.h"

#include "platform/scheme_file.h"
#include "platform/text_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace modPublic {

State globals;

void Reset() {
    globals = State{};
}

namespace {

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

} // namespace

std::string ResolvePathCaseInsensitive(std::string_view path) {
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

std::string InstallPath(std::string_view relative) {
    std::string joined = globals.AppFolder;
    if (!joined.empty() && joined.back() != '/' && joined.back() != '\\') {
        joined += '/';
    }
    joined += relative;
    return ResolvePathCaseInsensitive(joined);
}

std::string DefaultTableFile() {
    return InstallPath("configfiles\\autocadconfig.txt");
}

bool ReadTable(const std::string& key, std::vector<double>& x, std::vector<double>& y,
               std::vector<std::vector<double>>& v, const std::string& file) {
    try {
        globals.TableFile = file.empty() ? DefaultTableFile() : ResolvePathCaseInsensitive(file);
        std::optional<std::vector<std::string>> lines = textfile::ReadLines(globals.TableFile);
        if (!lines) {
            return false;
        }
        ParsedTable parsed = ParseTable(*lines, key);
        if (parsed.status != TableRead::Loaded && parsed.status != TableRead::CutShort) {
            return false;
        }
        x = std::move(parsed.table.x);
        y = std::move(parsed.table.y);
        v = std::move(parsed.table.v);
        return parsed.status == TableRead::Loaded;
    } catch (...) {
        return false;
    }
}

bool ReadTable(const std::string& key, CoefTable& table, const std::string& file) {
    return ReadTable(key, table.x, table.y, table.v, file);
}

std::vector<std::string> LoadCoefTables() {
    std::vector<std::string> missing;
    for (const char* key : kCoefTableKeys) {
        CoefTable table;
        if (auto it = globals.CoefTables.find(key); it != globals.CoefTables.end()) {
            table = it->second;
        }
        if (!ReadTable(key, table)) {
            missing.emplace_back(key);
        }
        if (!table.empty()) {
            globals.CoefTables.insert_or_assign(key, std::move(table));
        }
    }
    return missing;
}

const CoefTable& CoefTableOf(std::string_view key) {
    static const CoefTable kEmpty;
    auto it = globals.CoefTables.find(key);
    return it != globals.CoefTables.end() ? it->second : kEmpty;
}

bool LoadJetModels() {
    try {
        scheme::SchemeReader reader;
        if (!reader.Open(InstallPath("ConfigFiles\\Jet.db"))) {
            return false;
        }
        std::optional<std::vector<JetFanModel>> models = ParseJetModels(reader);
        if (!models) {
            return false;
        }
        globals.JetModels.items = std::move(*models);
        return true;
    } catch (...) {
        return false;
    }
}

std::string HelpFile() {
    return InstallPath("configfiles\\help.txt");
}

std::optional<std::string> HelpText(std::string_view key, const std::string& helpFilePath) {
    try {
        std::optional<std::vector<std::string>> lines =
            textfile::ReadLines(ResolvePathCaseInsensitive(helpFilePath));
        if (!lines) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < lines->size(); ++i) {
            if ((*lines)[i] == key) {
                if (i + 1 < lines->size()) {
                    return (*lines)[i + 1];
                }
                return std::nullopt;
            }
        }
        return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace modPublic
