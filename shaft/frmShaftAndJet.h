// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_group_list.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "shaft/shaft_and_jet.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPressionCurve;

/// Step 3 of the scheme with one shaft that has an exhaust and a supply opening, combined with jet fans in
/// the inlet and the outlet section: the section air demand, the pressure balance at the shaft, the jet fans
/// of both sections and their groups, the axial fans of the openings, the pressure curve, the report and
/// the operation control table. Step 2 shows it modally and unloads it when it returns; the window keeps
/// what it shows in the project's `.sj` file. Controls, operations and working values are public: the
/// curve, the report and the control table read what the window holds.
class frmShaftAndJet : public platform::UserForm {
public:
    frmShaftAndJet();
    ~frmShaftAndJet() override;

    // ---- Public operations ----
    /// Reads the project's `.sj` file (or the template `configfiles\normal.sj`) into the controls.
    void OpenFile();
    /// Writes the controls into the project's `.sj` file; false when it could not be written.
    bool SaveFile();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdBack_Click();
    void lstJet_MouseMove();

    // Fan flows of the openings and the outlet flow.
    void cmbCounte_Change();
    void cmbCountb_Change();
    void txtQe_Change();
    void txtQb_Change();
    void txtQQ_b_Change();

    // Section air demand and pressure balance.
    void cmdCalculateSectionQQ_req_Click();
    void cmdCalculatePtot3_Click();

    // Jet fans of the inlet (1) and the outlet (2) section.
    void cmbJetModel1_Change();
    void cmbJetModel2_Change();
    void txtZZ_j1_Change();
    void txtZZ_j2_Change();

    // Jet-fan groups.
    void lstJet_ItemClick(platform::ListItem& Item);
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdAutoLayout_Click();

    // Axial fans of the openings.
    void cmdCalPower_Click();
    void cmdCalpde_Click();
    void cmdCalpdb_Click();

    // Curve, report and operation control table.
    void cmdDrawPressCurve_Click();
    void cmdReport_Click();
    void cmdTable_Click();

    /// True: boxes into the working values; false: working values into their boxes.
    void UpdateData(bool flag);
    /// Design flow at a station [m³/s]: Qr1, Qs or Qr2 by where it lies; 0 outside the tunnel.
    double GetFlowAtPile(double S);
    /// Air speed at a station for the local losses of the curve [m/s].
    double GetVelocityAtPile(double S);
    /// Builds the pressure, air-speed and concentration curves into a new PressCurve and draws those whose
    /// flag is set. False when the curve could not be built (the reason has been said).
    bool BuildPressureCurve(bool flag1, bool flag2, bool flag3);
    /// The summary of the current combination for the operation control table (least-power fan pair).
    std::string GetControlSummary();

    // ---- Controls ----
    platform::MultiPage MultiPage1;

    // Page "竖井及风机信息(S)".
    platform::TextBox txtShaftPile;
    platform::Frame Frame1; // 排风
    platform::TextBox txtQe;
    platform::ComboBox cmbCounte;
    platform::TextBox txtQQ_e, txtAA_e, txtKK_e, txtv_e, txtdeltap_e, txtZeta_fencha;
    platform::Frame Frame10, Frame11, Frame12;
    platform::TextBox txtp_de;
    platform::CommandButton cmdCalpde;
    platform::TextBox txtp_se, txtp_tote, txtt1_e, txtp1_e, txteta_e, txtSSkw_e, txtetam_e, txtk_e, txtMM1_e;
    platform::Frame Frame2; // 送风
    platform::TextBox txtQb;
    platform::ComboBox cmbCountb;
    platform::CheckBox chkQb;
    platform::TextBox txtQQ_b, txtAA_b;
    platform::Label lblAA_b;
    platform::TextBox txtv_b, txtKK_b, txtbeta, txtdeltap_b, txtZeta_heliu;
    platform::Frame Frame15, Frame16, Frame17;
    platform::TextBox txtp_db;
    platform::CommandButton cmdCalpdb;
    platform::TextBox txtp_sb, txtp_totb, txtt1_b, txtp1_b, txteta_b, txtSSkw_b, txtetam_b, txtk_b, txtMM1_b;

    // Page "通风区段(V)".
    platform::Frame Frame6; // 短道气流验算
    platform::TextBox txtds, txtQQ_req_VI, txtQQ_s, txtv_rs, txtCC_2s, txtQQ_sf;
    platform::Frame Frame3; // 短道回流
    platform::TextBox txtratio_Qe_Qr1, txtratio_Qb_Qr2;
    platform::Frame Frame18; // inlet section
    platform::TextBox txtQQ_req1, txtQQ_r1, txtv_r1, txtdeltap_r1, txtdeltap_m1, txtdeltap_t1,
        txttotaldeltap_j1, txtCC_2;
    platform::Frame Frame19; // jet fans of the inlet section
    platform::ComboBox cmbJetModel1;
    platform::TextBox txtFlow1, txtDD_j1, txtAA_j1, txtvj1, txtZZ_j1, txteta1, txtdeltap_j1, txtPower1,
        txtjetcount1;
    platform::Image Image2;
    platform::Frame Frame20; // outlet section
    platform::TextBox txtQQ_req2, txtQQ_r2, txtv_r2, txtdeltap_r2, txtdeltap_m2, txtdeltap_t2,
        txttotaldeltap_j2, txtCC_3;
    platform::Frame Frame21; // jet fans of the outlet section
    platform::ComboBox cmbJetModel2;
    platform::TextBox txtFlow2, txtDD_j2, txtAA_j2, txtvj2, txtZZ_j2, txteta2, txtdeltap_j2, txtPower2,
        txtjetcount2;
    platform::Image Image3;
    platform::TextBox txtTotalPower;

