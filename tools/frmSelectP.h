// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

#include <map>
#include <string>

/// The leakage coefficient P of a whole ventilation duct, looked up from its type, length and diameter
/// (and, for metal ducts, the leakage of one joint and the segment length). Shown modally by the
/// construction-ventilation window; "确定" hands P to that window's whole-duct leakage box itself.
class frmSelectP : public platform::Form {
public:
    frmSelectP();

    platform::TextBox txtL, txtD;
    platform::ListBox lstType;
    platform::Frame Frame1;
    platform::ListBox lstK0;
    platform::OptionButton opt3m, opt4m;
    platform::TextBox txtP;
    platform::CommandButton cmdOK;
    /// Names the table that a lookup needs and the table file lacks.
    platform::Label lblTableNote;

    /// The leakage tables by key, read when the dialog loads.
    std::map<std::string, CoefTable> Tables;

    void Form_Load() override;
    void lstType_Click();
    void lstK0_Click();
    void opt3m_Click();
    void opt4m_Click();
    void txtL_Change();
    void txtD_Change();
    void cmdOK_Click();

    /// Recomputes P from the controls into txtP. False when the table it needs is missing (txtP is then
    /// emptied and the note names the table).
    bool UpdateP();

private:
    void buildControls();
    void connectEvents();
    std::string missingTable_;
    platform::Layout layout_;
};
