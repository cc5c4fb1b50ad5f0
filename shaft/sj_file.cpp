// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/sj_file.h"

namespace shaft {

SjFileContents ReadSjFile(scheme::SchemeReader& in) {
    SjFileContents sj;
    in.Skip(1);
    sj.ShaftPile = in.NextText();
    in.NextTexts(sj.Exhaust);
    in.NextTexts(sj.ExhaustFan);
    in.NextTexts(sj.Supply);
    in.NextTexts(sj.SupplyFan);
    sj.SupplyGiven = in.NextBoolean();
    sj.Beta = in.NextText();
    in.Skip(1);
    in.NextTexts(sj.Passage);
    in.Skip(1);
    in.NextTexts(sj.Inlet);
    in.Skip(1);
    in.NextTexts(sj.Outlet);
    in.Skip(1);
    sj.Groups = jetfan::ReadGroupRows(in);
    return sj;
}

scheme::SchemeWriter WriteSjFile(const SjFileContents& sj) {
    scheme::SchemeWriter out;
    out.Text(kSjTitleShaft).EndRecord();
    out.Text(sj.ShaftPile.value_or("")).EndRecord();
    out.TextRecord(sj.Exhaust);
    out.TextRecord(sj.ExhaustFan);
    out.TextRecord(sj.Supply);
    out.TextRecord(sj.SupplyFan);
    out.Boolean(sj.SupplyGiven.value_or(false)).Text(sj.Beta.value_or("")).EndRecord();
    out.Text(kSjTitlePassage).EndRecord();
    out.TextRecord(sj.Passage);
    out.Text(kSjTitleInlet).EndRecord();
    out.TextRecord(sj.Inlet);
    out.Text(kSjTitleOutlet).EndRecord();
    out.TextRecord(sj.Outlet);
    out.Text(kSjTitleGroups).EndRecord();
    jetfan::WriteGroupRows(out, sj.Groups);
    return out;
}

} // namespace shaft
