// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmLateral3.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "transverse/lateral.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/traffic_force.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

using app::guarded;
using platform::Forms;
using platform::TextBox;

/// A station in whole metres as the scroll bar can hold it.
int WholeMetres(double station) {
    const double whole = vb::RoundHalfEven(station);
    if (!std::isfinite(whole)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(whole, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

/// Traffic case and air-change switch of step 2, which shows this window; two-way traffic without it.
struct Step2Choice {
    vb::Integer CaseId = 2;
    bool Exchange = false;
};

Step2Choice Step2() {
    Step2Choice c;
    if (Forms::isLoaded<frmVentParam>()) {
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        c.CaseId = static_cast<vb::Integer>(step2.lstCase.ListIndex() + 1);
        c.Exchange = step2.chkExchange.Value() == 1;
    }
    return c;
}

/// The working speed of two-way traffic that the calculation takes from the main window [km/h].
double TwoWaySpeed() {
    return vb::Val(Forms::instance<frmReq>().cmbWorkVt_Bidirection.Text());
}

} // namespace

frmLateral3::frmLateral3() : SupplyDuctView(".tra") {
    platform::Layout::window(*this, "全横向式通风计算", 16000, 8600);
    buildControls();
    connectEvents();
    // The design-time state: full transverse, a fan at each end of the section.
    optTranverse.setSilently(true);
    chkTwoSect.setSilently(1);
}

// ---- Layout ----

void frmLateral3::buildControls() {
    using platform::Layout;
    const Layout::Column rows{.pitch = 390, .boxHeight = 315, .labelDrop = 40};
    // The demand is shown with all its digits ("181.998323693316"): the boxes take what the captions
    // leave.
    const int top = layout_.column(*this, rows.at(120, 2080, 1650), 120,
                                   {{"计算行车速度vt(km/h):", &txtv_t},
                                    {"区段起始桩号:", &txtStartPile},
                                    {"区段终点桩号:", &txtEndPile},
                                    {"区段需风量Qreq(m^3/s):", &txtQQ_req},
                                    {"两端气压差(Pa):", &txtPa}});
    Layout::captioned(chkTwoSect, *this, "区段两端送排风", 120, top, 3700, 300);
    txtStartPile.setEnabled(false);
    txtEndPile.setEnabled(false);
    // The speed is the main window's, shown as the calculation takes it: no box of this window sets it.
    txtv_t.setEnabled(false);

    Layout::frame(Frame1, *this, "模式", 120, 2520, 3730, 900);
    Layout::captioned(optTranverse, Frame1, "全横向", 120, 360, 1500, 300);
    Layout::captioned(OptionButton2, Frame1, "送风型半横向", 1700, 360, 1900, 300);

    const Layout::Column duct = rows.at(120, 3330, 1350);
    Layout::frame(Frame2, *this, "送风机的参数与全风压", 3950, 0, 4950, 5100);
    const int supplyBottom = layout_.column(Frame2, duct, 280,
                                            {{"送风道断面积Ab(m^2):", &txtAA_b},
                                             {"送风道当量直径Db(m):", &txtDD_b},
                                             {"送风道沿程摩阻系数λb:", &txtLambda_b},
                                             {"每单位长度的送风量qb(m^3/s/m):", &txtq_b},
                                             {"送风道始端风速vbi(m/s):", &txtv_b},
                                             {"送风道始端动压Pb(Pa):", &txtp_b},
                                             {"送风道风压损失系数kb:", &txtk_b},
                                             {"送风道静压差Pbi-Pb0(Pa):", &txtpbi_pb0},
                                             {"送风道所需末端压力Pbo-Pro(Pa):", &txtpb0_pr0},
                                             {"隧道风压Prc-Pr(x)(Pa):", &txtprc_prx},
                                             {"连接风道损失Pbd(Pa):", &txtp_d}});
    Layout::buttonInBox(Frame2, txtp_d, cmdCalculatePd, "...");
    layout_.column(Frame2, duct, supplyBottom, {{"送风机所需全压力Pbtot(Pa):", &txtp_tot}});

    Layout::frame(Frame3, *this, "排风机的参数与全风压", 9000, 0, 4950, 4320);
    const int exhaustBottom = layout_.column(Frame3, duct, 280,
                                             {{"排风道断面积Ae(m^2):", &txtAA_e},
                                              {"排风道当量直径De(m):", &txtDD_e},
                                              {"排风道沿程摩阻系数λe:", &txtLambda_e},
                                              {"排风道末端风速ve0(m/s):", &txtv_e0},
                                              {"排风道末端动压Pe(Pa):", &txtp_e},
                                              {"排风道风压损失系数ke:", &txtk_e},
                                              {"排风道静压差Pei-Pe0(Pa):", &txtpei_pe0},
                                              {"排风道所需始端压力Pri-Pei(Pa):", &txtpri_pei},
                                              {"连接风道损失Ped(Pa):", &txtp_ed}});
    Layout::buttonInBox(Frame3, txtp_ed, cmdCalculatePed, "...");
    layout_.column(Frame3, duct, exhaustBottom, {{"排风机所需全压力Petot(Pa):", &txtp_etot}});

    Layout::frame(Frame4, *this, "隧道内风压计算", 120, 5200, 8780, 1800);
    const Layout::Column pressure = rows.at(120, 1930, 1500);
    layout_.column(Frame4, pressure, 300, {{"中性点桩号:", &txtPileC}});
    layout_.column(Frame4, pressure.at(4000, 1950, 1500), 300, {{"中性点压力(Pa):", &txtPC}});
    Layout::Column slider = pressure.at(120, 1930, 3000);
    slider.boxHeight = platform::kBoxHeight;
    layout_.column(Frame4, slider, 900, {{"任意点桩号:", &scbPileR}});
    scbPileR.setSmallChange(10);
    txtPileR.place(Frame4, 5150, 900, 1300, 315);
    txtPileR.setBorderless(true);
    layout_.column(Frame4, pressure, 1350, {{"任意点压力(Pa):", &txtPR}});
    lblUnbalanced.place(Frame4, 3700, 1390, 4960, 255);
    lblUnbalanced.setForeColor(platform::vbRed);

    Image1.place(*this, 9000, 4420, 4950, 3600);
    Image1.setStretch(true);

    Layout::buttonColumn(*this, 14100, 240, 1700, 450, 150,
                         {{&cmdCalculatePtot3, "计算"}, {&cmdReport, "计算书"}, {&cmdClose, "<--上一步"}});

    Layout::inputs({&txtv_t, &txtStartPile, &txtEndPile, &txtAA_b, &txtDD_b, &txtLambda_b, &txtAA_e, &txtDD_e,
                    &txtLambda_e});
}

void frmLateral3::connectEvents() {
    platform::Layout::entries({.numbers = {&txtp_d, &txtp_ed}});
    platform::Connect(optTranverse.Click, this, &frmLateral3::optTranverse_Click);
    platform::Connect(OptionButton2.Click, this, &frmLateral3::OptionButton2_Click);
    platform::Connect(cmdCalculatePtot3.Click, this, &frmLateral3::cmdCalculatePtot3_Click);
    platform::Connect(cmdCalculatePd.Click, this, &frmLateral3::cmdCalculatePd_Click);
    platform::Connect(cmdCalculatePed.Click, this, &frmLateral3::cmdCalculatePed_Click);
    platform::Connect(scbPileR.Change, this, &frmLateral3::scbPileR_Change);
    platform::Connect(cmdReport.Click, this, &frmLateral3::cmdReport_Click);
    platform::Connect(cmdClose.Click, this, &frmLateral3::cmdClose_Click);
}

// ---- Lifecycle ----

void frmLateral3::UserForm_Initialize() {
    frmReq& req = Forms::instance<frmReq>();
    guarded([&] { modPublic::AA_r = req.GetAA_r(modPublic::StartPile, &modPublic::DD_r); });
    guarded([&] { txtStartPile.set(req.txtStartPile.Text()); });
    guarded([&] {
        const int n = req.lstSlope.ListItems.Count();
        if (n > 0) {
            txtEndPile.set(req.lstSlope.ListItems(n).Text());
        }
    });
    // Setting the range moves the position into it without a calculation; the station box follows it so
    // that the calculation and the box agree.
    guarded([&] {
        scbPileR.setMin(WholeMetres(vb::Val(txtStartPile.Text())));
        scbPileR.setMax(WholeMetres(vb::Val(txtEndPile.Text())));
        txtPileR.setSilently(std::to_string(scbPileR.Value()));
    });
    guarded([this] { txtv_t.set(vb::CStr(TwoWaySpeed())); });
    guarded([&] {
        const double L = vb::Val(txtEndPile.Text()) - vb::Val(txtStartPile.Text());
        txtPa.set(vb::Format(transverse::PortalPressureDifference(modPublic::v_n, modPublic::rho, L,
                                                                  modPublic::lambda_r, modPublic::DD_r,
                                                                  modPublic::zeta_e),
                             "0.00"));
    });
    guarded([this] { optTranverse_Click(); });
    guarded([this] { UpdateData(false); });
    guarded([this] { OpenFile(); });
}

void frmLateral3::optTranverse_Click() {
    const bool full = optTranverse.Value();
    Frame3.setEnabled(full);
    // The pictures are files of the installation; without the variant's picture the image shows none
    // rather than the other variant's.
    guarded([&] {
        if (!Image1.setInstalledPicture(full ? "lateral.bmp" : "lateral1.bmp")) {
            Image1.setPicture("");
        }
    });
}

void frmLateral3::OptionButton2_Click() {
    optTranverse_Click();
}

// ---- Boxes and fields ----

void frmLateral3::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        AA_b = vb::Val(txtAA_b.Text());
        DD_b = vb::Val(txtDD_b.Text());
        modPublic::Lambda_b = vb::Val(txtLambda_b.Text());
        AA_e = vb::Val(txtAA_e.Text());
        DD_e = vb::Val(txtDD_e.Text());
        modPublic::Lambda_e = vb::Val(txtLambda_e.Text());
        p_d = vb::Val(txtp_d.Text());
        p_ed = vb::Val(txtp_ed.Text());
        return;
    }
    // A result that could not be computed shows an empty box; the calculation says which input is missing.
    guarded([this] { txtQQ_req.set(vb::CStr(modPublic::QQ_req)); });
    showSupplyResults();
    transverse::ShowResults({{&txtv_e0, ducts.v_e0},
                             {&txtp_e, ducts.p_e},
                             {&txtk_e, ducts.k_e},
                             {&txtpei_pe0, ducts.pei_pe0},
                             {&txtpri_pei, ducts.pri_pei},
                             {&txtp_ed, p_ed},
                             {&txtp_etot, ducts.p_etot}});
}

