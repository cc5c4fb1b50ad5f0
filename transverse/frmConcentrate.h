// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "ventparam/step2_inputs.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

/// Step 3 of the concentrated-supply scheme: the pressure balance of the tunnel split at one supply
/// opening, the supply flow and nozzle, the supply fan and the report. Step 2 shows it modally and unloads
/// it when the modal call returns; the window keeps what it shows in the project's `.con` file, written at
/// every close.
class frmConcentrate : public platform::UserForm {
public:
    frmConcentrate();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdBack_Click();
    void cmdCalculateJet_Click();
    void cmdReport_Click();
    void cmdCalPd_Click();
    void optKnowArea_Click();
    void OptionButton2_Click();

    /// The air speed at a station in the last calculation: v1 on the supply side of the opening, vr
    /// elsewhere.
    double GetVelocityAtPile(double station) const;

    // ---- Controls ----
    platform::Image Image1;
    platform::TextBox txtQQ_r;
    platform::CommandButton cmdCalculateJet, cmdReport, cmdBack;

    platform::Frame Frame1; // 计算模式
    platform::OptionButton optKnowArea, OptionButton2;

    platform::Frame Frame2; // 压力平衡分析
    platform::TextBox txtdeltap_m, txtdeltap_r, txtdeltap_t, txtdeltap_b, txtdeltap_l;

    platform::Frame Frame3; // 送风参数
    platform::Label lblv_b, lblAA_b;
    platform::TextBox txtv_b, txtbeta, txtKK_b, txtAA_b, txtQQ_b, txtShaftPile, txtv_1;

    platform::Frame Frame4; // 风机动力设计
    platform::TextBox txtdeltap_d;
    platform::CommandButton cmdCalPd;
    platform::TextBox txtPP_tot, txtAA_tot, txteta, txtSS_tot;

    /// Red words about the last calculation that its numbers alone do not say.
    platform::Label lblTip;

private:
    void buildControls();
    void connectEvents();
    /// True: boxes → fields (and the shared module's Ar, Dr, vr); false: fields → boxes, "0.00".
    void UpdateData(bool toFields);
    /// Reads the project's `.con` file, or the template when it cannot be opened.
    void OpenFile();
    /// Writes the boxes into the project's `.con` file; false when it could not be written.
    bool SaveFile();
    /// Empties every box the balance fills: of the opening's area and speed, the one it finds.
    void clearResults();
    /// Says in red when the supply stretch's speed v1 of a balance is not above zero.
    void showOutflowTip(double v1);
    /// On opening: empties the results when step 2 no longer shows the inputs `stored` they were computed
    /// with, and gives the hint naming the change ("" when none).
    std::string forgetResultsOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                          bool resultsShown);

    /// Step 2's inputs the results shown were computed with (nullopt: not known, as in an older file).
    std::optional<ventparam::Step2Inputs> computedUnder_;

    // Calculation fields.
    double QQ_r = 0, QQ_b = 0, v_b = 0, beta = 0, KK_b = 0, AA_b = 0, ShaftPile = 0, v_1 = 0;
    double deltap_m = 0, deltap_t = 0, deltap_r = 0, deltap_l = 0, deltap_b = 0, deltap_d = 0;
    double PP_tot = 0, AA_tot = 0, eta = 0, SS_tot = 0;

    platform::Layout layout_;
};
