// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

#include <string>

namespace ventparam {
struct ParContents;
} // namespace ventparam

/// Step 2: the parameters of the pressure balance, the design traffic case and demand, the local losses
/// along the tunnel and the choice of the ventilation scheme. The scheme windows read its controls while
/// they work, so controls and operations are public. The parameters live in the project's `.par` file.
class frmVentParam : public platform::UserForm {
public:
    frmVentParam();

    // ---- Public operations ----
    /// Recomputes r1 and Am of both kinds of traffic into their boxes; returns the two-way Am when the
    /// two-way case is selected, else the one-way Am shown.
    double GetAA_m();
    void lstCase_Click();
    /// Publishes the parameters into the shared module when `flag` is not 0.
    void PublishParameters(int flag);
    void ShowTip(int index);
    /// The working speed whose demand in traffic case `caseIndex` (a position of `lstCase`: 0 one-way on
    /// page 4's speeds, 1 two-way on page 5's) is the largest, with that demand [m³/s], as the hand-off
    /// found it; while that case is selected, the note beside the demand names the speed when the demand
    /// shown is smaller. The other cases take their speeds elsewhere and get no note.
    void SetGoverningSpeed(int caseIndex, double speed, double demand);
    void OpenFile();
    void SaveFile();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdNextStep_Click();
    void cmdReturn_Click();
    void cmdZeta_Click();
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void lstzeta_ItemClick(platform::ListItem& Item);
    void txtv_r_MouseMove();

    // ---- Controls ----
    platform::TextBox txtzeta_e, txtlambda_r, txtv_n;
    platform::TextBox txtr_1, txtr_1_Bidirection;
    platform::TextBox txtAA_cs, txtxi_cs, txtAA_cl, txtxi_cl;
    platform::TextBox txtAA_m, txtAA_m_Bidirection;
    platform::ListBox lstCase;
    platform::TextBox txtQQ_req, txtv_r;
    platform::CheckBox chkExchange;
    platform::Label lblQreqTip;
    platform::Label lblSpeedTip;
    platform::ListView lstzeta;
    platform::TextBox txtzetapile, txtzeta;
    platform::ComboBox cmbNextStep;
    platform::Label lblTip;
    platform::CommandButton cmdNextStep, cmdReturn, cmdZeta, cmdAdd, cmdUpdate, cmdDelete;

private:
    void buildControls();
    void connectEvents();
    void showSpeedNote();
    struct GoverningSpeed {
        bool known = false;
        double speed = 0, demand = 0;
    };
    /// By case position: one-way, two-way.
    GoverningSpeed governing_[2];
    /// Puts what a `.par` file holds into the controls; fields it does not hold leave their controls alone.
    void applyParameters(const ventparam::ParContents& par);
    /// Shows one scheme window modally over step 2 and unloads it when the modal call returns.
    template <class T> void showScheme();

    platform::Layout layout_;
};
