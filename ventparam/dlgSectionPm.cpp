// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/dlgSectionPm.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "ventparam/loss_coefficients.h"

namespace {

constexpr platform::Color kInputColor = platform::RGB(255, 255, 192);
constexpr int kBoxHeight = 300;

} // namespace

dlgSectionPm::dlgSectionPm() {
    setCaption("区段通风阻抗力计算");
    setWidth(5400);
    setHeight(3200);
    label("起始桩号:", 240, 240, 1900);
    txtSectionSP.place(*this, 2200, 240, 1600, kBoxHeight);
    label("终止桩号:", 240, 660, 1900);
    txtSectionEP.place(*this, 2200, 660, 1600, kBoxHeight);
    label("设计风量Q(m^3/s):", 240, 1080, 1900);
    txtQ.place(*this, 2200, 1080, 1600, kBoxHeight);
    for (platform::TextBox* box : {&txtSectionSP, &txtSectionEP, &txtQ}) {
        box->setBackColor(kInputColor);
    }
    chkEntrance.place(*this, 2200, 1480, 800, kBoxHeight);
    chkEntrance.setCaption("入口");
    chkExit.place(*this, 3100, 1480, 800, kBoxHeight);
    chkExit.setCaption("出口");
    label("通风阻抗力:", 240, 1900, 1900);
    txtPm.place(*this, 2200, 1900, 1600, kBoxHeight);
    OKButton.place(*this, 4000, 240, 1100, 375);
    OKButton.setCaption("计算");
    CancelButton.place(*this, 4000, 720, 1100, 375);
    CancelButton.setCaption("关闭");
    connectEvents();
}

void dlgSectionPm::label(const char* text, int left, int top, int width) {
    labels_.push_back(std::make_unique<platform::Label>());
    labels_.back()->place(*this, left, top + 30, width, kBoxHeight);
    labels_.back()->setCaption(text);
}

void dlgSectionPm::connectEvents() {
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
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
