// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan scheme window reached as a designer reaches it: the template project saved into the test
// folder, step 2 opened from the main window, Next with the jet-fan scheme. The data of one fan, the
// pressure balance, the fan groups with the layout dialog, and the .jet file.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/jet_file.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/tunnel_stage.h"
#include "tests/support/written_files.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::Row;
using test_support::rowsOf;

std::string jetPath() {
    return test_stage::appFolder() + "/proj.jet";
}

class JetWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProjectWithDemand(req); }

    /// Opens step 2 from the main window and the jet-fan window from step 2 with its Next; `script` acts
    /// on the jet-fan window and leaves it; step 2 is then left by Return.
    void open(const std::function<void(frmJet&)>& script) {
        EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, [&](frmJet& w, frmVentParam&) { script(w); }));
        EXPECT_FALSE(Forms::isLoaded<frmJet>());
    }

    /// The fields of the project's .jet file.
    jetfan::JetFileContents stored() {
        scheme::SchemeReader in;
        EXPECT_TRUE(in.Open(jetPath()));
        return jetfan::ReadJetFile(in);
    }

    frmReq& req = Forms::instance<frmReq>();
};

// ---- Opening and the data of one fan ----

TEST_F(JetWindow, OpensFromTheTemplateAndLeavesItsOwnFile) {
    ASSERT_FALSE(fs::exists(jetPath()));
    open([](frmJet& w) {
        EXPECT_EQ(w.Caption(), "Step 3: 射流风机通风方式");
        EXPECT_TRUE(w.IsModal());
        ASSERT_EQ(w.lstJet.ColumnHeaders.Count(), 3);
        EXPECT_EQ(w.lstJet.ColumnHeaders(1).Text(), "桩号");
        EXPECT_EQ(w.lstJet.ColumnHeaders(2).Text(), "台数");
        EXPECT_EQ(w.lstJet.ColumnHeaders(3).Text(), "升压力");
        ASSERT_EQ(w.cmbJetModel.ListCount(), static_cast<int>(modPublic::JetModels.UBound()));
        EXPECT_EQ(w.cmbJetModel.List(0), modPublic::JetModels(1).JetName);
        // The template's model fills its data; the stored texts stand.
        EXPECT_EQ(w.cmbJetModel.Text(), "1120型射流风机");
        EXPECT_EQ(w.cmbJetModel.ListIndex(), 3);
        test_support::ExpectTexts{{w.txtFlow, "33.79"}, {w.txtDD_j, "1.12"}, {w.txtAA_j, "0.985"},
                                  {w.txtvj, "34.305"},  {w.txtPower, "42"},  {w.txtZZ_j, "1.2"}};
        // The template's design of 21 fans was balanced for 330.89, not for this project's 300: its seven
        // groups stay, no figure of its balance.
        test_support::ExpectTexts{{w.txtdeltap_j, ""}, {w.txti, ""}, {w.txtTotalPower, ""}};
        EXPECT_EQ(w.lstJet.ListItems.Count(), 7);
        EXPECT_EQ(w.lblTip.Caption(), "设计需风量Qreq已由330.89变为300，原计算结果已清空，请重新计算。");
        EXPECT_EQ(w.cmdCalculateJet.Caption(), "计算");
        EXPECT_EQ(w.cmdAutoLayout.Caption(), "自动布置");
        EXPECT_EQ(w.MultiPage1.Pages(2).Caption(), "风机布置");
    });
    EXPECT_TRUE(fs::exists(jetPath()));
    EXPECT_EQ(stored().Record2[jetfan::kJetName], "1120型射流风机");
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(JetWindow, ChoosingAModelFillsItsDataAndItsOwnRise) {
    open([](frmJet& w) {
        w.txtZZ_j.userType("2");
        EXPECT_EQ(w.txteta.Text(), "0.910"); // 2 / 1.12 = 1.79 lies above 1.5
        w.txtdeltap_j.userType("55.555");
        w.cmbJetModel.userSelect(1); // 900型: 21.81 m³/s, 0.9 m, 27.1 kW
        EXPECT_EQ(w.txtFlow.Text(), "21.81");
        EXPECT_EQ(w.txtDD_j.Text(), "0.9");
        EXPECT_EQ(w.txtPower.Text(), "27.1");
        // 0.25 · 3.1415926 · 0.81 = 0.636; 21.81 / 0.636 = 34.292.
        EXPECT_EQ(w.txtAA_j.Text(), "0.636");
        EXPECT_EQ(w.txtvj.Text(), "34.292");
        // 2 / 0.9 = 2.22 still lies above 1.5.
        EXPECT_EQ(w.txteta.Text(), "0.910");
        // The rise typed for the fan shown before is not this model's: its own is shown, as 计算 gives it.
        EXPECT_EQ(w.txtdeltap_j.Text(), "9.277");
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtdeltap_j.Text(), "9.277");
        // Dj = 1.12 shows 0.985, and vj is taken over 0.985: 33.79 / 0.985 = 34.305.
        w.cmbJetModel.userType("1120型射流风机");
        EXPECT_EQ(w.txtAA_j.Text(), "0.985");
        EXPECT_EQ(w.txtvj.Text(), "34.305");
        // A name that is no model changes nothing.
        w.cmbJetModel.userType("2000型");
        EXPECT_EQ(w.cmbJetModel.ListIndex(), -1);
        EXPECT_EQ(w.txtFlow.Text(), "33.79");
        EXPECT_EQ(w.txtvj.Text(), "34.305");
    });
}

