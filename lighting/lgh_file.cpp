// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lgh_file.h"

#include "lighting/lighting_files.h"

namespace lighting {

LghContents ReadLgh(scheme::SchemeReader& in) {
    LghContents c;
    if (!ReadCountedRows(in, CaseRow{}, c.Rows)) {
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
    c.Draw = in.NextBoolean();
    in.Skip(static_cast<std::size_t>(kReserveRecords) * kReserveFields);
    c.SetUp = in.NextBoolean().value_or(true);
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
