// SPDX-License-Identifier: GPL-3.0-or-later
// The construction-ventilation window as a site engineer drives it: opened from the main window's menu,
// calculated on the shipped template, its .cvt file written and read back, the duct-leakage dialog, the
// friction panel and the report.
#include "tools/frmConstructionVent.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/template_out.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/refused_report.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"
#include "tools/frmSelectP.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using test_support::writeBytes;
namespace fs = std::filesystem;
using platform::Forms;

std::string folderFile(const std::string& name) {
    return test_stage::appFolder() + "/" + name;
}

std::vector<std::string> readLines(const std::string& path) {
    return textfile::ReadLines(path).value_or(std::vector<std::string>{});
}

frmConstructionVent& openWindow() {
    return Forms::instance<frmConstructionVent>();
}

std::vector<std::string> dieselRow(frmConstructionVent& w, int i) {
    platform::ListItem& row = w.lstNR.ListItems(i);
    return {row.Text(), row.SubItems(1), row.SubItems(2), row.SubItems(3), row.SubItems(4)};
}

} // namespace

// Writes the template normal.cvt from the window itself and holds it to the shipped file; with
// ARIDANE_TEMPLATE_OUT set it also leaves it in that folder, to be copied into ConfigFiles after changing
// the starting values.
TEST(ConstructionTemplate, WriteTemplate) {
    modPublic::ProjectFile = folderFile("template.vnt");
    frmConstructionVent& w = openWindow();
    // A two-lane road tunnel heading of 80 m² driven full face with forced ventilation through a 1.5 m
    // flexible duct: the duct Darcy factor 0.015, P100 = 2 % (the code limit per 100 m) and its
    // whole-duct leakage 1 / (1 − 0.02 × 15) = 1.429, 3 m³/min per worker, 0.25 m/s in the heading.
    w.txtA.set("80");
    w.txtTunnelL.set("1500");
    w.txtTubeL.set("1500");
    w.txtD.set("1.5");
    w.txtRHO.set("1.2");
    w.optType(0).set(true);
    w.txtG.set("150");
    w.txtt.set("30");
    w.lstMethod1.setListIndex(0);
    w.txtPHI(0).set("0.8");
    w.txtb(0).set("40");
    w.txtk.set("0.5");
    w.txtLF.set("0.02");
    w.lstMethod2.setListIndex(0);
    w.optLeiGuan2.set(true);
    w.txtb(1).set("40");
    w.lstMethod3.setListIndex(0);
    w.txtPHI(1).set("0.8");
    w.txtb(2).set("40");
    w.txtL(1).set("30");
    w.lstMethod4.setListIndex(1);
    w.txtHP.set("1.2");
    w.optHY.set(true);
    w.txtv.set("0.25");
    w.txtN.set("50");
    w.txtqperperson.set("3");
    w.lstNR.ListItems.Clear();
    for (const auto& row : std::vector<std::vector<std::string>>{{"3", "160", "1", "0.8", "0.75"},
                                                                 {"3", "200", "2", "0.6", "0.7"}}) {
        w.txtqperkW.set(row[0]);
        w.txtNi.set(row[1]);
        w.txtNum.set(row[2]);
        w.txtTi.set(row[3]);
        w.txtwi.set(row[4]);
        w.cmdAdd_Click();
    }
    w.cmbgasname.setListIndex(5);
    w.txtgas.set("0.5");
    w.txtptot.set("1.429");
    w.txtXZ.set("0.9");
    w.txtlambdra.set("0.015");
    w.txtzeta.set("2");
    w.udFanNum.set(1);
    w.txtFanNum.set("1");
    w.optLayoutType1.set(true);
    w.txtRatio.set("1");
    for (platform::TextBox* result :
         {&w.txtP, &w.txtL(0), &w.txtQ(0), &w.txtQ(1), &w.txtQ(2), &w.txtQ(3), &w.txtQ(4), &w.txtQ(5),
          &w.txtH1, &w.txtH2, &w.txth, &w.txtQf, &w.txtPf}) {
        result->set("");
    }
    w.cmdClose.userClick();
    const fs::path written = folderFile("normal.cvt");
    fs::copy_file(folderFile("template.cvt"), written, fs::copy_options::overwrite_existing);
    if (const char* out = std::getenv("ARIDANE_TEMPLATE_OUT")) {
        fs::copy_file(written, fs::path(out) / "normal.cvt", fs::copy_options::overwrite_existing);
    }
    test_support::expectShippedTemplate(written.parent_path().string(), "normal.cvt");
}

