// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers of frmMultiShaftAndJet that are still empty, by area.
#include "multishaft/frmMultiShaftAndJet.h"

#include "jetfan/CPressionCurve.h"

// Pressure curve.
void frmMultiShaftAndJet::cmdDrawPressCurve_Click() {}
void frmMultiShaftAndJet::BuildPressureCurve(bool, bool, bool) {}
double frmMultiShaftAndJet::GetFlowAtPile(double) {
    return 0;
}
double frmMultiShaftAndJet::GetVelocityAtPile(double) {
    return 0;
}

// Jet fans of a section and their groups.
void frmMultiShaftAndJet::cmbJetModel_Change() {}
void frmMultiShaftAndJet::txtZZ_j_Change() {}
void frmMultiShaftAndJet::cmdAdd_Click() {}
void frmMultiShaftAndJet::cmdUpdate_Click() {}
void frmMultiShaftAndJet::cmdDelete_Click() {}
void frmMultiShaftAndJet::cmdClearAll_Click() {}
void frmMultiShaftAndJet::lstJet_ItemClick(platform::ListItem&) {}

// Jet-fan group dialog hand-off.
void frmMultiShaftAndJet::cmdAutoLayout_Click() {}

// Report.
void frmMultiShaftAndJet::cmdReport_Click() {}