// The catalogue fan comes after the six diameter classes: 0.25 · 3.1415926 · 1.2544 = 0.985,
// 30.5 / 0.985 = 30.964 m/s (the maker prints 31.1).
TEST_F(JetWindow, OffersTheCatalogueReversibleFan) {
    open([](frmJet& w) {
        ASSERT_EQ(w.cmbJetModel.ListCount(), 7);
        EXPECT_EQ(w.cmbJetModel.List(3), "1120型射流风机");
        EXPECT_EQ(w.cmbJetModel.List(6), "SDS-11.2射流风机");
        w.cmbJetModel.userSelect(6);
        test_support::ExpectTexts{{w.txtFlow, "30.5"},
                                  {w.txtDD_j, "1.12"},
                                  {w.txtPower, "15"},
                                  {w.txtAA_j, "0.985"},
                                  {w.txtvj, "30.964"}};
    });
}

// ---- Pressure balance ----

/// A tunnel from 1000 to 2000 with one 90 m² section (D 10 m), ρ 1.2, λ 0.02, natural wind 2.5 m/s, no
/// vehicle resistance, 180 m³/s at 2 m/s, one local loss ζ 0.5 at 1500; the 1120 model at Z = 2 m.
void flatTunnel(frmJet& w) {
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    test_support::setFlatTunnel({});
    step2.txtQQ_req.setSilently("180");
    step2.txtv_r.setSilently("2.000");
    step2.lstzeta.ListItems.Clear();
    step2.lstzeta.ListItems.Add("1500").setSubItems(1, "0.5");
    w.cmbJetModel.userSelect(3);
    w.txtZZ_j.userType("2");
}

TEST_F(JetWindow, BalanceOfAFlatTunnelByHand) {
    open([](frmJet& w) {
        flatTunnel(w);
        w.cmdCalculateJet.userClick();
        // Δpm: Qm = 2.5 · 90 = 225 m³/s, 2.5 m/s: 1000 · 0.02 / 10 · 0.6 · 6.25 = 7.5, entrance
        // 0.6 · 1.6 · 6.25 = 6.0; 13.50 Pa.
        EXPECT_EQ(w.txtdeltap_m.Text(), "13.50");
        // Δpr: 2 m/s: 1000 · 0.002 · 0.6 · 4 = 4.8, entrance 0.6 · 1.6 · 4 = 3.84; 8.64 Pa.
        EXPECT_EQ(w.txtdeltap_r.Text(), "8.64");
        EXPECT_EQ(w.txtdeltap_t.Text(), "0.00");
        // Δpl: 180 / 90 = 2 m/s at 1500: 0.5 · 1.2 · 0.5 · 4 = 1.20 Pa.
        EXPECT_EQ(w.txtdeltap_l.Text(), "1.20");
        // ΣΔpj = 13.5 + 8.64 + 1.2 − 0 = 23.34 Pa.
        EXPECT_EQ(w.txttotaldeltap_j.Text(), "23.34");
        // Δpj = 34.305² · 1.2 · 0.985 / 90 · (1 − 2 / 34.305) · 0.91 = 13.245 Pa; 23.34 / 13.245 = 1.76
        // gives 2 fans of 42 kW.
        EXPECT_EQ(w.txtdeltap_j.Text(), "13.245");
        EXPECT_EQ(w.txti.Text(), "2.0");
        EXPECT_EQ(w.txtTotalPower.Text(), "84.00");
        EXPECT_TRUE(platform::msgbox::log().empty());

        // No local losses: Δpl 0.00 and ΣΔpj 22.14, still 2 fans (1.67).
        Forms::instance<frmVentParam>().lstzeta.ListItems.Clear();
        w.cmdCalculateJet.userClick();

        EXPECT_EQ(w.txtdeltap_l.Text(), "0.00");
        EXPECT_EQ(w.txttotaldeltap_j.Text(), "22.14");
        EXPECT_EQ(w.txti.Text(), "2.0");
    });
    // What the window showed is what the file keeps.
    const jetfan::JetFileContents jet = stored();
    EXPECT_EQ(jet.Record2[jetfan::kdeltap_j], "13.245");
    EXPECT_EQ(jet.Record4[jetfan::ktotaldeltap_j], "22.14");
    EXPECT_EQ(jet.Record4[jetfan::ki], "2.0");
    EXPECT_EQ(jet.Record4[jetfan::kTotalPower], "84.00");
}

