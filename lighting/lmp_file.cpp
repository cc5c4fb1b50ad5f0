// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lmp_file.h"

#include "lighting/lamp_photometry.h"
#include "lighting/lighting_files.h"

namespace lighting {

LmpContents ReadLmp(scheme::SchemeReader& in) {
    LmpContents c;
    // A row cut off by the end of the file is no circuit; nothing after it can be read either.
    if (!ReadCountedRows(in, std::vector<std::string>(kCircuitColumns), c.Circuits)) {
        return c;
    }

    if (!(c.RoadType = in.NextWhole()) || !(c.RoadWidth = in.NextText())) {
        return c;
    }
    if (!(c.Distance = in.NextText()) || !(c.PointsAlong = in.NextText()) ||
        !(c.PointsAcross = in.NextText())) {
        return c;
    }
    if (!(c.Numeric = in.NextBoolean())) {
        return c;
    }
    c.Curve = in.NextBoolean();
    return c;
}

scheme::SchemeWriter WriteLmp(const LmpContents& c) {
    scheme::SchemeWriter out;
    const std::vector<std::vector<std::string>> rows =
        c.Circuits.value_or(std::vector<std::vector<std::string>>{});
    out.Whole(static_cast<long long>(rows.size())).EndRecord();
    out.TextRows(rows, kCircuitColumns);
    out.Whole(c.RoadType.value_or(0)).Text(c.RoadWidth.value_or("")).EndRecord();
    out.Text(c.Distance.value_or(""))
        .Text(c.PointsAlong.value_or(""))
        .Text(c.PointsAcross.value_or(""))
        .EndRecord();
    out.Boolean(c.Numeric.value_or(true)).Boolean(c.Curve.value_or(false)).EndRecord();
    out.ReserveRecords(kReserveRecords, kReserveFields);
    return out;
}

} // namespace lighting
