// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmAxialFanDesign.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/list_rows.h"
#include "tests/support/refused_report.h"
#include "tools/axial_fan_file.h"
#include "ventparam/frmZeta.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using platform::Forms;
using test_support::Row;
using test_support::rowsOf;

namespace {

namespace fs = std::filesystem;

class AxialFanWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Forms::instance<frmReq>();
        modPublic::ProjectFile = test_stage::appFolder() + "/tunnel.vnt";
        modPublic::AxialFanList.items.clear();
    }

    std::string fanFile(const std::string& fanNo) const {
        return test_stage::appFolder() + "/tunnel_" + fanNo + ".afd";
    }

    void writeFan(const std::string& fanNo, const std::string& Q, bool supply = true) {
        tools::AxialFanTexts fan;
        fan.Q = Q;
        fan.N = "1";
        fan.RHO = "1.2";
        fan.Supply = supply;
        fan.Exhaust = !supply;
        fan.p_s = "300";
        fan.t = "273";
        fan.P = "101.32";
        fan.eta = "0.8";
        fan.etam = "0.925";
        fan.k = "1.15";
        ASSERT_TRUE(textfile::WriteAtomically(fanFile(fanNo), tools::AxialFanFileBytes(fan)));
    }

    frmAxialFanDesign& open(std::vector<std::string> fans = {}) {
        modPublic::AxialFanList.items = std::move(fans);
        return Forms::instance<frmAxialFanDesign>();
    }

    static void addStraight(frmAxialFanDesign& w, const std::string& L, const std::string& A,
                            const std::string& P, const std::string& D, const std::string& lambda) {
        w.txtSectionPile.userType(L);
        if (w.chkKS.Value() == 1) {
            w.chkKS.userClick();
        }
        test_support::TypeInto{
            {w.txtSectionArea, A}, {w.txtSectionPerimeter, P}, {w.txtSectionD, D}, {w.txtlambdra, lambda}};
        w.cmdAddSection.userClick();
    }

    /// The hand-worked fan: one straight piece L 100, A 10, D 3.5, λ 0.02; Q 100, ρ 1.2, v_o 10, p_s 300,
    /// Disc 1, N 2, t 273, P 101.32, η 0.8, ηm 0.925, k 1.15.
    static void typeHandFan(frmAxialFanDesign& w) {
        w.txtQ.userType("100");
        w.udN.userUp();
        w.txtv.userType("10");
        w.txtDisc.userType("1");
        addStraight(w, "100", "10", "11.4286", "3.5", "0.02");
    }

    static std::vector<std::string> fileLines(const std::string& path) {
        return textfile::ReadLines(path).value_or(std::vector<std::string>{"<unreadable>"});
    }
};

} // namespace

TEST_F(AxialFanWindow, OpensWithNoFansOnDesignTextsAndWritesNothing) {
    frmAxialFanDesign& w = open();
    EXPECT_EQ(w.Caption(), "轴流风机动力设计");
    EXPECT_EQ(w.lstFanNo.ListItems.Count(), 0);
    EXPECT_EQ(w.lstFanNo.ColumnHeaders(1).Text(), "风机编号");
    EXPECT_EQ(w.lstSection.ColumnHeaders.Count(), 8);
    EXPECT_EQ(w.lstSection.ColumnHeaders(2).Text(), "渐扩|缩");
    test_support::ExpectTexts{{w.txtFanNo, ""},   {w.txtRHO, "1.2"}, {w.txtp_s, "300"},    {w.txtt, "273"},
                              {w.txtP, "101.32"}, {w.txteta, "0.8"}, {w.txtetam, "0.925"}, {w.txtk, "1.15"}};
    EXPECT_TRUE(w.optFanType1.Value());
    EXPECT_EQ(w.lbl1.Caption(), "送风口风速vb(m/s):");
    EXPECT_EQ(w.lbl4.Caption(), "送风机设计风压ptotb(Pa):");
    EXPECT_EQ(w.txtQ.BackColor(), platform::RGB(255, 255, 192));
    EXPECT_FALSE(w.Tables.TabA03_1B.empty());
    w.cmdClose.userClick();
    EXPECT_FALSE(fs::exists(fanFile("")));
    EXPECT_TRUE(modPublic::AxialFanList.empty());
}

