// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lgh_file.h"

#include "lighting/lighting_files.h"

namespace lighting {

LghContents ReadLgh(scheme::SchemeReader& in) {
    LghContents c;
    c.Whole = false;
    if (!ReadCountedRows(in, CaseRow{}, c.Rows, kMaxCaseRows, &c.RefusedRowCount)) {
        return c;
    }
    if (!(c.AreaLength = in.NextText())) {
        return c;
    }
    for (std::optional<std::string>& r : c.Results) {
        if (!(r = in.NextText())) {
            return c;
        }
    }
    if (in.AtEnd()) {
        return c;
    }
    c.Draw = in.NextBoolean();
    for (int f = 0; f < kReserveRecords * kReserveFields; ++f) {
        if (!in.NextText()) {
            return c;
        }
    }
    c.Whole = true;
    // Only a case not set up writes a record here, and only #FALSE#: any other text is that record cut.
    if (!in.AtEnd()) {
        const std::optional<bool> setUp = in.NextBoolean();
        c.SetUp = setUp.value_or(false);
        c.Whole = setUp.has_value();
    }
    return c;
}

LghContents ReadLghBytes(std::string_view gbk) {
    scheme::SchemeReader in;
    in.Parse(gbk);
    LghContents c = ReadLgh(in);
    if (c.Whole || c.RefusedRowCount) {
        return c;
    }
    if (std::optional<scheme::SchemeReader> kept = scheme::WholeRecordsReader(gbk)) {
        const bool setUp = c.SetUp;
        c = ReadLgh(*kept);
        c.Whole = false;
        c.SetUp = c.SetUp && setUp;
    }
    return c;
}

scheme::SchemeWriter WriteLgh(const std::vector<CaseRow>& rows, const std::string& areaLength,
                              const std::array<std::string, kCaseResults>& results, bool draw, bool setUp) {
    scheme::SchemeWriter out;
    out.Whole(static_cast<long long>(rows.size())).EndRecord();
    out.TextRows(rows, std::tuple_size_v<CaseRow>);
    out.Text(areaLength).EndRecord();
    out.TextRecord(results);
    out.Boolean(draw).EndRecord();
    out.ReserveRecords(kReserveRecords, kReserveFields);
    if (!setUp) {
        out.Boolean(false).EndRecord();
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
