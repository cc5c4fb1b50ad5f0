// SPDX-License-Identifier: GPL-3.0-or-later
// The fire window on the template project: the control table without natural wind, and a .fir whose
// station list is longer than the window takes.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

class FireTableWithoutWind : public ::testing::Test {
protected:
    void SetUp() override { req.txtProjectName.set("A"); }

    /// The lines of the table after the head of the fire points' section.
    std::vector<std::string> firePointLines(const std::string& head) const {
        const std::vector<std::string> all =
            textfile::ReadLines(test_support::projectPath("_火灾设备控制表.rpt"))
                .value_or(std::vector<std::string>{});
        const auto at = std::find(all.begin(), all.end(), head);
        return at == all.end() ? std::vector<std::string>{} : std::vector<std::string>(at + 1, all.end());
    }

    frmReq& req = test_support::savedTemplate();
};

// Every fire point gets the line the scheme gives it without natural wind, which is the line the table
// with natural wind gives it at 0 m/s.
TEST_F(FireTableWithoutWind, EveryFirePointHasItsLineAtNoWind) {
    frmFire& w = Forms::instance<frmFire>();
    while (w.lstFireLoc.ListItems.Count() > 0) {
        w.cmdFireLocDelete.userClick();
    }
    w.cmdCollect.userClick();
    const std::vector<const char*> points = {"11000", "14000.5", "10500"};
    for (const char* p : points) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    ASSERT_EQ(w.chkNaturalWind.Value(), 0);
    w.cmdControlScheme.userClick();
    const std::vector<std::string> without = firePointLines("不考虑洞内自然风(洞口两端气压差)");
    const std::vector<std::string> head =
        textfile::ReadLines(test_support::projectPath("_火灾设备控制表.rpt"))
            .value_or(std::vector<std::string>{""});
    EXPECT_EQ(head.front(), std::string(16, ' ') + "A火灾设备控制表(不考虑洞内自然风)");

    w.chkNaturalWind.userClick();
    w.txtvn.userType("0");
    w.cmdControlScheme.userClick();
    const std::vector<std::string> with = firePointLines("考虑洞内自然风(洞口两端气压差)");
    ASSERT_EQ(with.size(), 3 * points.size());
    ASSERT_EQ(without.size(), with.size());
    const std::string up = "洞内自然风方向:从小桩号到大桩号; 风速(m/s):0.0    ";
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(points[i]);
        EXPECT_EQ(without[3 * i], "");
        EXPECT_EQ(without[3 * i + 1], "火灾点：" + std::to_string(i + 1));
        ASSERT_EQ(with[3 * i + 2].rfind(up, 0), 0u) << with[3 * i + 2];
        EXPECT_EQ(without[3 * i + 2], "洞内自然风风速(m/s):0.0    " + with[3 * i + 2].substr(up.size()));
        EXPECT_NE(without[3 * i + 2].find(std::string("火灾点桩号:") + points[i]), std::string::npos);
    }
    // The table with natural wind keeps its title.
    EXPECT_EQ(textfile::ReadLines(test_support::projectPath("_火灾设备控制表.rpt"))
                  .value_or(std::vector<std::string>{""})
                  .front(),
              std::string(16, ' ') + "A火灾设备控制表");
}

// A list count above the limit is said with the count and the limit; the window shows what came before
// it, and closing leaves the file as it was.
TEST_F(FireTableWithoutWind, AListAboveTheLimitIsRefusedAndItsFileKept) {
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t firePoints;
    };
    const std::string more = std::to_string(fire::kMaxFirRows + 1);
    const std::vector<Case> cases = {
        {"火灾点", "\"[火灾位置]\"\r\n" + more + "\r\n\"11000\"\r\n", 0},
        {"排烟口", "\"[火灾位置]\"\r\n1\r\n\"11000\"\r\n\"[排烟口桩号]\"\r\n" + more + "\r\n\"12000\"\r\n",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = textcodec::ToGbk(c.bytes);
        ASSERT_TRUE(textfile::WriteAtomically(test_support::projectPath(".fir"), bytes));
        platform::msgbox::script(platform::vbOK);
        frmFire& w = Forms::instance<frmFire>();
        test_support::expectOneMessage({.prompt = std::string(c.what) + "的数量 " + more + " 超过上限 " +
                                                  std::to_string(fire::kMaxFirRows) +
                                                  "，请检查输入或文件。"});
        EXPECT_EQ(w.lstFireLoc.ListItems.Count(), static_cast<int>(c.firePoints));
        EXPECT_EQ(w.lstExsmokePile.ListItems.Count(), 0);
        w.cmdClose.userClick();
        Forms::collectGarbage();
        EXPECT_EQ(textfile::ReadBytes(test_support::projectPath(".fir")).value_or(""), bytes);
        platform::msgbox::reset();
    }
}

} // namespace
