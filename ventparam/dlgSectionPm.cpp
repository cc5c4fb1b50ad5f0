// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/dlgSectionPm.h"

#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "ventparam/loss_coefficients.h"

namespace {} // namespace

dlgSectionPm::dlgSectionPm() {
    using platform::Layout;
    Layout::window(*this, "区段通风阻抗力计算", 5400, 3200);
    const Layout::Column rows{
        .left = 240, .labelWidth = 1960, .boxWidth = 1600, .pitch = 420, .labelHeight = platform::kBoxHeight};
    layout_.column(
        *this, rows, 240,
        {{"起始桩号:", &txtSectionSP}, {"终止桩号:", &txtSectionEP}, {"设计风量Q(m^3/s):", &txtQ}});
    Layout::inputs({&txtSectionSP, &txtSectionEP, &txtQ});
    Layout::captioned(chkEntrance, *this, "入口", 2200, 1480, 800);
    Layout::captioned(chkExit, *this, "出口", 3100, 1480, 800);
    layout_.column(*this, rows, 1900, {{"通风阻抗力:", &txtPm}});
    Layout::buttons(*this, 4000, 240, 1100, 375, 0, {{&OKButton, "计算"}});
    Layout::buttons(*this, 4000, 720, 1100, 375, 0, {{&CancelButton, "关闭"}});
    connectEvents();
}

void dlgSectionPm::connectEvents() {
    // A station far beyond any tunnel is a typo, marked as in the main window.
    for (platform::TextBox* box : {&txtSectionSP, &txtSectionEP}) {
        box->setRangeCheck(app::station_range_problem);
    }
    platform::Connect(OKButton.Click, this, &dlgSectionPm::OKButton_Click);
    platform::Connect(CancelButton.Click, this, &dlgSectionPm::CancelButton_Click);
}

void dlgSectionPm::OKButton_Click() {
    app::guarded([this] {
        const double sp = vb::Val(txtSectionSP.Text());
        const double ep = vb::Val(txtSectionEP.Text());
        const double q = vb::Val(txtQ.Text());
        // A grey check box counts as clear.
        const ventparam::EndLosses ends =
            ventparam::StretchEndLosses(chkEntrance.Value() == 1, chkExit.Value() == 1);
        const double pm = platform::Forms::instance<frmReq>().GetYANCHENGDeltap_r_m(
            sp, ep, modPublic::lambda_r, modPublic::rho, q, static_cast<vb::Integer>(ends.SectionType),
            ends.ZetaRukou, ends.ZetaFencha, ends.ZetaHeliu);
        txtPm.set(vb::Format(pm, "0.00"));
    });
}

void dlgSectionPm::CancelButton_Click() {
    platform::Forms::unload(*this);
}

// The Tools menu's stretch resistance calculator stays open beside the main window.
void frmReq::mnuSectionPressure_Click() {
    platform::Forms::instance<dlgSectionPm>().Show();
}
