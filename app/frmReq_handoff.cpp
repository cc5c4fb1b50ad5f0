// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off to step 2: the design case and demand preset in the ventilation parameters window.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/ventparam_formulas.h"

using app::guarded;

void frmReq::cmdNextStep_Click() {
    guarded([this] { RefreshData(true); });
    if (modPublic::ProjectFile.empty()) {
        platform::MsgBox("请先保存项目！", platform::vbOKOnly, "保存");
        return;
    }
    guarded([this] { UpdateTotals(); });

    frmVentParam* step2 = nullptr;
    guarded([&] { step2 = &platform::Forms::instance<frmVentParam>(); });
    if (step2 == nullptr) {
        return;
    }
    frmVentParam& w = *step2;
    auto demand = [](const platform::TextBox& co, const platform::TextBox& vi) {
        return modPublic::MaxOf(vb::Val(co.Text()), vb::Val(vi.Text()));
    };
    auto preset = [&w](vb::Integer position, double q) {
        // Each change of the case runs step 2's case handler, which rewrites the demand of the case.
        w.txtQQ_req.set(vb::CStr(q));
        w.lstCase.setListIndex(position);
    };

    // One-way, two-way and full-length congestion in this order: a case gives way only to a strictly
    // larger demand, so on a tie the earlier case keeps the place.
    guarded([&] {
        w.txtQQ_req.set(vb::CStr(demand(txtQQ_req_CO, txtQQ_req_VI)));
        w.lstCase.setListIndex(0);
    });
    guarded([&] {
        const double q = demand(txtQQ_req_CO_Bidirection, txtQQ_req_VI_Bidirection);
        if (vb::Val(w.txtQQ_req.Text()) < q) {
            preset(1, q);
        }
    });
    guarded([&] {
        const double q = demand(txtQQ_req_CO_block, txtQQ_req_VI_block);
        if (vb::Val(w.txtQQ_req.Text()) < q) {
            preset(2, q);
        }
    });
    // A larger air-change demand governs under the one-way case. The case is switched first: its handler
    // rewrites the demand with the one-way figure, which must not replace the larger air-change demand,
    // nor leave a demand below the traffic case that governed.
    guarded([&] {
        const double q = vb::Val(txtQQ_req_exchange.Text());
        if (vb::Val(w.txtQQ_req.Text()) < q) {
            w.lstCase.setListIndex(0);
            if (vb::Val(w.txtQQ_req.Text()) < q) {
                w.txtQQ_req.set(vb::CStr(q));
            }
        }
    });
    // The one-way demand handed over is that of the working speed on page 4, the two-way demand that of
    // page 5's speed; for each, the speed of its page's list that needs the most air is handed over too, so
    // that step 2 can say when it is another one.
    guarded([&] {
        double speed = 0, most = -1;
        for (const vb::Integer v : modPublic::WorkSpeeds) {
            const double q = OneWayDemandAt(v);
            if (q > most) {
                speed = v;
                most = q;
            }
        }
        if (most >= 0) {
            w.SetGoverningSpeed(0, speed, most);
        }
    });
    guarded([&] {
        double speed = 0, most = -1;
        for (int i = 0; i < cmbWorkVt_Bidirection.ListCount(); ++i) {
            const double v = vb::Val(cmbWorkVt_Bidirection.List(i));
            const double q = TwoWayDemandAt(v);
            if (q > most) {
                speed = v;
                most = q;
            }
        }
        if (most >= 0) {
            w.SetGoverningSpeed(1, speed, most);
        }
    });
    guarded([&] {
        if (lstSection.ListItems.Count() < 1) {
            return;
        }
        const auto v = ventparam::DesignAirSpeed(vb::Val(w.txtQQ_req.Text()),
                                                 vb::Val(lstSection.ListItems(1).SubItems(1)));
        if (v) {
            w.txtv_r.set(vb::Format(*v, "0.000"));
        }
    });
    guarded([&] { w.setCaption("Step 2: 通风分析参数设置,特征年:" + txtYear.Text()); });
    guarded([&] { w.ShowModal(this); });
    // Step 2 is unloaded when it closes; the next hand-off creates it anew from its file.
    guarded([] { platform::Forms::unload<frmVentParam>(); });
}