// ---- The .tra file ----

void frmLateral3::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = openSchemeFile(in);
    if (source == app::CompanionSource::None) {
        return;
    }
    transverse::TraFile f = transverse::ReadTraFile(in);
    // The template's results are of the template's tunnel and of the station it chose there: another
    // tunnel shows none until its own calculation, and no opening calculation runs at a station not its own.
    if (app::TemplateIsForAnotherTunnel(source)) {
        transverse::KeepTemplateInputs(f);
    }
    if (f.TwoSect) {
        chkTwoSect.setSilently(*f.TwoSect ? 1 : 0);
    }
    if (f.Tranverse) {
        optTranverse.setSilently(*f.Tranverse);
        OptionButton2.setSilently(!*f.Tranverse);
    }
    guarded([this] { optTranverse_Click(); });
    transverse::PutTexts(supplyBoxes(), f.Supply);
    transverse::PutTexts(supplyResultBoxes(), f.SupplyResult);
    transverse::PutTexts(exhaustBoxes(), f.Exhaust);
    app::SetStoredText(txtPileC, f.PileC);
    app::SetStoredText(txtPC, f.PC);
    if (f.ScrollPosition) {
        // A stored station outside this tunnel is taken to the nearer end of the section.
        const int lo = std::min(scbPileR.Min(), scbPileR.Max()),
                  hi = std::max(scbPileR.Min(), scbPileR.Max());
        const long long pos = std::clamp<long long>(*f.ScrollPosition, lo, hi);
        // The project's results were computed with the demand, the portal pressures and the traffic that
        // the main window and step 2 gave then, and this opening takes them afresh: the calculation the
        // scroll bar runs shows what they give now, also where the stored station does not move it, and
        // no stored pressure covers the one it computed (full transverse computes none).
        const bool own = source == app::CompanionSource::Project;
        if (own && pos == scbPileR.Value()) {
            scbPileR_Change();
        } else {
            guarded([&] { scbPileR.set(static_cast<int>(pos)); });
        }
        if (own && !optTranverse.Value()) {
            return;
        }
    }
    app::SetStoredText(txtPR, f.PR);
}