TEST(ConstructionWindow, MenuShowsItModallyWithTheTemplateOfAnUnnamedProject) {
    bool shown = false;
    test_stage::onModal<frmConstructionVent>([&](frmConstructionVent& w) {
        shown = true;
        EXPECT_EQ(w.Caption(), "施工通风计算");
        EXPECT_EQ(w.txtA.Text(), "80");
        EXPECT_EQ(w.txtTubeL.Text(), "1500");
        EXPECT_TRUE(w.optType(0).Value());
        EXPECT_TRUE(w.frmtype(0).Visible());
        EXPECT_FALSE(w.frmtype(1).Visible());
        EXPECT_EQ(w.lstMethod1.ListIndex(), 0);
        EXPECT_EQ(w.lstNR.ListItems.Count(), 2);
        test_support::ExpectTexts{
            {w.cmbgasname, "甲烷(CH4)"}, {w.txtC, "1"}, {w.txtFanNum, "1"}, {w.txtzeta, "2"}};
        EXPECT_EQ(w.txtQ(5).Text(), "");
        EXPECT_FALSE(w.frma.Visible());
        w.cmdClose.userClick();
    });
    Forms::instance<frmReq>().mnuToolsmnuConstructionVent.userClick();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Forms::isLoaded<frmConstructionVent>());
    // An unnamed project writes nothing.
    for (const auto& entry : fs::directory_iterator(test_stage::appFolder())) {
        EXPECT_NE(entry.path().extension(), ".cvt");
    }
}