TEST_F(JetWindow, TrafficForceByTheCaseOfStep2) {
    open([](frmJet& w) {
        flatTunnel(w);
        frmReq& req = Forms::instance<frmReq>();
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        modPublic::AA_m = 3;
        modPublic::AA_m_Bidirection = 5;
        // Each case against the main window's own force over the same stretch, with ρ 1.2 whatever the
        // project's density.
        req.txtRHO.setSilently("1.25");
        const double oneWay = req.GetYANCHENGDeltap_t1(1000, 2000, 180, 3, 1.2, 1, false);
        const double twoWay = req.GetYANCHENGDeltap_t2(1000, 2000, 180, 5, 1.2, true);
        req.txtBlockStartPile.setSilently("1200");
        req.txtBlockEndPile.setSilently("1700");
        const double block = req.GetYANCHENGDeltap_t1(1200, 1700, 180, 3, 1.2, 4, false);
        step2.lstCase.setListIndexSilently(0);
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtdeltap_t.Text(), vb::Format(oneWay, "0.00"));
        step2.lstCase.setListIndexSilently(1);
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtdeltap_t.Text(), vb::Format(twoWay, "0.00"));
        step2.lstCase.setListIndexSilently(3);
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtdeltap_t.Text(), vb::Format(block, "0.00"));
        // ΣΔpj takes the force as shown.
        const double total = vb::Val(w.txtdeltap_m.Text()) + vb::Val(w.txtdeltap_r.Text()) +
                             vb::Val(w.txtdeltap_l.Text()) - vb::Val(w.txtdeltap_t.Text());
        EXPECT_NEAR(vb::Val(w.txttotaldeltap_j.Text()), total, 0.011);
    });
}

TEST_F(JetWindow, TrafficForceThatCarriesTheAirShowsNoFans) {
    open([](frmJet& w) {
        flatTunnel(w);
        // A traffic force far above the 23.34 Pa of the rest.
        modPublic::AA_m = 500;
        Forms::instance<frmReq>().workv_t = 80;
        w.cmdCalculateJet.userClick();
        ASSERT_LT(vb::Val(w.txttotaldeltap_j.Text()), 0) << w.txtdeltap_t.Text();
        EXPECT_EQ(w.txti.Text(), "0.0");
        EXPECT_EQ(w.txtTotalPower.Text(), "0.00");
    });
}

TEST_F(JetWindow, BalanceWithoutAFanModelIsRefusedNotShownAsNoFans) {
    open([](frmJet& w) {
        flatTunnel(w);
        w.txti.setSilently("7.0");
        w.txtTotalPower.setSilently("294.00");
        w.txtvj.setSilently("");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateJet.userClick();
        test_support::expectOneMessage({.prompt = "请选择射流风机型号！", .title = "出错！"});
        // The terms are shown; the count and power are not.
        test_support::ExpectTexts{
            {w.txttotaldeltap_j, "23.34"}, {w.txtdeltap_j, ""}, {w.txti, ""}, {w.txtTotalPower, ""}};
    });
}

