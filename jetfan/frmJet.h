// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/jet_balance.h"
#include "jetfan/jet_group_list.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "ventparam/step2_inputs.h"

#include <optional>
#include <string>

/// Step 3 of longitudinal ventilation with jet fans only: the data of one fan, the pressure balance of the
/// whole tunnel with the number of fans, the fan groups along the tunnel, the pressure curve, the report and
/// the operation control table. Step 2 shows it modally and unloads it when it returns; the window keeps
/// what it shows in the project's `.jet` file. Its controls and operations are public: the curve, the
/// report and the control table read the values the window shows.
class frmJet : public platform::UserForm {
public:
    frmJet();

    // ---- Public operations ----
    /// Reads the project's `.jet` file (or the template `configfiles\normal.jet`) into the controls.
    void OpenFile();
    /// Says on the hint line which stored values of the model the catalogue now holds otherwise.
    void noteCatalogueChange();
    /// Writes the controls into the project's `.jet` file; false when it could not be written.
    bool SaveFile();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdBack_Click();

    // Data of one fan.
    void cmbJetModel_Change();
    void txtDD_j_Change();
    void txtZZ_j_Change();

    // Pressure balance and fan count.
    void cmdCalculateJet_Click();

    // Fan groups.
    void lstJet_ItemClick(platform::ListItem& Item);
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdAutoLayout_Click();

    // Curve, report and operation control table.
    void cmdDrawPressCurve_Click();
    void cmdReport_Click();
    void cmdTable_Click();

    // ---- Controls ----
    platform::MultiPage MultiPage1;

    // Page "风机升压力计算".
    platform::ComboBox cmbJetModel;
    platform::TextBox txtFlow, txtDD_j, txtAA_j, txtvj, txtPower, txtdeltap_j;
    platform::Frame Frame2;
    platform::TextBox txtZZ_j, txteta;
    platform::Image Image2;

    // Page "风机数量".
    platform::TextBox txtdeltap_m, txtdeltap_t, txtdeltap_r, txtdeltap_l, txttotaldeltap_j, txti,
        txtTotalPower;

    // Page "风机布置".
    platform::ListView lstJet;
    platform::TextBox txtPile, txtJetNumPerTeam, txtPress;
    platform::CommandButton cmdAdd, cmdDelete, cmdUpdate, cmdAutoLayout;

    // Beside and below the pages.
    platform::CommandButton cmdCalculateJet, cmdReport, cmdDrawPressCurve, cmdTable, cmdBack;
    platform::Image Image1;
    /// The hint line below the section: what the engineer should know of the last layout.
    platform::Label lblTip;

private:
    /// The boxes of one jet-fan group row.
    jetfan::GroupBoxes groupBoxes();
    void buildControls();
    void connectEvents();
    /// The summary of the current combination for the operation control table.
    std::string GetControlSummary();
    /// One fan's inputs as the boxes and step 2 show them, the tunnel area at the start.
    jetfan::FanRiseInputs oneFanInputs();
    /// The rise of one fan of the model shown, at once; none when it cannot be formed.
    void showOwnRise();
    /// What the groups hold against the balance beside them, on the hint line; the report prints it too.
    std::string layoutJudgement();
    void judgeLayout();

    /// While the control table runs, the balance keeps its fault here instead of showing a box.
    bool quietBalance_ = false;
    std::string quietFault_;
    /// Combinations of the running control table whose balance gave no fan count.
    int tableFailures_ = 0;
    /// Step 2's inputs the balance shown was computed with; nullopt for a stored one of unknown inputs.
    std::optional<ventparam::Step2Inputs> computedUnder_;
    /// Empties the balance of a file computed under other inputs of step 2 than those it opens under, and
    /// gives the hint that names them ("" when they are the same or unknown).
    std::string forgetBalanceOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                          bool resultsShown);

    platform::Layout layout_;
};
