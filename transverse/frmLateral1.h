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
class frmLateral1 : public transverse::SupplyDuctView {
public:
    frmLateral1();

    /// Reads the project's `.lt1` file (or the template `configfiles\normal.lt1`) into the boxes.
    void OpenFile();
    /// Writes the boxes into the project's `.lt1` file; false when nothing could be written.
    bool SaveFile() override;
    scheme::SchemeWriter schemeFile() override;

    // ---- Window events ----
    void UserForm_Initialize() override;
    void cmdCalculatePtot3_Click();

    // ---- Controls (with the shared ones of SupplyDuctView) ----
    platform::TextBox txtv_t, txtZetab;
    platform::CommandButton cmdCalculatePtot3;

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
