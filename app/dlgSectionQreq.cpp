// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dlgSectionQreq.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "platform/Forms.h"
#include "platform/vb.h"

namespace {

constexpr platform::Color kInputColor = platform::RGB(255, 255, 192);
constexpr int kBoxHeight = 300;

} // namespace

dlgSectionQreq::dlgSectionQreq() {
    setCaption("任意区段需风量计算");
    setWidth(5400);
    setHeight(2200);
    label("起始桩号:", 240, 240, 1700);
    txtSectionSP.place(*this, 2000, 240, 1700, kBoxHeight);
    label("终止桩号:", 240, 660, 1700);
    txtSectionEP.place(*this, 2000, 660, 1700, kBoxHeight);
    for (platform::TextBox* box : {&txtSectionSP, &txtSectionEP}) {
        box->setBackColor(kInputColor);
    }
    label("需风量(m^3/s):", 240, 1080, 1700);
    txtSectionQreq.place(*this, 2000, 1080, 1700, kBoxHeight);
    cmdClose.place(*this, 3950, 240, 1100, 375);
    cmdClose.setCaption("关闭(&C)");
    connectEvents();
}

void dlgSectionQreq::label(const char* text, int left, int top, int width) {
    labels_.push_back(std::make_unique<platform::Label>());
    labels_.back()->place(*this, left, top + 30, width, kBoxHeight);
    labels_.back()->setCaption(text);
}

void dlgSectionQreq::connectEvents() {
    cmdClose.Click = [this] { cmdClose_Click(); };
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
    if (!bShowSectionQreq || !platform::Forms::isLoaded<dlgSectionQreq>()) {
        return;
    }
    app::guarded([&] {
        dlgSectionQreq& dlg = platform::Forms::instance<dlgSectionQreq>();
        const double sp = vb::Val(dlg.txtSectionSP.Text());
        const double ep = vb::Val(dlg.txtSectionEP.Text());
        dlg.txtSectionQreq.set(vb::Format(GetSectionQreq(sp, ep, iCaseID), "0.00"));
    });
}

void frmReq::ShowExchangeSectionQreq() {
    if (!bShowSectionQreq || !platform::Forms::isLoaded<dlgSectionQreq>()) {
        return;
    }
    app::guarded([&] {
        dlgSectionQreq& dlg = platform::Forms::instance<dlgSectionQreq>();
        const double sp = vb::Val(dlg.txtSectionSP.Text());
        const double ep = vb::Val(dlg.txtSectionEP.Text());
        dlg.txtSectionQreq.set(vb::Format(GetExchangeSectionQreq(sp, ep), "0.00"));
    });
}
