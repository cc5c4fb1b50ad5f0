// SPDX-License-Identifier: GPL-3.0-or-later
// The user's manual as the Help menu names it: the PDF next to the program is a whole PDF of some pages,
// its source holds every chapter the engineer looks for, every window it names by title is a window of
// the program with that title, and every figure its walk through the template quotes is the one the
// window shows.
#include "app/dlgSectionQreq.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "fire/frmFire.h"
#include "jetfan/dlgJetPressure.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/scheme_report.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "lighting/lighting_report.h"
#include "lighting/zone_report.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/frmSetMSJetPile.h"
#include "multishaft/ms_report.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/text_file.h"
#include "reqair/frmReportControl.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/eject_report.h"
#include "shaft/frmShaftEject.h"
#include "shaft/sj_report.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "tools/axial_fan_report.h"
#include "tools/construction_vent.h"
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "tools/frmSelectP.h"
#include "transverse/concentrate.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral1.h"
#include "transverse/frmLateral3.h"
#include "transverse/lateral.h"
#include "ventparam/dlgSectionPm.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/frmZeta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::Forms;
using test_support::bytesOf;

/// The title each window of the program has when it is created, by class name.
std::map<std::string, std::string> windowTitles() {
    std::map<std::string, std::string> titles;
    const auto add = [&titles]<class T>(const char* name, T*) {
        titles[name] = Forms::instance<T>().Caption();
    };
#define ARIDANE_WINDOW(T) add(#T, static_cast<T*>(nullptr))
    ARIDANE_WINDOW(frmReq);
    ARIDANE_WINDOW(frmAbout);
    ARIDANE_WINDOW(dlgSectionQreq);
    ARIDANE_WINDOW(frmReportControl);
    ARIDANE_WINDOW(frmVentParam);
    ARIDANE_WINDOW(frmZeta);
    ARIDANE_WINDOW(frmCalculatePd);
    ARIDANE_WINDOW(dlgSectionPm);
    ARIDANE_WINDOW(frmJet);
    ARIDANE_WINDOW(frmJetDb);
    ARIDANE_WINDOW(frmSetJetPile);
    ARIDANE_WINDOW(dlgJetPressure);
    ARIDANE_WINDOW(frmShaftAndJet);
    ARIDANE_WINDOW(frmShaftEject);
    ARIDANE_WINDOW(frmMultiShaftAndJet);
    ARIDANE_WINDOW(frmSetMSJetPile);
    ARIDANE_WINDOW(frmConcentrate);
    ARIDANE_WINDOW(frmLateral1);
    ARIDANE_WINDOW(frmLateral3);
    ARIDANE_WINDOW(frmFire);
    ARIDANE_WINDOW(frmAxialFanDesign);
    ARIDANE_WINDOW(frmConstructionVent);
    ARIDANE_WINDOW(frmSelectP);
    ARIDANE_WINDOW(frmBrightness);
    ARIDANE_WINDOW(frmDefineLamp);
    ARIDANE_WINDOW(frmLighting);
#undef ARIDANE_WINDOW
    return titles;
}

TEST(Manual, ThePdfNextToTheProgramOpensAndHasItsPages) {
    const std::string pdf = bytesOf(MANUAL_PDF);
    ASSERT_GT(pdf.size(), 100000u) << MANUAL_PDF << " is missing or nearly empty";
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos) << "the PDF is cut short";
    // The page tree's count; a manual of a few pages has lost its chapters or its pictures.
    const std::regex pages(R"(/Type\s*/Pages[^>]*?/Count\s+(\d+))");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(pdf, match, pages)) << "no page tree";
    EXPECT_GE(std::stoi(match[1]), 15);
}

TEST(Manual, HoldsEveryChapterInOrder) {
    const std::string source = bytesOf(MANUAL_SOURCE);
    const std::vector<std::string> chapters = {
        "# 1 程序计算什么",        "## 1.1 第一步：需风量",
        "## 1.2 第二步：通风参数", "## 1.3 第三步：六种通风方式",
        "## 1.4 火灾工况",         "## 1.5 工具",
        "## 1.6 隧道照明",         "# 2 模板项目实例",
        "# 3 各窗口写出的文件",    "# 4 安装数据",
        "## 4.1 数据的等级",       "## 4.2 加入本单位的系数表",
        "## 4.3 加入射流风机型号", "## 4.4 加入灯具",
        "# 5 程序不做的事",
    };
    std::size_t at = 0;
    for (const std::string& chapter : chapters) {
        const std::size_t found = source.find("\n" + chapter, at);
        ASSERT_NE(found, std::string::npos) << "chapter missing or out of order: " << chapter;
        at = found + 1;
    }
}

