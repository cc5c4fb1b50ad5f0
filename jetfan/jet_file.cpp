// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_file.h"

#include "platform/vb.h"

namespace jetfan {

std::optional<std::vector<JetGroupRow>> ReadGroupRows(scheme::SchemeReader& in) {
    const std::optional<double> n = in.NextLeading();
    if (!n) {
        return std::nullopt;
    }
    std::vector<JetGroupRow> rows;
    const std::optional<vb::Integer> count = vb::CInt(*n);
    for (int k = 0; count && k < *count; ++k) {
        std::optional<std::string> pile = in.NextText();
        std::optional<std::string> fans = in.NextText();
        std::optional<std::string> press = in.NextText();
        if (!pile || !fans || !press) {
            break;
        }
        rows.push_back({std::move(*pile), std::move(*fans), std::move(*press)});
    }
    return rows;
}

void WriteGroupRows(scheme::SchemeWriter& out, const std::optional<std::vector<JetGroupRow>>& groups) {
    const std::vector<JetGroupRow> none;
    const std::vector<JetGroupRow>& rows = groups ? *groups : none;
    out.Whole(static_cast<long long>(rows.size())).EndRecord();
    for (const JetGroupRow& row : rows) {
        out.Text(row.Pile).Text(row.Count).Text(row.Press).EndRecord();
    }
}

JetFileContents ReadJetFile(scheme::SchemeReader& in) {
    JetFileContents jet;
    in.Skip(1);
    in.NextTexts(jet.Record2);
    in.Skip(1);
    in.NextTexts(jet.Record4);
    in.Skip(1);
    jet.Groups = ReadGroupRows(in);
    jet.Step2 = ventparam::ReadStep2Inputs(in);
    return jet;
}

void KeepTemplateInputs(JetFileContents& jet) {
    jet.Record4.fill(std::string());
    jet.Groups = std::vector<JetGroupRow>();
    jet.Step2.reset();
}

scheme::SchemeWriter WriteJetFile(const JetFileContents& jet) {
    scheme::SchemeWriter out;
    out.Text(kJetTitle1).EndRecord();
    out.TextRecord(jet.Record2);
    out.Text(kJetTitle2).EndRecord();
    out.TextRecord(jet.Record4);
    out.Text(kJetTitle3).EndRecord();
    WriteGroupRows(out, jet.Groups);
    ventparam::WriteStep2Inputs(out, jet.Step2);
    return out;
}

} // namespace jetfan
