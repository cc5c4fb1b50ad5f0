// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/jet_models.h"

#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

std::string ChangedCatalogueValues(const std::vector<KeptCatalogueValue>& values) {
    std::string text;
    for (const KeptCatalogueValue& v : values) {
        if (v.Kept.empty()) {
            continue;
        }
        const double kept = vb::Val(v.Kept);
        // The file keeps the text the catalogue gave, read back: only a change of the figure counts.
        if (std::abs(kept - v.Now) <= 1e-12 * std::max(std::abs(kept), std::abs(v.Now))) {
            continue;
        }
        text += (text.empty() ? "" : "，") + v.Label + "已由" + v.Kept + "变为" + vb::CStr(v.Now) + v.Unit;
    }
    return text;
}

std::string CatalogueChangeHint(const std::string& catalogue, const std::vector<KeptCatalogueEntry>& entries,
                                const std::string& kept) {
    std::vector<std::string> pieces;
    for (const KeptCatalogueEntry& e : entries) {
        if (e.Name.empty()) {
            continue;
        }
        std::string piece;
        if (!e.Now) {
            piece = "已无" + e.Name;
        } else if (const std::string changed = ChangedCatalogueValues(*e.Now); !changed.empty()) {
            piece = e.Name + "的" + changed;
        }
        if (!piece.empty() && std::find(pieces.begin(), pieces.end(), piece) == pieces.end()) {
            pieces.push_back(std::move(piece));
        }
    }
    if (pieces.empty()) {
        return {};
    }
    std::string text = catalogue + "中";
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        text += (i == 0 ? "" : "；") + pieces[i];
    }
    return text + "，" + kept;
}

std::optional<std::vector<KeptCatalogueValue>> KeptJetModelValues(const std::optional<JetFanModel>& now,
                                                                  const std::string& flow,
                                                                  const std::string& diameter,
                                                                  const std::string& power) {
    if (!now) {
        return std::nullopt;
    }
    return std::vector<KeptCatalogueValue>{{"风机流量", flow, now->Flow, "m^3/s"},
                                           {"出口直径Dj", diameter, now->DD, "m"},
                                           {"风机功率", power, now->Power, "kW"}};
}

std::string JetModelChangeHint(const std::vector<KeptCatalogueEntry>& entries) {
    return CatalogueChangeHint("射流风机数据库", entries,
                               "本方案仍为按原数据计算的结果，采用新数据须重新选择型号并计算。");
}

} // namespace modPublic
