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
#include "lighting/frmDefineLamp.h"
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
        {"jet-fan model power", [] -> platform::TextBox& { return Forms::instance<frmJetDb>().txtPower; },
         "9OO", "不是数"},
        {"jet-fan model outlet", [] -> platform::TextBox& { return Forms::instance<frmJetDb>().txtDD; },
         "9OO", "不是数"},
        {"jet-fan model reversal",
         [] -> platform::TextBox& { return Forms::instance<frmJetDb>().txtDiscount; }, "9OO", "不是数"},
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

/// The buttons of a window that compute (not those that only open another window), clicked where the
/// engineer can reach them, on each of the window's pages in turn.
struct Steps {
    std::vector<platform::CommandButton*> buttons;
    /// Shows page i (from 0) of the window; false past its last page.
    std::function<bool(int)> page = [](int i) { return i == 0; };
};
std::function<bool(int)> pagesOf(platform::MultiPage& pages) {
    return [&pages](int i) { return i < pages.PageCount() && (pages.userClick(i), true); };
}
std::function<bool(int)> pagesOf(platform::TabStrip& tabs) {
    return [&tabs](int i) { return i < tabs.Tabs.Count() && (tabs.userClick(i + 1), true); };
}
struct StepsOf {
    const char* where;
    std::function<Steps()> open;
};
/// Window W shown, its steps `first` and `more`, clicked on its one page.
template <class W, class... More>
StepsOf stepsOf(const char* where, platform::CommandButton W::*first, More... more) {
    return {where, [=] {
                W& w = Forms::instance<W>();
                w.Show();
                return Steps{{&(w.*first), &(w.*more)...}};
            }};
}

/// As stepsOf, the steps clicked on each of the pages `pages`.
template <class W, class Pages, class... Buttons>
StepsOf pagedStepsOf(const char* where, Pages W::*pages, Buttons... buttons) {
    return {where, [open = stepsOf(where, buttons...).open, pages] {
                Steps steps = open();
                steps.page = pagesOf(Forms::instance<W>().*pages);
                return steps;
            }};
}

// Every box a window's calculation reads and the engineer can type into is found by the reading itself,
// so that a box a window adds later is checked too: a typo there is marked, unless the window declares
// the box a name.
TEST_F(WindowNumberMarks, EveryBoxAStepReadsAndTheEngineerCanTypeIsMarked) {
    const StepsOf windows[] = {
        pagedStepsOf("main window", &frmReq::pgMain, &frmReq::cmdAddSlope, &frmReq::cmdAddSection,
                     &frmReq::cmdRefreshSegment, &frmReq::cmdAdd, &frmReq::cmdRefreshTraffic,
                     &frmReq::cmdCalculateTraffic, &frmReq::cmdAddBlock, &frmReq::cmdCalQQ_req_exchange),
        stepsOf("step 2", &frmVentParam::cmdAdd),
        stepsOf("lighting step 1", &frmBrightness::cmdCalculate),
        stepsOf("lighting step 2", &frmDefineLamp::cmdAddSection),
        stepsOf("lighting step 3", &frmLighting::cmdAdd, &frmLighting::cmdCalculate),
        stepsOf("fire", &frmFire::cmdControlScheme),
        stepsOf("jet fans", &frmJet::cmdCalculateJet, &frmJet::cmdDrawPressCurve),
        pagedStepsOf("shaft and jet", &frmShaftAndJet::MultiPage1, &frmShaftAndJet::cmdCalculateSectionQQ_req,
                     &frmShaftAndJet::cmdCalculatePtot3, &frmShaftAndJet::cmdCalPower,
                     &frmShaftAndJet::cmdAdd, &frmShaftAndJet::cmdDrawPressCurve),
        pagedStepsOf("several shafts", &frmMultiShaftAndJet::pgMain, &frmMultiShaftAndJet::cmdAddShaft,
                     &frmMultiShaftAndJet::cmdAdd, &frmMultiShaftAndJet::cmdDrawPressCurve),
        stepsOf("shaft exhaust", &frmShaftEject::cmdCalculateSectionQQ_req, &frmShaftEject::cmdBalanceLength,
                &frmShaftEject::cmdCalculatePtot3, &frmShaftEject::cmdDrawCurve),
        stepsOf("concentrated supply", &frmConcentrate::cmdCalculateJet),
        stepsOf("full transverse", &frmLateral1::cmdCalculatePtot3),
        stepsOf("semi-transverse", &frmLateral3::cmdCalculatePtot3),
        stepsOf("construction", &frmConstructionVent::cmdP100, &frmConstructionVent::cmdLambda,
                &frmConstructionVent::cmdCal),
        stepsOf("axial fan", &frmAxialFanDesign::cmdCalculate),
        stepsOf("duct loss", &frmCalculatePd::cmdCalculate),
        {"local loss",
         [] {
             frmZeta& w = Forms::instance<frmZeta>();
             w.Show();
             w.lstZetaType.userClick(0);
             return Steps{{&w.cmdCalculate}};
         }},
        stepsOf("jet-fan pressure", &dlgJetPressure::OKButton),
        stepsOf("jet-fan layout", &frmSetJetPile::ccmdOK),
        stepsOf("several shafts' layout", &frmSetMSJetPile::ccmdOK),
    };
    platform::msgbox::setAutoAnswer(true);
    int writtenBack = 0;
    for (const StepsOf& window : windows) {
        const Steps steps = window.open();
        const auto clickSteps = [&] {
            for (int page = 0; steps.page(page); ++page) {
                for (platform::CommandButton* button : steps.buttons) {
                    if (test_support::reachable(*button)) {
                        button->userClick();
                    }
                }
            }
        };
        const std::vector<platform::Control*> read = [&] {
            const platform::BoxReads reads;
            clickSteps();
            return reads.boxes();
        }();
        EXPECT_FALSE(read.empty()) << window.where;
        for (platform::Control* box : read) {
            const std::string mark = test_support::typedMark(*box, "9OO");
            EXPECT_TRUE(mark.starts_with("不是数")) << window.where << ": " << captionBeside(*box);
            // A typo a step reads and then writes back as the number it used keeps its mark.
            auto* text = dynamic_cast<platform::TextBox*>(box);
            if (text != nullptr && mark.starts_with("不是数，按")) {
                const std::string before = text->Text();
                text->setSilently("9OO");
                clickSteps();
                if (vb::StrictNumber(text->Text()) == 9.0) {
                    ++writtenBack;
                    EXPECT_EQ(text->NumberMark(), mark) << window.where << ": " << captionBeside(*box);
                }
                text->setSilently(before);
            }
        }
    }
    // The boxes known to be written back with the value read: lighting step 1's L20(S) and the
    // semi-transverse Ped.
    EXPECT_GE(writtenBack, 2);
}

