// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "tools/axial_fan.h"
#include "tools/axial_fan_file.h"
#include "tools/axial_fan_report.h"
#include "ventparam/duct_list.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

/// The axial fans of the project, one at a time: the duct each fan moves its air through, its basic data,
/// and its duct pressure loss, design pressure, shaft power and motor power. Each fan keeps its data in a
/// file of its own beside the project. Shown modally by the main window.
class frmAxialFanDesign : public platform::Form, public ventparam::DuctEditor {
public:
    frmAxialFanDesign();

    platform::Frame Frame1;
    platform::ListView lstFanNo;
    platform::TextBox txtFanNo;
    platform::CommandButton cmdAddFan, cmdUpdateFan, cmdDeleteFan;

    platform::Frame Frame2;
    platform::TextBox txtQ;
    platform::TextBox txtN;
    platform::UpDown udN;
    platform::TextBox txtRHO;
    platform::OptionButton optFanType1, optFanType2;
    platform::Label lbl1;
    platform::TextBox txtv;
    platform::Label lbltemp;
    platform::TextBox txtDisc;

    platform::Frame Frame3; ///< the piece editor, with the friction factor and a remark of each piece
    platform::TextBox txtlambdra;
    platform::TextBox txtSectionDisc;

    platform::Frame Frame4; ///< the local-loss editor, with a remark of each loss
    platform::TextBox txtZetaDisc;

    platform::Frame Frame5;
    platform::Label lbl2, lbl3, lbl4;
    platform::TextBox txtp_d, txtp_s, txtp_tot;

    platform::Frame Frame6;
    platform::TextBox txtt, txtP, txteta, txtSSkw;

    platform::Frame Frame7;
    platform::TextBox txtetam, txtk, txtMM;

    platform::CommandButton cmdCalculate, cmdReport, cmdClose;
    /// Names in red the straight pieces whose friction could not be counted; empty otherwise.
    platform::Label lblDuctNote;
    /// Names in red the local losses whose position lies outside the duct; empty otherwise.
    platform::Label lblZetaNote;

    /// The five coefficient tables, read when the window loads.
    tools::AxialFanTables Tables;

    /// Writes the window's content to the file of the fan it shows. Nothing is written for an unnamed
    /// project or while no fan is shown; a file that cannot be written is said so. False when the file was
    /// to be written and was not.
    bool SaveFile();
    /// Reads the file of the number in txtFanNo into the window, or the template when there is none; the
    /// window then shows that fan.
    void OpenFile();
    /// Air speed at `x` metres from the start of the duct [m/s]; 0 outside the duct.
    double GetSpeedAtPosition(double x);

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void lstFanNo_ItemClick(platform::ListItem& item);
    void cmdAddFan_Click();
    void cmdUpdateFan_Click();
    void cmdDeleteFan_Click();
    void cmdClose_Click();
    void optFanType1_Click();
    void optFanType2_Click();
    void cmdUpdateSection_Click() override;
    void lstWallMaterial_Click() override;
    void cmdUpdateZeta_Click() override;
    void cmdZeta_Click() override;
    void udN_Change();
    void cmdCalculate_Click();
    void cmdReport_Click();

    /// The number of the fan whose content the window shows ("" while none is).
    const std::string& ShownFanNo() const { return shownFanNo_; }

private:
    void buildControls();
    void connectEvents();
    /// The duct calculation and the three steps after it; a step that cannot be formed empties its box
    /// and the boxes after it and, unless `quiet`, says which input is missing.
    void calculate(bool quiet);
    /// The piece rows as the calculation reads them; a straight row without a λ number takes λ from its
    /// roughness, and its 1-based position goes into `withoutLambda` when that cannot be formed either.
    std::vector<tools::AxialDuctRow> ductRows(std::vector<int>* withoutLambda);
    void markRowsWithoutLambda(const std::vector<int>& rows);
    /// Colours the local losses outside the duct red and names them in lblZetaNote.
    void markLossesOutsideDuct(const std::vector<tools::AxialDuctRow>& rows);
    /// The λ and friction loss of every piece whose λ came from its roughness, for the report.
    std::vector<tools::AxialFrictionUsed> frictionFromRoughness();
    tools::AxialFanTexts collect();
    void apply(const tools::AxialFanTexts& fan);
    /// Says why `fanNo` cannot be the number of a fan other than row `except`; true when it can.
    bool acceptFanNo(const std::string& fanNo, int except);
    /// Saves the shown fan and puts the window's fan list into the shared module.
    void closeSteps();
    /// The file of the shown fan; "" when nothing is written (unnamed project, no fan shown).
    std::string fanFilePath() const;

    std::string shownFanNo_;
    /// The file of the shown fan and what the window would write to it as read, when the file was refused
    /// part-way (a list count above the cap): it is left as it is unless the engineer changes something.
    std::optional<std::pair<std::string, std::string>> refusedFile_;
    platform::Layout layout_;
};
