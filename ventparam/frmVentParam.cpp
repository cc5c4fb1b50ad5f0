// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/frmVentParam.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "jetfan/frmJet.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral3.h"
#include "ventparam/frmZeta.h"
#include "ventparam/par_file.h"
#include "ventparam/ventparam_formulas.h"

using app::guarded;
using platform::Forms;
using platform::TextBox;

namespace {

constexpr int kPitch = 360;

const char* const kCases[4] = {"单向正常交通", "双向交通", "单向全阻滞", "1km阻滞"};
const char* const kSchemes[6] = {"射流风机通风方式",
                                 "集中送入通风方式",
                                 "竖井排出通风方式",
                                 "单竖井与射流风机组合通风方式",
                                 "多竖井与射流风机组合通风方式",
                                 "全(半)横向通风方式"};
constexpr const char* kExchangeNote = "由换气次数要求需风量控制！";
constexpr const char* kSpeedTip =
    "隧道设计风速横断面有变化的隧道中是变化的,本处值为第一个横断面对应的设计风速!";

constexpr const char* kExtension = ".par";

} // namespace

frmVentParam::frmVentParam() {
    buildControls();
    connectEvents();
}

void frmVentParam::buildControls() {
    using platform::Layout;
    Layout::window(*this, "Step 2: 通风分析参数设置", 9600, 7200);

    // Pressure balance and vehicles, left column.
    const int lx = 120;
    layout_.column(*this, {.left = lx, .labelWidth = 3000, .boxWidth = 1100, .pitch = kPitch}, 150,
                   {{"隧道入口损失系数ζe:", &txtzeta_e},
                    {"隧道壁面摩阻系数λr:", &txtlambda_r},
                    {"隧道内自然风速vn(m/s):", &txtv_n},
                    {"小型车正面投影面积Acs(m^2):", &txtAA_cs},
                    {"小型车空气阻力系数ξcs:", &txtxi_cs},
                    {"大型车正面投影面积Acl(m^2):", &txtAA_cl},
                    {"大型车空气阻力系数ξcl:", &txtxi_cl},
                    {"大型车混入率r1(单向交通):", &txtr_1},
                    {"车辆等效阻抗面积Am(单向,m^2):", &txtAA_m},
                    {"大型车混入率r1(双向交通):", &txtr_1_Bidirection},
                    {"车辆等效阻抗面积Am(双向,m^2):", &txtAA_m_Bidirection}});

    // Design case and demand, right column.
    const int rx = 4500;
    layout_.caption(*this, "交通工况:", rx, 180, 1500);
    lstCase.place(*this, rx, 450, 2600, 1100);
    layout_.column(*this, {.left = rx, .labelWidth = 2800, .boxWidth = 1100, .pitch = kPitch}, 1660,
                   {{"设计需风量Qreq(m^3/s):", &txtQQ_req}, {"设计风速vr(m/s):", &txtv_r}});
    Layout::captioned(chkExchange, *this, "如果小于换气需风量，则按换气需风量控制", rx, 2380, 4900, 300);
    lblQreqTip.place(*this, rx, 2720, 4900, 255);
    lblQreqTip.setForeColor(platform::vbRed);
    lblSpeedTip.place(*this, rx, 2990, 4900, 255);
    lblSpeedTip.setForeColor(platform::vbRed);

    // Local losses along the tunnel.
    layout_.caption(*this, "局部压力损失:", rx, 3300, 2000);
    lstzeta.place(*this, rx, 3570, 2300, 1680);
    lstzeta.setGridLines(true);
    layout_.column(*this, {.left = rx + 2400, .labelWidth = 900, .boxWidth = 1000, .pitch = kPitch}, 3570,
                   {{"桩号:", &txtzetapile}, {"损失系数:", &txtzeta}});
    Layout::buttons(*this, rx + 4360, 3930, 450, platform::kBoxHeight, 0, {{&cmdZeta, ">>"}});
    Layout::buttons(*this, rx + 2400, 4410, 760, 375, 60,
                    {{&cmdAdd, "添加"}, {&cmdDelete, "删除"}, {&cmdUpdate, "更新"}});

    // Scheme and leaving.
    layout_.column(*this, {.left = lx, .labelWidth = 1260, .boxWidth = 3600}, 5490,
                   {{"通风方式:", &cmbNextStep}});
    cmbNextStep.setStyle(platform::ComboBox::DropdownList);
    lblTip.place(*this, lx, 5940, 9200, 255);
    Layout::buttons(*this, 5400, 6300, 1800, 420, 200,
                    {{&cmdReturn, "<-- 上一步"}, {&cmdNextStep, "下一步 -->"}});

    Layout::inputs({&txtzeta_e, &txtlambda_r, &txtv_n, &txtAA_cs, &txtxi_cs, &txtAA_cl, &txtxi_cl, &lstCase,
                    &txtQQ_req, &txtv_r, &txtzetapile, &txtzeta, &cmbNextStep});
}