std::array<TextBox*, 3> frmLateral3::supplyBoxes() {
    return {&txtAA_b, &txtDD_b, &txtLambda_b};
}

std::array<TextBox*, 10> frmLateral3::exhaustBoxes() {
    return {&txtAA_e, &txtDD_e,    &txtLambda_e, &txtv_e0, &txtp_e,
            &txtk_e,  &txtpei_pe0, &txtpri_pei,  &txtp_ed, &txtp_etot};
}

bool frmLateral3::SaveFile() {
    return saveSchemeFile(schemeFile(), "横向通风方案文件");
}

scheme::SchemeWriter frmLateral3::schemeFile() {
    transverse::TraFile f;
    f.TwoSect = chkTwoSect.Value() == 1;
    f.Tranverse = optTranverse.Value();
    f.Supply = transverse::TextsOf(supplyBoxes());
    f.SupplyResult = transverse::TextsOf(supplyResultBoxes());
    f.Exhaust = transverse::TextsOf(exhaustBoxes());
    f.PileC = txtPileC.Text();
    f.PC = txtPC.Text();
    f.ScrollPosition = scbPileR.Value();
    f.PR = txtPR.Text();
    return transverse::WriteTraFile(f);
}

// ---- Calculation ----

void frmLateral3::cmdCalculatePtot3_Click() {
    frmReq& req = Forms::instance<frmReq>();
    const Step2Choice step2 = Step2();
    guarded([this] { UpdateData(true); });
    guarded([this] { txtv_t.set(vb::CStr(TwoWaySpeed())); });
    const double start = vb::Val(txtStartPile.Text()), end = vb::Val(txtEndPile.Text());
    const double L = std::fabs(start - end);
    guarded([&] { modPublic::QQ_req = req.GetSectionQreq(start, end, step2.CaseId); });
    guarded([&] { req.CalQQ_req_exchange(-1); });
    guarded([&] {
        if (vb::Val(req.txtQQ_req_exchange.Text()) > modPublic::QQ_req && step2.Exchange) {
            modPublic::QQ_req =
                req.GetExchangeSectionQreq(vb::Val(txtStartPile.Text()), vb::Val(txtEndPile.Text()));
        }
    });

    transverse::LateralDuctInput in;
    in.L = L;
    in.TwoSections = chkTwoSect.Value() == 1;
    in.FullTransverse = optTranverse.Value();
    putSupplyInput(in);
    in.AA_e = AA_e;
    in.DD_e = DD_e;
    in.Lambda_e = modPublic::Lambda_e;
    in.p_ed = p_ed;
    in.v_n = modPublic::v_n;
    in.zeta_e = modPublic::zeta_e;
    in.lambda_r = modPublic::lambda_r;
    in.DD_r = modPublic::DD_r;
    ducts = transverse::LateralDucts(in);
    takeSupplyResults(ducts);

    guarded([this] { tunnelPressure(); });
    guarded([this] { UpdateData(false); });
    guarded([this] { reportNotComputed(); });
}

