// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dlgSectionQreq.h"

#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "platform/Forms.h"
#include "platform/vb.h"

namespace {

/// Writes the demand between the open dialog's two stations into it; nothing while it is closed.
template <class Demand> void showInSectionDialog(bool shown, Demand demand) {
    if (!shown || !platform::Forms::isLoaded<dlgSectionQreq>()) {
        return;
    }
    app::guarded([&] {
        dlgSectionQreq& dlg = platform::Forms::instance<dlgSectionQreq>();
        const double sp = vb::Val(dlg.txtSectionSP.Text());
        const double ep = vb::Val(dlg.txtSectionEP.Text());
        dlg.txtSectionQreq.set(vb::Format(demand(sp, ep), "0.00"));
    });
}

} // namespace

dlgSectionQreq::dlgSectionQreq() {
    platform::Layout::window(*this, "任意区段需风量计算", 5400, 2200);
    layout_.column(
        *this,
        {.left = 240,
         .labelWidth = 1760,
         .boxWidth = 1700,
         .pitch = 420,
         .labelHeight = platform::kBoxHeight},
        240,
        {{"起始桩号:", &txtSectionSP}, {"终止桩号:", &txtSectionEP}, {"需风量(m^3/s):", &txtSectionQreq}});
    platform::Layout::inputs({&txtSectionSP, &txtSectionEP});
    platform::Layout::buttons(*this, 3950, 240, 1100, 375, 0, {{&cmdClose, "关闭(&C)"}});
    connectEvents();
}

void dlgSectionQreq::connectEvents() {
    for (platform::TextBox* box : {&txtSectionSP, &txtSectionEP}) {
        box->setRangeCheck(app::station_range_problem);
    }
    platform::Connect(cmdClose.Click, this, &dlgSectionQreq::cmdClose_Click);
}

void dlgSectionQreq::cmdClose_Click() {
    platform::Forms::unload(*this);
}

void dlgSectionQreq::Form_QueryUnload(int&, int) {
    // Asking a main window that is already gone would create a new one.
    if (platform::Forms::isLoaded<frmReq>()) {
        platform::Forms::instance<frmReq>().bShowSectionQreq = false;
    }
}

// The Tools menu's stretch demand stays open beside the main window and is filled by its calculations.
void frmReq::mnuToolSectionQreq_Click() {
    platform::Forms::instance<dlgSectionQreq>().Show();
    bShowSectionQreq = true;
}

void frmReq::ShowSectionQreq(vb::Integer iCaseID) {
    showInSectionDialog(bShowSectionQreq,
                        [&](double sp, double ep) { return GetSectionQreq(sp, ep, iCaseID); });
}

void frmReq::ShowExchangeSectionQreq() {
    showInSectionDialog(bShowSectionQreq,
                        [&](double sp, double ep) { return GetExchangeSectionQreq(sp, ep); });
}
