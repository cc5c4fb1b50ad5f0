// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"

#include <string>
#include <utility>
#include <vector>

namespace test_support {

/// A tunnel as the engineer types it into a new project: every text as typed into its box.
struct NewTunnel {
    std::string StartPile;                                   ///< page 2, start station [m]
    std::vector<std::pair<std::string, std::string>> Slopes; ///< end station, slope [%]
    std::string Area, Perimeter;                             ///< one cross-section over the whole tunnel
    std::string Elevation;                                   ///< page 1 [m]
    std::string DesignSpeed;                                 ///< page 1, one of the design-speed entries
    std::vector<std::pair<std::string, std::string>> Years;  ///< design year, pcu/d
};

namespace detail {

inline void emptyList(platform::ListView& list, platform::CommandButton& remove) {
    while (list.ListItems.Count() > 0) {
        list.userItemClick(1);
        remove.userClick();
    }
}

} // namespace detail

/// 文件 → 新建 (answering No to the question whether to save), then `t` typed in page by page as the
/// engineer does: the template's slopes, cross-sections and design years replaced by the tunnel's, the
/// segment table rebuilt and the first design year made current. Whatever the template holds beyond
/// that (vehicle mix, congestion blocks, two-way settings) stays as 新建 left it.
inline void typeNewTunnel(frmReq& req, const NewTunnel& t) {
    platform::msgbox::script(platform::vbNo);
    req.mnuFileNew_Click();

    req.pgMain.userClick(1);
    if (!t.Elevation.empty()) {
        req.txtElevation.userType(t.Elevation);
    }
    if (!t.DesignSpeed.empty()) {
        req.cmbvt.userType(t.DesignSpeed);
    }

    req.pgMain.userClick(2);
    req.txtStartPile.userType(t.StartPile);
    detail::emptyList(req.lstSlope, req.cmdDeleteSlope);
    for (const auto& [pile, slope] : t.Slopes) {
        req.txtSlopePile.userType(pile);
        req.txtSlopeRatio.userType(slope);
        req.cmdAddSlope.userClick();
    }
    detail::emptyList(req.lstSection, req.cmdDeleteSection);
    req.txtSectionPile.userType(t.Slopes.empty() ? t.StartPile : t.Slopes.back().first);
    req.txtSectionArea.userType(t.Area);
    req.txtSectionPerimeter.userType(t.Perimeter);
    req.cmdAddSection.userClick();
    req.cmdRefreshSegment.userClick();

    req.pgMain.userClick(3);
    detail::emptyList(req.lstTraffic, req.cmdDelete);
    for (const auto& [year, pcu] : t.Years) {
        req.txtYear.userType(year);
        req.txtPcu.userType(pcu);
        req.cmdAdd.userClick();
    }
    if (req.lstTraffic.ListItems.Count() > 0) {
        req.lstTraffic.userItemClick(1);
    }
}

} // namespace test_support
