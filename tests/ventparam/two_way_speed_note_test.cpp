// SPDX-License-Identifier: GPL-3.0-or-later
// Step 2's note on the working speed that needs more air, on a two-way bore typed in from 新建: in the
// two-way case it speaks of page 5's speeds, never of the one-way speeds of page 4.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "platform/text_file.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/reopened_tunnel.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

// A two-way bore of 3.6 km, K5+000–K8+600, +0.5 % then −1.5 %, 70 m², 600 m above sea level, 60 km/h.
const test_support::NewTunnel kBore{.elevation = "600",
                                    .designSpeed = "60",
                                    .start = "5000",
                                    .slopes = {{"6800", "0.5"}, {"8600", "-1.5"}},
                                    .area = "70",
                                    .perimeter = "32.6",
                                    .years = {{"2030", "18000"}, {"2045", "24000"}}};

/// Page 5 recomputed at the speed at position `i` of its list, as the engineer asks for it: the speed
/// picked, then the design year clicked in the picker. The larger of the two demands it shows.
double pageFiveDemandAt(frmReq& req, int i) {
    req.cmbWorkVt_Bidirection.userSelect(i);
    req.lstYear.userItemClick(1);
    return modPublic::MaxOf(vb::Val(req.txtQQ_req_CO_Bidirection.Text()),
                            vb::Val(req.txtQQ_req_VI_Bidirection.Text()));
}

struct Note {
    std::string demand, caption, tip;
};

/// Step 2 opened from the main window, on the two-way case (picked there when the hand-off chose
/// another), then `position` of the case list; what the note beside the demand says.
Note stepTwoNote(frmReq& req, int position) {
    Note seen;
    test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
        if (w.lstCase.ListIndex() != position) {
            w.lstCase.userClick(position);
        }
        seen = {w.txtQQ_req.Text(), w.lblSpeedTip.Caption(), w.lblSpeedTip.ToolTipText()};
        w.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    return seen;
}

/// 下一步 pressed and step 2's four cases read in turn: the case it opens on, then each case's demand.
std::string handedCases(frmReq& req) {
    std::string seen;
    test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
        seen = std::to_string(w.lstCase.ListIndex());
        for (int i = 0; i < 4 && w.lstCase.setListIndex(i); ++i) {
            seen += " " + w.txtQQ_req.Text();
        }
        w.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    return seen;
}

TEST(TwoWaySpeedNote, NamesPageFivesSpeedThatNeedsMoreAirOrNothing) {
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, kBore);
    platform::filedialog::script(test_stage::appFolder() + "/双向隧道.vnt");
    req.mnuFileSaveAs_Click();
    ASSERT_FALSE(modPublic::ProjectFile.empty());
    const std::size_t boxesBefore = platform::msgbox::log().size();

    req.pgMain.userClick(5);
    const int speeds = req.cmbWorkVt_Bidirection.ListCount();
    ASSERT_GT(speeds, 1);
    int most = 0, least = 0;
    std::vector<double> demand;
    for (int i = 0; i < speeds; ++i) {
        demand.push_back(pageFiveDemandAt(req, i));
        most = demand[i] > demand[most] ? i : most;
        least = demand[i] < demand[least] ? i : least;
    }
    ASSERT_LT(demand[least], demand[most]);
    const std::string governing = req.cmbWorkVt_Bidirection.List(most);

    // On a speed that needs less air, the note names page 5's governing speed and its demand.
    pageFiveDemandAt(req, least);
    const Note atLeast = stepTwoNote(req, 1);
    EXPECT_EQ(vb::Val(atLeast.demand), demand[least]);
    const std::string note = "车速" + governing + "km/h时需风量更大:" + vb::CStr(demand[most]) + "m^3/s！";
    EXPECT_EQ(atLeast.caption, note);
    EXPECT_EQ(atLeast.tip, note + "请回到第5页选择该工况车速。");

    // On the governing speed itself there is nothing to say, whatever the one-way speeds would need.
    pageFiveDemandAt(req, most);
    const Note atMost = stepTwoNote(req, 1);
    EXPECT_EQ(vb::Val(atMost.demand), demand[most]);
    EXPECT_EQ(atMost.caption, "");
    EXPECT_EQ(atMost.tip, "");

    // The congestion cases take their speeds from the blocks: no note either.
    EXPECT_EQ(stepTwoNote(req, 2).caption, "");
    EXPECT_EQ(platform::msgbox::log().size(), boxesBefore);
}

