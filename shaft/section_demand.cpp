// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/section_demand.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"

namespace shaft {

SectionStretches StretchesOf(double startPile, double tunnelLength, double shaftPile, bool leftLine) {
    const double endPile = startPile + tunnelLength;
    if (leftLine) {
        return {shaftPile, endPile, startPile, shaftPile};
    }
    return {startPile, shaftPile, shaftPile, endPile};
}

SectionDemand ComputeSectionDemand(frmReq& req, frmVentParam& step2, double shaftPile,
                                   std::optional<double> ds, const SectionDemand& previous) {
    using app::guarded;
    SectionDemand demand = previous;
    SectionStretches s;
    guarded([&] {
        s = StretchesOf(vb::Val(req.txtStartPile.Text()), req.GetTunnelLength(), shaftPile,
                        req.optLeftLine.Value());
    });
    const vb::Integer caseId = static_cast<vb::Integer>(step2.lstCase.ListIndex() + 1);
    // In the 1 km congestion case the main window cuts the stretches to the congestion window; the cut
    // stretches are the ones the air-change demand is taken over as well.
    guarded([&] { demand.Inlet = req.GetSectionQreq(s.InletStart, s.InletEnd, caseId); });
    guarded([&] { demand.Outlet = req.GetSectionQreq(s.OutletStart, s.OutletEnd, caseId); });
    if (ds) {
        guarded([&] {
            const double a = shaftPile - 0.5 * *ds, b = 0.5 * *ds + shaftPile;
            demand.Passage = req.GetSectionQreq(a, b, caseId);
        });
    }
    guarded([&] { req.CalQQ_req_exchange(-1); });
    guarded([&] {
        const double exchange = vb::Val(req.txtQQ_req_exchange.Text());
        if (exchange > demand.Inlet + demand.Outlet && step2.chkExchange.Value() == 1) {
            guarded([&] { demand.Inlet = req.GetExchangeSectionQreq(s.InletStart, s.InletEnd); });
            guarded([&] { demand.Outlet = req.GetExchangeSectionQreq(s.OutletStart, s.OutletEnd); });
            if (ds) {
                guarded([&] {
                    demand.Passage = req.GetExchangeSectionQreq(shaftPile - 0.5 * *ds, 0.5 * *ds + shaftPile);
                });
            }
        }
    });
    return demand;
}

} // namespace shaft
