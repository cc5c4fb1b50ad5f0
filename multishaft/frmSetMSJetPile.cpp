// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/frmSetMSJetPile.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/jet_layout.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/ms_jet.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

#include <cmath>
#include <optional>

using app::guarded;
using platform::Forms;

namespace {

constexpr const char* kNoSection = "请先在\"选择区段\"中选择要布置射流风机的区段！";

frmMultiShaftAndJet& schemeWindow() {
    return Forms::instance<frmMultiShaftAndJet>();
}

bool rightLine() {
    return Forms::instance<frmReq>().optRightLine.Value();
}

} // namespace

frmSetMSJetPile::frmSetMSJetPile() {
    platform::Layout::window(*this, "设置风机桩号", 5400, 3700);
    buildControls();
    connectEvents();
    txtJetNumPerTeam.setSilently("2");
    txtTeamNum.setSilently("7");
    txtSpan.setSilently("130");
    txtDist.setSilently("203");
}

void frmSetMSJetPile::buildControls() {
    using platform::Layout;
    const int bottom = layout_.column(
        *this,
        {.left = 120, .labelWidth = 3180, .boxWidth = 1500, .pitch = 420, .boxHeight = 315, .labelDrop = 40},
        180,
        {{"选择区段:", &cmbSectionNo},
         {"区段起点桩号:", &txtSectionStartPile},
         {"每组风机台数:", &txtJetNumPerTeam},
         {"风机组数:", &txtTeamNum},
         {"间距(m):", &txtSpan},
         {"第一组风机距区段起点距离(m):", &txtDist}});
    Layout::buttons(*this, 1500, bottom + 120, 1100, 400, 300, {{&ccmdOK, "布置"}, {&ccmdCancel, "完成"}});
}

void frmSetMSJetPile::connectEvents() {
    platform::Layout::entries(
        {.numbers = {&txtSectionStartPile, &txtJetNumPerTeam, &txtTeamNum, &txtSpan, &txtDist}});
    // 确定 lays out nothing for a section that is not a row number.
    cmbSectionNo.setEntry(platform::ComboBox::Entry::RefusedNumber);
    // A pick from the list and a typed row number both choose the section.
    platform::Connect(cmbSectionNo.Click, this, &frmSetMSJetPile::cmbSectionNo_Change);
    platform::Connect(cmbSectionNo.Change, this, &frmSetMSJetPile::cmbSectionNo_Change);
    platform::Connect(txtJetNumPerTeam.Change, this, &frmSetMSJetPile::txtJetNumPerTeam_Change);
    platform::Connect(ccmdOK.Click, this, &frmSetMSJetPile::ccmdOK_Click);
    platform::Connect(ccmdCancel.Click, this, &frmSetMSJetPile::ccmdCancel_Click);
}

void frmSetMSJetPile::UserForm_Initialize() {
    guarded([this] {
        const int rows = schemeWindow().lstShaftSection.ListItems.Count();
        for (int r = 1; r <= rows; r += 2) {
            cmbSectionNo.AddItem(std::to_string(r));
        }
    });
}

bool frmSetMSJetPile::showSection(int r) {
    frmMultiShaftAndJet& w = schemeWindow();
    if (r < 1 || r > w.lstShaftSection.ListItems.Count()) {
        return false;
    }
    w.lstShaftSection.select(r);
    w.lstShaftSection_ItemClick(w.lstShaftSection.ListItems(r));
    return true;
}

void frmSetMSJetPile::cmbSectionNo_Change() {
    guarded([this] {
        const std::optional<vb::Integer> r = vb::CInt(vb::Val(cmbSectionNo.Text()));
        if (!r || !showSection(*r)) {
            return;
        }
        // On the left line traffic enters the section at its higher station.
        const platform::ListItem& row = schemeWindow().lstShaftSection.ListItems(*r);
        txtSectionStartPile.set(rightLine() ? row.Text() : row.SubItems(1));
    });
    txtJetNumPerTeam_Change();
}

void frmSetMSJetPile::txtJetNumPerTeam_Change() {
    guarded([this] {
        const std::optional<double> groups = multishaft::ProposedGroups(
            vb::Val(schemeWindow().txtjetcount.Text()), vb::Val(txtJetNumPerTeam.Text()));
        if (groups) {
            txtTeamNum.set(vb::CStr(*groups));
        }
    });
}

void frmSetMSJetPile::ccmdOK_Click() {
    guarded([this] {
        if (!platform::CountWithinLimit(jetfan::AskedCount(vb::Val(txtTeamNum.Text())),
                                        multishaft::kMaxGroupsPerSection, "射流风机组")) {
            return;
        }
        // Without a section of the list the groups would be laid out from station 0, outside the tunnel:
        // nothing is placed until a section is chosen, and the engineer is told which box to fill.
        const std::optional<double> chosen = vb::StrictNumber(cmbSectionNo.Text());
        const double r = chosen && std::isfinite(*chosen) ? std::floor(*chosen) : 0;
        if (r < 1 || r > schemeWindow().lstShaftSection.ListItems.Count() ||
            !showSection(static_cast<int>(r))) {
            platform::MsgBox(kNoSection, platform::vbOKOnly + platform::vbExclamation, "出错！");
            return;
        }
        frmMultiShaftAndJet& w = schemeWindow();
        const bool leftLine = Forms::instance<frmReq>().optLeftLine.Value();
        const double start = vb::Val(txtSectionStartPile.Text());
        const std::optional<vb::Integer> groups = vb::CInt(vb::Val(txtTeamNum.Text()));
        if (!groups) {
            return;
        }
        const double span = vb::Val(txtSpan.Text());
        const double dist = vb::Val(txtDist.Text());
        const std::string perGroup = txtJetNumPerTeam.Text();
        const double rise = vb::Val(w.txtdeltap_j.Text()) * vb::Val(perGroup);
        // Each group passes through the window's entry boxes as "添加" takes it; the list is ordered once
        // for all of them, in the order adding them one by one gives.
        std::vector<multishaft::GroupRow> rows;
        for (double station : multishaft::GroupStations(start, leftLine, dist, span, *groups)) {
            guarded([&] { w.txtPile.set(vb::CStr(station)); });
            guarded([&] { w.txtPress.set(vb::CStr(rise)); });
            guarded([&] { w.txtJetNumPerTeam.set(perGroup); });
            rows.push_back({w.txtPile.Text(), w.txtJetNumPerTeam.Text(), w.txtPress.Text()});
        }
        w.AddGroups(rows);
    });
}

void frmSetMSJetPile::ccmdCancel_Click() {
    Forms::unload(*this);
}
