// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/frmCalculatePd.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "ventparam/duct_list.h"
#include "ventparam/frmZeta.h"

#include <string>

using app::guarded;
using platform::CommandButton;
using platform::Container;
using platform::ListItem;
using platform::TextBox;

namespace {

constexpr platform::Color kInputColor = platform::RGB(255, 255, 192);
constexpr int kBoxHeight = 300;
constexpr int kButtonHeight = 360;

void inputBox(TextBox& box, Container& parent, int left, int top, int width) {
    box.place(parent, left, top, width, kBoxHeight);
    box.setBackColor(kInputColor);
}

template <class Captioned>
void captioned(Captioned& control, Container& parent, const char* text, int left, int top, int width,
               int height) {
    control.place(parent, left, top, width, height);
    control.setCaption(text);
}

} // namespace

frmCalculatePd::frmCalculatePd() : DuctEditor({}, {}) {
    setCaption("风道压力损失计算");
    buildControls();
    connectEvents();
    txtRHO.setSilently("1.2");
}

void frmCalculatePd::label(Container& parent, const char* text, int left, int top, int width) {
    labels_.push_back(std::make_unique<platform::Label>());
    labels_.back()->place(parent, left, top + 30, width, kBoxHeight);
    labels_.back()->setCaption(text);
}

void frmCalculatePd::buildControls() {
    setWidth(9900);
    setHeight(8300);

    captioned(Frame6, *this, "基本参数", 120, 60, 9540, 720);
    label(Frame6, "流量(m^3/s):", 150, 300, 1300);
    inputBox(txtQ, Frame6, 1500, 300, 1500);
    label(Frame6, "空气密度(kg/m^3)", 3400, 300, 1700);
    inputBox(txtRHO, Frame6, 5200, 300, 1200);

    captioned(Frame1, *this, "沿程损失计算(含渐扩,渐缩管段)", 120, 900, 9540, 3700);
    label(Frame1, "区段长度(m):", 150, 300, 1300);
    inputBox(txtSectionPile, Frame1, 1500, 300, 1200);
    // The tapered-piece box has a row of its own: beside the length it would run under the list.
    captioned(chkKS, Frame1, "渐扩,减缩管段", 150, 660, 2400, kBoxHeight);
    captioned(frmSectionData, Frame1, "直管段断面参数", 150, 1020, 3600, 1860);
    label(frmSectionData, "面积(m^2):", 120, 300, 1900);
    inputBox(txtSectionArea, frmSectionData, 2050, 300, 1050);
    label(frmSectionData, "周长(m):", 120, 660, 1900);
    inputBox(txtSectionPerimeter, frmSectionData, 2050, 660, 1050);
    label(frmSectionData, "当量直径(m):", 120, 1020, 1900);
    txtSectionD.place(frmSectionData, 2050, 1020, 1050, kBoxHeight);
    label(frmSectionData, "平均壁面粗糙度(mm)", 120, 1380, 1900);
    inputBox(txtSectionDelta, frmSectionData, 2050, 1380, 1050);
    captioned(cmdSectionDelta, frmSectionData, "▼", 3120, 1380, 300, kBoxHeight);
    captioned(cmdAddSection, Frame1, "添加", 150, 3060, 820, kButtonHeight);
    captioned(cmdDeleteSection, Frame1, "删除", 1050, 3060, 820, kButtonHeight);
    captioned(cmdUpdateSection, Frame1, "更新", 1950, 3060, 820, kButtonHeight);
    captioned(cmdInsertSection, Frame1, "插入", 2850, 3060, 820, kButtonHeight);
    lstSection.place(Frame1, 3900, 300, 5500, 3250);
    lstSection.setGridLines(true);

    captioned(Frame2, *this, "局部损失计算", 120, 4700, 9540, 2400);
    label(Frame2, "位置(距起点长度)(m):", 150, 300, 1900);
    inputBox(txtzetapile, Frame2, 2100, 300, 1200);
    label(Frame2, "损失系数ξ:", 150, 690, 1900);
    inputBox(txtzeta, Frame2, 2100, 690, 1200);
    captioned(cmdZeta, Frame2, ">>", 3350, 690, 450, kBoxHeight);
    captioned(cmdAddZeta, Frame2, "添加", 150, 1200, 1000, kButtonHeight);
    captioned(cmdDeleteZeta, Frame2, "删除", 1300, 1200, 1000, kButtonHeight);
    captioned(cmdUpdateZeta, Frame2, "更新", 2450, 1200, 1000, kButtonHeight);
    lstzeta.place(Frame2, 3900, 300, 5500, 1950);
    lstzeta.setGridLines(true);

    captioned(cmdCalculate, *this, "计算", 120, 7250, 1200, kButtonHeight);
    label(*this, "总压力损失pde(Pa)", 1500, 7250, 1800);
    txtp_d.place(*this, 3350, 7250, 1500, kBoxHeight);
    captioned(cmdClose, *this, "完成", 8460, 7250, 1200, kButtonHeight);

    // Lies over the dialog below the "▼" button until it is asked for.
    lstWallMaterial.place(*this, 2320, 3600, 2900, 2300);
    ventparam::FillWallMaterials(lstWallMaterial);
    lstWallMaterial.setVisible(false);
}