TEST_F(AxialFanWindow, ANewFanComputesOnTheTemplatesDefaults) {
    // One fan alone runs without a parallel-operation loss: the template's factor is 1, so the first
    // press on a new fan gives (0 + 0 + 300)·1.1 / 1 = 330.00 Pa and, without a flow yet, no power.
    frmAxialFanDesign& w = open();
    for (const char* fanNo : {"", "2"}) {
        SCOPED_TRACE(fanNo);
        if (*fanNo != 0) {
            // A number without a file of its own shows the template fan.
            w.txtDisc.userType("");
            w.lstFanNo.ListItems.Add(fanNo);
            w.lstFanNo.userItemClick(1);
        }
        EXPECT_EQ(w.txtDisc.Text(), "1");
        w.cmdCalculate.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        test_support::ExpectTexts{
            {w.txtp_d, "0.00"}, {w.txtp_tot, "330.00"}, {w.txtSSkw, "0.00"}, {w.txtMM, "0.00"}};
    }
}

TEST_F(AxialFanWindow, OpeningASavedProjectLoadsTheFirstFan) {
    writeFan("1", "80");
    writeFan("2", "60", false);
    frmAxialFanDesign& w = open({"1", "2"});
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"1"}, {"2"}}));
    EXPECT_EQ(w.txtFanNo.Text(), "1");
    EXPECT_EQ(w.txtQ.Text(), "80");
    // No content is written under the empty number before a fan is shown.
    EXPECT_FALSE(fs::exists(fanFile("")));

    w.lstFanNo.userItemClick(2);
    EXPECT_EQ(w.txtFanNo.Text(), "2");
    EXPECT_EQ(w.txtQ.Text(), "60");
    EXPECT_TRUE(w.optFanType2.Value());
    EXPECT_EQ(w.lbl3.Caption(), "排风口处总升压力pse(Pa):");
}

TEST_F(AxialFanWindow, MenuShowsTheWindowModallyOverTheMainWindow) {
    bool shown = false;
    test_stage::onModal<frmAxialFanDesign>([&](frmAxialFanDesign& w) {
        shown = true;
        EXPECT_TRUE(w.IsModal());
        w.txtFanNo.userType("A1");
        w.cmdAddFan.userClick();
        w.cmdClose.userClick();
    });
    Forms::instance<frmReq>().mnuToolsmnuFanPowerAnalysis.userClick();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Forms::isLoaded<frmAxialFanDesign>());
    EXPECT_EQ(modPublic::AxialFanList.items, std::vector<std::string>{"A1"});
    EXPECT_TRUE(fs::exists(fanFile("A1")));
}

TEST_F(AxialFanWindow, ComputesTheHandWorkedFan) {
    frmAxialFanDesign& w = open();
    typeHandFan(w);
    EXPECT_EQ(w.txtN.Text(), "2");
    w.cmdCalculate.userClick();
    // 0.02·100·0.6·10²/3.5 = 34.29; (60 + 34.29 + 300)·1.1 = 433.72;
    // 50·433.72·293·101.32/(1000·0.8·273·101.325) = 29.09; 29.09·1.15/0.925 = 36.17.
    test_support::ExpectTexts{
        {w.txtp_d, "34.29"}, {w.txtp_tot, "433.72"}, {w.txtSSkw, "29.09"}, {w.txtMM, "36.17"}};

    w.optFanType2.userClick();
    EXPECT_EQ(w.lbl2.Caption(), "排风口,排风井及连接风道总压力损失pde(Pa):");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    // (60 + 34.29 − 300)·1.1 = −226.28, shown with its sign; the opening's pressure drives the air, so
    // no fan power is worked from it (not −15.18 and −18.87 kW).
    EXPECT_EQ(w.txtp_tot.Text(), "-226.28");
    EXPECT_EQ(w.txtSSkw.Text(), "");
    EXPECT_EQ(w.txtMM.Text(), "");
    test_support::expectOneMessage(
        {.prompt = "设计风压为负：风道在该方向不需要风机升压，不计算风机功率和电机功率。"});

    // Empty lists: p_d 0.00 and p_tot = (60 − 300)·1.1 = −264.00.
    w.cmdDeleteSection.userClick();
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtp_d.Text(), "0.00");
    EXPECT_EQ(w.txtp_tot.Text(), "-264.00");
    EXPECT_NEAR(w.GetSpeedAtPosition(1), 0, 0);
}

