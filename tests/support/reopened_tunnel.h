// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "test_stage.h"
#include "new_tunnel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

/// Exit, a fresh start on the template, and Open of `project`; the project is as saved and the template
/// untouched, so neither asks about saving.
inline void reopenProgram(const std::string& project) {
    platform::Forms::instance<frmReq>().mnuFileExit_Click();
    ASSERT_FALSE(platform::Forms::isLoaded<frmReq>());
    platform::Forms::collectGarbage();
    platform::filedialog::script(project);
    platform::Forms::instance<frmReq>().mnuFileOpen_Click();
    ASSERT_EQ(modPublic::ProjectFile, project);
}

/// A tunnel that is not the template, made from 新建 as a new user makes it: K10+000–K14+200 one-way on
/// the right line, +1.2 % to K12+100 then −0.8 %, one section of 65 m² and 31 m (D 8.387 m), 900 m above
/// the sea, 80 km/h, 16,500 pcu/d in 2030 and 28,000 in 2045, named 新隧道, every page visited on the
/// first year; saved as 工程/新隧道.vnt, the program closed and started again, and the project opened.
class ReopenedNewTunnel : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path dir = std::filesystem::path(test_stage::appFolder()) / "工程";
        std::filesystem::create_directories(dir);
        base = (dir / "新隧道").string();
        project = base + ".vnt";

        frmReq& w = req();
        NewTunnel t = OneWayBore("31", {{"2030", "16500"}, {"2045", "28000"}});
        t.leftLine = false;
        TypeNewTunnel(w, t);
        w.txtProjectName.userType("新隧道");
        demands = {w.txtQQ_req_CO.Text(), w.txtQQ_req_VI.Text(), w.txtQQ_req_CO_block.Text()};
        platform::filedialog::script(project);
        w.mnuFileSaveAs_Click();
        ASSERT_EQ(modPublic::ProjectFile, project);

        reopenProgram();
        platform::msgbox::reset();
    }

    void reopenProgram() { test_support::reopenProgram(project); }
    static frmReq& req() { return platform::Forms::instance<frmReq>(); }

    std::string base, project;
    /// Pages 4 and 6 as saved: one-way CO and smoke demand, congestion CO demand.
    std::vector<std::string> demands;
};

} // namespace test_support
