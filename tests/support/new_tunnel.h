// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "test_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace test_support {

/// A tunnel that is not the template, made from 新建 as a new user makes it: K10+000–K14+200 one-way on
/// the right line, +1.2 % to K12+100 then −0.8 %, one section of 65 m² and 31 m (D 8.387 m), 900 m above
/// the sea, 80 km/h, 16,500 pcu/d in 2030 and 28,000 in 2045, every page visited on the first year; saved
/// as 工程/新隧道.vnt, the program closed and started again, and the project opened.
class NewTunnel : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path dir = std::filesystem::path(test_stage::appFolder()) / "工程";
        std::filesystem::create_directories(dir);
        base = (dir / "新隧道").string();
        project = base + ".vnt";

        frmReq& w = req();
        platform::msgbox::script(platform::vbNo); // nothing of the template to keep
        w.mnuFileNew_Click();
        w.pgMain.userClick(1);
        w.txtProjectName.userType("新隧道");
        w.txtElevation.userType("900");
        w.pgMain.userClick(2);
        w.txtStartPile.userType("10000");
        w.lstSlope.ListItems.Clear();
        w.lstSection.ListItems.Clear();
        for (auto [pile, slope] : {std::pair{"12100", "1.2"}, std::pair{"14200", "-0.8"}}) {
            w.txtSlopePile.userType(pile);
            w.txtSlopeRatio.userType(slope);
            w.cmdAddSlope.userClick();
        }
        w.txtSectionPile.userType("14200");
        w.txtSectionArea.userType("65");
        w.txtSectionPerimeter.userType("31");
        w.cmdAddSection.userClick();
        w.cmdRefreshSegment.userClick();
        w.pgMain.userClick(3);
        for (auto [row, year, pcu] : {std::tuple{1, "2030", "16500"}, std::tuple{2, "2045", "28000"}}) {
            w.lstTraffic.userItemClick(row);
            w.txtYear.userType(year);
            w.txtPcu.userType(pcu);
            w.cmdUpdate.userClick();
        }
        w.lstTraffic.userItemClick(1);
        for (int page : {4, 5, 6, 7}) {
            w.pgMain.userClick(page);
        }
        platform::filedialog::script(project);
        w.mnuFileSaveAs_Click();
        ASSERT_EQ(modPublic::ProjectFile, project);

        reopenProgram();
        platform::msgbox::reset();
    }

    /// Exit without saving again, a fresh start on the template, and Open of the project.
    void reopenProgram() {
        platform::msgbox::script(platform::vbNo);
        req().mnuFileExit_Click();
        ASSERT_FALSE(platform::Forms::isLoaded<frmReq>());
        platform::Forms::collectGarbage();
        platform::msgbox::script(platform::vbNo);
        platform::filedialog::script(project);
        req().mnuFileOpen_Click();
        ASSERT_EQ(modPublic::ProjectFile, project);
    }

    static frmReq& req() { return platform::Forms::instance<frmReq>(); }

    std::string base, project;
};

} // namespace test_support