TEST(ConstructionWindow, CalculationOnTheTemplate) {
    frmConstructionVent& w = openWindow();
    w.cmdCal.userClick();
    // p = 1 / (1 − 0.02 × 1500 × 0.01) = 1.429; L = 12.5 × 150 × 40 × 0.5 / 80 / 1.429² = 229.550;
    // Q1 = 2.25 × (150 × (80 × 229.55)² × 0.8 × 40 / 1.429²)^0.3333 / 30 = 693.482.
    EXPECT_EQ(w.txtP.Text(), "1.429");
    EXPECT_EQ(w.txtL(0).Text(), "229.550");
    EXPECT_EQ(w.txtQ(0).Text(), "693.482");
    // Q2 = 0.25 × 60 × 80 = 1200; Q3 = 3 × 50 = 150; Q4 = 3 × 160 × 0.8 × 0.75 + 3 × 200 × 2 × 0.6 × 0.7
    // = 288 + 504 = 792; Q5 = 100 × 0.5 / 1 = 50.
    EXPECT_EQ(w.txtQ(1).Text(), "1200");
    EXPECT_EQ(w.txtQ(2).Text(), "150");
    EXPECT_EQ(w.txtQ(3).Text(), "792.000");
    EXPECT_EQ(w.txtQ(4).Text(), "50.000");
    // Q = 1200 / 0.9 / 60 = 22.222, × 1.429 = 31.755 (Q2 governs, so the duct leakage counts).
    EXPECT_EQ(w.txtQ(5).Text(), "31.755");
    // vd = 31.755 × 4 / 3.1415926 / 2.25 = 17.96985; H1 = vd² × 0.6 × 1500 × 0.015 / 1.5 = 2906.329;
    // H2 = vd² × 0.6 × 2 = 387.511; one fan in parallel: Qf = 31.76, Pf = H / 1.
    const double vd = 31.755 * 4 / 3.1415926 / 2.25;
    test_support::ExpectTexts{
        {w.txtH1, vb::Format(vd * vd * 0.6 * 1500 * 0.015 / 1.5, "0.000")},
        {w.txtH2, vb::Format(vd * vd * 0.6 * 2, "0.000")},
        {w.txth, vb::Format(vb::Val(w.txtH1.Text()) + vb::Val(w.txtH2.Text()), "0.000")},
        {w.txtQf, "31.76"},
        {w.txtPf, vb::Format(vb::Val(w.txth.Text()), "0.00")}};
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST(ConstructionWindow, AZeroInputIsNamedAndLeavesNoStaleResult) {
    frmConstructionVent& w = openWindow();
    w.cmdCal.userClick();
    ASSERT_FALSE(w.txtQ(5).Text().empty());
    w.txtXZ.userType("0");
    platform::msgbox::script(platform::vbOK);
    w.cmdCal.userClick();
    test_support::expectOneMessage(
        {.prompt = "以下输入使计算无法完成，相应结果已清空：\n修正系数为0，修正后需风量Q无法计算",
         .title = "施工通风计算"});
    EXPECT_EQ(w.txtQ(5).Text(), "");
    EXPECT_EQ(w.txth.Text(), "");
    EXPECT_EQ(w.txtPf.Text(), "");
    EXPECT_EQ(w.txtQ(1).Text(), "1200");
}

TEST(ConstructionWindow, MethodListsGasListRowsAndSpinners) {
    frmConstructionVent& w = openWindow();
    // Method 5 relabels the length and presets 20; another method restores the label and keeps the text.
    w.lstMethod1.userClick(4);
    EXPECT_EQ(w.lblL(0).Caption(), "炮烟抛掷长度lo(m):");
    EXPECT_EQ(w.txtL(0).Text(), "20");
    EXPECT_FALSE(w.txtLF.Enabled());
    w.lstMethod1.userClick(1);
    EXPECT_EQ(w.lblL(0).Caption(), "临界长度L(m):");
    EXPECT_EQ(w.txtL(0).Text(), "20");
    EXPECT_FALSE(w.txtL(0).Enabled());
    w.lstMethod1.userClick(0);
    EXPECT_TRUE(w.txtLF.Enabled());
    EXPECT_TRUE(w.cmdP100.Enabled());
    w.lstMethod2.setListIndex(1);
    EXPECT_FALSE(w.txtb(1).Enabled());

    w.optType(2).userClick();
    EXPECT_TRUE(w.frmtype(2).Visible());
    EXPECT_FALSE(w.frmtype(0).Visible());
    EXPECT_EQ(w.frmtype(2).Left(), w.frmtype(0).Left());

    w.txtC.userType("0.3");
    w.cmbgasname.userSelect(1);
    EXPECT_EQ(w.txtC.Text(), "0.0024");

    // Update and delete without a selected row change nothing; clicking a row fills the boxes.
    w.lstNR.ListItems.Clear();
    w.cmdUpdate.userClick();
    w.cmdDelete.userClick();
    EXPECT_EQ(w.lstNR.ListItems.Count(), 0);
    test_support::TypeInto{
        {w.txtqperkW, "1.5"}, {w.txtNi, "120"}, {w.txtNum, "2"}, {w.txtTi, "0.8"}, {w.txtwi, ""}};
    w.cmdAdd.userClick();
    w.txtNi.userType("90");
    w.cmdAdd.userClick();
    EXPECT_EQ(dieselRow(w, 1), (std::vector<std::string>{"1.5", "120", "2", "0.8", ""}));
    w.lstNR.userItemClick(2);
    w.txtwi.userType("0.7");
    w.cmdUpdate.userClick();
    EXPECT_EQ(dieselRow(w, 2), (std::vector<std::string>{"1.5", "90", "2", "0.8", "0.7"}));
    w.lstNR.userItemClick(1);
    EXPECT_EQ(w.txtNi.Text(), "120");
    w.cmdDelete.userClick();
    ASSERT_EQ(w.lstNR.ListItems.Count(), 1);
    EXPECT_EQ(w.lstNR.ListItems(1).SubItems(1), "90");

    w.udFanNum.userUp();
    EXPECT_EQ(w.txtFanNum.Text(), "2");
    w.udRatio.userUp();
    EXPECT_EQ(w.txtRatio.Text(), vb::CStr((w.udRatio.Value()) * 0.1));
}

TEST(ConstructionWindow, FrictionPanelNamesAMissingTableAndLooksUpAPresentOne) {
    frmConstructionVent& w = openWindow();
    w.cmdLambda.userClick();
    EXPECT_TRUE(w.frma.Visible());
    w.lstTubeType.userClick(2);
    ASSERT_EQ(w.lstRe.ListCount(), 10);
    EXPECT_EQ(w.lstRe.List(2), "3*10^5");
    EXPECT_EQ(w.lblTube.Caption(), "风管特征Re:");
    platform::msgbox::script(platform::vbOK);
    w.lstRe.userClick(2);
    test_support::expectOneMessage(
        {.prompt =
             "系数表文件中没有胶质风管的摩擦阻力系数表 TabA12_4_3，风管摩擦阻力系数未改变，请直接输入。"});
    EXPECT_EQ(w.txtlambdra.Text(), "0.015");
    EXPECT_FALSE(w.frma.Visible());

    // With a metal-duct table in the table file, "800" is looked up at 800 mm: halfway from 0.02 to 0.016.
    w.FrictionTables[0] = CoefTable{{500, 1000}, {0}, {{0.021, 0.016}}};
    w.cmdLambda.userClick();
    w.lstTubeType.userClick(0);
    EXPECT_EQ(w.lblTube.Caption(), "风管直径(mm):");
    w.lstRe.userClick(3);
    EXPECT_EQ(w.txtlambdra.Text(), "0.018");
}

// The shipped metal and PVC tables hold the Darcy λ the calculation multiplies by L/D: the chooser hands
// it over without a box. Metal 1000 mm on the template with D = 1 m: vd = 31.755 × 4 / 3.1415926 = 40.431,
// H1 = vd² × 0.6 × 1500 × 0.0141 / 1 = 20744.5 Pa. PVC 700 mm lies halfway between 0.0191 and 0.0202.
TEST(ConstructionWindow, ShippedDuctTablesGiveTheDarcyFactor) {
    frmConstructionVent& w = openWindow();
    w.cmdLambda.userClick();
    w.lstTubeType.userClick(0);
    w.lstRe.userClick(1);
    EXPECT_EQ(w.txtlambdra.Text(), "0.0157");
    w.cmdLambda.userClick();
    w.lstTubeType.userClick(1);
    w.lstRe.userClick(2);
    EXPECT_EQ(w.txtlambdra.Text(), "0.01965");
    w.cmdLambda.userClick();
    w.lstTubeType.userClick(0);
    w.lstRe.userClick(5);
    EXPECT_EQ(w.txtlambdra.Text(), "0.0141");
    EXPECT_TRUE(platform::msgbox::log().empty());

    w.txtD.userType("1");
    w.cmdCal.userClick();
    const double vd = 31.755 * 4 / 3.1415926;
    EXPECT_EQ(w.txtH1.Text(), vb::Format(vd * vd * 0.6 * 1500 * 0.0141 / 1, "0.000"));
    EXPECT_NEAR(vb::Val(w.txtH1.Text()), 20744.5, 0.5);
}

TEST(ConstructionWindow, LeakageDialogHandsItsCoefficientToTheWindow) {
    frmConstructionVent& w = openWindow();
    w.txtptot.userType("1.1");
    test_stage::onModal<frmSelectP>([](frmSelectP& d) {
        EXPECT_EQ(d.Caption(), "选择管道漏风系数");
        EXPECT_EQ(d.txtL.Text(), "500");
        EXPECT_EQ(d.txtD.Text(), "0.6");
        EXPECT_EQ(d.lstType.ListIndex(), 0);
        EXPECT_EQ(d.lstK0.ListIndex(), 0);
        EXPECT_FALSE(d.Frame1.Enabled());
        // Rubber duct of 500 m: 1 / (1 − 0.02 × 5) = 1.111 from the shipped table.
        EXPECT_EQ(d.txtP.Text(), "1.111");
        d.txtL.userType("1000");
        EXPECT_EQ(d.txtP.Text(), "1.250");
        d.txtL.userType("abc");
        EXPECT_EQ(d.txtP.Text(), "1.020");
        // The metal tables are not shipped: the dialog says which one is missing and hands over nothing.
        d.lstType.userClick(1);
        EXPECT_TRUE(d.Frame1.Enabled());
        EXPECT_EQ(d.txtP.Text(), "");
        EXPECT_EQ(d.lblTableNote.Caption(),
                  "系数表文件中没有管道漏风系数表 Tab12_3_1，无法查得此类风管的漏风系数P。");
        d.opt4m.userClick();
        EXPECT_NE(d.lblTableNote.Caption().find("Tab12_3_2"), std::string::npos);
        platform::msgbox::script(platform::vbOK);
        d.cmdOK.userClick();
        EXPECT_TRUE(Forms::isLoaded(d));
        d.lstType.userClick(0);
        EXPECT_FALSE(d.Frame1.Enabled());
        EXPECT_EQ(d.lblTableNote.Caption(), "");
        d.txtL.userType("1000");
        d.txtP.userType("9");
        d.cmdOK.userClick();
    });
    w.cmdPtot.userClick();
    EXPECT_EQ(w.txtptot.Text(), "1.250");
    EXPECT_FALSE(Forms::isLoaded<frmSelectP>());
    test_support::expectOneMessage(
        {.prompt = "系数表文件中没有管道漏风系数表 Tab12_3_2，无法查得漏风系数P；全长漏风系数未改变。"});

    // The close box hands over nothing, and the next showing starts afresh.
    test_stage::onModal<frmSelectP>([](frmSelectP& d) {
        d.txtL.userType("2000");
        Forms::unload(d, platform::vbFormControlMenu);
    });
    w.cmdPtot.userClick();
    EXPECT_EQ(w.txtptot.Text(), "1.250");
    test_stage::onModal<frmSelectP>([](frmSelectP& d) {
        EXPECT_EQ(d.txtL.Text(), "500");
        d.cmdOK.userClick();
    });
    w.cmdPtot.userClick();
    EXPECT_EQ(w.txtptot.Text(), "1.111");
}

TEST(ConstructionFile, WrittenAndReadBackControlByControl) {
    modPublic::ProjectFile = folderFile("A.vnt");
    {
        frmConstructionVent& w = openWindow();
        EXPECT_EQ(w.txtA.Text(), "80"); // no A.cvt yet: the template
        w.txtA.userType("72.5");
        w.lstMethod1.userClick(4);
        w.txtL(0).userType("35");
        w.optType(2).userClick();
        w.lstMethod3.setListIndex(-1);
        w.optHP.userClick();
        w.optType(1).userClick();
        w.optLeiGuan1.userClick();
        w.lstMethod2.userClick(1);
        w.optLayoutType2.userClick();
        w.udFanNum.userUp();
        w.udFanNum.userUp();
        w.txtRatio.userType("0.85");
        w.txtzeta.userType("2.5");
        w.txtQ(5).userType("9.9");
        w.txtQ(4).userType("50.000");
        w.cmbgasname.userType("自定义,气体");
        w.lstNR.userItemClick(1);
        w.txtNi.userType("175");
        w.cmdUpdate.userClick();
        w.cmdClose.userClick();
    }
    ASSERT_TRUE(fs::exists(folderFile("A.cvt")));
    const std::string bytes = textfile::ReadBytes(folderFile("A.cvt")).value();
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    const std::vector<std::string> lines = readLines(folderFile("A.cvt"));
    ASSERT_EQ(lines.size(), 14u + 2u + 4u);
    EXPECT_EQ(lines[0], "\"72.5\",\"1500\",\"1500\",\"1.5\",\"1.2\"");
    EXPECT_EQ(lines[1], "#FALSE#,#TRUE#,#FALSE#");
    EXPECT_EQ(lines[3], "4,\"0.8\",\"40\",\"0.5\",\"\",\"35\",\"0.02\"");
    EXPECT_EQ(lines[5], "-1,\"0.8\",\"40\",\"30\",1,\"1.2\",#FALSE#,#TRUE#");
    EXPECT_EQ(lines[8], "2");
    EXPECT_EQ(lines[9], "\"3\",\"175\",\"1\",\"0.8\",\"0.75\"");
    EXPECT_EQ(lines[13], "\"1.429\",\"0.9\",\"50.000\"");      // Q5 again, as the record has it
    EXPECT_EQ(lines[14], "\"0.015\",\"1500\",\"\",\"\",\"\""); // the stretch length again
    EXPECT_EQ(lines[15], "\"3\",#FALSE#,#TRUE#,\"0.85\",\"\",\"\"");
    EXPECT_EQ(lines[16], "\"2.5\",\"9.9\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");
    EXPECT_EQ(lines[19], "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");

    frmConstructionVent& w = openWindow();
    EXPECT_EQ(w.txtA.Text(), "72.5");
    EXPECT_TRUE(w.optType(1).Value());
    EXPECT_TRUE(w.frmtype(1).Visible());
    EXPECT_FALSE(w.frmtype(0).Visible());
    EXPECT_TRUE(w.optLeiGuan1.Value());
    EXPECT_EQ(w.lstMethod1.ListIndex(), 4);
    EXPECT_EQ(w.lblL(0).Caption(), "炮烟抛掷长度lo(m):");
    EXPECT_EQ(w.txtL(0).Text(), "35");
    EXPECT_EQ(w.lstMethod2.ListIndex(), 1);
    EXPECT_EQ(w.lstMethod3.ListIndex(), -1);
    EXPECT_EQ(w.lstMethod4.ListIndex(), 1);
    EXPECT_TRUE(w.optHP.Value());
    EXPECT_TRUE(w.optLayoutType2.Value());
    EXPECT_EQ(w.txtFanNum.Text(), "3");
    EXPECT_EQ(w.udFanNum.Value(), 3);
    EXPECT_EQ(w.txtRatio.Text(), "0.85");
    EXPECT_EQ(w.cmbgasname.Text(), "自定义,气体");
    EXPECT_EQ(w.txtC.Text(), "1");
    EXPECT_EQ(dieselRow(w, 1), (std::vector<std::string>{"3", "175", "1", "0.8", "0.75"}));
    EXPECT_EQ(dieselRow(w, 2), (std::vector<std::string>{"3", "200", "2", "0.6", "0.7"}));
    EXPECT_EQ(w.txtzeta.Text(), "2.5");
    EXPECT_EQ(w.txtQ(5).Text(), "9.9");
}

TEST(ConstructionFile, EmptyDieselListAndTheCloseBoxKeepTheInputs) {
    modPublic::ProjectFile = folderFile("B.vnt");
    {
        frmConstructionVent& w = openWindow();
        w.lstNR.ListItems.Clear();
        w.txtG.userType("222");
        platform::msgbox::script(platform::vbYes);
        ASSERT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
    }
    const std::vector<std::string> lines = readLines(folderFile("B.cvt"));
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[2], "\"222\",\"30\",\"\"");
    EXPECT_EQ(lines[8], "0");
    EXPECT_EQ(lines[9], "\"\"");
    frmConstructionVent& w = openWindow();
    EXPECT_EQ(w.txtG.Text(), "222");
    EXPECT_EQ(w.lstNR.ListItems.Count(), 0);
}

