// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/frmMultiShaftAndJet.h"

#include "jetfan/CPressionCurve.h"

frmMultiShaftAndJet::frmMultiShaftAndJet() {
    setCaption("Step 3: 多竖井送排式与射流风机组合通风方式");
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}
frmMultiShaftAndJet::~frmMultiShaftAndJet() = default;
void frmMultiShaftAndJet::Form_Initialize() {}
void frmMultiShaftAndJet::Form_QueryUnload(int&, int) {}
void frmMultiShaftAndJet::UserForm_Initialize() {}
void frmMultiShaftAndJet::UserForm_QueryClose() {}
void frmMultiShaftAndJet::cmdBack_Click() {
    Hide();
}
bool frmMultiShaftAndJet::SaveFile() {
    return false;
}
void frmMultiShaftAndJet::OpenFile() {}
void frmMultiShaftAndJet::txtQe_Change() {}
void frmMultiShaftAndJet::txtQb_Change() {}
void frmMultiShaftAndJet::cmbCounte_Change() {}
void frmMultiShaftAndJet::cmbCountb_Change() {}
void frmMultiShaftAndJet::cmdAddShaft_Click() {}
void frmMultiShaftAndJet::cmdUpdateShaft_Click() {}
void frmMultiShaftAndJet::cmdDeleteShaft_Click() {}
void frmMultiShaftAndJet::lstShaft_ItemClick(platform::ListItem&) {}
void frmMultiShaftAndJet::cmdShaftSection_Click() {}
bool frmMultiShaftAndJet::FormSections() {
    return false;
}
double frmMultiShaftAndJet::SectionDemands() {
    return 0;
}
