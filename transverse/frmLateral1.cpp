// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmLateral1.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "transverse/lateral1.h"

#include <array>
#include <cmath>

namespace {

using app::guarded;
using platform::Forms;

} // namespace

frmLateral1::frmLateral1() : SupplyDuctView(".lt1") {
    platform::Layout::window(*this, "送风型半横向通风计算(双向交通)(测试)", 7400, 6400);
    buildControls();
    connectEvents();
}

// ---- Layout ----

void frmLateral1::buildControls() {
    using platform::Layout;
    const platform::Layout::Column rows{
        .left = 120, .labelWidth = 3030, .boxWidth = 1500, .pitch = 390, .boxHeight = 315, .labelDrop = 40};
    // The "..." button comes right after the loss it fills, for Tab as on the window.
    const int afterLoss = layout_.column(*this, rows, 120,
                                         {{"计算行车速度vt(km/h):", &txtv_t},
                                          {"需风量Qreq(m^3/s):", &txtQQ_req},
                                          {"风道断面积Ab(m^2):", &txtAA_b},
                                          {"风道当量直径Db(m):", &txtDD_b},
                                          {"风道沿程摩阻系数λb::", &txtZetab},
                                          {"每单位长度的送风量qb(m^3/s/m):", &txtq_b},
                                          {"送风道始端风速vb(m/s):", &txtv_b},
                                          {"送风道始端动压Pb(Pa):", &txtp_b},
                                          {"送风道风压损失系数kb:", &txtk_b},
                                          {"送风道静压差Pbi-Pb0(Pa):", &txtpbi_pb0},
                                          {"送风道所需末端压力Pbo-Pro(Pa):", &txtpb0_pr0},
                                          {"隧道风压Prc-Pr(x)(Pa):", &txtprc_prx},
                                          {"连接风道损失Pd(Pa):", &txtp_d}});
    Layout::buttonInBox(*this, txtp_d, cmdCalculatePd, "...");
    layout_.column(*this, rows, afterLoss, {{"送风机所需全压力Ptot(Pa):", &txtp_tot}});

    Layout::buttonColumn(*this, 5000, 240, 1500, 450, 150,
                         {{&cmdCalculatePtot3, "计算"}, {&cmdClose, "关闭"}});

    Layout::inputs({&txtv_t, &txtQQ_req, &txtAA_b, &txtDD_b, &txtZetab});
    // The speed and the demand are the project's, shown as the calculation takes them: no box of this
    // window sets them.
    txtv_t.setEnabled(false);
    txtQQ_req.setEnabled(false);
}

void frmLateral1::connectEvents() {
    platform::Layout::entries({.numbers = {&txtp_d}});
    platform::Connect(cmdCalculatePtot3.Click, this, &frmLateral1::cmdCalculatePtot3_Click);
    platform::Connect(cmdCalculatePd.Click, this, &frmLateral1::cmdCalculatePd_Click);
    platform::Connect(cmdClose.Click, this, &frmLateral1::cmdClose_Click);
}

// ---- Lifecycle ----

void frmLateral1::UserForm_Initialize() {
    guarded(
        [] { modPublic::AA_r = Forms::instance<frmReq>().GetAA_r(modPublic::StartPile, &modPublic::DD_r); });
    guarded([this] { UpdateData(false); });
    guarded([this] { OpenFile(); });
}

// ---- Boxes and fields ----

void frmLateral1::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        AA_b = vb::Val(txtAA_b.Text());
        DD_b = vb::Val(txtDD_b.Text());
        p_d = vb::Val(txtp_d.Text());
        modPublic::Lambda_b = vb::Val(txtZetab.Text());
        return;
    }
    guarded([this] { txtQQ_req.set(vb::CStr(modPublic::QQ_req)); });
    guarded([this] { txtv_t.set(vb::CStr(modPublic::DesignSpeed)); });
    // The calculation says which input left a box empty.
    showSupplyResults();
}

// ---- The .lt1 file ----

void frmLateral1::OpenFile() {
    scheme::SchemeReader in;
    if (openSchemeFile(in) == app::CompanionSource::None) {
        return;
    }
    const transverse::Lt1File f = transverse::ReadLt1File(in);
    transverse::PutTexts(inputBoxes(), f.Inputs);
    transverse::PutTexts(supplyResultBoxes(), f.Results);
}

std::array<platform::TextBox*, 3> frmLateral1::inputBoxes() {
    return {&txtAA_b, &txtDD_b, &txtZetab};
}

bool frmLateral1::SaveFile() {
    return saveSchemeFile(schemeFile(), "送风型半横向通风文件");
}

scheme::SchemeWriter frmLateral1::schemeFile() {
    transverse::Lt1File f;
    f.Inputs = transverse::TextsOf(inputBoxes());
    f.Results = transverse::TextsOf(supplyResultBoxes());
    return transverse::WriteLt1File(f);
}

// ---- Calculation ----

void frmLateral1::cmdCalculatePtot3_Click() {
    frmReq& req = Forms::instance<frmReq>();
    guarded([this] { UpdateData(true); });
    transverse::OlderSupplyInput in;
    guarded([&] { in.L = req.GetTunnelLength(); });
    putSupplyInput(in);
    in.AA_r = modPublic::AA_r;
    in.DD_r = modPublic::DD_r;
    in.AA_m = modPublic::AA_m_Bidirection;
    in.N = modPublic::DesignTraffic;
    in.vt = modPublic::DesignSpeed;
    const transverse::OlderSupplyResult r = transverse::OlderSupplyDuct(in);
    takeSupplyResults(r);
    LL_b = r.LL_b;
    prc_prx = r.prc_prx;
    guarded([this] { UpdateData(false); });
    guarded([&] { reportNotComputed(in.L); });
}

void frmLateral1::reportNotComputed(double L) {
    bool failed = false;
    for (double v : {q_b, v_b, p_b, k_b, pbi_pb0, prc_prx, p_tot}) {
        failed = failed || !std::isfinite(v);
    }
    if (!failed) {
        return;
    }
    std::string names;
    auto need = [&names](double v, const char* name) {
        if (v == 0 || !std::isfinite(v)) {
            names += std::string("\r\n") + name;
        }
    };
    need(L, "隧道长度");
    need(AA_b, "风道断面积Ab");
    need(DD_b, "风道当量直径Db");
    need(modPublic::AA_r, "隧道断面积Ar");
    need(modPublic::DD_r, "隧道断面当量直径Dr");
    need(modPublic::DesignSpeed, "计算行车速度vt");
    platform::MsgBox("部分结果无法计算, 结果框留空. 请检查以下输入(不能为0):" + names, platform::vbOKOnly,
                     "出错");
}
