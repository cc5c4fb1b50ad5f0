// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/par_file.h"

#include <cstddef>

namespace ventparam {

ParContents ReadPar(scheme::SchemeReader& in) {
    ParContents par;
    in.Skip(1);
    par.zeta_e = in.NextText();
    par.lambda_r = in.NextText();
    in.Skip(1); // reserved
    par.v_n = in.NextText();
    in.NextTexts(par.Record3);
    if (in.AtEnd()) {
        return par;
    }
    const std::optional<long long> n = in.NextWhole();
    std::vector<ZetaRow> rows;
    for (long long i = 0; n && i < *n; ++i) {
        std::optional<std::string> pile = in.NextText();
        std::optional<std::string> zeta = in.NextText();
        if (!pile || !zeta) {
            par.ZetaRows = std::move(rows);
            return par;
        }
        rows.push_back({std::move(*pile), std::move(*zeta)});
    }
    par.ZetaRows = std::move(rows);
    par.r_1_Bidirection = in.NextText();
    par.AA_m_Bidirection = in.NextText();
    if (!in.AtEnd()) {
        par.SchemeIndex = in.NextWhole();
    }
    if (!in.AtEnd()) {
        par.Exchange = in.NextBoolean();
    }
    return par;
}

scheme::SchemeWriter WritePar(const ParContents& par) {
    scheme::SchemeWriter out;
    out.Text(kParTitle).EndRecord();
    out.Text(par.zeta_e.value_or("")).Text(par.lambda_r.value_or("")).Text("").Text(par.v_n.value_or(""));
    out.EndRecord();
    out.TextRecord(par.Record3);
    const std::vector<ZetaRow> none;
    const std::vector<ZetaRow>& rows = par.ZetaRows ? *par.ZetaRows : none;
    out.Whole(static_cast<long long>(rows.size())).EndRecord();
    for (const ZetaRow& row : rows) {
        out.Text(row.Pile).Text(row.Zeta).EndRecord();
    }
    out.Text(par.r_1_Bidirection.value_or("")).Text(par.AA_m_Bidirection.value_or("")).EndRecord();
    out.Whole(par.SchemeIndex.value_or(0)).EndRecord();
    out.Boolean(par.Exchange.value_or(false)).EndRecord();
    return out;
}

} // namespace ventparam
