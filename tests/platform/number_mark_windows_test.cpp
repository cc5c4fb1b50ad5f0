// SPDX-License-Identifier: GPL-3.0-or-later
// A typo in a number box of a real window is marked where the engineer typed it, and the window computes
// exactly what it computed before: the mark tells, it never changes a value.
#include "app/dlgSectionQreq.h"
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "fire/frmFire.h"
#include "jetfan/dlgJetPressure.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "jetfan/frmSetJetPile.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmLighting.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/frmSetMSJetPile.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "tests/support/scheme_step.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral1.h"
#include "transverse/frmLateral3.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/frmZeta.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

/// The caption left of a box on its line, to name the box in a failure.
std::string captionBeside(const platform::Control& box) {
    const QRect at = box.widget()->geometry();
    std::string caption = "the box at " + std::to_string(box.Left()) + ", " + std::to_string(box.Top());
    int nearest = at.left() + 1;
    for (const QLabel* label : box.widget()->parentWidget()->findChildren<QLabel*>()) {
        const QRect l = label->geometry();
        if (l.left() < at.left() && at.left() - l.left() < nearest &&
            std::abs(l.center().y() - at.center().y()) < at.height()) {
            nearest = at.left() - l.left();
            caption = label->text().toStdString();
        }
    }
    return caption;
}

class WindowNumberMarks : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(Forms::instance<frmReq>()); }
};

// A box is marked where the engineer types a text that is not a number, whatever the window's colours;
// a step that refuses the text names no value it would compute with.
TEST_F(WindowNumberMarks, ATypoIsMarkedInEveryBoxAWindowReadsAsANumber) {
    struct Case {
        const char* where;
        std::function<platform::TextBox&()> box;
        const char* typed;
        const char* mark;
    };
    const Case cases[] = {
        {"fire size", [] -> platform::TextBox& { return Forms::instance<frmFire>().txtMW; }, "5O",
         "不是数，按 5 计算"},
        {"fire station", [] -> platform::TextBox& { return Forms::instance<frmFire>().txtFirePile; }, "1O500",
         "不是数，按 1 计算"},
        {"group spacing", [] -> platform::TextBox& { return Forms::instance<frmSetJetPile>().txtSpan1; },
         "15O", "不是数，按 15 计算"},
        {"several-shafts spacing",
         [] -> platform::TextBox& { return Forms::instance<frmSetMSJetPile>().txtSpan; }, "15O",
         "不是数，按 15 计算"},
        {"jet-fan model flow", [] -> platform::TextBox& { return Forms::instance<frmJetDb>().txtFlow; },
         "9OO", "不是数"},
        {"mixed Φ",
         [] -> platform::TextBox& {
             frmConstructionVent& w = Forms::instance<frmConstructionVent>();
             w.optType(2).set(true);
             return w.txtPHI(1);
         },
         "4O", "不是数"},
    };
    for (const Case& c : cases) {
        platform::TextBox& box = c.box();
        box.userType(c.typed);
        EXPECT_EQ(box.NumberMark(), c.mark) << c.where;
    }
}