TEST_F(AxialFanWindow, AStepThatCannotBeFormedLeavesNoStaleResults) {
    frmAxialFanDesign& w = open();
    typeHandFan(w);
    w.cmdCalculate.userClick();
    ASSERT_EQ(w.txtMM.Text(), "36.17");

    w.txtDisc.userType("");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    test_support::ExpectTexts{{w.txtp_d, "34.29"}, {w.txtp_tot, ""}, {w.txtSSkw, ""}, {w.txtMM, ""}};
    test_support::expectOneMessage(
        {.prompt = "多台风机并列运行效率损失不能为0或空，设计风压无法计算。", .title = "轴流风机动力设计"});

    w.txtDisc.userType("1");
    w.txteta.userType("0");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtp_tot.Text(), "433.72");
    EXPECT_EQ(w.txtSSkw.Text(), "");
    EXPECT_EQ(w.txtMM.Text(), "");
    EXPECT_EQ(platform::msgbox::log().back().prompt, "风机效率η不能为0或空，风机功率无法计算。");

    w.txteta.userType("0.8");
    w.txtetam.userType("");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtSSkw.Text(), "29.09");
    EXPECT_EQ(w.txtMM.Text(), "");
    EXPECT_EQ(platform::msgbox::log().back().prompt, "电机效率ηm不能为0或空，电机功率无法计算。");
}