void frmLateral3::tunnelPressure() {
    frmReq& req = Forms::instance<frmReq>();
    transverse::TunnelPressureInput t;
    t.L = std::fabs(vb::Val(txtEndPile.Text()) - vb::Val(txtStartPile.Text()));
    if (optTranverse.Value()) {
        txtPR.set("0");
        return;
    }
    ventparam::TwoWayVolume volume;
    volume.ControlTraffic = req.optBiDirectionMethod1.Value();
    volume.BiDirection = vb::Val(req.txtBiDirection.Text());
    volume.NN = vb::Val(req.txtNN.Text());
    for (int i = 0; i < reqair::kVehicleClasses; ++i) {
        const auto k = static_cast<std::size_t>(i);
        volume.Allowed[k] = i < req.lstAllowVechileType.ListCount() && req.lstAllowVechileType.Selected(i);
        if (i + 1 <= req.lstTrafficAnalysis.ListItems.Count()) {
            volume.Vehicles[k] = vb::StrictNumber(req.lstTrafficAnalysis.ListItems(i + 1).SubItems(3));
        }
    }
    volume.MainDirectionRatio = vb::Val(req.txtMainDirectionRatio.Text());
    t.N = ventparam::TwoWayTraffic(volume);
    t.vt = TwoWaySpeed();
    t.q_b = q_b;
    t.AA_r = modPublic::AA_r;
    t.DD_r = modPublic::DD_r;
    t.lambda_r = modPublic::lambda_r;
    t.rho = modPublic::rho;
    t.AA_m = modPublic::AA_m_Bidirection;

    const transverse::NeutralPoint n = transverse::FindNeutralPoint(t, vb::Val(txtPa.Text()));
    if (n.Unbalanced) {
        // The end of the section is no neutral point: no station, and no pressure measured from one.
        unbalanced_ =
            "两端气压差在本区段内无法平衡, 不平衡压力" + vb::Format(std::fabs(*n.Unbalanced), "0.00") + "Pa";
        lblUnbalanced.setCaption(unbalanced_);
        txtPileC.set("");
        txtPC.set("");
        txtPR.set("");
        return;
    }
    unbalanced_.clear();
    lblUnbalanced.setCaption("");
    const double PC = -n.P1;
    txtPileC.set(vb::Format(vb::Val(txtStartPile.Text()) + n.x1, "0.00"));
    txtPC.set(vb::Format(PC, "0.00"));
    // The distance is taken from the neutral station as its box shows it, two decimals.
    const double d = std::fabs(vb::Val(txtPileR.Text()) - vb::Val(txtPileC.Text()));
    t.vt = TwoWaySpeed();
    txtPR.set(vb::Format(PC - transverse::NeutralPressureDrop(t, d), "0.00"));
}

