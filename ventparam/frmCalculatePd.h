// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "ventparam/duct_list.h"
#include "ventparam/loss_coefficients.h"

#include <string>
#include <vector>

/// The pressure loss of a ventilation duct for a given air flow: wall friction of straight pieces, the
/// losses of tapered pieces between them and local losses along the duct. A modal dialog of the scheme
/// windows; it keeps nothing once its caller unloads it.
class frmCalculatePd : public platform::Form {
public:
    frmCalculatePd();

    /// The rest of the exchange with a caller that has written txtQ: shows the dialog modally over
    /// `owner`, copies its total into `target` and unloads it. The caller's box keeps its text when the
    /// dialog was closed with the close box or finished before a total was computed. True when written.
    static bool ShowFor(platform::TextBox& target, platform::Form* owner);
    /// Writes `flow` into txtQ, then does as the one above.
    static bool ShowFor(const std::string& flow, platform::TextBox& target, platform::Form* owner);

    platform::Frame Frame6;
    platform::TextBox txtQ;
    platform::TextBox txtRHO;

    platform::Frame Frame1;
    platform::TextBox txtSectionPile;
    platform::CheckBox chkKS;
    platform::Frame frmSectionData;
    platform::TextBox txtSectionArea;
    platform::TextBox txtSectionPerimeter;
    platform::TextBox txtSectionD;
    platform::TextBox txtSectionDelta;
    platform::CommandButton cmdSectionDelta;
    platform::CommandButton cmdAddSection, cmdDeleteSection, cmdUpdateSection, cmdInsertSection;
    platform::ListView lstSection;

    platform::Frame Frame2;
    platform::TextBox txtzetapile;
    platform::TextBox txtzeta;
    platform::CommandButton cmdZeta;
    platform::CommandButton cmdAddZeta, cmdDeleteZeta, cmdUpdateZeta;
    platform::ListView lstzeta;

    platform::CommandButton cmdCalculate;
    platform::TextBox txtp_d;
    platform::CommandButton cmdClose;
    platform::ListBox lstWallMaterial;

    /// The tables of tapered pieces, read when the dialog loads.
    ventparam::DuctTables DuctTables;

    void Form_Load() override;
    void txtSectionArea_Change();
    void txtSectionPerimeter_Change();
    void chkKS_Click();
    void cmdSectionDelta_Click();
    void lstWallMaterial_Click();
    void cmdAddSection_Click();
    void cmdInsertSection_Click();
    void cmdUpdateSection_Click();
    void cmdDeleteSection_Click();
    void lstSection_ItemClick(platform::ListItem& item);
    void cmdAddZeta_Click();
    void cmdUpdateZeta_Click();
    void cmdDeleteZeta_Click();
    void lstzeta_ItemClick(platform::ListItem& item);
    void cmdZeta_Click();
    void cmdCalculate_Click();
    void cmdClose_Click();

private:
    void buildControls();
    void connectEvents();
    /// Writes the piece in the editor into a row of lstSection.
    ventparam::DuctPieceBoxes pieceBoxes();
    std::vector<ventparam::DuctPiece> ductPieces();

    platform::Layout layout_;
};
