// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "transverse/supply_duct_view.h"

#include <memory>
#include <string>
#include <vector>

/// Step 3 of full and supply semi-transverse ventilation (two-way traffic only): the supply duct and fan,
/// the exhaust duct and fan, and in the semi-transverse case the neutral point of the tunnel and the
/// pressure at a chosen station. Step 2 shows it modally and unloads it when the modal call returns; the
/// window keeps its boxes in the project's `.tra` file.
class frmLateral3 : public transverse::SupplyDuctView {
public:
    frmLateral3();

    /// Reads the project's `.tra` file (or the template `configfiles\normal.tra`) into the controls.
    void OpenFile();
    /// Writes the controls into the project's `.tra` file; false when nothing could be written.
    bool SaveFile() override;
    scheme::SchemeWriter schemeFile() override;

    // ---- Window events ----
    void UserForm_Initialize() override;
    void optTranverse_Click();
    void OptionButton2_Click();
    void cmdCalculatePtot3_Click();
    void cmdCalculatePed_Click();
    void scbPileR_Change();
    void cmdReport_Click();

    // ---- Controls (with the shared ones of SupplyDuctView) ----
    platform::TextBox txtv_t, txtStartPile, txtEndPile, txtPa;
    platform::CheckBox chkTwoSect;

    platform::Frame Frame1; ///< "模式"
    platform::OptionButton optTranverse, OptionButton2;

    platform::Frame Frame2; ///< "送风机的参数与全风压"
    platform::TextBox txtLambda_b;

    platform::Frame Frame3; ///< "排风机的参数与全风压"
    platform::TextBox txtAA_e, txtDD_e, txtLambda_e, txtv_e0, txtp_e, txtk_e, txtpei_pe0, txtpri_pei, txtp_ed,
        txtp_etot;
    platform::CommandButton cmdCalculatePed;

    platform::Frame Frame4; ///< "隧道内风压计算"
    platform::TextBox txtPileC, txtPC, txtPileR, txtPR;
    platform::ScrollBar scbPileR;
    /// Says, in red, that the portals' pressure difference cannot be balanced in the section.
    platform::Label lblUnbalanced;

    platform::Image Image1;
    platform::CommandButton cmdCalculatePtot3, cmdReport;

    // ---- Calculation fields ----
    double AA_e = 0, DD_e = 0, p_ed = 0; ///< with the supply duct's fields of SupplyDuctView
    /// The ducts of the last calculation; the window shows the exhaust duct's results from here.
    transverse::LateralDuctResult ducts;

private:
    void buildControls();
    void connectEvents();
    void UpdateData(bool bSaveAndValidate);
    /// The boxes of the scheme file's supply and exhaust records, in file order.
    std::array<platform::TextBox*, 3> supplyBoxes();
    std::array<platform::TextBox*, 10> exhaustBoxes();
    /// The tunnel part of the calculation: neutral point and the pressure at the chosen station.
    void tunnelPressure();
    /// Names the inputs that left results uncomputable, once per calculation.
    void reportNotComputed();
    /// What the last semi-transverse calculation said instead of a neutral point; empty when it found one.
    std::string unbalanced_;
    platform::Layout layout_;
};
