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
    sj.Step2 = ventparam::ReadStep2Inputs(in);
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
    ventparam::WriteStep2Inputs(out, sj.Step2);
    return out;
}

void KeepTemplateInputs(SjFileContents& sj) {
    const auto empty = [](SjField& field) { field = std::string(); };
    const bool supplyGiven = sj.SupplyGiven.value_or(false);
    empty(sj.ShaftPile);
    // An opening's area and rise; its fan's pressures and powers.
    for (auto* opening : {&sj.Exhaust, &sj.Supply}) {
        for (std::size_t i : {3, 6}) {
            empty((*opening)[i]);
        }
    }
    if (!supplyGiven) {
        empty(sj.Supply[2]);
    }
    for (auto* fan : {&sj.ExhaustFan, &sj.SupplyFan}) {
        for (std::size_t i : {1, 2, 6, 9}) {
            empty((*fan)[i]);
        }
    }
    // Everything of the short passage but its length.
    for (std::size_t i = 1; i < sj.Passage.size(); ++i) {
        empty(sj.Passage[i]);
    }
    // A section's demand, flows, pressures and concentration, the rise of one of its fans and their count.
    for (auto* section : {&sj.Inlet, &sj.Outlet}) {
        for (std::size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 11, 13}) {
            if (!(section == &sj.Inlet && i == 1 && !supplyGiven)) {
                empty((*section)[i]);
            }
        }
    }
    sj.Groups = std::vector<SjGroupRow>();
    sj.Step2.reset();
}

} // namespace shaft
