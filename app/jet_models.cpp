// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/jet_models.h"

#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <algorithm>
#include <limits>

namespace modPublic {

std::optional<std::vector<JetDbRow>> ParseJetDbRows(scheme::SchemeReader& reader) {
    try {
        std::optional<long long> count = reader.NextWhole();
        if (!count || *count < 0 || *count > std::numeric_limits<vb::Integer>::max()) {
            return std::nullopt;
        }
        std::vector<JetDbRow> rows;
        rows.reserve(static_cast<std::size_t>(std::min<long long>(*count, 256)));
        // A file that ends inside the list keeps its complete records, never an invented one.
        reader.NextTextRows(*count, JetDbRow{}, rows);
        return rows;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::vector<JetFanModel>> ParseJetModels(scheme::SchemeReader& reader) {
    std::optional<std::vector<JetDbRow>> rows = ParseJetDbRows(reader);
    if (!rows) {
        return std::nullopt;
    }
    try {
        std::vector<JetFanModel> models;
        models.reserve(rows->size());
        for (JetDbRow& row : *rows) {
            JetFanModel m;
            m.JetName = std::move(row[0]);
            m.Flow = vb::Val(row[1]);
            m.DD = vb::Val(row[2]);
            m.Power = vb::Val(row[3]);
            m.Discount = vb::Val(row[4]);
            models.push_back(std::move(m));
        }
        return models;
    } catch (...) {
        return std::nullopt;
    }
}

bool WriteJetDbRows(const std::string& path, const std::vector<JetDbRow>& rows) {
    try {
        scheme::SchemeWriter writer;
        writer.Whole(static_cast<long long>(rows.size())).EndRecord();
        for (const JetDbRow& row : rows) {
            for (const std::string& field : row) {
                writer.Text(field);
            }
            writer.EndRecord();
        }
        return writer.Save(path);
    } catch (...) {
        return false;
    }
}

bool WriteJetModels(const std::string& path, const std::vector<JetFanModel>& models) {
    try {
        std::vector<JetDbRow> rows;
        rows.reserve(models.size());
        for (const JetFanModel& m : models) {
            rows.push_back(
                {m.JetName, vb::CStr(m.Flow), vb::CStr(m.DD), vb::CStr(m.Power), vb::CStr(m.Discount)});
        }
        return WriteJetDbRows(path, rows);
    } catch (...) {
        return false;
    }
}

} // namespace modPublic