TEST(Manual, EveryWindowItNamesIsAWindowOfTheProgram) {
    const std::map<std::string, std::string> titles = windowTitles();
    const std::string source = bytesOf(MANUAL_SOURCE);

    // A window named in the text: [its title](window:its class).
    const std::regex named(R"(\[([^\]]+)\]\(window:([A-Za-z0-9_]+)\))");
    std::map<std::string, int> mentioned;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), named); it != std::sregex_iterator();
         ++it) {
        const std::string text = (*it)[1], name = (*it)[2];
        const auto window = titles.find(name);
        if (window == titles.end()) {
            ADD_FAILURE() << "the manual names a window the program lacks: " << name;
            continue;
        }
        EXPECT_NE(window->second.find(text), std::string::npos)
            << name << " is named \"" << text << "\", its title is \"" << window->second << "\"";
        ++mentioned[name];
    }
    // The main road and its windows are all described.
    for (const char* name :
         {"frmReq", "frmVentParam", "frmJet", "frmConcentrate", "frmShaftEject", "frmShaftAndJet",
          "frmMultiShaftAndJet", "frmLateral3", "frmFire", "frmBrightness", "frmDefineLamp", "frmLighting",
          "frmAxialFanDesign", "frmConstructionVent"}) {
        EXPECT_GT(mentioned[name], 0) << "the manual does not name " << name;
    }

    // A picture of a window: ![caption](its class[_pageN or _suffix].png), as the picture tests save it.
    const std::regex picture(R"(!\[[^\]]*\]\(([A-Za-z0-9]+)[A-Za-z0-9_]*\.png\))");
    int pictures = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), picture); it != std::sregex_iterator();
         ++it, ++pictures) {
        const std::string name = (*it)[1];
        EXPECT_TRUE(titles.count(name) == 1 || name == "drawing") << "a picture of no window: " << (*it)[0];
    }
    EXPECT_GE(pictures, 10);
}

TEST(Manual, TheFilesChapterNamesEachReportAsTheProgramWritesIt) {
    const std::string source = bytesOf(MANUAL_SOURCE);
    const std::string chapter = source.substr(source.find("\n# 3 "));
    const auto written = [](std::string_view name, const char* extension) {
        return "项目_" + std::string(name) + extension;
    };
    const std::vector<std::string> files = {
        written(jetfan::kJetReportName, ".rpt"),     written(jetfan::kJetControlTableName, ".tab"),
        written(transverse::kConReportName, ".rpt"), written(shaft::kEjectReportName, ".rpt"),
        written(shaft::kSjReportName, ".rpt"),       written(shaft::kSjControlTableName, ".tab"),
        written(multishaft::kMsReportName, ".rpt"),  written(transverse::kLateralReportName, ".rpt"),
        written(tools::kAxialFanReportName, ".rpt"), written(tools::kConstructionReportName, ".rpt"),
        written(lighting::kZoneReportName, ".rpt"),  written(lighting::kLightingReportName, ".rpt"),
    };
    for (const std::string& file : files) {
        EXPECT_NE(chapter.find(file), std::string::npos) << "the files chapter lacks " << file;
    }
}

