// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's design concentrations, tunnel length and uphill share of two-way traffic, read from
// its pages anew on every call.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/vb.h"
#include "reqair/design_concentration.h"

#include <vector>

namespace {

bool ticked(const platform::CheckBox& box) {
    return box.Value() == 1;
}

reqair::CaseConcentration caseOf(const platform::CheckBox& deltaComputed, const platform::TextBox& deltaTyped,
                                 const platform::CheckBox& kkComputed, const platform::TextBox& kkTyped) {
    reqair::CaseConcentration c;
    c.DeltaComputed = ticked(deltaComputed);
    c.DeltaTyped = vb::Val(deltaTyped.Text());
    c.KKComputed = ticked(kkComputed);
    c.KKTyped = vb::Val(kkTyped.Text());
    return c;
}

} // namespace

reqair::DesignConcentrationInput frmReq::concentrationInput() {
    reqair::DesignConcentrationInput in;
    in.Cases[0] = caseOf(chkDelta, txtDelta, chkKK, txtKK);
    in.Cases[1] = caseOf(chkDeltaBi, txtDelta_Bi, chkKKBi, txtKK_Bi);
    in.Cases[2] = caseOf(chkDeltaBlock, txtDelta_block, chkKKBlock, txtKK_block);
    in.COModelIndex = lstCOModel.ListIndex();
    in.LightModelIndex = lstLightModel.ListIndex();
    in.TunnelLength = GetTunnelLength();
    return in;
}

double frmReq::GetTunnelLength() {
    // The station of the last slope row, in list order, is the tunnel end; the rows before it do not count.
    std::vector<double> lastPile;
    if (const int rows = lstSlope.ListItems.Count(); rows > 0) {
        lastPile.push_back(vb::Val(lstSlope.ListItems(rows).Text()));
    }
    return reqair::GetTunnelLength(vb::Val(txtStartPile.Text()), lastPile);
}

double frmReq::GetDelta(vb::Integer iCaseID) {
    return reqair::GetDelta(concentrationInput(), iCaseID);
}

double frmReq::GetKK(double dv, vb::Integer iCaseID) {
    return reqair::GetKK(concentrationInput(), modPublic::CoefTableOf("K"), dv, iCaseID);
}

double frmReq::GetUpRatio() {
    return reqair::GetUpRatio();
}

void frmReq::lstCOModel_Click() {
    txtDelta.set(vb::Format(GetDelta(reqair::kCaseOneWay), "0.00"));
}

void frmReq::lstLightModel_Click() {
    txtKK.set(vb::Format(GetKK(vb::Val(txtworkv_t.Text()), reqair::kCaseOneWay), "0.0000"));
}