void frmVentParam::connectEvents() {
    platform::Layout::entries({.optionalNumbers = {&txtzetapile, &txtzeta}});
    txtzetapile.setRangeCheck(app::station_range_problem);
    platform::Connect(lstCase.Click, this, &frmVentParam::lstCase_Click);
    for (TextBox* box : {&txtAA_cs, &txtxi_cs, &txtAA_cl, &txtxi_cl}) {
        box->Change = [this] { GetAA_m(); };
    }
    platform::Connect(txtv_r.MouseMove, this, &frmVentParam::txtv_r_MouseMove);
    platform::Connect(lstzeta.ItemClick, this, &frmVentParam::lstzeta_ItemClick);
    platform::Connect(cmdNextStep.Click, this, &frmVentParam::cmdNextStep_Click);
    platform::Connect(cmdReturn.Click, this, &frmVentParam::cmdReturn_Click);
    platform::Connect(cmdZeta.Click, this, &frmVentParam::cmdZeta_Click);
    platform::Connect(cmdAdd.Click, this, &frmVentParam::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmVentParam::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmVentParam::cmdDelete_Click);
}

// ---- Start-up and closing ----

void frmVentParam::UserForm_Initialize() {
    guarded([this] {
        lstCase.Clear();
        platform::AddItems(lstCase, kCases);
    });
    guarded([this] {
        cmbNextStep.Clear();
        platform::Layout::choices(cmbNextStep, kSchemes);
    });
    guarded([this] { GetAA_m(); });
    guarded([this] {
        // Column widths of 60 and 40 pixels.
        platform::Layout::headings(lstzeta, {{"桩号", 60 * 15}, {"损失系数", 40 * 15}});
    });
    guarded([this] { OpenFile(); });
}

void frmVentParam::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

// ---- The .par file ----

void frmVentParam::OpenFile() {
    scheme::SchemeReader in;
    if (app::OpenCompanionOrTemplate(in, app::ProjectCompanionPath(kExtension),
                                     app::TemplateCompanionPath(kExtension))) {
        applyParameters(ventparam::ReadPar(in));
        return;
    }
    // Neither file: every field it would have given reads as empty text.
    ventparam::ParContents empty;
    empty.zeta_e = empty.lambda_r = empty.v_n = std::string();
    for (auto& field : empty.Record3) {
        field = std::string();
    }
    empty.ZetaRows.emplace();
    empty.r_1_Bidirection = empty.AA_m_Bidirection = std::string();
    applyParameters(empty);
}

void frmVentParam::applyParameters(const ventparam::ParContents& par) {
    using namespace ventparam;
    app::SetStoredText(txtzeta_e, par.zeta_e);
    app::SetStoredText(txtlambda_r, par.lambda_r);
    app::SetStoredText(txtv_n, par.v_n);
    // The four vehicle boxes recompute r1 and Am as they change; the file's r1 and Am are put in after them.
    TextBox* const record3[kRecord3Fields] = {&txtQQ_req, &txtv_r,   &txtAA_cs, &txtxi_cs,
                                              &txtAA_cl,  &txtxi_cl, &txtr_1,   &txtAA_m};
    for (int i = 0; i < kRecord3Fields; ++i) {
        app::SetStoredText(*record3[i], par.Record3[static_cast<std::size_t>(i)]);
    }
    if (par.ZetaRows) {
        guarded([&] {
            lstzeta.ListItems.Clear();
            for (const ZetaRow& row : *par.ZetaRows) {
                lstzeta.ListItems.Add(row.Pile).setSubItems(1, row.Zeta);
            }
        });
    }
    app::SetStoredText(txtr_1_Bidirection, par.r_1_Bidirection);
    app::SetStoredText(txtAA_m_Bidirection, par.AA_m_Bidirection);
    if (par.SchemeIndex && *par.SchemeIndex >= 0 && *par.SchemeIndex < cmbNextStep.ListCount()) {
        guarded([&] { cmbNextStep.setListIndex(static_cast<int>(*par.SchemeIndex)); });
    }
    if (par.Exchange) {
        guarded([&] { chkExchange.set(*par.Exchange ? 1 : 0); });
    }
}

