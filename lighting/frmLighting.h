// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/lamp_photometry.h"
#include "lighting/lgh_file.h"
#include "platform/Form.h"
#include "platform/ProgressBar.h"
#include "platform/controls.h"
#include "platform/scheme_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// Lighting step 3: the cases of the point-by-point calculation (one per traffic volume, lighting mode and
/// zone), each with its switched-on circuits, the calculation of illuminance and luminance over the grid
/// with the uniformity checks, the drawing of the grid, the report of the six zones and one `.lgh` case
/// file per case. Step 1 serves it as the calculator of the zones' required luminance and length.
class frmLighting : public platform::Form {
public:
    frmLighting();

    // ---- Public members, written by UpdateData and the calculation ----
    std::int16_t CalPointCount1 = 0; ///< points along the road, nL
    std::int16_t CalPointCount2 = 0; ///< points across the road, nT
    double SS = 0;                   ///< length of the calculation area [m]
    double WW = 0;                   ///< road width [m]
    double EE_min = 0, EE_max = 0, EE_av = 0;
    double LL_min = 0, LL_max = 0, LL_av = 0;
    double LL_min_p = 0, LL_max_p = 0;
    /// Threads the sum over lamps runs on; 0 for every core. The results do not depend on it.
    unsigned CalculationThreads = 0;

    // ---- Public operations ----
    void cmdCalculate_Click();

    // ---- Window events ----
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void UserForm_Initialize();
    void lstNN_Click();
    void lstAdjust_Click();
    void lstSegment_Click();
    void cmbLampName_Change();
    void lstLamp_ItemClick(platform::ListItem& item);
    void cmdAdd_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdReport_Click();
    void cmdPreStep_Click();
    void cmdClose_Click();

    // ---- Controls ----
    platform::Label lblNN, lblAdjust, lblSegment;
    platform::ListBox lstNN, lstAdjust, lstSegment;
    platform::Frame Frame1; ///< "选择开启回路"
    platform::ListView lstLamp;
    platform::Label lblLampName, lblLightSS1, lblPower, lblLightSS3;
    platform::ComboBox cmbLampName;
    platform::TextBox txtLightSS1, txtPower, txtLightSS3;
    platform::CommandButton cmdAdd, cmdDelete, cmdUpdate;
    platform::Frame Frame2; ///< "计算区域设置"
    platform::Label lblSS;
    platform::TextBox txtSS;
    platform::Frame Frame3; ///< "计算结果"
    platform::Label lblEE_min, lblEE_max, lblEE_av, lblLL_min, lblLL_max, lblLL_av, lblUU_0, lblUU_l;
    platform::TextBox txtEE_min, txtEE_max, txtEE_av, txtLL_min, txtLL_max, txtLL_av, txtUU_0, txtUU_l;
    platform::TextBox txtResult;
    platform::CheckBox chkDraw;
    platform::CommandButton cmdCalculate, cmdReport, cmdClose, cmdPreStep;
    platform::ProgressBar pgrBar;
    platform::Image Image1;

private:
    void buildControls();
    void connectEvents();
    void UpdateData(bool flag);
    void LoadZoneCase();
    /// A list's choice opens its case, except while the window is being created.
    void LoadChosenCase();
    /// Shows what a case file holds; what it lacks stays as shown. False for a case not set up.
    bool ReadCase(const lighting::LghContents& c);
    /// Names in the result lines the circuits whose stored power step 2 now gives otherwise.
    void noteChangedCircuits();
    /// Whether `bytes` for the case file `path` are what the window made of that file when it was read
    /// damaged: the engineer has changed nothing of it.
    bool DamagedCaseUnchanged(const std::string& path, const std::string& bytes) const;
    /// Writes the open case's file; nothing without one. False when the engineer kept the earlier file or
    /// it could not be written.
    bool SaveZoneCase();
    /// The file of the open case; "" when nothing would be written (an unnamed project, or while the
    /// window is being created).
    std::string OpenCasePath() const;
    /// The open case is still as it was read from the template (or from a case file written so): the
    /// engineer has not set this zone up.
    bool CaseNotSetUp();
    /// The case file the window's controls make for the open case.
    scheme::SchemeWriter CaseContents();
    scheme::SchemeWriter CaseRecords(bool setUp);
    /// The calculation; the reason when it was refused (the message has been shown and the results
    /// emptied then).
    std::optional<std::string> Calculate();
    /// The calculation itself; the reason when it was refused, the results then left as they were.
    std::optional<std::string> CalculateGrid();
    /// Empties the result boxes and the comparison text, so that no earlier number passes for a result.
    void ClearResults();
    /// The eight result boxes in the order of the case file.
    std::array<platform::TextBox*, 8> resultBoxes();

    std::int16_t iCurNN = 0, iCurAdjust = 0, iCurSegment = 0;
    bool bIsInitializing = false;
    double LL_zone = 0, DD_zone = 0;
    /// The records of the open case as read, when it was not set up; nullopt for a case set up.
    std::optional<std::string> notSetUp_;
    /// The file of the open case and the records the window made of it, when it was read damaged (cut
    /// short, or a count refused); nullopt for a whole case.
    std::optional<std::pair<std::string, std::string>> damagedCase_;
    /// The damaged case file last named in a box, and its bytes then.
    std::optional<std::pair<std::string, std::string>> namedDamage_;
    double dDistanceToCalArea = 0;
    double UU_0 = 0, UU_l = 0;
    std::vector<lighting::LampPoint> LampPoints;
    std::vector<std::array<double, 3>> CalPoints;
};
