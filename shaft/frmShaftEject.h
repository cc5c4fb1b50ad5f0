// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "shaft/eject_file.h"
#include "shaft/shaft_eject.h"
#include "ventparam/step2_inputs.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPressionCurve;

/// Step 3 of the shaft-exhaust scheme: one exhaust shaft between section I (entrance portal to shaft) and
/// section II (shaft to exit portal), as a merge-type shaft in two-way traffic or a split-type shaft in
/// one-way traffic. The section air demands and design flows, the pressures of both sections and at the
/// shaft bottom, the exhaust fan, the balancing shaft station, the curves and the report. Step 2 shows it
/// modally and unloads it when it returns; the window keeps its boxes in the project's `.se` file.
class frmShaftEject : public platform::UserForm {
public:
    frmShaftEject();
    ~frmShaftEject() override;

    // ---- Public operations ----
    /// Reads the project's `.se` file (or the template `configfiles\normal.se`) into the boxes.
    void OpenFile();
    /// Writes the boxes into the project's `.se` file; false when it could not be written.
    bool SaveFile();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdBack_Click();
    void optPresModel1_Click();
    void optPresModel2_Click();
    void txtShaftAA_r_Change();
    void txtShaftPP_r_Change();
    void cmdCalculateSectionQQ_req_Click();
    void cmdCalculatePtot3_Click();
    void cmdBalanceLength_Click();
    void cmdCalPd_Click();
    void cmdDrawCurve_Click();
    void cmdReport_Click();

    // ---- Controls ----
    platform::TextBox txtShaftPile, txtv_t;
    platform::Frame Frame1; ///< "压力模式"
    platform::OptionButton optPresModel1, optPresModel2;

    platform::Frame Frame2; ///< "第I区段"
    platform::TextBox txtdeltap_g1, txtzeta_13, txtzeta_12, txtQQ_req1, txtQQ_r1, txtv_1, txtdeltap_t1,
        txtp_tot1;
    platform::Label lblzeta_12, lblp_tot1;

    platform::Frame Frame3; ///< "第II区段"
    platform::TextBox txtdeltap_g2, txtzeta_23, txtQQ_req2, txtQQ_r2, txtv_2, txtdeltap_t2, txtp_tot21,
        txtp_tot22, txtp_tot23;
    platform::Label lblp_tot21, lblp_tot22, lblp_tot23;

    platform::Frame Frame4; ///< "竖井"
    platform::TextBox txtShaftAA_r, txtShaftPP_r, txtShaftDD_r, txtQQ_r3, txtv_3, txtdeltap_d, txtp_tot3,
        txtp_tot3a;
    platform::CommandButton cmdCalPd;
    platform::Label lblp_tot3, lblp_tot3a;

    platform::Frame Frame5; ///< "风机动力设计"
    platform::TextBox txtp_tot, txtAA_tot, txteta, txtSS_tot;

    platform::Image Image1;
    platform::Label lblTip;

    platform::CommandButton cmdBack, cmdCalculateSectionQQ_req, cmdBalanceLength, cmdCalculatePtot3,
        cmdDrawCurve, cmdReport, cmdTable;

    // ---- Calculation fields ----
    double ShaftPile = 0, EntrancePile = 0, ExitPile = 0;
    double deltap_g1 = 0, deltap_g2 = 0, zeta_13 = 0, zeta_23 = 0, zeta_12 = 0, deltap_d = 0;
    double ShaftDD_r = 0, eta = 0;
    double QQ_req1 = 0, QQ_req2 = 0, QQ_r1 = 0, QQ_r2 = 0, QQ_r3 = 0;
    double v_1 = 0, v_2 = 0, v_3 = 0, deltap_t1 = 0, deltap_t2 = 0;
    double p_tot1 = 0, p_tot21 = 0, p_tot22 = 0, p_tot23 = 0, p_tot3 = 0, p_tot3a = 0;
    double p_tot = 0, AA_tot = 0, SS_tot = 0;

    // ---- The last curve build ----
    jetfan::CurvePointArray dPressPoints, dVPoints, dCPoints;
    std::unique_ptr<CPressionCurve> PressCurve;

private:
    void buildControls();
    void connectEvents();
    void UpdateData(bool bSaveAndValidate);
    /// Flow of the section that holds the station [m³/s], from the flow boxes.
    double GetFlowAtPile(double dPile);
    /// The merge-type shaft of two-way traffic (the traffic case of step 2 decides).
    static bool IsMergeModel();
    /// Says, once, which results could not be computed; true when all could.
    bool reportNotComputed();
    /// Refuses a shaft station outside the tunnel with a message; true when it lies inside.
    bool shaftInsideTunnel();
    void sectionFlows();
    void pressures();

    platform::Layout layout_;
    /// The section flows have been computed since the window opened.
    bool flowsComputed_ = false;
    /// Inside the shaft-position search: the single steps say nothing.
    bool quiet_ = false;
    /// The last calculation gave the exhaust fan no duty (design pressure not above zero): its power boxes
    /// stay empty.
    bool fanUnpowered_ = false;
    /// Judges the fan's duty and returns `tip` with the words for a fan without duty.
    std::string withFanDuty(const shaft::FanPower& fan, std::string tip);
    /// The fan's duty as the design pressure the boxes hold says it.
    shaft::FanPower storedFanDuty() const;
    /// Writes what the section-flow step computed; the pressures stay or are emptied by whether the flows
    /// they were worked from still stand.
    void showSectionFlows();
    /// Step 2's inputs the results shown were computed with; nullopt for stored ones of unknown inputs.
    std::optional<ventparam::Step2Inputs> computedUnder_;
    /// Empties the results of a file computed under other inputs of step 2 than those it opens under, and
    /// gives the hint that names them ("" when they are the same or unknown).
    std::string forgetResultsOfOtherStep2(shaft::SeFileContents& se, bool resultsShown);
};