// Every box a window's calculation reads and the engineer can type into is found by the reading itself,
// so that a box a window adds later is checked too: a typo there is marked, unless the window declares
// the box a name.
TEST_F(WindowNumberMarks, EveryBoxAStepReadsAndTheEngineerCanTypeIsMarked) {
    using Buttons = std::vector<platform::CommandButton*>;
    struct Window {
        const char* where;
        std::function<Buttons()> steps; // shows the window, and names the buttons that compute
    };
    const auto of = []<class W>(std::type_identity<W>, auto buttons) {
        return [buttons] {
            W& w = Forms::instance<W>();
            w.Show();
            return buttons(w);
        };
    };
    // The buttons that only open another window (the duct-loss dialog, the leak table) are left out.
    const Window windows[] = {
        {"lighting step 1",
         of(std::type_identity<frmBrightness>{}, [](auto& w) { return Buttons{&w.cmdCalculate}; })},
        {"lighting step 3",
         of(std::type_identity<frmLighting>{}, [](auto& w) { return Buttons{&w.cmdAdd}; })},
        {"fire", of(std::type_identity<frmFire>{}, [](auto& w) { return Buttons{&w.cmdControlScheme}; })},
        {"jet fans", of(std::type_identity<frmJet>{}, [](auto& w) { return Buttons{&w.cmdCalculateJet}; })},
        {"shaft and jet",
         of(std::type_identity<frmShaftAndJet>{},
            [](auto& w) {
                return Buttons{&w.cmdCalculateSectionQQ_req, &w.cmdCalculatePtot3, &w.cmdAdd};
            })},
        {"several shafts", of(std::type_identity<frmMultiShaftAndJet>{},
                              [](auto& w) {
                                  return Buttons{&w.cmdAddShaft, &w.cmdAdd};
                              })},
        {"shaft exhaust",
         of(std::type_identity<frmShaftEject>{},
            [](auto& w) {
                return Buttons{&w.cmdCalculateSectionQQ_req, &w.cmdBalanceLength, &w.cmdCalculatePtot3};
            })},
        {"concentrated supply",
         of(std::type_identity<frmConcentrate>{}, [](auto& w) { return Buttons{&w.cmdCalculateJet}; })},
        {"full transverse",
         of(std::type_identity<frmLateral1>{}, [](auto& w) { return Buttons{&w.cmdCalculatePtot3}; })},
        {"semi-transverse",
         of(std::type_identity<frmLateral3>{}, [](auto& w) { return Buttons{&w.cmdCalculatePtot3}; })},
        {"construction", of(std::type_identity<frmConstructionVent>{},
                            [](auto& w) {
                                return Buttons{&w.cmdP100, &w.cmdLambda, &w.cmdCal};
                            })},
        {"axial fan",
         of(std::type_identity<frmAxialFanDesign>{}, [](auto& w) { return Buttons{&w.cmdCalculate}; })},
        {"duct loss",
         of(std::type_identity<frmCalculatePd>{}, [](auto& w) { return Buttons{&w.cmdCalculate}; })},
        {"step 2", of(std::type_identity<frmVentParam>{}, [](auto& w) { return Buttons{&w.cmdAdd}; })},
    };
    platform::msgbox::setAutoAnswer(true);
    for (const Window& window : windows) {
        const Buttons buttons = window.steps();
        const platform::BoxReads reads;
        for (platform::CommandButton* button : buttons) {
            if (test_support::reachable(*button)) {
                button->userClick();
            }
        }
        EXPECT_FALSE(reads.boxes().empty()) << window.where;
        for (platform::Control* read : reads.boxes()) {
            const std::string mark = test_support::typedMark(*read, "9OO");
            EXPECT_TRUE(mark.starts_with("不是数")) << window.where << ": " << captionBeside(*read);
        }
    }
    platform::msgbox::setAutoAnswer(false);
}

// A list the engineer may type a speed or a count into reads "9OO" as 9, as a text box does: it is marked
// by the same rules.
TEST_F(WindowNumberMarks, ATypoInANumberListIsMarkedAsInATextBox) {
    frmReq& req = Forms::instance<frmReq>();
    frmShaftAndJet& shaft = Forms::instance<frmShaftAndJet>();
    frmMultiShaftAndJet& several = Forms::instance<frmMultiShaftAndJet>();
    struct List {
        const char* where;
        platform::ComboBox* list;
        int page; // of the main window, -1 for another window
    };
    const List lists[] = {
        {"design speed", &req.cmbvt, 1},
        {"two-way speed", &req.cmbWorkVt_Bidirection, 5},
        {"block speed", &req.txtBlockVt, 6},
        {"step 1 design speed", &Forms::instance<frmBrightness>().cmbvt, -1},
        {"exhaust fans", &shaft.cmbCounte, -1},
        {"supply fans", &shaft.cmbCountb, -1},
        {"several shafts' exhaust fans", &several.cmbCounte, -1},
        {"several shafts' supply fans", &several.cmbCountb, -1},
    };
    platform::msgbox::setAutoAnswer(true);
    for (const List& l : lists) {
        if (l.page >= 0) {
            req.pgMain.userClick(l.page);
        }
        for (const auto& [typed, mark] : {std::pair{"9OO", "不是数，按 9 计算"}, std::pair{"80", ""}}) {
            l.list->userType(typed);
            EXPECT_EQ(l.list->NumberMark(), mark) << l.where << " " << typed;
        }
    }
    platform::msgbox::setAutoAnswer(false);
}