TEST_F(JetWindow, LocalLossWhereNoSectionIsNamed) {
    open([](frmJet& w) {
        flatTunnel(w);
        // The only section ends at 1400: the loss at 1500 has no area.
        frmReq& req = Forms::instance<frmReq>();
        req.lstSection.ListItems(1).setText("1400");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateJet.userClick();
        test_support::expectOneMessage(
            {.prompt = "局部压力损失桩号1500处没有断面，无法计算局部压力损失，请检查断面数据！"});
        EXPECT_EQ(w.txtdeltap_l.Text(), "");
        EXPECT_EQ(w.txttotaldeltap_j.Text(), "");
        EXPECT_EQ(w.txti.Text(), "");
    });
    // Nothing not finite reaches the file.
    EXPECT_EQ(stored().Record4[jetfan::kdeltap_l], "");
}

TEST_F(JetWindow, BalanceOfTheTemplateProject) {
    open([](frmJet& w) {
        w.cmdCalculateJet.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        const double total = vb::Val(w.txtdeltap_m.Text()) + vb::Val(w.txtdeltap_r.Text()) +
                             vb::Val(w.txtdeltap_l.Text()) - vb::Val(w.txtdeltap_t.Text());
        EXPECT_NEAR(vb::Val(w.txttotaldeltap_j.Text()), total, 0.011);
        EXPECT_GT(vb::Val(w.txtdeltap_r.Text()), 0);
        EXPECT_GT(vb::Val(w.txtdeltap_j.Text()), 0);
        // The count is the rounded quotient (to within the rounding of the shown rise), the power 42 kW a
        // fan.
        const double count = vb::Val(w.txti.Text());
        EXPECT_NEAR(count, vb::RoundHalfEven(std::max(0.0, total / vb::Val(w.txtdeltap_j.Text()))), 1);
        EXPECT_EQ(w.txtTotalPower.Text(), vb::Format(count * 42, "0.00"));
    });
}

// ---- Fan groups ----

TEST_F(JetWindow, GroupsEditedRowByRow) {
    open([](frmJet& w) {
        w.lstJet.ListItems.Clear(); // the template's groups set aside
        w.MultiPage1.userClick(2);
        auto add = [&w](const char* pile, const char* count, const char* press) {
            w.txtPile.userType(pile);
            w.txtJetNumPerTeam.userType(count);
            w.txtPress.userType(press);
            w.cmdAdd.userClick();
        };
        add("1200", "2", "50");
        add("1800", "2", "50");
        add("1500", "abc", ""); // appended at the end, unchecked
        EXPECT_EQ(rowsOf(w.lstJet, 3),
                  (std::vector<Row>{{"1200", "2", "50"}, {"1800", "2", "50"}, {"1500", "abc", ""}}));
        w.lstJet.userItemClick(2);
        EXPECT_EQ(w.txtPile.Text(), "1800");
        w.txtJetNumPerTeam.userType("3");
        w.cmdUpdate.userClick();
        EXPECT_EQ(rowsOf(w.lstJet, 3),
                  (std::vector<Row>{{"1200", "2", "50"}, {"1800", "3", "50"}, {"1500", "abc", ""}}));
        w.cmdDelete.userClick();
        EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{"1200", "2", "50"}, {"1500", "abc", ""}}));
        w.cmdDelete.userClick();
        w.cmdDelete.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
        // Nothing selected: update and delete change nothing.
        w.cmdUpdate.userClick();
        w.cmdDelete.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
}

TEST_F(JetWindow, AutomaticLayoutFromTheDialog) {
    open([](frmJet& w) {
        modPublic::StartPile = 1000;
        modPublic::EndPile = 3000;
        w.txtdeltap_j.userType("500.000");
        w.MultiPage1.userClick(2);
        w.txtPile.userType("99");
        w.cmdAdd.userClick();
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) {
            EXPECT_EQ(d.Caption(), "设置风机桩号");
            test_support::ExpectTexts{{d.txtJetNumPerTeam, "2"}, {d.txtTeamNum1, ""}, {d.txtSpan1, "150"},
                                      {d.txtTeamNum2, ""},       {d.txtSpan2, "150"}, {d.txtDist1, "200"},
                                      {d.txtDist2, "200"}};
            d.txtTeamNum1.userType("2");
            d.txtTeamNum2.userType("2.5"); // rounds to 2
            d.ccmdOK.userClick();
        });
        w.cmdAutoLayout.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmSetJetPile>());
        EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{"1200.00", "2", "1000.00"},
                                                         {"1350.00", "2", "1000.00"},
                                                         {"2650.00", "2", "1000.00"},
                                                         {"2800.00", "2", "1000.00"}}));

        // The dialog opens afresh; a cancel leaves the list.
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) {
            EXPECT_EQ(d.txtTeamNum1.Text(), "");
            d.txtTeamNum1.userType("5");
            d.ccmdCancel.userClick();
        });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 4);
        // So does its close box: the groups are not lost by dismissing the dialog.
        test_stage::onModal<frmSetJetPile>(
            [](frmSetJetPile& d) { EXPECT_FALSE(Forms::unload(d, platform::vbFormControlMenu)); });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 4);
        EXPECT_FALSE(Forms::isLoaded<frmSetJetPile>());

        // Both counts left empty: "布置" clears the list and lays out nothing.
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) { d.ccmdOK.userClick(); });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
}