TEST_F(AxialFanWindow, SectionAndLossEditors) {
    frmAxialFanDesign& w = open();
    // Area 0.5 and perimeter 2.0 give the diameter 1.000; a zero perimeter keeps it.
    w.txtSectionArea.userType("0.5");
    w.txtSectionPerimeter.userType("2.0");
    EXPECT_EQ(w.txtSectionD.Text(), "1.000");
    w.txtSectionPerimeter.userType("0");
    EXPECT_EQ(w.txtSectionD.Text(), "1.000");

    // "水泥浆壁面(粗糙)": Δ 4.7 and λ = 1/(1.1138 − 2·log10(0.0047))² = 0.0302 → "0.030"; the list hides.
    w.cmdSectionDelta.userClick();
    EXPECT_TRUE(w.lstWallMaterial.Visible());
    w.lstWallMaterial.userClick(3);
    EXPECT_EQ(w.txtSectionDelta.Text(), "");
    EXPECT_TRUE(w.lstWallMaterial.Visible());
    w.lstWallMaterial.userClick(6);
    EXPECT_EQ(w.txtSectionDelta.Text(), "4.7");
    EXPECT_EQ(w.txtlambdra.Text(), "0.030");
    EXPECT_FALSE(w.lstWallMaterial.Visible());
    // Without a diameter no λ can be formed: the box shows none.
    w.txtSectionD.userType("");
    w.cmdSectionDelta.userClick();
    w.lstWallMaterial.userClick(0);
    EXPECT_EQ(w.txtlambdra.Text(), "");

    addStraight(w, "a", "1", "4", "1", "0.02");
    addStraight(w, "b", "2", "4", "2", "0.02");
    addStraight(w, "c", "3", "4", "3", "0.02");
    // A tapered piece keeps its length and "1" only, and disables the section frame.
    w.lstSection.userItemClick(2);
    w.txtSectionPile.userType("new");
    w.chkKS.userClick();
    EXPECT_FALSE(w.frmSectionData.Enabled());
    w.cmdInsertSection.userClick();
    EXPECT_EQ(rowsOf(w.lstSection, 8), (std::vector<Row>{{"a", "0", "1", "4", "1", "0.5", "0.02", ""},
                                                         {"new", "1", "", "", "", "", "", ""},
                                                         {"b", "0", "2", "4", "2", "0.5", "0.02", ""},
                                                         {"c", "0", "3", "4", "3", "0.5", "0.02", ""}}));
    // Selecting a row ends with its stored diameter although area and perimeter recompute it first.
    w.lstSection.userItemClick(4);
    EXPECT_EQ(w.chkKS.Value(), 0);
    EXPECT_TRUE(w.frmSectionData.Enabled());
    EXPECT_EQ(w.txtSectionD.Text(), "3");
    EXPECT_EQ(w.txtlambdra.Text(), "0.02");

    w.txtzetapile.userType("15");
    w.txtzeta.userType("0.5");
    w.txtZetaDisc.userType("弯头");
    w.cmdAddZeta.userClick();
    test_stage::onModal<frmZeta>([](frmZeta& z) {
        z.lstZetaType.userClick(5);
        z.cmdCalculate.userClick();
        z.cmdOK.userClick();
    });
    w.cmdZeta.userClick();
    EXPECT_EQ(w.txtzeta.Text(), "0.550");
    EXPECT_FALSE(Forms::isLoaded<frmZeta>());
    w.cmdUpdateZeta.userClick();
    EXPECT_EQ(rowsOf(w.lstzeta, 3), (std::vector<Row>{{"15", "0.550", "弯头"}}));
    // The close box of the loss dialog leaves the coefficient as it was.
    test_stage::onModal<frmZeta>([](frmZeta& z) { Forms::unload(z, platform::vbFormControlMenu); });
    w.cmdZeta.userClick();
    EXPECT_EQ(w.txtzeta.Text(), "0.550");

    // Editors of empty lists do nothing.
    w.cmdDeleteZeta.userClick();
    w.cmdDeleteZeta.userClick();
    w.cmdUpdateZeta.userClick();
    for (int i = 0; i < 5; ++i) {
        w.cmdDeleteSection.userClick();
    }
    w.cmdInsertSection.userClick();
    w.cmdUpdateSection.userClick();
    EXPECT_EQ(w.lstSection.ListItems.Count(), 0);
    EXPECT_EQ(w.lstzeta.ListItems.Count(), 0);
}

TEST_F(AxialFanWindow, AFanFileIsWrittenAndReadBackWhole) {
    frmAxialFanDesign& w = open();
    w.txtFanNo.userType("1");
    w.cmdAddFan.userClick();
    typeHandFan(w);
    w.optFanType2.userClick();
    // An exhaust fan that has a pressure to make, so that every result box holds a figure.
    w.txtp_s.userType("0");
    w.txtSectionPile.userType("5");
    w.chkKS.userClick();
    w.cmdAddSection.userClick();
    w.txtzetapile.userType("50");
    w.txtzeta.userType("0.3");
    w.cmdAddZeta.userClick();
    w.cmdCalculate.userClick();
    const auto before = rowsOf(w.lstSection, 8);
    const std::string p_tot = w.txtp_tot.Text();
    const std::string motor = w.txtMM.Text();
    ASSERT_NE(motor, "");

    w.txtFanNo.userType("2");
    w.cmdAddFan.userClick();
    w.lstFanNo.userItemClick(1);
    EXPECT_EQ(w.txtFanNo.Text(), "1");
    w.txtQ.userType("1");
    w.lstFanNo.userItemClick(2);
    w.lstFanNo.userItemClick(1);
    EXPECT_EQ(w.txtQ.Text(), "1");
    EXPECT_EQ(w.txtN.Text(), "2");
    EXPECT_TRUE(w.optFanType2.Value());
    EXPECT_EQ(w.lbl1.Caption(), "排风口风速ve(m/s):");
    EXPECT_EQ(rowsOf(w.lstSection, 8), before);
    EXPECT_EQ(rowsOf(w.lstzeta, 3), (std::vector<Row>{{"50", "0.3", ""}}));
    EXPECT_EQ(w.txtp_tot.Text(), p_tot);
    EXPECT_EQ(w.txtMM.Text(), motor);

    const auto lines = fileLines(fanFile("1"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "\"1\",\"2\",\"1.2\",#FALSE#,#TRUE#,\"10\",\"1\"");
    EXPECT_EQ(lines[1], "\"[沿程损失计算]\"");
    EXPECT_EQ(lines[2], "2");
    EXPECT_EQ(lines[4], "\"5\",\"1\",\"\",\"\",\"\",\"\",\"\",\"\"");
    EXPECT_EQ(lines[5], "\"[局部损失计算]\"");
    const auto bytes = textfile::ReadBytes(fanFile("1")).value_or("");
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(textcodec::ToGbk("[沿程损失计算]")), std::string::npos);
}