TEST(TwoWaySpeedNote, ASpeedOrAnotherInputChangedAloneRecomputesItsPageAndStepTwoTakesItsDemand) {
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, kBore, test_stage::appFolder() + "/双向隧道.vnt");
    const auto totals = [&] {
        return req.txtQQ_req_CO_Bidirection.Text() + " " + req.txtQQ_req_VI_Bidirection.Text();
    };
    req.pgMain.userClick(5);
    ASSERT_EQ(totals(), "36.85 85.17") << "at the template's 40 km/h";
    // 80 km/h picked, then 20 typed, with no year or segment picked after: the CO and smoke demand of the
    // bore's 2030 traffic at that speed, as the engine gives them; step 2's two-way case takes the larger.
    req.cmbWorkVt_Bidirection.userSelect(1);
    EXPECT_EQ(totals(), "18.88 102.38");
    EXPECT_EQ(stepTwoNote(req, 1).demand, "102.38");
    req.cmbWorkVt_Bidirection.userType("20");
    EXPECT_EQ(totals(), "64.48 114.11");
    EXPECT_EQ(stepTwoNote(req, 1).demand, "114.11");

    // Every other input a total depends on, changed on its page: page 4, 5 or 6 shows at once what it shows
    // when shown again, and 下一步 pressed at once hands step 2 what it hands with pages 4 to 6 shown first.
    using Act = std::function<void()>;
    const auto type = [](auto& box, const char* text) -> Act { return [&, text] { box.userType(text); }; };
    const auto click = [](auto& control) -> Act { return [&control] { control.userClick(); }; };
    const auto both = [](Act a, Act b) -> Act { return [a, b] { a(), b(); }; };
    // clang-format off
    const std::pair<int, Act> inputs[] = {
        {1, type(req.txtElevation, "2500")}, {1, type(req.txtP, "80")}, {1, type(req.txtTT, "310")},
        {1, type(req.txtCO_in_Air, "20")}, {1, type(req.txtq_co, "0.02")}, {1, type(req.txtq_VI, "4")},
        {1, type(req.txtDescRatio, "4")}, {1, type(req.txtDescYear, "2020")}, {1, click(req.optLeftLine)},
        {1, [&] { req.cmbRoadClass.userSelect(4); }}, {1, [&] { req.cmbvt.userSelect(1); }},
        {2, type(req.txtStartPile, "5200")},
        {2, both(both(type(req.txtSectionArea, "60"), click(req.cmdUpdateSection)), click(req.cmdRefreshSegment))},
        {3, [&] { req.lstTraffic.userItemClick(2); }}, {3, both(type(req.txtPcu, "30000"), click(req.cmdUpdate))},
        {3, type(req.txtTrafficRatio, "1.2")}, {3, type(req.txtTraffic2, "0.15")},
        {3, type(req.txtMainDirectionRatio, "0.6")}, {3, click(req.chkTrafficTotal)},
        {3, both(type(req.txtPetrol, "0.5"), click(req.chkPetrol))},
        {3, both(both([&] { req.lstTrafficAnalysis.userItemClick(5); }, type(req.txtRatio3, "0")),
                 click(req.cmdRefreshTraffic))},
        {7, type(req.txtExchangeNum, "9")}, {4, both(click(req.chkDelta), type(req.txtDelta, "300"))},
        {4, click(req.chkDelta)}, {4, both(click(req.chkKK), type(req.txtKK, "0.009"))}, {4, click(req.chkKK)},
        {4, [&] { req.lstLightModel.userClick(1); }}, {4, [&] { req.sclVt.userSet(30); }},
        {5, type(req.txtBiDirection, "0.9")}, {5, click(req.optBiDirectionMethod2)},
        {5, [&] { req.lstAllowVechileType.userClick(2); }}, {5, click(req.optBiDirectionMethod1)},
        {5, both(click(req.chkDeltaBi), type(req.txtDelta_Bi, "300"))}, {5, click(req.chkDeltaBi)},
        {5, both(click(req.chkKKBi), type(req.txtKK_Bi, "0.005"))}, {5, click(req.chkKKBi)},
        {6, click(req.cmdDeleteBlock)},
        {6, both(both(type(req.txtBlockLen, "900"), type(req.txtBlockVt, "20")), click(req.cmdAddBlock))},
        {6, both(type(req.txtBlockVt, "30"), click(req.cmdUpdateBlock))},
        {6, both(click(req.chkDeltaBlock), type(req.txtDelta_block, "400"))}, {6, click(req.chkDeltaBlock)},
        {6, both(click(req.chkKKBlock), type(req.txtKK_block, "0.009"))}, {6, click(req.chkKKBlock)},
        {6, both(click(req.chkBlock), type(req.txtBlockStartPile, "6000"))},
        {6, type(req.txtBlockEndPile, "6500")}, {6, click(req.chkBlock)}};
    // clang-format on
    // clang-format off
    const platform::TextBox* const boxes[] = {
        &req.txtQQ_req_CO, &req.txtQQ_req_VI, &req.txtf_d, &req.txtQQ_req_CO_SEGMENT, &req.txtQQ_req_CO_Bidirection,
        &req.txtQQ_req_VI_Bidirection, &req.txtQQ_req_CO_Bidirection_SEGMENT, &req.txtQQ_req_VI_Bidirection_SEGMENT,
        &req.txtQQ_req_CO_block, &req.txtQQ_req_VI_block, &req.txtQQ_req_CO_1kmblock, &req.txtQQ_req_VI_1kmblock,
        &req.txtQQ_req_exchange};
    const auto shown = [&](int page) { // that page's totals, or all with 0
        std::string s;
        for (int i = 0; i < 13; ++i) s += page == 0 || (i < 12 && i / 4 + 4 == page) ? boxes[i]->Text() + " " : "";
        return s;
    };
    // clang-format on
    int row = 0;
    for (const auto& [page, change] : inputs) {
        SCOPED_TRACE(++row);
        req.pgMain.userClick(page);
        const std::string before = shown(0);
        change();
        const std::string onPage = shown(page), handed = handedCases(req);
        for (const int p : {1, 4, 5, 6, 7}) {
            req.pgMain.userClick(p);
        }
        EXPECT_NE(shown(0), before) << "no total changed";
        EXPECT_EQ(shown(page), onPage);
        EXPECT_EQ(handedCases(req), handed);
    }
}

