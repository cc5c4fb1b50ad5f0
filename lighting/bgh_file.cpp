// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/bgh_file.h"

#include "lighting/lighting_files.h"
#include "platform/vb.h"

namespace lighting {

namespace {

std::optional<std::vector<std::string>> readTexts(scheme::SchemeReader& in, long long count) {
    std::vector<std::string> texts;
    for (long long i = 0; i < count && !in.AtEnd(); ++i) {
        texts.push_back(in.NextText().value_or(""));
    }
    return texts;
}

} // namespace

BghContents ReadBgh(scheme::SchemeReader& in) {
    BghContents c;
    const std::optional<long long> n = in.NextWhole();
    if (!n) {
        return c;
    }
    if (*n > kMaxTrafficVolumes) {
        c.RefusedVolumeCount = *n;
        return c;
    }
    c.Volumes = readTexts(in, *n);

    c.Speed = in.NextText();
    c.Length = in.NextText();
    c.TwoWay = in.NextBoolean();
    c.OneWay = in.NextBoolean();
    c.Mixed = in.NextBoolean();

    c.SkyRatio = in.NextText();
    c.Surroundings = in.NextWhole();
    for (std::optional<std::string>* field :
         {&c.Slope, &c.Height, &c.PreLength, &c.Span, &c.k, &c.Discount, &c.L20, &c.Ds}) {
        *field = in.NextText();
    }
    c.Mode = in.NextWhole();

    const std::optional<long long> m = in.NextWhole();
    if (!m) {
        return c;
    }
    std::vector<BghZoneRow> rows;
    for (long long i = 0; i < *m && !in.AtEnd(); ++i) {
        BghZoneRow row;
        row.Luminance = in.NextText();
        row.Length = in.NextText();
        rows.push_back(row);
    }
    c.Zones = std::move(rows);
    in.Skip(static_cast<std::size_t>(kReserveRecords) * kReserveFields);
    c.Traffic = in.NextText();
    return c;
}

BghContents KeepOfficeDefaults(const BghContents& t, const OwnTunnel& own) {
    BghContents c;
    c.Volumes = std::vector<std::string>{own.Traffic};
    c.Speed = own.Speed;
    c.Length = own.Length;
    c.TwoWay = own.TwoWay;
    c.OneWay = !own.TwoWay;
    c.Mixed = false;
    c.SkyRatio = t.SkyRatio;
    c.Surroundings = t.Surroundings;
    c.Slope = own.Slope;
    c.Height = t.Height;
    c.PreLength = t.PreLength;
    c.Span = t.Span;
    c.Mode = t.Mode;
    return c;
}

scheme::SchemeWriter WriteBgh(const BghContents& c) {
    scheme::SchemeWriter out;
    const std::vector<std::string> volumes = c.Volumes.value_or(std::vector<std::string>{});
    out.Whole(static_cast<long long>(volumes.size())).EndRecord();
    for (const std::string& v : volumes) {
        out.Text(v).EndRecord();
    }
    out.Text(c.Speed.value_or(""))
        .Text(c.Length.value_or(""))
        .Boolean(c.TwoWay.value_or(false))
        .Boolean(c.OneWay.value_or(false))
        .Boolean(c.Mixed.value_or(false))
        .EndRecord();
    out.Text(c.SkyRatio.value_or("")).Whole(c.Surroundings.value_or(-1));
    for (const std::optional<std::string>* field :
         {&c.Slope, &c.Height, &c.PreLength, &c.Span, &c.k, &c.Discount, &c.L20, &c.Ds}) {
        out.Text(field->value_or(""));
    }
    out.EndRecord();
    out.Whole(c.Mode.value_or(-1)).EndRecord();
    const std::vector<BghZoneRow> zones = c.Zones.value_or(std::vector<BghZoneRow>{});
    out.Whole(static_cast<long long>(zones.size())).EndRecord();
    for (const BghZoneRow& row : zones) {
        out.Text(row.Luminance.value_or("")).Text(row.Length.value_or("")).EndRecord();
    }
    out.ReserveRecords(kReserveRecords, kReserveFields);
    if (c.Traffic) {
        out.Text(*c.Traffic).EndRecord();
    }
    return out;
}

} // namespace lighting