void frmLateral3::reportNotComputed() {
    const bool semi = !optTranverse.Value();
    bool failed = false;
    for (double v : {q_b, v_b, p_b, k_b, pbi_pb0, p_tot, ducts.v_e0, ducts.p_e, ducts.k_e, ducts.pei_pe0,
                     ducts.p_etot}) {
        failed = failed || !std::isfinite(v);
    }
    const bool tunnelFailed = semi && unbalanced_.empty() &&
                              (txtPileC.Text().empty() || txtPC.Text().empty() || txtPR.Text().empty());
    if (!failed && !tunnelFailed) {
        return;
    }
    std::string names;
    auto need = [&names](bool missing, const char* name) {
        if (missing) {
            names += std::string("\r\n") + name;
        }
    };
    auto zero = [](double v) { return v == 0 || !std::isfinite(v); };
    need(zero(vb::Val(txtEndPile.Text()) - vb::Val(txtStartPile.Text())),
         "区段长度(区段起始桩号与终点桩号相同)");
    need(zero(AA_b), "送风道断面积Ab");
    need(zero(DD_b), "送风道当量直径Db");
    need(zero(AA_e), "排风道断面积Ae");
    need(zero(DD_e), "排风道当量直径De");
    need((semi || tunnelFailed) && zero(modPublic::DD_r), "隧道断面当量直径Dr");
    if (tunnelFailed) {
        need(zero(modPublic::AA_r), "隧道断面积Ar");
        need(zero(TwoWaySpeed()), "双向交通计算行车速度vt");
    }
    platform::MsgBox("部分结果无法计算, 结果框留空. 请检查以下输入(不能为0):" + names, platform::vbOKOnly,
                     "出错");
}

void frmLateral3::scbPileR_Change() {
    guarded([this] { txtPileR.set(std::to_string(scbPileR.Value())); });
    cmdCalculatePtot3_Click();
}

// ---- Connecting duct of the exhaust fan ----

void frmLateral3::cmdCalculatePed_Click() {
    guarded([this] { frmCalculatePd::ShowFor(vb::CStr(modPublic::QQ_req), txtp_ed, this); });
}
