// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/sj_file.h"

namespace shaft {

namespace {

template <std::size_t N> void readFields(scheme::SchemeReader& in, std::array<SjField, N>& fields) {
    for (auto& field : fields) {
        field = in.NextText();
    }
}

template <std::size_t N> void writeFields(scheme::SchemeWriter& out, const std::array<SjField, N>& fields) {
    out.TextRecord(fields);
}

} // namespace

SjFileContents ReadSjFile(scheme::SchemeReader& in) {
    SjFileContents sj;
    in.Skip(1);
    sj.ShaftPile = in.NextText();
    readFields(in, sj.Exhaust);
    readFields(in, sj.ExhaustFan);
    readFields(in, sj.Supply);
    readFields(in, sj.SupplyFan);
    sj.SupplyGiven = in.NextBoolean();
    sj.Beta = in.NextText();
    in.Skip(1);
    readFields(in, sj.Passage);
    in.Skip(1);
    readFields(in, sj.Inlet);
    in.Skip(1);
    readFields(in, sj.Outlet);
    in.Skip(1);
    sj.Groups = jetfan::ReadGroupRows(in);
    return sj;
}

scheme::SchemeWriter WriteSjFile(const SjFileContents& sj) {
    scheme::SchemeWriter out;
    out.Text(kSjTitleShaft).EndRecord();
    out.Text(sj.ShaftPile.value_or("")).EndRecord();
    writeFields(out, sj.Exhaust);
    writeFields(out, sj.ExhaustFan);
    writeFields(out, sj.Supply);
    writeFields(out, sj.SupplyFan);
    out.Boolean(sj.SupplyGiven.value_or(false)).Text(sj.Beta.value_or("")).EndRecord();
    out.Text(kSjTitlePassage).EndRecord();
    writeFields(out, sj.Passage);
    out.Text(kSjTitleInlet).EndRecord();
    writeFields(out, sj.Inlet);
    out.Text(kSjTitleOutlet).EndRecord();
    writeFields(out, sj.Outlet);
    out.Text(kSjTitleGroups).EndRecord();
    jetfan::WriteGroupRows(out, sj.Groups);
    return out;
}

} // namespace shaft
