// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"
#include "reqair/frmReportControl.h"

#include <vector>

namespace test_support {

/// Clicks every selected row of `list` off.
inline void clearSelection(platform::ListBox& list) {
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.Selected(i)) {
            list.userClick(i);
        }
    }
}

/// The report options picked as the user picks them, then "确定": the year rows, the case rows and the
/// speed rows listed (from 0), the report opened afterwards or not. The speeds can be clicked only while
/// 单向交通 (case 0) is selected.
inline void pickReportOptions(frmReportControl& d, const std::vector<int>& years,
                              const std::vector<int>& cases, const std::vector<int>& speeds, bool open) {
    clearSelection(d.lstvt);
    clearSelection(d.lstYear);
    clearSelection(d.lstCase);
    d.lstCase.userClick(0);
    for (int i : speeds) {
        d.lstvt.userClick(i);
    }
    d.lstCase.userClick(0);
    for (int i : years) {
        d.lstYear.userClick(i);
    }
    for (int i : cases) {
        d.lstCase.userClick(i);
    }
    if ((d.chkOpenReport.Value() == 1) != open) {
        d.chkOpenReport.userClick();
    }
    d.cmdOK.userClick();
}

} // namespace test_support
