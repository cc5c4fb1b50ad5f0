// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/frmCalculatePd.h"

#include "app/guarded.h"
#include "platform/Forms.h"
#include "ventparam/dialog_value.h"
#include "platform/vb.h"
#include "ventparam/duct_list.h"
#include "ventparam/duct_section_layout.h"
#include "ventparam/frmZeta.h"

#include <string>

using app::guarded;
using platform::ListItem;
using platform::TextBox;

namespace {

constexpr int kButtonHeight = 360;
// The lists are as wide as their columns' headers: no column runs past a list's edge.
constexpr int kListLeft = 3900;
constexpr int kListWidth = 7290;
constexpr int kFrameWidth = kListLeft + kListWidth + 140;
constexpr platform::Layout::Heading kPieceHeads[] = {{"区段长度(m)", 1200}, {"是否渐扩,渐缩段", 800},
                                                     {"面积(m^2)", 800},    {"周长(m)", 800},
                                                     {"当量直径(m)", 800},  {"平均壁面粗糙度(mm)", 800}};

} // namespace

frmCalculatePd::frmCalculatePd() : DuctEditor({}, {}) {
    buildControls();
    connectEvents();
    txtRHO.setSilently("1.2");
}

void frmCalculatePd::buildControls() {
    using platform::Layout;
    Layout::window(*this, "风道压力损失计算", kFrameWidth + 360, 8300);

    Layout::frame(Frame6, *this, "基本参数", 120, 60, kFrameWidth, 720);
    layout_.column(Frame6,
                   {.left = 150, .labelWidth = 1350, .boxWidth = 1500, .labelHeight = platform::kBoxHeight},
                   300, {{"流量(m^3/s):", &txtQ}});
    layout_.column(Frame6, {.left = 3400, .labelWidth = 1800, .labelHeight = platform::kBoxHeight}, 300,
                   {{"空气密度(kg/m^3)", &txtRHO}});

    Layout::frame(Frame1, *this, "沿程损失计算(含渐扩,渐缩管段)", 120, 900, kFrameWidth, 3700);
    layout_.column(Frame1, {.left = 150, .labelWidth = 1350, .labelHeight = platform::kBoxHeight}, 300,
                   {{"区段长度(m):", &txtSectionPile}});
    // The tapered-piece box has a row of its own: beside the length it would run under the list.
    Layout::captioned(chkKS, Frame1, "渐扩,减缩管段", 150, 660, 2400);
    Layout::frame(frmSectionData, Frame1, "直管段断面参数", 150, 1020, 3600, 1860);
    ventparam::PlaceDuctSection(
        layout_,
        {frmSectionData, txtSectionArea, txtSectionPerimeter, txtSectionD, txtSectionDelta, cmdSectionDelta},
        {.left = 120,
         .labelWidth = 1930,
         .boxWidth = 1050,
         .pitch = 360,
         .labelHeight = platform::kBoxHeight},
        300);
    Layout::buttons(Frame1, 150, 3060, 820, kButtonHeight, 80,
                    {{&cmdAddSection, "添加"},
                     {&cmdDeleteSection, "删除"},
                     {&cmdUpdateSection, "更新"},
                     {&cmdInsertSection, "插入"}});
    lstSection.place(Frame1, kListLeft, 300, kListWidth, 3250);
    lstSection.setGridLines(true);

    Layout::frame(Frame2, *this, "局部损失计算", 120, 4700, kFrameWidth, 2400);
    layout_.column(Frame2,
                   {.left = 150, .labelWidth = 1950, .pitch = 390, .labelHeight = platform::kBoxHeight}, 300,
                   {{"位置(距起点长度)(m):", &txtzetapile}, {"损失系数ξ:", &txtzeta}});
    Layout::captioned(cmdZeta, Frame2, ">>", 3350, 690, 450);
    Layout::buttons(Frame2, 150, 1200, 1000, kButtonHeight, 150,
                    {{&cmdAddZeta, "添加"}, {&cmdDeleteZeta, "删除"}, {&cmdUpdateZeta, "更新"}});
    lstzeta.place(Frame2, kListLeft, 300, kListWidth, 1950);
    lstzeta.setGridLines(true);
    lblZetaNote.place(Frame2, 150, 1650, 3650, 650);
    lblZetaNote.setWordWrap(true);
    lblZetaNote.setForeColor(platform::vbRed);

    Layout::buttons(*this, 120, 7250, 1200, kButtonHeight, 0, {{&cmdCalculate, "计算"}});
    layout_.column(*this,
                   {.left = 1500, .labelWidth = 1850, .boxWidth = 1500, .labelHeight = platform::kBoxHeight},
                   7250, {{"总压力损失pde(Pa)", &txtp_d}});
    Layout::buttons(*this, kFrameWidth - 1080, 7250, 1200, kButtonHeight, 0, {{&cmdClose, "完成"}});
    Layout::inputs({&txtQ, &txtRHO, &txtSectionPile, &txtSectionArea, &txtSectionPerimeter, &txtSectionDelta,
                    &txtzetapile, &txtzeta});

    // Lies over the dialog below the "▼" button until it is asked for.
    lstWallMaterial.place(*this, 2320, 3600, 2900, 2300);
    ventparam::FillWallMaterials(lstWallMaterial);
    lstWallMaterial.setVisible(false);
}

void frmCalculatePd::connectEvents() {
    platform::Layout::entries({.optionalNumbers = {&txtSectionPile, &txtSectionArea, &txtSectionPerimeter,
                                                   &txtSectionDelta, &txtzetapile, &txtzeta}});
    connectDuctEditor();
    platform::Connect(cmdCalculate.Click, this, &frmCalculatePd::cmdCalculate_Click);
    platform::Connect(cmdClose.Click, this, &frmCalculatePd::cmdClose_Click);
}

void frmCalculatePd::Form_Load() {
    loadDuctEditor(kPieceHeads, DuctTables);
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
        const std::vector<ventparam::DuctPiece> pieces = ductPieces();
        const double total = ventparam::DuctPressureLoss(pieces, losses, vb::Val(txtQ.Text()),
                                                         vb::Val(txtRHO.Text()), DuctTables);
        txtp_d.set(vb::Format(total, "0.00"));
        // A loss that adds nothing because it lies outside the duct is named, not passed over in silence.
        std::vector<double> positions;
        for (const ventparam::DuctLocalLoss& loss : losses) {
            positions.push_back(loss.Position);
        }
        const std::vector<int> outside = ventparam::DuctLossesOutside(pieces, positions);
        ventparam::MarkRowsRed(lstzeta, outside);
        lblZetaNote.setCaption(ventparam::DuctOutsideNote(pieces, outside));
    });
}

void frmCalculatePd::cmdClose_Click() {
    Hide();
}

bool frmCalculatePd::ShowFor(platform::TextBox& target, platform::Form* owner) {
    return ventparam::TakeDialogValue(&frmCalculatePd::txtp_d, target, owner);
}

bool frmCalculatePd::ShowFor(const std::string& flow, platform::TextBox& target, platform::Form* owner) {
    platform::Forms::instance<frmCalculatePd>().txtQ.set(flow);
    return ShowFor(target, owner);
}
