// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 1 keeps the design traffic it was calculated for: after saving and reopening it shows the
// same traffic, k, Ds and zone table, and 计算 gives the same figures. Its volumes are sorted once, and a
// file asking for more volumes than a design grades is refused with a word.
#include "app/modPublic.h"
#include "lighting/bgh_file.h"
#include "lighting/frmBrightness.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Forms;
using test_support::Row;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::string bghPath() {
    return test_support::projectPath(".bgh");
}

/// What step 1 shows of its last calculation.
struct Shown {
    std::string traffic, k, discount, L20, Ds;
    std::vector<Row> zones;
    bool operator==(const Shown&) const = default;
};

Shown shown(frmBrightness& w) {
    return {w.txtNN.Text(),      w.txtk.Text(),    w.txtdDiscount.Text(),
            w.txtLL_20_S.Text(), w.txtDD_s.Text(), test_support::rowsOf(w.lstResult, 3)};
}

class DesignTraffic : public ::testing::Test {
protected:
    void SetUp() override { modPublic::ProjectFile = test_support::projectPath(".vnt"); }
    frmBrightness& reopen() {
        Forms::instance<frmBrightness>().cmdOK.userClick();
        return Forms::instance<frmBrightness>();
    }
};

TEST_F(DesignTraffic, AReopenedStepShowsAndCalculatesWhatWasSaved) {
    // The template tunnel (80 km/h, one-way, L20 = 5500) at 1472 veh/h under a clear sky: k 0.030 and
    // 162.48 cd/m² at the entrance; a reopen without the traffic gave k 0.025 and then 137.50.
    frmBrightness& w = Forms::instance<frmBrightness>();
    w.txtNN.userType("1472");
    w.cmdCalculate.userClick();
    const Shown before = shown(w);
    EXPECT_EQ(before.k, "0.030");
    EXPECT_EQ(before.zones[0][1], "162.48");

    frmBrightness& again = reopen();
    EXPECT_EQ(shown(again), before);
    again.cmdCalculate.userClick();
    EXPECT_EQ(shown(again), before);
    // The traffic is the last record, after the three reserve records.
    const auto lines = textfile::ReadLines(bghPath());
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->back(), "\"1472\"");
}

TEST_F(DesignTraffic, AVolumeOfTheListReopensSelectedAndCalculated) {
    frmBrightness& w = Forms::instance<frmBrightness>();
    w.lstNN.userItemClick(1); // 780 of the template
    const Shown before = shown(w);
    ASSERT_EQ(before.traffic, "780");
    frmBrightness& again = reopen();
    EXPECT_EQ(shown(again), before);
    ASSERT_NE(again.lstNN.SelectedItem(), nullptr);
    EXPECT_EQ(again.lstNN.SelectedItem()->Text(), "780");
}

TEST_F(DesignTraffic, VolumesAreSortedOnceAndACountBeyondTheLimitIsRefused) {
    // A thousand volumes in descending order read back ascending.
    std::string file = std::to_string(lighting::kMaxTrafficVolumes) + "\r\n";
    for (long long v = lighting::kMaxTrafficVolumes; v >= 1; --v) {
        file += "\"" + std::to_string(v) + "\"\r\n";
    }
    ASSERT_TRUE(textfile::WriteAtomically(bghPath(), file));
    frmBrightness& w = Forms::instance<frmBrightness>();
    ASSERT_EQ(w.lstNN.ListItems.Count(), lighting::kMaxTrafficVolumes);
    EXPECT_EQ(w.lstNN.ListItems(1).Text(), "1");
    EXPECT_EQ(w.lstNN.ListItems(1000).Text(), "1000");
    EXPECT_TRUE(platform::msgbox::log().empty());

    // 35,000 volumes: refused with the count and the limit, the list empty.
    Forms::destroyAll();
    file = "35000\r\n";
    for (int v = 35000; v >= 1; --v) {
        file += "\"" + std::to_string(v) + "\"\r\n";
    }
    ASSERT_TRUE(textfile::WriteAtomically(bghPath(), file));
    platform::msgbox::script(platform::vbOK);
    frmBrightness& refused = Forms::instance<frmBrightness>();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("35000"), std::string::npos);
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("1000"), std::string::npos);
    EXPECT_EQ(refused.lstNN.ListItems.Count(), 0);
}

} // namespace
