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

} // namespace

std::string InstallPath(std::string_view relative) {
    std::string joined = globals.AppFolder;
    if (!joined.empty() && joined.back() != '/' && joined.back() != '\\') {
        joined += '/';
    }
    joined += relative;
    return textfile::ResolveCaseInsensitive(joined);
}

std::string DefaultTableFile() {
    return InstallPath("configfiles\\autocadconfig.txt");
}

bool ReadTable(const std::string& key, std::vector<double>& x, std::vector<double>& y,
               std::vector<std::vector<double>>& v, const std::string& file) {
    try {
        globals.TableFile = file.empty() ? DefaultTableFile() : textfile::ResolveCaseInsensitive(file);
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
            textfile::ReadLines(textfile::ResolveCaseInsensitive(helpFilePath));
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
