// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/dlgJetPressure.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/jet_helpers.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

#include <cmath>

namespace {

constexpr const char* kErrorTitle = "出错！";

} // namespace

dlgJetPressure::dlgJetPressure() {
    platform::Layout::window(*this, "射流风机升压力计算", 5750, 3600);
    buildControls();
    connectEvents();
}

void dlgJetPressure::buildControls() {
    using platform::Layout;
    const Layout::Column rows{.left = 240,
                              .labelWidth = 1960,
                              .boxWidth = 1600,
                              .pitch = 420,
                              .labelDrop = 30,
                              .labelHeight = platform::kBoxHeight};
    // The model box is wider than the boxes below it: it shows the longest model name whole.
    const int top = layout_.column(*this, rows.at(rows.left, rows.labelWidth, 1950), 240,
                                   {{"射流风机型号:", &cmbJetModel}});
    layout_.column(*this, rows, top,
                   {{"设计风量Q(m^3/s):", &txtQ}, {"安装桩号:", &txtPile}, {"顶心距Z(m):", &txtZ}});
    Layout::inputs({&cmbJetModel, &txtQ, &txtPile, &txtZ});
    Layout::captioned(chkReverse, *this, "逆转", 2200, 1900, 1000);
    layout_.column(*this, rows, 2320, {{"升压力Pj(Pa):", &txtPj}});
    Layout::buttonColumn(*this, 4350, 240, 1100, 375, 105, {{&OKButton, "计算"}, {&CancelButton, "关闭"}});
}

void dlgJetPressure::connectEvents() {
    platform::Layout::entries({.textLists = {&cmbJetModel}});
    platform::Connect(OKButton.Click, this, &dlgJetPressure::OKButton_Click);
    platform::Connect(CancelButton.Click, this, &dlgJetPressure::CancelButton_Click);
}

void dlgJetPressure::Form_Load() {
    app::guarded([this] {
        for (const JetFanModel& model : modPublic::JetModels) {
            cmbJetModel.AddItem(model.JetName);
        }
    });
}

void dlgJetPressure::OKButton_Click() {
    app::guarded([this] {
        // The name is looked up in the table as it is now; where names repeat, the last entry decides.
        const JetFanModel* model = nullptr;
        const std::string name = cmbJetModel.Text();
        for (const JetFanModel& m : modPublic::JetModels) {
            if (m.JetName == name) {
                model = &m;
            }
        }
        // A rise of 0 would read as a result; say what is missing and show none instead.
        if (model == nullptr) {
            txtPj.set("");
            platform::MsgBox("请选择射流风机型号", platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
            return;
        }
        jetfan::JetFanAtStation fan;
        fan.Flow = model->Flow;
        fan.DD = model->DD;
        fan.Discount = model->Discount;
        fan.Ar = platform::Forms::instance<frmReq>().GetAA_r(vb::Val(txtPile.Text()));
        if (!(fan.Ar > 0)) {
            txtPj.set("");
            platform::MsgBox("安装桩号处的断面面积为零，无法计算升压力",
                             platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
            return;
        }
        fan.vr = vb::Val(txtQ.Text()) / fan.Ar;
        fan.Z = vb::Val(txtZ.Text());
        fan.rho = modPublic::rho;
        fan.Reversed = chkReverse.Value() == 1;
        if (!(fan.Flow > 0 && fan.DD > 0)) {
            txtPj.set("");
            platform::MsgBox("该型号的风机流量或出口直径不大于零，无法计算升压力",
                             platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
            return;
        }
        const double rise = jetfan::JetPressureRise(fan);
        if (!std::isfinite(rise)) {
            txtPj.set("");
            platform::MsgBox("升压力超出数值范围，请检查输入的数值",
                             platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
            return;
        }
        txtPj.set(vb::Format(rise, "0.00"));
    });
}

void dlgJetPressure::CancelButton_Click() {
    platform::Forms::unload(*this);
}

// The Tools menu's calculator stays open beside the main window.
void frmReq::mnuJetPressure_Click() {
    platform::Forms::instance<dlgJetPressure>().Show();
}