// The dialog counts "进口段" groups from the portal the traffic enters by: on the left line the larger
// station.
TEST_F(JetWindow, AutomaticLayoutStartsAtTheEntranceOfEitherLine) {
    const struct {
        bool leftLine;
        std::vector<Row> rows;
    } cases[] = {
        {false, {{"1200.00", "3", "60.00"}, {"1350.00", "3", "60.00"}, {"2800.00", "3", "60.00"}}},
        {true, {{"2800.00", "3", "60.00"}, {"2650.00", "3", "60.00"}, {"1200.00", "3", "60.00"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.leftLine ? "left line" : "right line");
        (c.leftLine ? req.optLeftLine : req.optRightLine).set(true);
        open([&c](frmJet& w) {
            modPublic::StartPile = 1000;
            modPublic::EndPile = 3000;
            w.txtdeltap_j.userType("20.000");
            w.MultiPage1.userClick(2);
            test_support::layJetGroups({.perGroup = "3", .inlet = "2", .outlet = "1"});
            w.cmdAutoLayout.userClick();
            EXPECT_EQ(rowsOf(w.lstJet, 3), c.rows);
        });
    }
}

TEST_F(JetWindow, LayoutDialogRefusesTooManyGroupsAndStaysOpen) {
    open([](frmJet& w) {
        w.lstJet.ListItems.Clear(); // the template's groups set aside
        w.MultiPage1.userClick(2);
        w.txtPile.userType("1500");
        w.cmdAdd.userClick();
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) {
            // Either end beyond the limit: said, the dialog stays open to correct it.
            for (const auto& [inlet, outlet, asked] :
                 {std::tuple{"1001", "2", "1001"}, std::tuple{"2", "1e12", "1000000000000"}}) {
                d.txtTeamNum1.userType(inlet);
                d.txtTeamNum2.userType(outlet);
                platform::msgbox::script(platform::vbOK);
                d.ccmdOK.userClick();
                ASSERT_FALSE(platform::msgbox::log().empty());
                EXPECT_EQ(platform::msgbox::log().back().prompt,
                          std::string("射流风机组的数量 ") + asked + " 超过上限 1000，请检查输入或文件。");
                EXPECT_EQ(platform::msgbox::log().back().title, "出错");
                EXPECT_TRUE(d.bIsCancel);
            }
            EXPECT_EQ(platform::msgbox::log().size(), 2u);
            d.ccmdCancel.userClick();
        });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(rowsOf(w.lstJet, 1), (std::vector<Row>{{"1500"}}));
    });
}

// ---- The .jet file ----

const std::vector<std::string> kStoredJet = {
    "\"[风机升压力计算]\"",
    "\"900型射流风机\",\"30\",\"0.7\",\"0.95\",\"1.5\",\"0.888\",\"12.5\",\"21\",\"27\"",
    "\"[风机数量]\"",
    "\"1\",\"2\",\"3\",\"4\",\"5\",\"6.0\",\"7\"",
    "\"[风机布置]\"",
    "2",
    "\"1200.00\",\"2\",\"25.00\"",
    "\"1800.00\",\"2\",\"25.00\""};

