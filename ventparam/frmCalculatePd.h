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
class frmCalculatePd : public platform::Form, public ventparam::DuctEditor {
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

    platform::Frame Frame1; ///< the piece editor
    platform::Frame Frame2; ///< the local-loss editor
    /// Names in red the local losses whose position lies outside the duct; empty otherwise.
    platform::Label lblZetaNote;

    platform::CommandButton cmdCalculate;
    platform::TextBox txtp_d;
    platform::CommandButton cmdClose;

    /// The tables of tapered pieces, read when the dialog loads.
    ventparam::DuctTables DuctTables;

    void Form_Load() override;
    void cmdZeta_Click() override;
    void cmdCalculate_Click();
    void cmdClose_Click();

private:
    void buildControls();
    void connectEvents();
    std::vector<ventparam::DuctPiece> ductPieces();

    platform::Layout layout_;
};