void frmVentParam::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return;
    }
    ventparam::ParContents par;
    par.zeta_e = txtzeta_e.Text();
    par.lambda_r = txtlambda_r.Text();
    par.v_n = txtv_n.Text();
    const TextBox* const record3[ventparam::kRecord3Fields] = {&txtQQ_req, &txtv_r,   &txtAA_cs, &txtxi_cs,
                                                               &txtAA_cl,  &txtxi_cl, &txtr_1,   &txtAA_m};
    for (int i = 0; i < ventparam::kRecord3Fields; ++i) {
        par.Record3[static_cast<std::size_t>(i)] = record3[i]->Text();
    }
    std::vector<ventparam::ZetaRow> rows;
    for (int i = 1; i <= lstzeta.ListItems.Count(); ++i) {
        platform::ListItem& item = lstzeta.ListItems(i);
        rows.push_back({item.Text(), item.SubItems(1)});
    }
    par.ZetaRows = std::move(rows);
    par.r_1_Bidirection = txtr_1_Bidirection.Text();
    par.AA_m_Bidirection = txtAA_m_Bidirection.Text();
    par.SchemeIndex = cmbNextStep.ListIndex() < 0 ? 0 : cmbNextStep.ListIndex();
    par.Exchange = chkExchange.Value() == 1;
    app::SaveCompanionFile(ventparam::WritePar(par), path, "通风参数文件");
}

// ---- Design case and vehicle resistance ----

double frmVentParam::GetAA_m() {
    frmReq& req = Forms::instance<frmReq>();
    guarded([&] { txtr_1.set(vb::Format(req.Getr_1(1), "0.000")); });
    guarded([&] { txtr_1_Bidirection.set(vb::Format(req.Getr_1(2), "0.000")); });
    // r1 enters with the three decimals its box shows.
    auto area = [this](const TextBox& share) {
        return ventparam::ResistanceArea(vb::Val(share.Text()), vb::Val(txtAA_cs.Text()),
                                         vb::Val(txtxi_cs.Text()), vb::Val(txtAA_cl.Text()),
                                         vb::Val(txtxi_cl.Text()));
    };
    guarded([&] { txtAA_m.set(vb::Format(area(txtr_1), "0.00")); });
    guarded([&] { txtAA_m_Bidirection.set(vb::Format(area(txtr_1_Bidirection), "0.00")); });
    return lstCase.ListIndex() == 1 ? vb::Val(txtAA_m_Bidirection.Text()) : vb::Val(txtAA_m.Text());
}

void frmVentParam::lstCase_Click() {
    frmReq& req = Forms::instance<frmReq>();
    guarded([&] {
        const TextBox* co = nullptr;
        const TextBox* vi = nullptr;
        switch (lstCase.ListIndex()) {
        case 0:
            co = &req.txtQQ_req_CO, vi = &req.txtQQ_req_VI;
            break;
        case 1:
            co = &req.txtQQ_req_CO_Bidirection, vi = &req.txtQQ_req_VI_Bidirection;
            break;
        case 2:
            co = &req.txtQQ_req_CO_block, vi = &req.txtQQ_req_VI_block;
            break;
        case 3:
            co = &req.txtQQ_req_CO_1kmblock, vi = &req.txtQQ_req_VI_1kmblock;
            break;
        default:
            return;
        }
        txtQQ_req.set(vb::CStr(modPublic::MaxOf(vb::Val(co->Text()), vb::Val(vi->Text()))));
    });
    guarded([&] { req.CalQQ_req_exchange(-1); });
    guarded([&] {
        if (vb::Val(txtQQ_req.Text()) < vb::Val(req.txtQQ_req_exchange.Text()) && chkExchange.Value() == 1) {
            txtQQ_req.set(req.txtQQ_req_exchange.Text());
            lblQreqTip.setCaption(kExchangeNote);
        } else {
            lblQreqTip.setCaption("");
        }
    });
    guarded([&] {
        if (req.lstSection.ListItems.Count() < 1) {
            return;
        }
        const auto v = ventparam::DesignAirSpeed(vb::Val(txtQQ_req.Text()),
                                                 vb::Val(req.lstSection.ListItems(1).SubItems(1)));
        if (v) {
            txtv_r.set(vb::Format(*v, "0.000"));
        }
    });
    guarded([this] { GetAA_m(); });
    showSpeedNote();
}

