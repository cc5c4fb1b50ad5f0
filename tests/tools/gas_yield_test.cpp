// SPDX-License-Identifier: GPL-3.0-or-later
// The explosive's gas yield b is in L/kg: the shipped heading (80 m², 150 kg a round, 30 min, 40 L/kg)
// gives the blast-fume demands of a real heading, and a yield typed in m³/kg is said in red.
#include "tools/frmConstructionVent.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/test_stage.h"
#include "tests/support/shown_whole.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using platform::Forms;

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

// The template's heading: A 80 m², G 150 kg, t 30 min, b 40 L/kg, Φ 0.8, k 0.5, P100 0.02 over a 1500 m
// duct in a 1500 m stretch, electric detonators, a fume throw length lo of 20 m.
constexpr double A = 80, G = 150, t = 30, b = 40, Phi = 0.8, k = 0.5;

double shown(double value) {
    return vb::Val(vb::Format(value, "0.000"));
}

} // namespace

TEST(GasYield, TheTemplateHeadingGivesTheDemandsOfARealHeading) {
    // p = 1 / (1 − 0.02 × 1500 × 0.01) = 1.429 as shown; the critical length and Q1 read it back.
    const double p = shown(1 / (1 - 0.02 * 1500 * 0.01));
    const double L0 = shown(12.5 * G * b * k / A / (p * p));
    const double Lo = 0.2 * G + 15;
    struct Case {
        const char* formula;
        std::function<void(frmConstructionVent&)> choose;
        std::function<std::string(frmConstructionVent&)> result;
        double hand;
        double low, high; // what a construction-ventilation handbook gives for such a heading
    };
    const auto forced = [](int method) {
        return [method](frmConstructionVent& w) {
            w.optType(0).userClick();
            w.lstMethod1.userClick(method);
        };
    };
    const auto Q1 = [](frmConstructionVent& w) { return w.txtQ(0).Text(); };
    const Case cases[] = {
        // 12.5 × 150 × 40 × 0.5 / 80 / 1.429² = 229.550 m, well inside the 1500 m stretch.
        {"critical length 12.5·G·b·k/(A·p²)", forced(0),
         [](frmConstructionVent& w) { return w.txtL(0).Text(); }, L0, 100, 1500},
        // 2.25 × (150 × (80 × 229.55)² × 0.8 × 40 / 1.429²)^0.3333 / 30 = 693.482 m³/min.
        {"Q1 = 2.25·(G·(A·L0)²·Φ·b/p²)^(1/3)/t", forced(0), Q1,
         2.25 * std::pow(G * (A * L0) * (A * L0) * Phi * b / (p * p), 0.3333) / t, 100, 2000},
        // 5 × 150 × 40 / 30 = 1000 m³/min: 6000 L of CO-equivalent gas diluted in 30 min.
        {"5·G·b/t", forced(3), Q1, 5 * G * b / t, 100, 2000},
        // (5 × 150 × 40 − 80 × 20) / 30 = 946.667 m³/min.
        {"(5·G·b − A·lo)/t", forced(4), Q1, (5 * G * b - A * 20) / t, 100, 2000},
        // Exhaust, electric detonators: Lo = 0.2 × 150 + 15 = 45 m; 2.13 / 30 × √(150 × 80 × 40 × 45) =
        // 329.978.
        {"2.13/t·√(G·A·b·Lo)",
         [](frmConstructionVent& w) {
             w.optType(1).userClick();
             w.lstMethod2.userClick(0);
         },
         Q1, 2.13 / t * std::sqrt(G * A * b * Lo), 100, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        frmConstructionVent& w = Forms::instance<frmConstructionVent>();
        c.choose(w);
        w.cmdCal.userClick();
        const std::string text = c.result(w);
        EXPECT_EQ(text, vb::Format(c.hand, "0.000"));
        EXPECT_GE(vb::Val(text), c.low);
        EXPECT_LE(vb::Val(text), c.high);
        Forms::unload(w);
    }
}

TEST(GasYield, ABelowOneIsSaidInRedAndAStoredValueIsKept) {
    const test_support::ProgramFont programFont;
    frmReq& req = Forms::instance<frmReq>();
    // A project file written with the old m³/kg value reads as it stands.
    modPublic::ProjectFile = test_stage::appFolder() + "/old.vnt";
    std::string bytes = textfile::ReadBytes(test_stage::appFolder() + "/ConfigFiles/normal.cvt").value();
    const std::string yield = "\"0.8\",\"40\"";
    bytes.replace(bytes.find(yield), yield.size(), "\"0.8\",\"0.04\"");
    ASSERT_TRUE(textfile::WriteAtomically(test_stage::appFolder() + "/old.cvt", bytes));
    frmConstructionVent& w = Forms::instance<frmConstructionVent>();
    EXPECT_EQ(w.txtb(0).Text(), "0.04");
    struct Case {
        int box;
        const char* typed;
        bool red;
    };
    const Case cases[] = {{0, "0.04", true}, {0, "40", false}, {0, "0.999", true}, {0, "1", false},
                          {1, "0.04", true}, {1, "40", false}, {2, "0.5", true},   {2, "36", false}};
    EXPECT_TRUE(w.lblBUnit(0).Visible());
    EXPECT_FALSE(w.lblBUnit(1).Visible());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in box " + std::to_string(c.box));
        w.optType(c.box).userClick();
        w.txtb(c.box).userType(c.typed);
        EXPECT_EQ(w.lblBUnit(c.box).Visible(), c.red);
        EXPECT_EQ(w.lblBUnit(c.box).Caption(), "b以L/kg计,常取40");
        EXPECT_EQ(w.lblBUnit(c.box).ForeColor(), platform::vbRed);
    }
    // The report names the unit beside the yield it prints.
    w.optType(0).userClick();
    w.lstMethod1.userClick(3);
    w.txtb(0).userType("0.04");
    w.cmdReport.userClick();
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    const std::vector<std::string> lines = textfile::ReadLines(platform::textviewer::log()[0]).value();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "炸药爆炸时的有害气体产量b(L/kg):\t0.04"), lines.end());
    Forms::unload(w);

    // Shown as the menu shows it, the note stands whole beside its box.
    test_stage::onModal<frmConstructionVent>([](frmConstructionVent& shown) {
        EXPECT_TRUE(shown.lblBUnit(0).Visible());
        test_support::expectShownWhole(shown, "frmConstructionVent_gas_yield");
        Forms::unload(shown);
    });
    req.mnuToolsmnuConstructionVent.userClick();
}
