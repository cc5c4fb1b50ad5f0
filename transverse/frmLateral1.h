// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "transverse/supply_duct_view.h"

#include <memory>
#include <string>
#include <vector>

/// The older window of supply semi-transverse ventilation of two-way traffic: a supply duct of half the
/// tunnel carrying half the design demand, the tunnel pressure and the supply fan. No window opens it;
/// whoever shows it unloads it. It keeps its boxes in the project's `.lt1` file.
class frmLateral1 : public platform::Form, public transverse::SupplyDuctView {
public:
    frmLateral1();
    ~frmLateral1() override;

    /// Reads the project's `.lt1` file (or the template `configfiles\normal.lt1`) into the boxes.
    void OpenFile();
    /// Writes the boxes into the project's `.lt1` file; false when nothing could be written.
    bool SaveFile() override;

    // ---- Window events ----
    void Form_Initialize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void UserForm_Initialize();
    void cmdCalculatePtot3_Click();
    void cmdCalculatePd_Click();
    void cmdClose_Click();

    // ---- Controls ----
    platform::TextBox txtv_t, txtQQ_req, txtZetab;
    platform::CommandButton cmdCalculatePd, cmdCalculatePtot3, cmdClose;

    // ---- Calculation fields ----
    double LL_b = 0; ///< with the supply duct's fields of SupplyDuctView

private:
    void buildControls();
    void connectEvents();
    void UpdateData(bool bSaveAndValidate);
    /// The input boxes of the scheme file, in file order.
    std::array<platform::TextBox*, 3> inputBoxes();
    /// Names the inputs that left results uncomputable.
    void reportNotComputed(double L);
    platform::Layout layout_;
};