TEST_F(AxialFanWindow, AddingAFanKeepsTheShownFansEditsInItsOwnFile) {
    writeFan("2", "60");
    frmAxialFanDesign& w = open({"2"});
    w.txtQ.userType("75");
    w.txtFanNo.userType("3");
    w.cmdAddFan.userClick();
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"2"}, {"3"}}));
    EXPECT_EQ(w.lstFanNo.SelectedIndex(), 2);
    EXPECT_EQ(w.ShownFanNo(), "3");
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("3"))).Q, "75");
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("2"))).Q, "75");

    // A row edit saves the shown fan and renames no fan of the list.
    w.txtQ.userType("90");
    addStraight(w, "10", "1", "4", "1", "0.02");
    w.lstSection.userItemClick(1);
    w.cmdUpdateSection.userClick();
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"2"}, {"3"}}));
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("3"))).Q, "90");
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("2"))).Q, "75");
}

TEST_F(AxialFanWindow, FanNumbersThatCannotNameAFileAreRefused) {
    writeFan("2", "60");
    frmAxialFanDesign& w = open({"2"});
    const std::pair<const char*, const char*> refused[] = {
        {"", "请输入风机编号。"},
        {"2", "风机编号2已存在，请换一个编号。"},
        {"..\\x", "风机编号用作文件名，不能含有字符 \\ / : * ? \" < > | 。"},
        {"..", "风机编号不能为\"..\"。"},
    };
    for (const auto& [fanNo, message] : refused) {
        w.txtFanNo.userType(fanNo);
        platform::msgbox::script(platform::vbOK);
        w.cmdAddFan.userClick();
        EXPECT_EQ(platform::msgbox::log().back().prompt, message) << fanNo;
    }
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"2"}}));

    // "更新" renames the selected fan; its old file stays. Its own number is no duplicate of itself.
    w.txtFanNo.userType("2");
    w.cmdUpdateFan.userClick();
    w.txtFanNo.userType("5");
    w.cmdUpdateFan.userClick();
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"5"}}));
    EXPECT_TRUE(fs::exists(fanFile("5")));
    EXPECT_TRUE(fs::exists(fanFile("2")));
    w.txtFanNo.userType("a/b");
    platform::msgbox::script(platform::vbOK);
    w.cmdUpdateFan.userClick();
    EXPECT_EQ(rowsOf(w.lstFanNo, 1), (std::vector<Row>{{"5"}}));
}

TEST_F(AxialFanWindow, CloseReplacesTheProjectsFanList) {
    writeFan("1", "80");
    writeFan("2", "60");
    frmAxialFanDesign& w = open({"1", "2"});
    w.txtQ.userType("81");
    w.txtFanNo.userType("7");
    w.cmdAddFan.userClick();
    w.cmdClose.userClick();
    EXPECT_FALSE(Forms::isLoaded<frmAxialFanDesign>());
    EXPECT_EQ(modPublic::AxialFanList.items, (std::vector<std::string>{"1", "2", "7"}));
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("1"))).Q, "81");

    // Deleting every fan empties the list: the deleted fans do not come back. No file is deleted.
    frmAxialFanDesign& again = open({"1", "2", "7"});
    for (int i = 0; i < 4; ++i) {
        again.cmdDeleteFan.userClick();
    }
    again.cmdClose.userClick();
    EXPECT_TRUE(modPublic::AxialFanList.empty());
    EXPECT_TRUE(fs::exists(fanFile("1")));
}

