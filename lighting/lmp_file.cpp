// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lmp_file.h"

#include "lighting/lamp_photometry.h"

namespace lighting {

namespace {

constexpr int kReserveRecords = 3;
constexpr int kReserveFields = 15;

} // namespace

LmpContents ReadLmp(scheme::SchemeReader& in) {
    LmpContents c;
    const std::optional<long long> n = in.NextWhole();
    if (!n) {
        return c;
    }
    std::vector<std::vector<std::string>> rows;
    for (long long i = 0; i < *n; ++i) {
        std::vector<std::string> row;
        for (int col = 0; col < kCircuitColumns; ++col) {
            std::optional<std::string> cell = in.NextText();
            if (!cell) {
                break;
            }
            row.push_back(std::move(*cell));
        }
        if (row.size() != static_cast<std::size_t>(kCircuitColumns)) {
            // A row cut off by the end of the file is no circuit; nothing after it can be read either.
            c.Circuits = std::move(rows);
            return c;
        }
        rows.push_back(std::move(row));
    }
    c.Circuits = std::move(rows);

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
    for (const std::vector<std::string>& row : rows) {
        for (int col = 0; col < kCircuitColumns; ++col) {
            out.Text(static_cast<std::size_t>(col) < row.size() ? row[static_cast<std::size_t>(col)] : "");
        }
        out.EndRecord();
    }
    out.Whole(c.RoadType.value_or(0)).Text(c.RoadWidth.value_or("")).EndRecord();
    out.Text(c.Distance.value_or(""))
        .Text(c.PointsAlong.value_or(""))
        .Text(c.PointsAcross.value_or(""))
        .EndRecord();
    out.Boolean(c.Numeric.value_or(true)).Boolean(c.Curve.value_or(false)).EndRecord();
    for (int r = 0; r < kReserveRecords; ++r) {
        for (int f = 0; f < kReserveFields; ++f) {
            out.Text("");
        }
        out.EndRecord();
    }
    return out;
}

} // namespace lighting
