// SPDX-License-Identifier: GPL-3.0-or-later
// The fire pressure of a new two-way tunnel with a sag, as the engineer gets it from the fire window: the
// hot smoke runs over the grades it crosses, not all over the grade at the fire.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "fire/frmFire.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

/// The fire pressure and the fan count the window shows for a fire point it lists.
struct Shown {
    double firePressure = 0;
    std::string fans;
};

Shown clickFirePoint(frmFire& w, int row) {
    w.lstFireLoc.userItemClick(row);
    const std::string result = w.txtResult.Text();
    const std::string label = "火风压:";
    const std::size_t at = result.find(label);
    const std::size_t line1 = result.find("\r\n");
    EXPECT_NE(at, std::string::npos) << result;
    return {vb::Val(result.substr(at + label.size())), result.substr(line1 - 2, 2)};
}

// K12+000–K15+500 at 1,200 m, two-way, −2.5 % to the sag at K13+900, then +1.8 %; the ventilation drives
// the smoke towards K12+000, so the hot stretch runs from the fire to the start portal.
TEST(FireOverGrades, FiresEitherSideOfASagGetTheSamePressureAndFans) {
    frmReq& req = Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, test_support::SagTunnel(), test_support::projectPath(".vnt"));
    frmFire& w = Forms::instance<frmFire>();
    test_support::removeAllRows(w.lstFireLoc, w.cmdFireLocDelete);
    w.cmdCollect.userClick();
    w.optTrafficMode2.userClick();
    w.optBDVentDirection2.userClick();
    const char* const points[] = {"13899", "13901", "15450"};
    for (const char* p : points) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    std::map<std::string, Shown> shown;
    for (int i = 1; i <= 3; ++i) {
        shown[points[i - 1]] = clickFirePoint(w, i);
    }
    // From K13+901 the smoke runs 1 m down the +1.8 %, then over the −2.5 % as from K13+899: the two fires
    // differ by the buoyancy of a few metres, and the control table runs as many fans for both.
    const double below = shown["13899"].firePressure, above = shown["13901"].firePressure;
    EXPECT_LT(below, 0);
    EXPECT_NEAR(above, below, 0.01 * std::abs(below)) << below << " / " << above;
    EXPECT_EQ(shown["13901"].fans, shown["13899"].fans);
    w.cmdControlScheme.userClick();
    const std::vector<std::string> table =
        test_support::linesOf(test_support::projectPath("_火灾设备控制表.rpt"));
    for (const char* p : {"13899", "13901"}) {
        const std::string* line = test_support::lineWith(table, std::string("火灾点桩号:") + p + ".");
        ASSERT_NE(line, nullptr) << p;
        EXPECT_TRUE(line->ends_with(shown[p].fans)) << *line;
    }

    // K15+450: 1,550 m of +1.8 % against the smoke going down, then 1,900 m of −2.5 % it climbs.
    // By hand (T 293 K, ρ 1.01, Q 259.28 m³/s, 50 MW, 70 %, U 32 m): Tf = 425.8555 K, k = 0.00242936 /m;
    // Tx(1550) = 296.0764 K, Tx(3450) = 293.0304 K; σ 0.0179942 and −0.0249844;
    // 9.8·1.01·0.0179942·ln(425.8555/296.0764)/k = +26.648 (down the grade, against the fans) and
    // 9.8·1.01·0.0249844·ln(296.0764/293.0304)/k = −1.053: 25.60 Pa, where the grade at the fire alone
    // gave 27.41.
    EXPECT_NEAR(shown["15450"].firePressure, 25.60, 0.005);
}

} // namespace