TEST_F(WindowNumberMarks, AStationBeyondAnyTunnelIsMarkedInTheSchemeWindows) {
    frmShaftAndJet& shaft = Forms::instance<frmShaftAndJet>();
    frmMultiShaftAndJet& several = Forms::instance<frmMultiShaftAndJet>();
    frmFire& fire = Forms::instance<frmFire>();
    const std::pair<const char*, platform::TextBox*> boxes[] = {
        {"step 2 loss", &Forms::instance<frmVentParam>().txtzetapile},
        {"supply port", &Forms::instance<frmConcentrate>().txtShaftPile},
        {"exhaust shaft", &Forms::instance<frmShaftEject>().txtShaftPile},
        {"shaft", &shaft.txtShaftPile},
        {"several shafts' shaft", &several.txtShaftPile},
        {"fire point", &fire.txtFirePile},
        {"exhaust port", &fire.txtExsmokePile},
    };
    for (const auto& [where, box] : boxes) {
        for (const auto& [typed, mark] :
             {std::pair{"2e8", "桩号超出范围"}, std::pair{"1e308", "桩号超出范围"}, std::pair{"12530", ""}}) {
            box->userType(typed);
            EXPECT_EQ(box->NumberMark(), mark) << where << " " << typed;
        }
    }
}

// The fire table reads the exhaust stretch whether or not the duct is ticked: the boxes of the greyed
// frame are no omission of the engineer's, and only a ticked duct marks them.
TEST_F(WindowNumberMarks, TheBoxesOfADisabledFrameCarryNoMark) {
    frmFire& fire = Forms::instance<frmFire>();
    fire.Show();
    fire.chkTranverse.set(0);
    // As a stored fire case leaves them.
    test_support::SetSilently{{fire.txtExsmokePile1, ""}, {fire.txtExsmokePile2, "9OO"}};
    platform::msgbox::setAutoAnswer(true);
    fire.cmdControlScheme.userClick();
    EXPECT_EQ(fire.txtExsmokePile1.NumberMark(), "");
    EXPECT_EQ(fire.txtExsmokePile2.NumberMark(), "");
    fire.chkTranverse.userClick();
    EXPECT_EQ(fire.txtExsmokePile2.NumberMark(), "不是数，按 9 计算");
    fire.cmdControlScheme.userClick();
    EXPECT_EQ(fire.txtExsmokePile1.NumberMark(), "未填，按 0 计算");
    platform::msgbox::setAutoAnswer(false);
}

// A window that opens with empty boxes (a new row of the loss dialog, a dialog's stations) or with a
// box it computes later marks none of them.
TEST_F(WindowNumberMarks, NoBoxOpensMarked) {
    std::vector<std::pair<std::string, platform::TextBox*>> boxes;
    frmZeta& zeta = Forms::instance<frmZeta>();
    zeta.Show();
    for (platform::ControlArray<platform::TextBox>* array :
         {&zeta.txtD, &zeta.txtr, &zeta.txttheta, &zeta.txtVaneNum, &zeta.txtRe, &zeta.txtAreaRatio}) {
        for (auto& [i, box] : *array) {
            boxes.emplace_back("frmZeta", box.get());
        }
    }
    boxes.emplace_back("frmZeta t1", &zeta.txtt1);
    dlgJetPressure& jet = Forms::instance<dlgJetPressure>();
    for (platform::TextBox* box : {&jet.txtQ, &jet.txtPile, &jet.txtZ}) {
        boxes.emplace_back("dlgJetPressure", box);
    }
    dlgSectionQreq& section = Forms::instance<dlgSectionQreq>();
    boxes.emplace_back("dlgSectionQreq", &section.txtSectionSP);
    frmShaftAndJet& shaft = Forms::instance<frmShaftAndJet>();
    shaft.txtQQ_r1.set("");
    shaft.chkQb.set(1);
    boxes.emplace_back("Qr1", &shaft.txtQQ_r1);
    for (const auto& [where, box] : boxes) {
        EXPECT_EQ(box->NumberMark(), "") << where;
    }
    // The calculation the engineer asks for reads the empty boxes of its type: they are marked.
    zeta.lstZetaType.userClick(0);
    zeta.cmdCalculate.userClick();
    EXPECT_EQ(zeta.txtD(0).NumberMark(), "未填，按 0 计算");
    zeta.txtD(0).userType("0.8");
    EXPECT_EQ(zeta.txtD(0).NumberMark(), "");
}

} // namespace