TEST(Manual, TheTemplateWalkQuotesTheProgramsOwnFigures) {
    // The walk of the manual, done on the windows: every figure it quotes is what the window shows.
    std::vector<std::pair<std::string, std::string>> shown; // what, the window's text
    const auto note = [&shown](const char* what, const platform::TextBox& box) {
        shown.emplace_back(what, box.Text());
    };
    frmReq& req = Forms::instance<frmReq>();
    req.Show();
    // Each page of the main window with the boxes the walk quotes.
    const std::vector<std::pair<int, std::vector<std::pair<const char*, const platform::TextBox*>>>> pages = {
        {1, {{"隧址设计气压", &req.txtP}}},
        {3, {{"设计交通量", &req.txtNN}}},
        {4,
         {{"CO 基准排放量（折减后）", &req.txtq_co_at_Year},
          {"烟雾基准排放量（折减后）", &req.txtq_VI_at_Year},
          {"CO 设计浓度", &req.txtDelta},
          {"烟雾设计浓度", &req.txtKK},
          {"区段 1 车密度系数", &req.txtf_d},
          {"区段 1 海拔高度系数", &req.txtf_h},
          {"区段 1 CO 需风量", &req.txtQQ_req_CO_SEGMENT},
          {"区段 1 烟雾需风量", &req.txtQQ_req_VI_SEGMENT},
          {"CO 排放量", &req.txtQQ_CO},
          {"烟雾排放量", &req.txtQQ_VI},
          {"稀释 CO 需风量", &req.txtQQ_req_CO},
          {"稀释烟雾需风量", &req.txtQQ_req_VI}}},
        {5,
         {{"双向 CO", &req.txtQQ_req_CO_Bidirection},
          {"双向烟雾", &req.txtQQ_req_VI_Bidirection},
          {"双向区段 1 CO", &req.txtQQ_req_CO_Bidirection_SEGMENT},
          {"双向区段 1 烟雾", &req.txtQQ_req_VI_Bidirection_SEGMENT}}},
        {6,
         {{"全程阻滞 CO", &req.txtQQ_req_CO_block},
          {"全程阻滞烟雾", &req.txtQQ_req_VI_block},
          {"1 km 阻滞 CO", &req.txtQQ_req_CO_1kmblock},
          {"1 km 阻滞烟雾", &req.txtQQ_req_VI_1kmblock}}},
        {7, {{"临界风速", &req.txtvcr}, {"火灾需风量", &req.txtQs}}},
    };
    for (const auto& [page, boxes] : pages) {
        req.pgMain.userClick(page);
        for (const auto& [what, box] : boxes) {
            note(what, *box);
        }
    }
    const std::filesystem::path folder = std::filesystem::path(test_stage::appFolder()) / "工程";
    std::filesystem::create_directories(folder);
    platform::filedialog::script((folder / "雁门关隧道右线.vnt").string());
    req.mnuFileSaveAs_Click();
    std::vector<test_support::Row> groups;
    const bool opened = test_support::openScheme<frmJet>(req, 0, [&](frmJet& jet, frmVentParam& step2) {
        note("设计需风量", step2.txtQQ_req);
        note("设计风速", step2.txtv_r);
        jet.cmdCalculateJet.userClick();
        note("出口风速", jet.txtvj);
        note("单台升压力", jet.txtdeltap_j);
        note("自然风阻力", jet.txtdeltap_m);
        note("交通通风力", jet.txtdeltap_t);
        note("通风阻抗力", jet.txtdeltap_r);
        note("风机群总升压力", jet.txttotaldeltap_j);
        note("风机台数", jet.txti);
        note("总耗电功率", jet.txtTotalPower);
        jet.MultiPage1.userClick(2);
        test_support::layJetGroups("2");
        jet.cmdAutoLayout.userClick();
        groups = test_support::rowsOf(jet.lstJet, 3);
    });
    ASSERT_TRUE(opened);
    ASSERT_EQ(groups.size(), 4u);
    for (const test_support::Row& group : groups) {
        shown.emplace_back("风机组桩号", group[0]);
        shown.emplace_back("每组升压力", group[2]);
    }

    // The shaft exhaust, whose exit balance this tunnel cannot close, and the shaft with jet fans.
    const auto noteAll =
        [&note](std::initializer_list<std::pair<const char*, const platform::TextBox*>> boxes) {
            for (const auto& [what, box] : boxes) {
                note(what, *box);
            }
        };
    ASSERT_TRUE(test_support::openScheme<frmShaftEject>(req, 2, [&](frmShaftEject& w, frmVentParam&) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        noteAll({{"竖井排出 Qreq1", &w.txtQQ_req1},
                 {"竖井排出 Qreq2", &w.txtQQ_req2},
                 {"竖井排出 Qr1", &w.txtQQ_r1},
                 {"竖井排出 Qr2", &w.txtQQ_r2},
                 {"竖井排出 vt", &w.txtv_t},
                 {"竖井排出 v1", &w.txtv_1},
                 {"竖井排出 v2", &w.txtv_2},
                 {"竖井排出 v3", &w.txtv_3},
                 {"竖井排出 Δpt1", &w.txtdeltap_t1},
                 {"竖井排出 Δpt2", &w.txtdeltap_t2},
                 {"竖井排出 ptot1", &w.txtp_tot1},
                 {"竖井排出 ptot21", &w.txtp_tot21},
                 {"竖井排出 ptot22", &w.txtp_tot22},
                 {"竖井排出 ptot23", &w.txtp_tot23},
                 {"竖井排出 ptot3", &w.txtp_tot3},
                 {"竖井排出 ptot", &w.txtp_tot},
                 {"竖井排出 Atot", &w.txtAA_tot},
                 {"竖井排出 Stot", &w.txtSS_tot}});
        shown.emplace_back("竖井排出 提示", w.lblTip.Caption());
    }));
    ASSERT_TRUE(test_support::openScheme<frmShaftAndJet>(req, 3, [&](frmShaftAndJet& w, frmVentParam&) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        w.cmdCalPower.userClick();
        noteAll({{"单竖井 Qreq1", &w.txtQQ_req1},
                 {"单竖井 Qreq2", &w.txtQQ_req2},
                 {"单竖井 短道需风量", &w.txtQQ_req_VI},
                 {"单竖井 Qr1", &w.txtQQ_r1},
                 {"单竖井 Qe/Qr1", &w.txtratio_Qe_Qr1},
                 {"单竖井 Qs", &w.txtQQ_s},
                 {"单竖井 Qr2", &w.txtQQ_r2},
                 {"单竖井 Qb/Qr2", &w.txtratio_Qb_Qr2},
                 {"单竖井 Δpe", &w.txtdeltap_e},
                 {"单竖井 Δpb", &w.txtdeltap_b},
                 {"单竖井 C2", &w.txtCC_2},
                 {"单竖井 C3", &w.txtCC_3},
                 {"单竖井 Δpr1", &w.txtdeltap_r1},
                 {"单竖井 Δpm1", &w.txtdeltap_m1},
                 {"单竖井 Δpt1", &w.txtdeltap_t1},
                 {"单竖井 所需升压力1", &w.txttotaldeltap_j1},
                 {"单竖井 单台升压力1", &w.txtdeltap_j1},
                 {"单竖井 Δpr2", &w.txtdeltap_r2},
                 {"单竖井 Δpm2", &w.txtdeltap_m2},
                 {"单竖井 Δpt2", &w.txtdeltap_t2},
                 {"单竖井 所需升压力2", &w.txttotaldeltap_j2},
                 {"单竖井 单台升压力2", &w.txtdeltap_j2},
                 {"单竖井 pse", &w.txtp_se},
                 {"单竖井 psb", &w.txtp_sb},
                 {"单竖井 排风机风压", &w.txtp_tote},
                 {"单竖井 排风机轴功率", &w.txtSSkw_e},
                 {"单竖井 排风机电机功率", &w.txtMM1_e},
                 {"单竖井 送风机风压", &w.txtp_totb},
                 {"单竖井 送风机轴功率", &w.txtSSkw_b},
                 {"单竖井 送风机电机功率", &w.txtMM1_b},
                 {"单竖井 总耗电功率", &w.txtTotalPower}});
        for (const test_support::Row& group : test_support::rowsOf(w.lstJet, 3)) {
            shown.emplace_back("单竖井 风机组桩号", group[0]);
            shown.emplace_back("单竖井 每组升压力", group[2]);
        }
    }));

    // The several-shafts scheme on its template: the sections, then the shafts' fans.
    ASSERT_TRUE(
        test_support::openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) {
            w.cmdShaftSection.userClick();
            const platform::ListItem& section = w.lstShaftSection.ListItems(1);
            for (const auto& [what, column] : {std::pair{"多竖井设计风量", 3},
                                               {"多竖井区段 1 通风阻抗力", 10},
                                               {"多竖井区段 1 自然风阻力", 11},
                                               {"多竖井区段 1 交通通风力", 12},
                                               {"多竖井区段 1 单台升压力", 14}}) {
                shown.emplace_back(what, section.SubItems(column));
            }
            shown.emplace_back("多竖井排风口升压力", w.lstShaft.ListItems(1).SubItems(5));
            shown.emplace_back("多竖井送风口升压力", w.lstShaft.ListItems(1).SubItems(22));
            w.cmdAxialFanDesign.userClick();
            for (int i = 1; i <= 2; ++i) {
                for (int column : {8, 12, 25, 29}) {
                    shown.emplace_back("多竖井风机", w.lstShaft.ListItems(i).SubItems(column));
                }
            }
            note("多竖井总耗电功率", w.txtTotalPower);
        }));

    // With five air changes an hour the air-change demand governs step 2 and the jet fans.
    req.pgMain.userClick(7);
    req.txtExchangeNum.userType("5");
    req.cmdCalQQ_req_exchange.userClick();
    note("换气需风量", req.txtQQ_req_exchange);
    ASSERT_TRUE(test_support::openScheme<frmJet>(req, 0, [&](frmJet& jet, frmVentParam& step2) {
        note("换气时的设计需风量", step2.txtQQ_req);
        note("换气时的设计风速", step2.txtv_r);
        jet.cmdCalculateJet.userClick();
        note("换气时的风机台数", jet.txti);
        note("换气时的总耗电功率", jet.txtTotalPower);
    }));

    // Lighting step 1 on the template's lighting data.
    std::vector<test_support::Row> zones;
    test_stage::onModal<frmBrightness>([&](frmBrightness& w) {
        w.cmdCalculate.userClick();
        note("洞外亮度", w.txtLL_20_S);
        note("折减系数", w.txtk);
        note("停车视距", w.txtDD_s);
        zones = test_support::rowsOf(w.lstResult, 3);
        w.cmdOK.userClick();
    });
    req.mnuLighting.userClick();
    ASSERT_EQ(zones.size(), 6u);
    for (const test_support::Row& zone : zones) {
        shown.emplace_back(zone[0] + " 亮度", zone[1]);
        shown.emplace_back(zone[0] + " 长度", zone[2]);
    }

    // The fire window collected and its table: the fan counts of the template's fire points.
    test_stage::onModal<frmFire>([](frmFire& w) {
        w.cmdCollect.userClick();
        w.cmdControlScheme.userClick();
        w.cmdClose.userClick();
    });
    req.mnuToolsmnuFire.userClick();
    std::string counts;
    for (const std::string& line :
         textfile::ReadLines((folder / "雁门关隧道右线_火灾设备控制表.rpt").string())
             .value_or(std::vector<std::string>{})) {
        const std::size_t at = line.find("进洞口风机开启台数:");
        counts += at == std::string::npos ? "" : (counts.empty() ? "" : "、") + line.substr(line.size() - 2);
    }
    shown.emplace_back("火灾点的进洞口风机开启台数", counts);

    // Last, as in the manual (the report leaves the main window on the last year and speed it ran): the
    // required-air report with the options as they come, its CO and smoke demands at 80 km/h.
    test_stage::onModal<frmReportControl>([](frmReportControl& d) { d.cmdOK.userClick(); });
    req.mnuToolReport_Click();
    const std::vector<std::string> report =
        textfile::ReadLines((folder / "雁门关隧道右线_需风量.rpt").string())
            .value_or(std::vector<std::string>{});
    const auto at80 = std::find(report.begin(), report.end(), ">>  工况车速:80km/h  <<");
    ASSERT_NE(at80, report.end()) << "no 80 km/h section in the report";
    for (const std::string label : {"车密度系数fd:", "需风量Qreq(co)(m^3/s):", "需风量Qreq(VI)(m^3/s):"}) {
        const auto line = std::find_if(at80, report.end(), [&label](const std::string& l) {
            return l.find(label) != std::string::npos;
        });
        ASSERT_NE(line, report.end()) << label;
        std::string value = line->substr(line->find(label) + label.size());
        value.erase(0, value.find_first_not_of(' '));
        shown.emplace_back("报告 80 km/h " + label, value);
    }

    const std::string source = bytesOf(MANUAL_SOURCE);
    for (const auto& [what, text] : shown) {
        EXPECT_FALSE(text.empty()) << what;
        EXPECT_NE(source.find(text), std::string::npos)
            << "the manual does not quote " << what << " as the program shows it: " << text;
    }
}

} // namespace
