// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/frmReportControl.h"

#include "platform/Forms.h"
#include "platform/layout.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reqair/report_text.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace {

// Sets each row that has a stored flag; rows beyond the stored ones, and flags beyond the rows, are
// passed over, so that a project with another number of years keeps what applies by position.
void restoreList(platform::ListBox& list, const std::vector<std::optional<bool>>& flags) {
    const int rows = list.ListCount();
    for (std::size_t i = 0; i < flags.size() && static_cast<int>(i) < rows; ++i) {
        if (flags[i]) {
            list.setSelectedSilently(static_cast<int>(i), *flags[i]);
        }
    }
}

std::vector<bool> selections(const platform::ListBox& list) {
    std::vector<bool> flags;
    for (int i = 0; i < list.ListCount(); ++i) {
        flags.push_back(list.Selected(i));
    }
    return flags;
}

} // namespace

frmReportControl::frmReportControl() {
    platform::Layout::window(*this, "需风量计算报告输出控制", 7650, 5100);

    // Three lists side by side, each under its caption; any number of rows may be chosen in each.
    struct Choice {
        platform::Label* caption;
        platform::ListBox* list;
        const char* text;
        int left, width;
    };
    for (const Choice& c : {Choice{&Label1, &lstYear, "选择特征年:", 120, 2160},
                            Choice{&Label2, &lstCase, "选择工况:", 2400, 2280},
                            Choice{&Label3, &lstvt, "选择单向交通的工况时速:", 4800, 2640}}) {
        c.caption->place(*this, c.left, 120, c.width, 255);
        c.caption->setCaption(c.text);
        c.list->place(*this, c.left, 420, c.width, 3120);
        c.list->setMultiSelect(1);
    }

    platform::Layout::captioned(chkOutputSegment, *this, "输出各区段的计算结果", 120, 3720, 3000, 300);
    platform::Layout::captioned(chkOpenReport, *this, "打开计算报告", 3240, 3720, 2400, 300);
    platform::Layout::buttons(*this, 6000, 3960, 1440, 420, 0, {{&cmdOK, "确定"}});

    connectEvents();
}

void frmReportControl::connectEvents() {
    platform::Connect(lstCase.Click, this, &frmReportControl::lstCase_Click);
    platform::Connect(cmdOK.Click, this, &frmReportControl::cmdOK_Click);
}

void frmReportControl::UserForm_Initialize() {
    platform::AddItems(lstCase, reqair::kReportCaseNames);
}

std::string frmReportControl::OptionsPath() {
    return platform::ResolvePath(platform::AppPath() + "\\ConfigFiles\\ReportControl.txt");
}

void frmReportControl::UserForm_Activate() {
    if (const std::optional<std::string> bytes = textfile::ReadBytes(OptionsPath())) {
        const reqair::StoredReportOptions stored = reqair::ParseReportOptions(*bytes);
        restoreList(lstYear, stored.Years);
        restoreList(lstCase, stored.Cases);
        restoreList(lstvt, stored.Speeds);
        if (stored.OutputSegment) {
            chkOutputSegment.setSilently(*stored.OutputSegment ? 1 : 0);
        }
        if (stored.OpenReport) {
            chkOpenReport.setSilently(*stored.OpenReport ? 1 : 0);
        }
    }
    // The speeds are offered whatever cases were restored; only the user's case clicks switch them.
    lstvt.setEnabled(true);
    Label3.setEnabled(true);
}

void frmReportControl::UserForm_QueryClose() {
    // A failed save keeps the old file whole; the choices are then only not remembered.
    textfile::WriteAtomically(
        OptionsPath(), reqair::ReportOptionsBytes(selections(lstYear), selections(lstCase), selections(lstvt),
                                                  chkOutputSegment.Value() == 1, chkOpenReport.Value() == 1));
}

void frmReportControl::lstCase_Click() {
    // The working speeds belong to the one-way case only.
    const bool oneWay = lstCase.ListCount() > 0 && lstCase.Selected(0);
    lstvt.setEnabled(oneWay);
    Label3.setEnabled(oneWay);
}

void frmReportControl::cmdOK_Click() {
    okPressed_ = true;
    Hide();
}

bool frmReportControl::ShowOptions(platform::Form* owner) {
    frmReportControl& dialog = platform::Forms::instance<frmReportControl>();
    dialog.okPressed_ = false;
    dialog.UserForm_Activate();
    dialog.ShowModal(owner);
    // Closed by the close box: the dialog has unloaded itself and may already be gone.
    if (!platform::Forms::isLoaded<frmReportControl>()) {
        return false;
    }
    return platform::Forms::instance<frmReportControl>().okPressed_;
}

frmReportControl::Picks frmReportControl::ReadPicks() const {
    Picks p;
    for (int i = 0; i < lstYear.ListCount(); ++i) {
        p.Years.push_back(lstYear.Selected(i));
    }
    for (int i = 0; i < lstCase.ListCount(); ++i) {
        p.Cases.push_back(lstCase.Selected(i));
    }
    for (int i = 0; i < lstvt.ListCount(); ++i) {
        if (lstvt.Selected(i)) {
            p.Speeds.push_back(lstvt.List(i));
        }
    }
    p.Open = chkOpenReport.Value() == 1;
    return p;
}