TEST(ConstructionFile, BadAndTruncatedFilesNeverCrash) {
    modPublic::ProjectFile = folderFile("C.vnt");
    // Cut short inside R2: R1 is taken, the rest stays as a fresh window has it.
    writeBytes(folderFile("C.cvt"), "\"60\",\"800\",\"800\",\"1.2\",\"1.2\"\r\n#FALSE#,");
    {
        frmConstructionVent& w = openWindow();
        EXPECT_EQ(w.txtA.Text(), "60");
        EXPECT_EQ(w.txtG.Text(), "");
        EXPECT_TRUE(w.frmtype(0).Visible());
        EXPECT_EQ(w.lstMethod1.ListIndex(), -1);
        EXPECT_EQ(w.lstNR.ListItems.Count(), 0);
        Forms::unload(w);
    }
    // Text where numbers belong, a position outside its list, a row count far beyond the file.
    writeBytes(folderFile("C.cvt"), "\"1\",\"2\",\"3\",\"4\",\"5\"\r\nabc,#TRUE#,9\r\n\"1\",\"2\",\"3\"\r\n"
                                    "99,\"a\",\"b\",\"c\",\"d\",\"e\",\"f\"\r\n1,x,y,\"z\"\r\n"
                                    "q,\"\",\"\",\"\",q,\"\",1,0\r\n\"\",\"\"\r\n\"\",\"\",\"\"\r\n"
                                    "2147483647\r\n\"1\",\"2\"\r\n");
    {
        frmConstructionVent& w = openWindow();
        EXPECT_EQ(w.txtRHO.Text(), "5");
        EXPECT_EQ(w.lstMethod1.ListIndex(), -1);
        EXPECT_EQ(w.lstNR.ListItems.Count(), 1);
        // Every box filled from junk: the calculation names what it cannot do.
        platform::msgbox::script(platform::vbOK);
        w.cmdCal.userClick();
        Forms::unload(w);
    }
    platform::msgbox::reset();
    // Bytes that are no text at all.
    writeBytes(folderFile("C.cvt"), std::string("\x00\xff\xfe\"\x81", 5));
    frmConstructionVent& w = openWindow();
    EXPECT_TRUE(Forms::isLoaded(w));
}