void frmCalculatePd::connectEvents() {
    connectDuctEditor();
    cmdCalculate.Click = [this] { cmdCalculate_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmCalculatePd::Form_Load() {
    lstSection.ColumnHeaders.Clear();
    lstSection.ColumnHeaders.Add("区段长度(m)", 1200);
    lstSection.ColumnHeaders.Add("是否渐扩,渐缩段", 800);
    lstSection.ColumnHeaders.Add("面积(m^2)", 800);
    lstSection.ColumnHeaders.Add("周长(m)", 800);
    lstSection.ColumnHeaders.Add("当量直径(m)", 800);
    lstSection.ColumnHeaders.Add("平均壁面粗糙度(mm)", 800);
    addLossColumns();
    guarded([this] { modPublic::ReadTable("TabA03_1", DuctTables.TabA03_1); });
    guarded([this] { modPublic::ReadTable("TabA03_2", DuctTables.TabA03_2); });
    guarded([this] { modPublic::ReadTable("TabA03_3", DuctTables.TabA03_3); });
}

void frmCalculatePd::cmdZeta_Click() {
    frmZeta::ShowFor(txtzeta, this);
}

std::vector<ventparam::DuctPiece> frmCalculatePd::ductPieces() {
    return ventparam::ReadDuctRows<ventparam::DuctPiece>(
        lstSection,
        [](ventparam::DuctPiece& piece, ListItem& row) { piece.Roughness = vb::Val(row.SubItems(5)); });
}

void frmCalculatePd::cmdCalculate_Click() {
    guarded([this] {
        const auto losses = ventparam::ReadLocalLosses<ventparam::DuctLocalLoss>(lstzeta);
        const double total = ventparam::DuctPressureLoss(ductPieces(), losses, vb::Val(txtQ.Text()),
                                                         vb::Val(txtRHO.Text()), DuctTables);
        txtp_d.set(vb::Format(total, "0.00"));
    });
}

void frmCalculatePd::cmdClose_Click() {
    Hide();
}

bool frmCalculatePd::ShowFor(platform::TextBox& target, platform::Form* owner) {
    platform::Forms::instance<frmCalculatePd>().ShowModal(owner);
    // Closed with its close box, the dialog is gone and has nothing to give.
    if (!platform::Forms::isLoaded<frmCalculatePd>()) {
        return false;
    }
    const std::string text = platform::Forms::instance<frmCalculatePd>().txtp_d.Text();
    platform::Forms::unload<frmCalculatePd>();
    if (text.empty()) {
        return false;
    }
    target.set(text);
    return true;
}

bool frmCalculatePd::ShowFor(const std::string& flow, platform::TextBox& target, platform::Form* owner) {
    platform::Forms::instance<frmCalculatePd>().txtQ.set(flow);
    return ShowFor(target, owner);
}
