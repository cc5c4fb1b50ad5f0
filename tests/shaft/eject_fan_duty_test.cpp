// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-exhaust fan lifts the shaft flow from the shaft bottom, where section I leaves it, to the
// outside air: its duty is the shaft and duct loss less the shaft-bottom pressure. A duty not above zero
// keeps its pressure in view and puts no power beside it.
#include "shaft/frmShaftEject.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "shaft/eject_file.h"
#include "shaft/shaft_eject.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

constexpr const char* kNoDuty = "提示：排风机设计风压不大于0，竖井底部压力已足以排风，不计算功率。";

TEST(ShaftEjectFanDuty, DutyIsTheDuctLossLessTheShaftBottomPressure) {
    struct Case {
        double p_tot3, deltap_d, qr3, eta;
        const char *p_tot, *AA_tot, *SS_tot;
        bool powered;
    };
    const Case cases[] = {
        // The template: the bottom under 174.95 Pa of suction adds to the 250 Pa of the shaft.
        {-174.952758, 250, 100, 0.8, "467.45", "46.74", "58.43", true},
        // A bottom above the outside air helps the fan.
        {100, 250, 100, 0.8, "165.00", "16.50", "20.63", true},
        // Exactly balanced, or more than enough: no duty, no power.
        {250, 250, 100, 0.8, "0.00", "0.00", "0.00", false},
        {325.047242, 250, 100, 0.8, "-82.55", "0.00", "0.00", false},
        {249.997, 250, 100, 0.8, "0.00", "0.00", "0.00", false}, // shown, as reopened, as none
    };
    for (const Case& c : cases) {
        const shaft::FanPower f = shaft::ExhaustFan(c.p_tot3, c.deltap_d, c.qr3, c.eta);
        EXPECT_EQ(vb::Format(f.p_tot, "0.00"), c.p_tot) << c.p_tot3;
        EXPECT_EQ(vb::Format(f.AA_tot, "0.00"), c.AA_tot) << c.p_tot3;
        EXPECT_EQ(vb::Format(f.SS_tot, "0.00"), c.SS_tot) << c.p_tot3;
        EXPECT_EQ(f.Powered, c.powered) << c.p_tot3;
    }
}

class ShaftEjectFanDutyWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::ProjectFile = test_stage::appFolder() + "/proj.vnt";
        req.SaveFile();
    }

    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(ShaftEjectFanDutyWindow, TemplateAndAPushedBottomShowTheDutyAndOnlyAPositiveOneGetsPowers) {
    struct Case {
        int casePosition;
        const char* deltap_g1;
        const char *p_tot3, *p_tot, *AA_tot, *SS_tot;
        bool noDuty;
    };
    const Case cases[] = {
        // The template as it stands, one-way (split type).
        {0, "0", "-174.95", "467.45", "46.74", "58.43", false},
        // 500 Pa of meteorological push from the portal: the bottom stands above the outside air by more
        // than the shaft loses.
        {0, "500", "325.05", "-82.55", "", "", true},
        // Two-way (merge type).
        {1, "500", "460.16", "-231.17", "", "", true},
        {1, "0", "-39.84", "318.83", "58.03", "72.53", false},
    };
    // Each case opens on the file the one before left: a fan without duty is said so again.
    // The first two-way case opens on one-way results, which it does not show.
    int fileCase = 0;
    int openedCase = -1;
    for (bool openedNoDuty = false; const Case& c : cases) {
        SCOPED_TRACE(std::string("case ") + std::to_string(c.casePosition) + ", Δpg1 " + c.deltap_g1);
        std::string stored;
        EXPECT_TRUE(test_support::openScheme<frmShaftEject>(
            req, 2,
            [&](frmShaftEject& w, frmVentParam&) {
                const bool noDutyBefore = std::exchange(openedNoDuty, c.noDuty);
                EXPECT_EQ(w.lblTip.Caption(),
                          std::exchange(fileCase, c.casePosition) != c.casePosition
                              ? "交通工况已由单向正常交通变为双向交通，原计算结果已清空，请重新计算。"
                              : (noDutyBefore ? kNoDuty : ""));
                // A new window's fields are 0: the file's pressures, powers and words stand with its flows.
                const std::string opened = w.txtp_tot.Text() + w.txtSS_tot.Text() + w.lblTip.Caption();
                w.cmdCalculateSectionQQ_req.userClick();
                if (std::exchange(openedCase, c.casePosition) == c.casePosition) {
                    EXPECT_EQ(w.txtp_tot.Text() + w.txtSS_tot.Text() + w.lblTip.Caption(), opened);
                }
                w.txtdeltap_g1.userType(c.deltap_g1);
                w.cmdCalculateSectionQQ_req.userClick();
                w.cmdCalculatePtot3.userClick();
                EXPECT_EQ(w.txtp_tot3.Text(), c.p_tot3);
                EXPECT_EQ(w.txtp_tot.Text(), c.p_tot);
                EXPECT_EQ(w.txtAA_tot.Text(), c.AA_tot);
                EXPECT_EQ(w.txtSS_tot.Text(), c.SS_tot);
                EXPECT_EQ(w.lblTip.Caption().find(kNoDuty) != std::string::npos, c.noDuty)
                    << w.lblTip.Caption();
                {
                    // The hint is read whole beside the picture.
                    const test_support::ProgramFont font;
                    for (const std::string& cut : test_support::cutTexts(*w.window())) {
                        EXPECT_EQ(cut.find("提示"), std::string::npos) << cut;
                    }
                }
                // Another calculation of the window leaves the power boxes as the duty says.
                w.cmdCalculateSectionQQ_req.userClick();
                EXPECT_EQ(w.txtSS_tot.Text(), c.SS_tot);
            },
            [&](frmVentParam& step2) { step2.lstCase.setSelected(c.casePosition, true); }));
        EXPECT_TRUE(platform::msgbox::log().empty());
    }
}

TEST(ShaftEjectFanDuty, OnANewOneWayBoreTheTrafficCanLiftTheShaftAlone) {
    // The bore typed from 新建, one-way: far down the bore the traffic leaves the shaft bottom above the
    // outside air, and with a short shaft that loses little the fan has no duty.
    frmReq& req = Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, test_support::TwoWayBore(), test_stage::appFolder() + "/bore.vnt");
    struct Case {
        const char *pile, *deltap_d, *p_tot3, *p_tot, *SS_tot;
        bool noDuty;
    };
    const Case cases[] = {
        {"6800", "250", "71.87", "195.95", "24.49", false},
        {"7700", "100", "115.17", "-16.69", "", true},
    };
    EXPECT_TRUE(test_support::openScheme<frmShaftEject>(
        req, 2,
        [&](frmShaftEject& w, frmVentParam&) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string("shaft ") + c.pile + ", Δpd " + c.deltap_d);
                w.txtShaftPile.userType(c.pile);
                w.txtdeltap_d.userType(c.deltap_d);
                w.cmdCalculateSectionQQ_req.userClick();
                EXPECT_EQ(w.txtp_tot.Text() + w.txtSS_tot.Text(), ""); // none of another shaft's flows
                w.cmdCalculatePtot3.userClick();
                EXPECT_EQ(w.txtp_tot3.Text(), c.p_tot3);
                EXPECT_EQ(w.txtp_tot.Text(), c.p_tot);
                EXPECT_EQ(w.txtSS_tot.Text(), c.SS_tot);
                EXPECT_EQ(w.txtAA_tot.Text().empty(), c.noDuty);
                EXPECT_EQ(w.lblTip.Caption().find(kNoDuty) != std::string::npos, c.noDuty)
                    << w.lblTip.Caption();
            }
        },
        [](frmVentParam& step2) { step2.lstCase.setSelected(0, true); }));
}

} // namespace
