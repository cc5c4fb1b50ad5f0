// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

/// A tunnel as the engineer types it into a new project: page 1 the site and the line, page 2 the stations,
/// page 3 the design years, page 5 the two-way speed, page 6 the congestion blocks. Texts as typed; a field
/// left empty (or unset) is not typed, so the template's value that 新建 left stays.
struct NewTunnel {
    std::string elevation;                                   ///< page 1, m
    std::string designSpeed;                                 ///< page 1, km/h
    std::optional<bool> leftLine;                            ///< page 1
    std::string start;                                       ///< page 2, start station
    std::vector<std::pair<std::string, std::string>> slopes; ///< page 2, (end station, slope %)
    std::string area, perimeter;                             ///< page 2, one cross-section over the length
    std::vector<std::pair<std::string, std::string>> years;  ///< page 3, (design year, pcu/d)
    std::string twoWaySpeed;                                 ///< page 5, km/h
    std::vector<std::pair<std::string, std::string>> blocks; ///< page 6, (length m, speed km/h)
};

/// The two-way bore K5+000–K8+600 of 3.6 km: +0.5 % to K6+800, then −1.5 %; 70 m², 600 m above the sea,
/// 60 km/h; 18,000 and 24,000 pcu/d in its two design years; congestion 2600 m at 40 km/h and the last
/// kilometre at 10 km/h.
inline NewTunnel TwoWayBore() {
    NewTunnel t;
    t.elevation = "600";
    t.designSpeed = "60";
    t.leftLine = false;
    t.start = "5000";
    t.slopes = {{"6800", "0.5"}, {"8600", "-1.5"}};
    t.area = "70";
    t.perimeter = "32";
    t.years = {{"2030", "18000"}, {"2040", "24000"}};
    t.twoWaySpeed = "60";
    t.blocks = {{"2600", "40"}, {"1000", "10"}};
    return t;
}

/// The two-way tunnel K12+000–K15+500 of 3.5 km, 1,200 m above the sea, in a sag: −2.5 % for 1,900 m to
/// K13+900, then +1.8 %; the rest as the two-way bore.
inline NewTunnel SagTunnel() {
    NewTunnel t = TwoWayBore();
    t.elevation = "1200";
    t.start = "12000";
    t.slopes = {{"13900", "-2.5"}, {"15500", "1.8"}};
    return t;
}

/// The one-way bore K10+000–K14+200 of 4.2 km: +1.2 % to K12+100, then −0.8 %; 65 m², 900 m above the sea,
/// 80 km/h; the perimeter and the design years as the test needs them, the line and the speeds the
/// template's.
inline NewTunnel OneWayBore(std::string perimeter, std::vector<std::pair<std::string, std::string>> years) {
    return NewTunnel{.elevation = "900",
                     .designSpeed = "80",
                     .start = "10000",
                     .slopes = {{"12100", "1.2"}, {"14200", "-0.8"}},
                     .area = "65",
                     .perimeter = std::move(perimeter),
                     .years = std::move(years)};
}

/// Page 6's warning on a 4.2 km tunnel that keeps the template's congestion blocks: the first runs 35 m past
/// the end, the second lies wholly outside.
inline const std::string kTemplateBlocksPast4200m =
    "阻塞区段总长5235m与隧道长度4200m不符; 第1段(4235m, 40km/h)有35m超出隧道终点; "
    "第2段(1000m, 10km/h)在隧道以外, 按0计.";

/// Page 6 shown, its warning visible, in red and worded `caption`.
inline void expectPage6Warning(frmReq& w, const std::string& caption) {
    w.pgMain.userClick(6);
    EXPECT_TRUE(w.lblWarning6.Visible());
    EXPECT_EQ(w.lblWarning6.ForeColor(), platform::vbRed);
    EXPECT_EQ(w.lblWarning6.Caption(), caption);
}

/// 新建 on the template as the program opened it: there is nothing to lose, and a question would fail the
/// test.
inline void NewOnTheUntouchedTemplate(frmReq& w) {
    const std::size_t before = platform::msgbox::log().size();
    w.mnuFileNew_Click();
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), before) << "新建 asked \"" << log.back().prompt << "\"";
}

/// Removes every row of `list` by the engineer's clicks: the first row, then `remove`.
inline void removeAllRows(platform::ListView& list, platform::CommandButton& remove) {
    while (list.ListItems.Count() > 0) {
        list.userItemClick(1);
        remove.userClick();
    }
}

/// 新建 on the main window as the program opened it (the untouched template, so nothing is asked), the
/// tunnel typed page by page over the template's values: the template's slopes, cross-sections and design
/// years replaced by the tunnel's, the segment table rebuilt, the first design year made current, the
/// two-way speed and the congestion blocks replaced when the tunnel names them, every page visited so that
/// its results are computed; then 另存为 `project` (a .vnt path) unless it is empty.
inline void TypeNewTunnel(frmReq& w, const NewTunnel& t, const std::string& project = "") {
    NewOnTheUntouchedTemplate(w);
    w.Show();

    w.pgMain.userClick(1);
    if (!t.elevation.empty()) {
        w.txtElevation.userType(t.elevation);
    }
    if (!t.designSpeed.empty()) {
        w.cmbvt.userType(t.designSpeed);
    }
    if (t.leftLine) {
        (*t.leftLine ? w.optLeftLine : w.optRightLine).userClick();
    }

    w.pgMain.userClick(2);
    w.txtStartPile.userType(t.start);
    removeAllRows(w.lstSlope, w.cmdDeleteSlope);
    for (const auto& [pile, slope] : t.slopes) {
        w.txtSlopePile.userType(pile);
        w.txtSlopeRatio.userType(slope);
        w.cmdAddSlope.userClick();
    }
    removeAllRows(w.lstSection, w.cmdDeleteSection);
    w.txtSectionPile.userType(t.slopes.empty() ? t.start : t.slopes.back().first);
    w.txtSectionArea.userType(t.area);
    w.txtSectionPerimeter.userType(t.perimeter);
    w.cmdAddSection.userClick();
    w.cmdRefreshSegment.userClick();

    w.pgMain.userClick(3);
    removeAllRows(w.lstTraffic, w.cmdDelete);
    for (const auto& [year, pcu] : t.years) {
        w.txtYear.userType(year);
        w.txtPcu.userType(pcu);
        w.cmdAdd.userClick();
    }
    if (w.lstTraffic.ListItems.Count() > 0) {
        w.lstTraffic.userItemClick(1);
    }

    w.pgMain.userClick(4);
    w.pgMain.userClick(5);
    if (!t.twoWaySpeed.empty()) {
        w.cmbWorkVt_Bidirection.userType(t.twoWaySpeed);
    }
    w.pgMain.userClick(6);
    if (!t.blocks.empty()) {
        removeAllRows(w.lstBlock, w.cmdDeleteBlock);
        for (const auto& [length, speed] : t.blocks) {
            w.txtBlockLen.userType(length);
            w.txtBlockVt.userType(speed);
            w.cmdAddBlock.userClick();
        }
    }
    w.pgMain.userClick(7);
    w.pgMain.userClick(5);
    w.pgMain.userClick(1);

    if (!project.empty()) {
        platform::filedialog::script(project);
        w.mnuFileSaveAs_Click();
    }
}

} // namespace test_support
