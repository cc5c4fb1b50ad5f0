// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers of frmShaftAndJet that are still empty: the curve, the report and the operation control table.
#include "shaft/frmShaftAndJet.h"

void frmShaftAndJet::cmdDrawPressCurve_Click() {}
bool frmShaftAndJet::BuildPressureCurve(bool, bool, bool) {
    return false;
}
double frmShaftAndJet::GetVelocityAtPile(double) {
    return 0;
}
void frmShaftAndJet::cmdReport_Click() {}
void frmShaftAndJet::cmdTable_Click() {}
std::string frmShaftAndJet::GetControlSummary() {
    return {};
}