/// A box that reads a number, named for a failure, and what shows the page it stands on (if any).
template <class Box> struct OnPage {
    const char* where;
    Box* box;
    std::function<void()> show = {};
};

template <class Pages> std::function<void()> pageShown(Pages& pages, int i) {
    return [&pages, i] { pages.userClick(i); };
}

/// Types each text into each box, its page shown, and expects the mark the box shows then.
template <class Box>
void expectMarks(std::initializer_list<OnPage<Box>> boxes,
                 std::initializer_list<std::pair<const char*, const char*>> typedMarks) {
    for (const OnPage<Box>& b : boxes) {
        if (b.show) {
            b.show();
        }
        for (const auto& [typed, mark] : typedMarks) {
            b.box->userType(typed);
            EXPECT_EQ(b.box->NumberMark(), mark) << b.where << " " << typed;
        }
    }
}

// A list the engineer may type a speed or a count into reads "9OO" as 9, as a text box does: it is marked
// by the same rules.
TEST_F(WindowNumberMarks, ATypoInANumberListIsMarkedAsInATextBox) {
    frmReq& req = Forms::instance<frmReq>();
    frmShaftAndJet& shaft = Forms::instance<frmShaftAndJet>();
    frmMultiShaftAndJet& several = Forms::instance<frmMultiShaftAndJet>();
    platform::msgbox::setAutoAnswer(true);
    expectMarks<platform::ComboBox>({{"design speed", &req.cmbvt, pageShown(req.pgMain, 1)},
                                     {"two-way speed", &req.cmbWorkVt_Bidirection, pageShown(req.pgMain, 5)},
                                     {"block speed", &req.txtBlockVt, pageShown(req.pgMain, 6)},
                                     {"step 1 design speed", &Forms::instance<frmBrightness>().cmbvt},
                                     {"exhaust fans", &shaft.cmbCounte},
                                     {"supply fans", &shaft.cmbCountb},
                                     {"several shafts' exhaust fans", &several.cmbCounte},
                                     {"several shafts' supply fans", &several.cmbCountb}},
                                    {{"9OO", "不是数，按 9 计算"}, {"80", ""}});
}

TEST_F(WindowNumberMarks, AStationBeyondAnyTunnelIsMarkedInTheSchemeWindows) {
    frmShaftAndJet& shaft = Forms::instance<frmShaftAndJet>();
    frmMultiShaftAndJet& several = Forms::instance<frmMultiShaftAndJet>();
    frmFire& fire = Forms::instance<frmFire>();
    expectMarks<platform::TextBox>(
        {{"step 2 loss", &Forms::instance<frmVentParam>().txtzetapile},
         {"supply port", &Forms::instance<frmConcentrate>().txtShaftPile},
         {"exhaust shaft", &Forms::instance<frmShaftEject>().txtShaftPile},
         {"shaft", &shaft.txtShaftPile, pageShown(shaft.MultiPage1, 0)},
         {"shaft's jet group", &shaft.txtPile, pageShown(shaft.MultiPage1, 2)},
         {"several shafts' shaft", &several.txtShaftPile, pageShown(several.pgMain, 0)},
         {"several shafts' jet group", &several.txtPile, pageShown(several.pgMain, 2)},
         {"fire point", &fire.txtFirePile},
         {"exhaust port", &fire.txtExsmokePile}},
        {{"2e8", "桩号超出范围"}, {"1e308", "桩号超出范围"}, {"12530", ""}});
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
    // Ticking the duct is no step: the empty box is marked once a step reads it.
    EXPECT_EQ(fire.txtExsmokePile1.NumberMark(), "");
    EXPECT_EQ(fire.txtExsmokePile2.NumberMark(), "不是数，按 9 计算");
    fire.cmdControlScheme.userClick();
    EXPECT_EQ(fire.txtExsmokePile1.NumberMark(), "未填，按 0 计算");
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
