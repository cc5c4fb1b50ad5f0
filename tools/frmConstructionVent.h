// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "platform/scheme_file.h"
#include "tools/construction_vent.h"

#include <string>
#include <vector>

/// Ventilation while the tunnel is driven: the blasting data, the crew, the diesel equipment, a harmful
/// gas, the duct and the fans; the fresh-air demand by five criteria, the duct resistance and the duty of
/// each fan. Shown modally from the main window's menu; its inputs live in the project's .cvt file.
class frmConstructionVent : public platform::Form {
public:
    frmConstructionVent();

    // Tunnel and duct.
    platform::Frame Frame9;
    platform::TextBox txtA, txtTunnelL, txtRHO;

    // Blasting.
    platform::Frame Frame1, Frame7;
    platform::ControlArray<platform::OptionButton> optType;
    platform::TextBox txtG, txtt;
    platform::Label lblt;
    platform::ControlArray<platform::Frame> frmtype;
    platform::ControlArray<platform::TextBox> txtQ;
    // Forced ventilation.
    platform::Frame Frame10;
    platform::ListBox lstMethod1;
    platform::Image picMethod1;
    platform::ControlArray<platform::TextBox> txtPHI;
    platform::ControlArray<platform::TextBox> txtb;
    /// Beside each gas-yield box: says in red that b is in L/kg when its number is below 1.
    platform::ControlArray<platform::Label> lblBUnit;
    platform::TextBox txtk, txtLF, txtP;
    platform::CommandButton cmdP100;
    platform::ControlArray<platform::TextBox> txtL;
    platform::ControlArray<platform::Label> lblL;
    // Exhaust ventilation.
    platform::Frame Frame6, Frame8;
    platform::ListBox lstMethod2;
    platform::Image picMethod2;
    platform::OptionButton optLeiGuan1, optLeiGuan2;
    platform::Label lblB;
    // Mixed ventilation.
    platform::Frame Frame11, Frame12;
    platform::ListBox lstMethod3, lstMethod4;
    platform::Image picMethod3, picMethod4;
    platform::TextBox txtHP;
    platform::Label lblHP;
    platform::OptionButton optHY, optHP;

    // Minimum speed, workers, diesel equipment, harmful gas.
    platform::Frame Frame2, Frame3, Frame4, Frame5;
    platform::TextBox txtv, txtN, txtqperperson;
    platform::ListView lstNR;
    platform::TextBox txtqperkW, txtNi, txtNum, txtTi, txtwi;
    platform::CommandButton cmdAdd, cmdUpdate, cmdDelete;
    platform::ComboBox cmbgasname;
    platform::TextBox txtC, txtgas;

    // Design demand, duct, pressure, fans.
    platform::Frame Frame15, Frame14, Frame13, Frame16;
    platform::TextBox txtptot, txtXZ;
    platform::CommandButton cmdPtot;
    platform::TextBox txtTubeL, txtD, txtlambdra;
    platform::CommandButton cmdLambda;
    platform::TextBox txtH1, txtzeta, txtH2, txth;
    platform::TextBox txtFanNum, txtRatio, txtQf, txtPf;
    platform::UpDown udFanNum, udRatio;
    platform::OptionButton optLayoutType1, optLayoutType2;
    platform::CommandButton cmdCal, cmdReport, cmdClose;

    // The duct friction panel.
    platform::Frame frma;
    platform::ListBox lstTubeType, lstRe;
    platform::Label lblTube;

    /// Duct friction tables by duct type (metal, PVC, rubber), read when the window loads.
    CoefTable FrictionTables[3];

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void optType_Click(int index);
    void txtb_Change(int index);
    void lstMethod1_Click();
    void lstMethod2_Click();
    void lstMethod3_Click();
    void lstMethod4_Click();
    void cmbgasname_Click();
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void lstNR_ItemClick(platform::ListItem& item);
    void cmdLambda_Click();
    void lstTubeType_Click();
    void lstRe_Click();
    void cmdPtot_Click();
    void udFanNum_Change();
    void udRatio_Change();
    void cmdCal_Click();
    void cmdReport_Click();
    void cmdClose_Click();

    /// Reads the project's .cvt file, or the template when the project has none or is unnamed.
    void OpenFile();
    /// Writes the project's .cvt file; an unnamed project writes nothing. False when the file was not
    /// written (the engineer kept texts GBK cannot store, or the write failed, which is said).
    bool SaveFile();

    /// Every box as the window shows it now.
    tools::ConstructionBoxes Boxes();

private:
    void buildControls();
    void connectEvents();
    void showPicture(platform::Image& picture, const char* name);
    /// The .cvt file as SaveFile writes it from the window's controls.
    scheme::SchemeWriter fileContent();

    platform::Layout layout_;
};
