// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/step2_shown.h"

#include "app/guarded.h"
#include "platform/Forms.h"
#include "ventparam/frmVentParam.h"

namespace ventparam {

Step2Inputs Step2Shown() {
    Step2Inputs s;
    app::guarded([&] {
        frmVentParam& step2 = platform::Forms::instance<frmVentParam>();
        s.Case = step2.lstCase.Text();
        s.Qreq = step2.txtQQ_req.Text();
        s.Exchange = step2.chkExchange.Value() == 1 ? "1" : "0";
        s.ZetaE = step2.txtzeta_e.Text();
        s.Lambda = step2.txtlambda_r.Text();
        s.Vn = step2.txtv_n.Text();
        s.Am = step2.txtAA_m.Text();
        s.Am2 = step2.txtAA_m_Bidirection.Text();
        for (int i = 1; i <= step2.lstzeta.ListItems.Count(); ++i) {
            platform::ListItem& row = step2.lstzeta.ListItems(i);
            s.Losses.push_back({row.Text(), row.SubItems(1)});
        }
    });
    return s;
}

std::string ResultsOfOtherStep2(std::optional<Step2Inputs>& computedUnder, unsigned compared,
                                bool resultsShown) {
    if (!resultsShown) {
        computedUnder.reset();
        return {};
    }
    // Without step 2 open there is nothing the results could be beside.
    if (!computedUnder || !platform::Forms::isLoaded<frmVentParam>()) {
        return {};
    }
    Step2Inputs now = Step2Shown();
    std::string hint = Step2ChangeHint(*computedUnder, now, compared);
    if (hint.empty()) {
        return hint;
    }
    computedUnder = std::move(now);
    return hint;
}

} // namespace ventparam