    // Page "射流风机布置(J)".
    platform::ListView lstJet;
    platform::TextBox txtPile, txtJetNumPerTeam, txtPress;
    platform::CommandButton cmdAdd, cmdUpdate, cmdDelete, cmdAutoLayout;
    platform::Image Image1;

    // Under the pages.
    platform::CommandButton cmdBack, cmdCalculateSectionQQ_req, cmdCalculatePtot3, cmdDrawPressCurve,
        cmdCalPower, cmdReport, cmdTable;
    platform::Label lblTip;

    // ---- Working values, named after their boxes; 0 when the window opens ----
    double QQ_req1 = 0, QQ_req2 = 0, QQ_req_VI = 0;
    double QQ_r1 = 0, QQ_r2 = 0, v_r1 = 0, v_r2 = 0;
    double QQ_e = 0, v_e = 0, KK_e = 0;
    double QQ_b = 0, v_b = 0, KK_b = 0, beta = 0;
    double AA_e = 0, AA_b = 0, deltap_e = 0, deltap_b = 0;
    double deltap_r1 = 0, deltap_m1 = 0, deltap_t1 = 0;
    double deltap_r2 = 0, deltap_m2 = 0, deltap_t2 = 0;
    double CC_2 = 0, CC_2s = 0, CC_2b = 0, CC_3 = 0;
    double QQ_sf = 0, QQ_s = 0, v_rs = 0;
    double ratio_Qe_Qr1 = 0, ratio_Qb_Qr2 = 0;
    double ds = 0, zeta_e = 0, Zeta_fencha = 0, Zeta_heliu = 0;

    // ---- The last curve build ----
    std::vector<std::array<double, 2>> dStepPoints;
    std::vector<std::array<double, 2>> dWorkPoints;
    jetfan::CurvePointArray dPressPoints, dVPoints, dCPoints;
    /// The curve of the last completed build; none before the first.
    std::unique_ptr<CPressionCurve> PressCurve;

private:
    /// The boxes of one jet-fan group row.
    jetfan::GroupBoxes groupBoxes();
    void buildControls();
    void connectEvents();
    /// The jet fans of section k (1 inlet, 2 outlet): model data, Aj, vj, η, the rise of one fan and the
    /// count. The reason the count could not be given, or "" when it was.
    std::string jetFansOfSection(int k);
    void positionFactor(int k);

    /// Whether the section air demand has run since the window opened.
    bool demandComputed_ = false;

    /// While set, the section air demand and the balance show no message box: the control table runs them
    /// many times in a row. What they would have said is kept in quietFaults_, so that a pair whose
    /// balance failed is not judged on the boxes of an earlier one.
    bool quietBalance_ = false;
    std::string quietFaults_;
    /// A message of the section air demand or the balance: shown, or kept while quiet.
    void balanceMessage(const std::string& prompt);

    /// What the window shows and works with, taken before the operation control table drives it through
    /// other combinations and put back after it, firing nothing.
    struct DesignSnapshot {
        std::vector<std::pair<platform::TextBox*, std::string>> Boxes;
        std::vector<std::pair<double*, double>> Values;
        int SupplyGiven = 0;
        std::string Tip, BalanceTip, PowerTip;
        bool DemandComputed = false, ImpossibleBalance = false;
    };
    DesignSnapshot takeSnapshot();
    void restoreSnapshot(const DesignSnapshot& s);

    /// The hint line: what the balance and the fan power found that is no design state, each "" when
    /// there is nothing to say.
    std::string balanceTip_, powerTip_;
    /// The last balance is no state the tunnel can be in: no jet fans or power are given for it.
    bool impossibleBalance_ = false;
    /// Says why a balance is no state the tunnel can be in and empties what it leaves unsized: the jet
    /// fans and powers, the figures of a reversed short passage, a negative C3.
    void refuseBalance(const shaft::BalanceState& state, double c3);
    /// Judges the flows a file brought back by the balance's own rule, and refuses them as the balance
    /// did; nothing when the file holds no finished balance.
    void judgeStoredBalance();
    /// Says on the hint line which stored values of the two sections' models the catalogue now holds
    /// otherwise.
    void noteCatalogueChange();
    /// Puts the inlet flow the engineer typed back into its box where the write-back rounded it.
    void keepTypedInletFlow(const std::string& typed);
    void showTip();
    /// What the jet-fan groups of each section hold against the fans and the rise of one fan the section
    /// shows; "" when they agree.
    std::string layoutJudgement();
    /// Empties the pressures, design pressures and powers of the openings' fans and the case's total.
    void clearFanPowers();
    /// The case's total power from the counts and powers the boxes show, as 动力计算 sums them.
    void showTotalPower();
    /// Whether the boxes show every count and power the total sums.
    bool totalPowerInputsShown();
    /// Empties every box the balance fills (the inlet flow when the supply flow is given, the supply flow
    /// otherwise) and the fan powers sized on it.
    void clearBalance(bool supplyGiven);
    /// Step 2's inputs the results shown were computed with; nullopt for stored ones of unknown inputs.
    std::optional<ventparam::Step2Inputs> computedUnder_;
    /// Empties the demands, the balance and the fans of a file computed under other inputs of step 2 than
    /// those it opens under, and gives the hint that names them ("" when they are the same or unknown).
    std::string forgetResultsOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                          bool resultsShown);

    platform::Layout layout_;
    std::vector<std::unique_ptr<platform::Frame>> subFrames_;
};