void frmVentParam::SetGoverningSpeed(int caseIndex, double speed, double demand) {
    if (caseIndex < 0 || caseIndex > 1) {
        return;
    }
    governing_[caseIndex] = {true, speed, demand};
    showSpeedNote();
}

void frmVentParam::showSpeedNote() {
    // Step 2 designs for the demand it shows; a working speed that needs more air is named beside it so
    // that the engineer can go back and choose it on the page that holds the speed of the case.
    static const char* const kPageOfCase[2] = {"请回到第4页选择该工况车速。", "请回到第5页选择该工况车速。"};
    const int position = lstCase.ListIndex();
    std::string note;
    std::string tip;
    if (position == 0 || position == 1) {
        const GoverningSpeed& g = governing_[position];
        if (g.known && g.demand > vb::Val(txtQQ_req.Text())) {
            note = "车速" + vb::CStr(g.speed) + "km/h时需风量更大:" + vb::CStr(g.demand) + "m^3/s！";
            tip = note + kPageOfCase[position];
        }
    }
    lblSpeedTip.setCaption(note);
    lblSpeedTip.setToolTipText(tip);
}

void frmVentParam::PublishParameters(int flag) {
    if (flag == 0) {
        return;
    }
    modPublic::zeta_e = vb::Val(txtzeta_e.Text());
    modPublic::lambda_r = vb::Val(txtlambda_r.Text());
    modPublic::v_n = vb::Val(txtv_n.Text());
    modPublic::v_r = vb::Val(txtv_r.Text());
    modPublic::AA_m = vb::Val(txtAA_m.Text());
    modPublic::AA_m_Bidirection = vb::Val(txtAA_m_Bidirection.Text());
    modPublic::CaseIndex = static_cast<vb::Integer>(lstCase.ListIndex() + 1);
    modPublic::QQ_req = vb::Val(txtQQ_req.Text());
}

void frmVentParam::ShowTip(int index) {
    if (index == 1) {
        lblTip.setCaption(kSpeedTip);
    }
}

void frmVentParam::txtv_r_MouseMove() {
    ShowTip(1);
}

// ---- Local losses ----

void frmVentParam::lstzeta_ItemClick(platform::ListItem& Item) {
    txtzetapile.set(Item.Text());
    txtzeta.set(Item.SubItems(1));
}

void frmVentParam::cmdAdd_Click() {
    guarded([this] { lstzeta.ListItems.Add(txtzetapile.Text()).setSubItems(1, txtzeta.Text()); });
}

void frmVentParam::cmdUpdate_Click() {
    guarded([this] {
        platform::ListItem* row = lstzeta.SelectedItem();
        if (row == nullptr) {
            return;
        }
        row->setText(txtzetapile.Text());
        row->setSubItems(1, txtzeta.Text());
    });
}

void frmVentParam::cmdDelete_Click() {
    guarded([this] {
        const int i = lstzeta.SelectedIndex();
        if (i > 0) {
            lstzeta.ListItems.Remove(i);
        }
    });
}

void frmVentParam::cmdZeta_Click() {
    guarded([this] { frmZeta::ShowFor(txtzeta, this); });
}

// ---- Leaving ----

template <class T> void frmVentParam::showScheme() {
    guarded([this] {
        T& scheme = Forms::instance<T>();
        scheme.ShowModal(this);
        Forms::unload<T>();
    });
}

void frmVentParam::cmdNextStep_Click() {
    PublishParameters(1);
    for (int i = 1; i <= lstzeta.ListItems.Count(); ++i) {
        const std::string pile = lstzeta.ListItems(i).Text();
        if (ventparam::OutsideTunnel(vb::Val(pile), modPublic::StartPile, modPublic::EndPile)) {
            platform::MsgBox("局部压力损失系数说对应的桩号" + pile + "超过了隧道范围, 请检查!");
            return;
        }
    }
    switch (cmbNextStep.ListIndex()) {
    case 0:
        showScheme<frmJet>();
        break;
    case 1:
        showScheme<frmConcentrate>();
        break;
    case 2:
        showScheme<frmShaftEject>();
        break;
    case 3:
        showScheme<frmShaftAndJet>();
        break;
    case 4:
        showScheme<frmMultiShaftAndJet>();
        break;
    case 5:
        if (lstCase.ListIndex() == 1) {
            showScheme<frmLateral3>();
        } else {
            platform::MsgBox("全(半)横向通风方式计算仅适用于双向交通工况！");
        }
        break;
    default:
        break;
    }
}

void frmVentParam::cmdReturn_Click() {
    PublishParameters(1);
    guarded([this] { Forms::unload(*this); });
}