TEST(ConstructionReport, RefusedForAnUnnamedProject) {
    frmConstructionVent& w = openWindow();
    refused_report::expectAskedToSaveFirst(w.cmdReport);
}

TEST(ConstructionReport, WrittenBesideTheProjectInGbkAndOpened) {
    // The main window's start-up opens the template project, so the project is named after it.
    Forms::instance<frmReq>().txtProjectName.set("试验隧道");
    modPublic::ProjectFile = folderFile("D.vnt");
    frmConstructionVent& w = openWindow();
    w.optLayoutType1.userClick();
    w.txtFanNum.userType("2");
    w.cmdReport.userClick();
    const std::string path = folderFile("D_施工通风计算.rpt");
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    EXPECT_EQ(platform::textviewer::log()[0], path);
    const std::string bytes = textfile::ReadBytes(path).value();
    EXPECT_EQ(bytes.substr(0, 4), "\r\n\r\n");
    const std::vector<std::string> lines = readLines(path);
    ASSERT_GT(lines.size(), 40u);
    EXPECT_EQ(lines[2], std::string(29, ' ') + "试验隧道施工通风计算报告");
    // Right after opening the report shows the stored texts and no calculation of its own.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "         局部阻力系数ξ之和: \t2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "     修正后需风量Q(m^3/s):   \t"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "         布置方式: 并联布置  \t2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "3.000\t160.00\t01\t00.80\t00.75"), lines.end());
}
