// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "platform/scheme_file.h"

#include <string>
#include <vector>

/// Lighting step 2: the lamp circuits of the tunnel and the settings of the point-by-point calculation.
/// It computes nothing; step 3 and the lamp photometry read its controls directly, so they are public.
/// Its contents live in the project's `.lmp` file.
class frmDefineLamp : public platform::Form {
public:
    frmDefineLamp();

    // ---- Window events ----
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void cmdAddSection_Click();
    void cmdUpdateSection_Click();
    void cmdDeleteSection_Click();
    void lstLamp_ItemClick(platform::ListItem& Item);
    void lstInstallMode_Click();
    void UpDown1_Change();
    void UpDown2_Change();
    void cmdNextStep_Click();
    void cmdPreStep_Click();

    /// Reads the project's `.lmp` file (the template for an unnamed project or one without the file).
    void OpenFile();
    /// Writes the project's `.lmp` file; an unnamed project writes nothing. False when the engineer kept the
    /// earlier file or it could not be written.
    bool SaveFile();
    /// The `.lmp` file the window's controls make.
    scheme::SchemeWriter FileContents();

    // ---- Controls ----
    platform::Frame Frame1, Frame2, Frame3, Frame4;
    platform::ComboBox cmbLampName, cmbLightModel, cmbLightType;
    platform::TextBox txtPower, txtPHI, txtMM;
    platform::ListBox lstInstallMode;
    platform::TextBox txtLightSS1, txtLightSS2, txtHH, txtAltitudeAngle, txtAngle2;
    platform::Label lblLightSS2, lblAltitudeAngle;
    platform::TextBox txtNum1, txtSpan1, txtNum2, txtSpan2;
    platform::CommandButton cmdAddSection, cmdDeleteSection, cmdUpdateSection;
    /// The circuit list: 16 columns of texts, column 1 the circuit name.
    platform::ListView lstLamp;
    platform::ListBox cmbRoadType;
    platform::TextBox txtWW;
    platform::TextBox txtDistanceToCalArea, txtCalPointCount1, txtCalPointCount2;
    platform::UpDown UpDown1, UpDown2;
    platform::OptionButton optCurve, optNumeric;
    platform::CommandButton cmdPreStep, cmdNextStep;
    /// Says plainly when no lamp intensity table is installed, so that nobody takes the zeros of a
    /// calculation for a result; empty otherwise.
    platform::Label lblLampData;

private:
    void buildControls();
    void connectEvents();
    void LoadLampModels();
    /// The 16 cells of a circuit row as the controls hold them.
    std::vector<std::string> RowFromControls() const;
    void WriteRow(platform::ListItem& item, const std::vector<std::string>& cells);

    platform::Layout layout_;
};