TEST_F(AxialFanWindow, TheCloseBoxKeepsTheFanAndTheList) {
    writeFan("1", "80");
    frmAxialFanDesign& w = open({"1"});
    w.txtQ.userType("99");
    w.cmdDeleteFan.userClick();
    platform::msgbox::script(platform::vbYes);
    Forms::unload(w, platform::vbFormControlMenu);
    EXPECT_FALSE(Forms::isLoaded<frmAxialFanDesign>());
    EXPECT_EQ(modPublic::AxialFanList.items, std::vector<std::string>{"1"});
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("1"))).Q, "99");
}

TEST_F(AxialFanWindow, MissingAndDamagedFanFilesNeverStopTheWindow) {
    // A new number loads the template.
    frmAxialFanDesign& w = open({"9"});
    EXPECT_EQ(w.txtN.Text(), "1");
    EXPECT_EQ(w.txtp_s.Text(), "300");
    EXPECT_TRUE(w.optFanType1.Value());
    w.cmdClose.userClick();

    // A truncated file fills what it holds; a file of rubbish and an empty file leave empty boxes.
    std::ofstream(fanFile("t"), std::ios::binary)
        << "\"42\",\"2\",\"1.2\",#FALSE#,#TRUE#,\"\",\"\"\r\n\"[h]\"\r\n2\r\n\"1\",\"0\",\"1\"";
    std::ofstream(fanFile("r"), std::ios::binary) << "\x01\xff,,\"\r\n9999999999999\r\n,,#";
    std::ofstream(fanFile("e"), std::ios::binary);
    frmAxialFanDesign& d = open({"t", "r", "e"});
    EXPECT_EQ(d.txtQ.Text(), "42");
    EXPECT_TRUE(d.optFanType2.Value());
    EXPECT_EQ(d.lstSection.ListItems.Count(), 0);
    EXPECT_EQ(d.txtk.Text(), "");
    d.lstFanNo.userItemClick(2);
    d.lstFanNo.userItemClick(3);
    EXPECT_EQ(d.txtQ.Text(), "");
    EXPECT_EQ(d.txtRHO.Text(), "");
    platform::msgbox::script(platform::vbOK);
    d.cmdCalculate.userClick();
    EXPECT_EQ(d.txtp_d.Text(), "0.00");

    // Unnamed project: the template is read and nothing is written.
    d.cmdClose.userClick();
    modPublic::ProjectFile = "";
    frmAxialFanDesign& u = open({"1"});
    EXPECT_EQ(u.txtp_s.Text(), "300");
    u.txtFanNo.userType("8");
    u.cmdAddFan.userClick();
    u.cmdClose.userClick();
    EXPECT_FALSE(fs::exists(test_stage::appFolder() + "/_8.afd"));
}

TEST_F(AxialFanWindow, AListCountAboveTheCapIsRefusedInTheErrorBoxAndTheFileIsKept) {
    for (const bool losses : {false, true}) {
        SCOPED_TRACE(losses ? "local losses" : "duct pieces");
        tools::AxialFanTexts fan;
        fan.Q = "42";
        fan.Sections.assign(losses ? 2 : 1001, {"10", "#FALSE#", "1", "4", "1", "0", "0.02", ""});
        fan.Zetas.assign(1001, {"5", "0.5", ""});
        fan.p_s = "300";
        const std::string bytes = tools::AxialFanFileBytes(fan);
        ASSERT_TRUE(textfile::WriteAtomically(fanFile("big"), bytes));

        platform::msgbox::reset();
        platform::msgbox::script(platform::vbOK);
        const std::size_t read = scheme::FieldsRead();
        frmAxialFanDesign& w = open({"big"});
        EXPECT_LT(scheme::FieldsRead() - read, 1001u) << "no field of the refused rows read";
        test_support::expectOneMessage({.prompt = std::string(losses ? "局部损失" : "风道分段") +
                                                  "的数量 1001 超过上限 1000，请检查输入或文件。",
                                        .title = "出错"});
        EXPECT_EQ(w.txtQ.Text(), "42") << "what comes before the count is read";
        EXPECT_EQ(w.lstSection.ListItems.Count(), losses ? 2 : 0);
        EXPECT_EQ(w.lstzeta.ListItems.Count(), 0);
        EXPECT_EQ(w.txtp_s.Text(), "") << "nothing after the count";
        w.cmdClose.userClick();
        EXPECT_EQ(textfile::ReadBytes(fanFile("big")), bytes) << "what was read is no edit of the engineer's";
    }
}

