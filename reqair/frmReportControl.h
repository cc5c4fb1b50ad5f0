// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

#include <cstddef>
#include <string>
#include <vector>

/// The report options: which design years, traffic cases and working speeds a report or an operation
/// control table covers, and whether the result is opened afterwards. The last choices are kept by list
/// position in ConfigFiles\ReportControl.txt, one file for the whole installation.
///
/// A caller fills lstYear and lstvt, calls ShowOptions, reads the selections when it returns true, and
/// unloads the dialog (which saves the selections).
class frmReportControl : public platform::UserForm {
public:
    frmReportControl();

    platform::Label Label1; // "选择特征年:"
    platform::ListBox lstYear;
    platform::Label Label2; // "选择工况:"
    platform::ListBox lstCase;
    platform::Label Label3; // "选择单向交通的工况时速:"
    platform::ListBox lstvt;
    platform::CheckBox chkOutputSegment, chkOpenReport;
    platform::CommandButton cmdOK;

    /// Restores the saved selections and shows the dialog modally over `owner`. True when the user
    /// pressed "确定": the dialog stays loaded for the caller to read. False when the user closed it with
    /// the close box: that is a cancel, the dialog is already unloaded (its selections saved) and must not
    /// be reached again, so the caller does nothing more.
    static bool ShowOptions(platform::Form* owner);

    /// What the engineer picked, read before the dialog is unloaded: a mark for each row of the year and
    /// case lists, the texts of the picked speeds in list order, and whether the result is opened.
    struct Picks {
        std::vector<bool> Years, Cases;
        std::vector<std::string> Speeds;
        bool Open = false;
        /// Whether row `i` (0-based) of a list is picked; a row past the list is not.
        static bool picked(const std::vector<bool>& rows, std::size_t i) {
            return i < rows.size() && rows[i];
        }
    };
    Picks ReadPicks() const;

    /// The options file: the program's folder + "\ConfigFiles\ReportControl.txt", as a local path.
    static std::string OptionsPath();

    void UserForm_Initialize() override;
    void UserForm_Activate();
    void UserForm_QueryClose() override;
    void lstCase_Click();
    void cmdOK_Click();

private:
    void connectEvents();
    bool okPressed_ = false;
};
