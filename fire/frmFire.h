// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

#include <optional>
#include <string>

/// The fire-ventilation module: for every fire location it decides which portal's jet fans run, which way
/// and how many, so that the smoke reaches a usable exhaust point. All its data lives in its controls and
/// in the project's .fir file. Shown modally from the main window's menu.
class frmFire : public platform::Form {
public:
    frmFire();

    platform::Label lblMW, lblQ, lblJetModel, lbleta, lblBlockVehNum;
    platform::TextBox txtMW;
    platform::UpDown udMW;
    platform::TextBox txtQ;
    platform::ComboBox cmbJetModel;
    platform::TextBox txteta, txtBlockVehNum;
    platform::CheckBox chkAirExpand;
    platform::Label lblRatio;
    platform::TextBox txtRatio;
    platform::UpDown udRatio;
    platform::CheckBox chkTranverse, chkNaturalWind, chkUseJetOnly;
    platform::CommandButton cmdCollect, cmdControlScheme, cmdClose;
    platform::TextBox txtResult;

    platform::Frame frmVentMode;
    platform::OptionButton optVentMode1, optVentMode2, optVentMode3;
    platform::Frame Frame1;
    platform::OptionButton optTrafficMode1, optTrafficMode2;
    platform::Frame frmBidirectionVent;
    platform::OptionButton optBDVentDirection1, optBDVentDirection2;
    platform::Frame frmNaturalWind;
    platform::OptionButton optNaturalWindDirection1, optNaturalWindDirection2;
    platform::TextBox txtvn;
    platform::UpDown udvn;
    platform::Frame frmExsmokeRange;
    platform::TextBox txtExsmokePile1, txtExsmokePile2;
    platform::Frame frmLocation;
    platform::ListView lstFireLoc;
    platform::TextBox txtFirePile;
    platform::CommandButton cmdFireLocAdd, cmdFireLocDelete, cmdFireLocUpdate;
    platform::Frame frmExsmokePile;
    platform::ListView lstExsmokePile;
    platform::TextBox txtExsmokePile;
    platform::CommandButton cmdExsmokeAdd, cmdExsmokeDelete, cmdExsmokeUpdate;

    void chkAirExpand_Click();
    void chkNaturalWind_Click();
    void chkTranverse_Click();
    void cmdClose_Click();
    void cmdCollect_Click();
    void cmdControlScheme_Click();
    void cmdExsmokeAdd_Click();
    void cmdExsmokeDelete_Click();
    void cmdExsmokeUpdate_Click();
    void cmdFireLocAdd_Click();
    void cmdFireLocDelete_Click();
    void cmdFireLocUpdate_Click();
    void Form_Load() override;
    void OpenFile();
    /// Writes the .fir file of a named project; false when it could not be written (said to the user). A
    /// file whose list was refused at opening is left as it is.
    bool SaveFile();
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void lstExsmokePile_ItemClick(platform::ListItem& Item);
    void lstFireLoc_ItemClick(platform::ListItem& Item);
    /// Rise of one fan of the chosen model [Pa]; nullopt when it cannot be computed.
    std::optional<double> GetJetDeltap(double q, bool reversed);
    void optTrafficMode1_Click();
    void optTrafficMode2_Click();
    /// The control scheme of the fire at station s: its two result lines.
    void CalControlScheme(double s, std::string& line1, std::string& line2);
    void txtMW_Change();
    void udMW_Change();
    void udRatio_Change();
    void udvn_Change();
    /// Fire pressure of the hot stretch from s to e [Pa]; nullopt when it cannot be computed.
    std::optional<double> GetFireDeltap(double s, bool toLarger, double e);

private:
    void buildControls();
    void connectEvents();
    /// A port goes in before the first row of a larger station, so that the list stays in ascending
    /// order: the scheme looks for the first port beyond the fire (or the last before it) in list order.
    int addPort(const std::string& text);
    /// The file opened held a list longer than the window takes: it is not overwritten with the part read.
    bool keepFile_ = false;
    platform::Layout layout_;
};
