// SPDX-License-Identifier: GPL-3.0-or-later
// A typo in a number box of a real window is marked where the engineer typed it, and the window computes
// exactly what it computed before: the mark tells, it never changes a value.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

class MainWindowNumberMark : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::AppFolder = test_stage::appFolder();
        req.Show();
    }
    /// What the window derives from the altitude, as it shows it.
    std::string derived() const {
        return req.txtP.Text() + " | " + req.txtf_h.Text() + " | " + req.txtf_h_VI.Text();
    }
    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(MainWindowNumberMark, AnAltitudeThatIsNotANumberIsMarkedAndComputesAsBefore) {
    struct Case {
        const char* typed;
        const char* readAs; // the number text the window has always computed it as
        const char* mark;
    };
    const Case cases[] = {
        {"9OO", "9", "不是数，按 9 计算"}, {"900", "900", ""},   {"", "0", "未填，按 0 计算"},
        {"7x5", "7", "不是数，按 7 计算"}, {"1200", "1200", ""},
    };
    for (const Case& c : cases) {
        req.txtElevation.userType(c.readAs);
        const std::string expected = derived();
        req.txtElevation.userType(c.typed);
        EXPECT_EQ(derived(), expected) << c.typed;
        EXPECT_EQ(modPublic::Elevation, vb::Val(c.readAs)) << c.typed;
        EXPECT_EQ(req.txtElevation.NumberMark(), c.mark) << c.typed;
        EXPECT_EQ(req.txtElevation.Text(), c.typed);
    }
    // The pressure of 9 m is not that of 900 m: the mark stands where the design changed.
    req.txtElevation.userType("900");
    const std::string at900 = derived();
    req.txtElevation.userType("9OO");
    EXPECT_NE(derived(), at900);
}

TEST_F(MainWindowNumberMark, NamesAndDescriptionsAreNeverMarked) {
    for (platform::TextBox* box :
         {&req.txtProjectName, &req.txtProjectDiscribe, &req.txtName1, &req.txtName2, &req.txtName3}) {
        for (const char* text : {"", "隧道K10+000", "9OO"}) {
            box->userType(text);
            EXPECT_EQ(box->NumberMark(), "") << text;
        }
    }
}

} // namespace