TEST_F(AxialFanWindow, AFullListTakesNoRowThatItsFileCouldNotReadBack) {
    tools::AxialFanTexts fan;
    fan.Sections.assign(1000, {"10", "#FALSE#", "1", "4", "1", "0", "0.02", ""});
    fan.Zetas.assign(1000, {"5", "0.5", ""});
    ASSERT_TRUE(textfile::WriteAtomically(fanFile("full"), tools::AxialFanFileBytes(fan)));
    frmAxialFanDesign& w = open({"full"});
    for (platform::CommandButton* add : {&w.cmdAddSection, &w.cmdInsertSection, &w.cmdAddZeta}) {
        const char* what = add == &w.cmdAddZeta ? "局部损失" : "风道分段";
        test_support::expectOneMessageOf([add] { add->userClick(); },
                                         {.prompt = std::string(what) + "的数量已达上限 1000，不能再添加。"});
    }
    EXPECT_EQ(w.lstSection.ListItems.Count(), 1000);
    EXPECT_EQ(w.lstzeta.ListItems.Count(), 1000);
    w.cmdClose.userClick();
}

TEST_F(AxialFanWindow, TheReportRecalculatesEveryFanAndOpensInTheViewer) {
    Forms::instance<frmReq>().txtProjectName.set("某隧道");
    frmAxialFanDesign& w = open();
    w.txtFanNo.userType("1");
    w.cmdAddFan.userClick();
    typeHandFan(w);
    w.cmdCalculate.userClick();
    w.txtFanNo.userType("2");
    w.cmdAddFan.userClick();
    w.optFanType2.userClick();
    w.lstFanNo.userItemClick(1);
    // Changed after the last calculation: the report prints results of what it prints beside them.
    w.txtp_s.userType("200");
    w.cmdReport.userClick();

    const std::string report = test_stage::appFolder() + "/tunnel_轴流风机动力设计.rpt";
    EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});
    const auto bytes = textfile::ReadBytes(report).value_or("");
    EXPECT_NE(bytes.find(textcodec::ToGbk("轴流风机动力设计计算书") + "\r\n"), std::string::npos);
    const auto lines = fileLines(report);
    ASSERT_GE(lines.size(), 66u);
    EXPECT_EQ(lines[0], std::string(16, ' ') + "某隧道轴流风机动力设计计算书");
    EXPECT_EQ(lines[2], "风机编号:1");
    EXPECT_EQ(
        lines[14],
        "    100.00          0          10.000    11.429      03.500      00.000          00.020      ");
    // (60 + 34.29 + 200)·1.1 = 323.72
    EXPECT_EQ(lines[22], "送风机设计风压ptotb(Pa):\t323.72");
    EXPECT_EQ(lines[35], "风机编号:2");
    EXPECT_EQ(lines[41], "风机类型:        \t排风机");
    EXPECT_EQ(w.txtFanNo.Text(), "2");
    EXPECT_EQ(w.lstFanNo.SelectedIndex(), 2);
    EXPECT_EQ(tools::ParseAxialFanFile(*textfile::ReadBytes(fanFile("1"))).p_tot, "323.72");
}

TEST_F(AxialFanWindow, AnUnnamedProjectGetsNoReport) {
    modPublic::ProjectFile = "";
    frmAxialFanDesign& w = open();
    refused_report::expectAskedToSaveFirst(w.cmdReport);
}