TEST_F(JetWindow, ShowsTheStoredTextsAndWritesThemBackUnchanged) {
    ASSERT_TRUE(textfile::WriteLines(jetPath(), kStoredJet));
    const std::string before = *textfile::ReadBytes(jetPath());
    open([](frmJet& w) {
        // The model's handler ran and the stored texts replaced what it computed.
        EXPECT_EQ(w.cmbJetModel.ListIndex(), 1);
        test_support::ExpectTexts{{w.txtvj, "30"},       {w.txtAA_j, "0.7"},  {w.txtDD_j, "0.95"},
                                  {w.txtZZ_j, "1.5"},    {w.txteta, "0.888"}, {w.txtdeltap_j, "12.5"},
                                  {w.txtFlow, "21"},     {w.txtPower, "27"},  {w.txti, "6.0"},
                                  {w.txtTotalPower, "7"}};
        EXPECT_EQ(rowsOf(w.lstJet, 3),
                  (std::vector<Row>{{"1200.00", "2", "25.00"}, {"1800.00", "2", "25.00"}}));
    });
    EXPECT_EQ(*textfile::ReadBytes(jetPath()), before);
}

TEST_F(JetWindow, AModelNotInTheTableIsShownAsStored) {
    std::vector<std::string> lines = kStoredJet;
    lines[1] = "\"老型号\",\"30\",\"0.7\",\"0.95\",\"1.5\",\"0.888\",\"12.5\",\"21\",\"27\"";
    lines[5] = "0";
    lines.resize(6);
    ASSERT_TRUE(textfile::WriteLines(jetPath(), lines));
    open([](frmJet& w) {
        EXPECT_EQ(w.cmbJetModel.Text(), "老型号");
        EXPECT_EQ(w.cmbJetModel.ListIndex(), -1);
        EXPECT_EQ(w.txtFlow.Text(), "21");
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
    EXPECT_EQ(stored().Record2[jetfan::kJetName], "老型号");
    ASSERT_TRUE(stored().Groups.has_value());
    EXPECT_TRUE(stored().Groups->empty());
}

TEST_F(JetWindow, AMissingTemplateLeavesTheWindowEmpty) {
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.jet");
    open([](frmJet& w) {
        EXPECT_EQ(w.cmbJetModel.Text(), "");
        EXPECT_EQ(w.txtFlow.Text(), "");
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
    EXPECT_EQ(stored().Record2[jetfan::kJetName], "");
}

TEST_F(JetWindow, ShortAndDamagedFilesNeverStopTheWindow) {
    const std::string whole =
        textfile::ReadBytes(test_stage::appFolder() + "/ConfigFiles/Normal.jet").value();
    // Cut after the model name: its handler filled the model's boxes; the rest stays empty.
    test_support::writeGbk(jetPath(), "\"[风机升压力计算]\"\r\n\"1120型射流风机\"");
    open([](frmJet& w) {
        EXPECT_EQ(w.txtFlow.Text(), "33.79");
        EXPECT_EQ(w.txtvj.Text(), "34.305");
        EXPECT_EQ(w.txtdeltap_m.Text(), "");
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
    // Every cut of the template and random damage of its bytes, opened and closed again.
    std::mt19937 random(20240611);
    std::vector<std::string> damaged;
    for (std::size_t n = 0; n < whole.size(); n += 7) {
        damaged.push_back(whole.substr(0, n));
    }
    for (int k = 0; k < 30; ++k) {
        std::string bytes = whole + "\"1200\",\"2\",\"25\"\r\n";
        for (int j = 0; j < 8; ++j) {
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        }
        damaged.push_back(bytes);
    }
    damaged.push_back("\"t\"\r\n\"m\"\r\n\"t\"\r\n1\r\n\"t\"\r\n30000\r\n\"1\",\"2\",\"3\"\r\n");
    damaged.push_back(std::string(5000, '"'));
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(textfile::WriteAtomically(jetPath(), bytes));
        // At most the template's seven groups and the row added to them.
        open([](frmJet& w) { EXPECT_LE(w.lstJet.ListItems.Count(), 8); });
        platform::msgbox::reset();
    }
}

TEST_F(JetWindow, AFileThatCannotBeWrittenIsSaid) {
    // A folder in the place of the file.
    fs::create_directory(jetPath());
    platform::msgbox::script(platform::vbOK);
    open([](frmJet&) {});
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("射流风机通风方案文件未能保存"), std::string::npos);
}

/// The template's jet window computed under one case of step 2 and reopened under another, then under the
/// same case with another natural wind: no stored figure beside other inputs, and the hint says why.
TEST(JetReopened, UnderOtherInputsOfStep2ShowsNoneOfItsOldResults) {
    frmReq& req = Forms::instance<frmReq>();
    test_support::saveTemplateProject(req);
    const auto design = [&req](int caseIndex, const std::string& vn, const std::string& tip,
                               const std::vector<std::string>& computed) {
        EXPECT_TRUE(test_support::openScheme<frmJet>(
            req, 0,
            [&](frmJet& w, frmVentParam&) {
                const auto expectShown = [&w](const std::vector<std::string>& t) {
                    test_support::ExpectTexts{{w.txtdeltap_r, t[0]}, {w.txti, t[1]}, {w.txtTotalPower, t[2]}};
                };
                EXPECT_EQ(w.lblTip.Caption(), tip);
                // Either none of the stored balance or the one of these inputs.
                expectShown(tip.find("原计算结果已清空") != std::string::npos ? std::vector<std::string>(3)
                                                                              : computed);
                w.cmdCalculateJet.userClick();
                expectShown(computed);
            },
            [&](frmVentParam& step2) {
                step2.lstCase.setListIndex(caseIndex);
                step2.txtv_n.set(vn);
            }));
    };
    design(0, "2.5", "", {"194.26", "21.0", "882.00"});
    design(1, "2.5",
           "交通工况已由单向正常交通变为双向交通，设计需风量Qreq已由330."
           "89变为182，原计算结果已清空，请重新计算。",
           {"58.77", "14.0", "588.00"});
    design(0, "2.5",
           "交通工况已由双向交通变为单向正常交通，设计需风量Qreq已由182变为330."
           "89，原计算结果已清空，请重新计算。",
           {"194.26", "21.0", "882.00"});
    design(0, "4.5", "隧道内自然风速vn已由2.5变为4.5，原计算结果已清空，请重新计算。",
           {"194.26", "28.0", "1176.00"});
    // Reopened under the inputs it was computed with, it shows its figures and no line of them: the
    // template's 21 fans still fall short of the 28 this wind asks for.
    design(0, "4.5", "自动布置的射流风机共21台，与所需射流风机台数28台不符！", {"194.26", "28.0", "1176.00"});
    Forms::destroyAll();
}

/// Writes the template `Normal.jet` through the window's own controls, as the engineer designs the
/// template tunnel, and holds it to the shipped file; ARIDANE_TEMPLATE_OUT names the folder to write into
/// (the source ConfigFiles to regenerate it).
TEST(JetTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.jet");
    // From step 2 as the engineer comes, so that the balance has the template's design demand; step 2
    // saves its own file on leaving, which the folder keeps as it was.
    const fs::path par = fs::path(dir) / "Normal.par";
    const std::optional<std::string> parBefore = textfile::ReadBytes(par.string());
    ASSERT_TRUE(test_support::openScheme<frmJet>(req, 0, [](frmJet& w, frmVentParam&) {
        // The 1120 model, the axis 1.2 m below the crown.
        w.cmbJetModel.setText("1120型射流风机");
        w.txtZZ_j.set("1.2");
        ASSERT_EQ(w.txtFlow.Text(), "33.79");
        // 275.10 / 13.617 Pa: 21 fans.
        w.cmdCalculateJet.userClick();
        ASSERT_EQ(w.txti.Text(), "21.0");
        // Seven groups of three, side by side under the crown, laid out by the dialog: 21 fans part into
        // equal groups of three but not of two, so the layout holds the count exactly and the window names
        // no shortfall. Four groups from the entrance and three up to the exit, 150 m apart so that each jet
        // has spent its momentum before the next group takes the air, the outer groups 200 m inside the
        // portals, clear of the portal zone, so that fans stand on both sides of most fire points. Together
        // they give 7 × 40.85 Pa, so the curve ends above the exit portal's pressure.
        w.MultiPage1.userClick(2);
        test_support::layJetGroups({"3", "4", "3", "150", "150", "200", "200"});
        w.cmdAutoLayout.userClick();
        ASSERT_EQ(w.lstJet.ListItems.Count(), 7);
        EXPECT_EQ(w.lblTip.Caption(), "");
    }));
    if (parBefore) {
        EXPECT_TRUE(textfile::WriteAtomically(par.string(), *parBefore));
    } else {
        fs::remove(par);
    }
    test_support::expectShippedTemplate(dir, "Normal.jet");
    Forms::destroyAll();
}

} // namespace
