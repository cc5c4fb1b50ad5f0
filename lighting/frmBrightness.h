// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "platform/scheme_file.h"

#include <string>
#include <vector>

namespace lighting {
struct ZoneValues;
struct ZoneNotes;
} // namespace lighting

/// Lighting step 1: the tunnel described for lighting, the graded traffic volumes, the lighting mode, and
/// the required luminance and length of the six lighting zones. Step 3 drives it as its calculator, so
/// its controls and calculation are public. Its inputs live in the project's `.bgh` file.
class frmBrightness : public platform::UserForm {
public:
    frmBrightness();

    // ---- Results of the last zone calculation ----
    double LL_in = 0, DD_in = 0, k = 0, LL_20_S = 0, LL_th = 0, DD_s = 0, DD_th = 0, H = 0, dPreLength = 0,
           dSpan = 0, dDiscount = 0, dTunnelSlope = 0, LL_tr1 = 0, LL_tr2 = 0, LL_tr3 = 0, DD_tr1 = 0,
           DD_tr2 = 0, DD_tr3 = 0, DD_exit = 0, LL_exit = 0;

    // ---- Public operations ----
    /// The zone calculation on the window's current inputs.
    void cmdCalculate_Click();
    void lstAdjust_Click();
    void lstNN_ItemClick(platform::ListItem& Item);

    // ---- Window events ----
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void UserForm_Initialize() override;
    void cmbvt_Change();
    void cmbSkyRatio_Change();
    void lstEnvironmnet_Click();
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdReport_Click();
    void cmdClose_Click();
    void cmdOK_Click();

    // ---- Controls ----
    platform::Frame Frame1, Frame2;
    platform::ComboBox cmbvt, cmbSkyRatio;
    platform::TextBox txtLL;
    platform::OptionButton optBidirection, OptionButton1;
    platform::CheckBox chkMix;
    platform::ListBox lstEnvironmnet;
    platform::TextBox txtdTunnelSlope, txth, txtdPreLength, txtdSpan, txtLL_20_S, txtNN;
    platform::TextBox txtk, txtdDiscount, txtDD_s;
    platform::ListView lstNN;
    platform::ListBox lstAdjust;
    platform::ListView lstResult;
    platform::CommandButton cmdAdd, cmdUpdate, cmdDelete, cmdCalculate, cmdReport, cmdClose, cmdOK;
    platform::Image Image1;
    /// Says which tables of the table file the last calculation or lookup lacked; empty when none.
    platform::Label lblTableNote;

private:
    void buildControls();
    void connectEvents();
    void UpdateData(bool toFields);
    void SortTrafficLevels();
    void OpenFile();
    /// Writes the `.bgh` file; false when the engineer kept the earlier file or it could not be written.
    bool SaveFile();
    /// The `.bgh` file the window's controls make.
    scheme::SchemeWriter FileContents();
    lighting::ZoneValues values() const;
    void setValues(const lighting::ZoneValues& v);
    void showNotes(const lighting::ZoneNotes& notes);
    /// What the last calculation or lookup lacked, as the note and the report say it.
    std::vector<std::string> notes_;
    /// The surroundings last chosen (an entry's text), kept over changes of the sky share.
    std::string chosenSurroundings_;
    /// The row of the L20 table the shown L20 was looked up in; -2 before the first lookup.
    int lookedUpRow_ = -2;

    platform::Layout layout_;
};
