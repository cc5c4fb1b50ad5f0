// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lgh_file.h"

namespace lighting {

namespace {

constexpr int kReserveRecords = 3;
constexpr int kReserveFields = 15;

} // namespace

LghContents ReadLgh(scheme::SchemeReader& in) {
    LghContents c;
    const std::optional<long long> n = in.NextWhole();
    if (!n) {
        return c;
    }
    std::vector<CaseRow> rows;
    for (long long i = 0; i < *n; ++i) {
        CaseRow row;
        for (std::string& cell : row) {
            std::optional<std::string> text = in.NextText();
            if (!text) {
                c.Rows = std::move(rows);
                return c;
            }
            cell = std::move(*text);
        }
        rows.push_back(std::move(row));
    }
    c.Rows = std::move(rows);
    if (!(c.AreaLength = in.NextText())) {
        return c;
    }
    for (std::optional<std::string>& r : c.Results) {
        if (!(r = in.NextText())) {
            return c;
        }
    }
    c.Draw = in.NextBoolean();
    return c;
}

scheme::SchemeWriter WriteLgh(const std::vector<CaseRow>& rows, const std::string& areaLength,
                              const std::array<std::string, kCaseResults>& results, bool draw) {
    scheme::SchemeWriter out;
    out.Whole(static_cast<long long>(rows.size())).EndRecord();
    for (const CaseRow& row : rows) {
        for (const std::string& cell : row) {
            out.Text(cell);
        }
        out.EndRecord();
    }
    out.Text(areaLength).EndRecord();
    for (const std::string& r : results) {
        out.Text(r);
    }
    out.EndRecord();
    out.Boolean(draw).EndRecord();
    for (int r = 0; r < kReserveRecords; ++r) {
        for (int f = 0; f < kReserveFields; ++f) {
            out.Text("");
        }
        out.EndRecord();
    }
    return out;
}

std::string CaseFileName(const std::string& projectFile, int volume, int mode, int zone) {
    if (projectFile.size() <= 4) {
        return {};
    }
    return projectFile.substr(0, projectFile.size() - 4) + "_" + std::to_string(volume) + "_" +
           std::to_string(mode) + "_" + std::to_string(zone) + ".lgh";
}

} // namespace lighting