TEST(TwoWaySpeedNote, StepTwoTakesTheTemplatesDemandOfAnAltitudeOrEmissionTypedJustBefore) {
    frmReq& req = test_support::savedTemplate();
    req.txtElevation.userType("2500");
    EXPECT_EQ(handedCases(req), "0 455.472 231.88 198.43 103.6");
    req.txtElevation.userType("1430.39");
    req.txtq_co.userType("0.02");
    EXPECT_EQ(handedCases(req), "0 577.085 182 213.44 91.9");
    // Saved by 保存 after a change on page 3 alone: the two-way totals page 5 then shows, not 90.17 / 182.00.
    req.pgMain.userClick(3);
    req.txtTrafficRatio.userType("2");
    req.mnuFileSave_Click();
    const std::string saved = textfile::ReadBytes(test_support::projectPath(".req")).value_or("");
    req.pgMain.userClick(5);
    const std::string twoWay =
        req.txtQQ_req_CO_Bidirection.Text() + "\",\"" + req.txtQQ_req_VI_Bidirection.Text();
    EXPECT_NE(saved.find("\"40\",\"" + twoWay + "\"\r\n"), std::string::npos) << twoWay;
    EXPECT_NE(twoWay, "90.17\",\"182.00");
}

// Saved on its last year at 30 km/h: reopened as saved, on page 1, 4 or 5; left untouched it writes nothing.
TEST(TwoWaySpeedNote, AProjectSavedOnItsLastYearReopensAsSavedOnAnyPage) {
    frmReq* w = &platform::Forms::instance<frmReq>(); // the window of the program running
    const std::string base = test_stage::appFolder() + "/双向隧道", project = base + ".vnt";
    test_support::TypeNewTunnel(*w, kBore, project);
    w->pgMain.userClick(4);
    w->lstYear.userItemClick(2);
    w->sclVt.userSet(30);
    w->chkKK.userClick(); // a K of its own: read while page 4 is shown, it must not recompute the page
    w->txtKK.userType("0.0085");
    const std::string handed = handedCases(*w);
    w->pgMain.userClick(5);
    const auto pages = [&](int page) {
        return w->txtYear.Text() + w->txtworkv_t.Text() + w->txtQQ_req_CO.Text() +
               w->txtQQ_req_VI_Bidirection.Text() + w->txtNN.Text() + " " +
               (page == 4 ? w->txtf_iv.Text() + w->txtQQ_req_CO_SEGMENT.Text()
                          : w->txtQQ_req_VI_Bidirection_SEGMENT.Text());
    };
    const std::string saved[] = {pages(4), pages(5)};
    w->mnuFileSave_Click();
    const auto files = [&] {
        return textfile::ReadBytes(base + ".req").value_or("") +
               textfile::ReadBytes(base + ".par").value_or("");
    };
    const std::string written = files();

    test_support::reopenProgram(project);
    w = &platform::Forms::instance<frmReq>();
    EXPECT_EQ(handedCases(*w), handed);
    platform::msgbox::reset();
    for (const int page : {4, 5}) {
        w->mnuFileNew_Click();
        w->pgMain.userClick(page);
        platform::filedialog::script(project);
        w->mnuFileOpen_Click();
        EXPECT_EQ(w->lblYear.Caption() + w->lblvt.Caption(), "选择特征年:2045选择工况车速vt(km/h):30");
        EXPECT_EQ(pages(page), saved[page - 4]);
    }
    w->mnuFileExit_Click();
    EXPECT_TRUE(platform::msgbox::log().empty());
    EXPECT_EQ(files(), written);
}

} // namespace
