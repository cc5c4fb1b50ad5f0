// SPDX-License-Identifier: GPL-3.0-or-later
// A new tunnel whose scheme windows open on the shipped templates, which hold the template tunnel's whole
// design: each window takes the template's fans and factors, none of its results or stations, and its
// report before a calculation says that nothing is computed yet. Lighting step 3 lays out no zone with the
// template's circuits.
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "transverse/frmConcentrate.h"
#include "tests/support/list_rows.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shown_texts.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

using Report = std::vector<std::string>;

struct Row {
    const char* name;
    /// Opens the window, checks what it shows, and returns what its report prints.
    std::function<Report(frmReq&)> open;
    /// Labels whose report line must end in `ending`.
    std::vector<std::string> notComputed;
    /// The template's design as its report prints it, which no line may show.
    std::vector<std::string> templateFigures;
    std::string ending = "未计算";
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

/// Opens scheme `index` of step 2, lets `look` check what it shows, then prints its report.
template <class W, int index> std::function<Report(frmReq&)> scheme(std::function<void(W&)> look) {
    return [look](frmReq& req) {
        EXPECT_TRUE(test_support::openScheme<W>(req, index, [&](W& w, frmVentParam&) {
            look(w);
            w.cmdReport.userClick();
        }));
        return test_support::viewedReport();
    };
}

const Row kRows[] = {
    {"JetFans",
     scheme<frmJet, 0>([](frmJet& w) {
         test_support::ExpectTexts{{w.cmbJetModel, "1120型射流风机"},
                                   {w.txteta, "0.876"},
                                   {w.txtdeltap_m, ""},
                                   {w.txtdeltap_t, ""},
                                   {w.txttotaldeltap_j, ""}};
     }),
     {"所需射流风机台数i:", "总耗电功率(kw):", "通风阻抗力Δpr(Pa):"},
     {"194.26", "882.00", "21.0", "010200.00"}},
    {"ShaftAndJetFans",
     scheme<frmShaftAndJet, 3>([](frmShaftAndJet& w) {
         test_support::ExpectTexts{
             {w.cmbJetModel1, "1120型射流风机"}, {w.txtds, "60"}, {w.txtShaftPile, ""}, {w.txtp_tote, ""}};
     }),
     {"需风量Qreq1(m^3/s):", "风机数量(台):", "该工况总耗电功率(kW):"},
     {"12600", "010200.000"}},
    {"ShaftExhaust",
     scheme<frmShaftEject, 2>([](frmShaftEject& w) {
         test_support::ExpectTexts{{w.txtShaftAA_r, "40"}, {w.txtShaftPile, ""}};
     }),
     {"排风机设计风压ptot(Pa):", "设计风量Qr1(m^3/s):"},
     {"12617.50"}},
    {"ConcentratedSupply",
     scheme<frmConcentrate, 1>([](frmConcentrate& w) {
         test_support::ExpectTexts{{w.txtAA_b, "12.00"}, {w.txtbeta, "5.00"}, {w.txtShaftPile, ""}};
     }),
     {"送风机送风口升压力Δpb(Pa):", "送风机所需全风压Ptot(Pa):", "送风口喷出风速vb(m/s):"},
     {"10100"}},
    {"LightingStep1",
     [](frmReq& req) {
         // The sag tunnel, one-way on the right line: 3500 m at 60 km/h, entered at −2.5 %.
         test_stage::onModal<frmBrightness>([&req](frmBrightness& w) {
             test_support::ExpectTexts{
                 {w.txtLL, "3500"},           {w.cmbvt, "60"}, {w.txtdTunnelSlope, "-2.5"}, {w.txth, "5"},
                 {w.txtNN, req.txtNN.Text()}, {w.txtk, ""},    {w.txtdDiscount, ""},        {w.txtDD_s, ""}};
             EXPECT_TRUE(w.OptionButton1.Value());
             EXPECT_EQ(test_support::rowsOf(w.lstNN, 1), std::vector<test_support::Row>{{req.txtNN.Text()}});
             for (const test_support::Row& zone : test_support::rowsOf(w.lstResult, 3)) {
                 EXPECT_EQ(zone[1] + zone[2], "") << zone[0];
             }
             w.cmdReport.userClick();
             w.cmdOK.userClick();
         });
         req.mnuLighting.userClick();
         return test_support::viewedReport();
     },
     {"折减系数k:", "折减率:", "停车视距Ds(m):"},
     {"5235", "1.56", "0152.32", "96.32", "0.028"}},
    {"Fire",
     [](frmReq& req) {
         test_stage::onModal<frmFire>([](frmFire& w) {
             EXPECT_EQ(w.lstExsmokePile.ListItems.Count(), 0);
             platform::msgbox::script(platform::vbOK);
             w.cmdControlScheme.userClick();
             w.cmdClose.userClick();
         });
         req.mnuToolsmnuFire.userClick();
         return test_support::viewedReport();
     },
     {"火灾位置列表中没有火灾点"},
     {"12617.5", "15035"},
     "未列出设备控制方案。"},
    {"LightingStep3",
     [](frmReq& req) {
         test_stage::onModal<frmBrightness>([](frmBrightness& w) {
             test_stage::onModal<frmDefineLamp>([](frmDefineLamp& d) {
                 test_stage::onModal<frmLighting>([](frmLighting& s) {
                     s.lstSegment.userClick(4);
                     EXPECT_EQ(s.lstLamp.ListItems.Count(), 0);
                     test_support::expectOneMessageOf([&s] { s.cmdCalculate.userClick(); },
                                                      {.title = "错误提示"});
                     EXPECT_EQ(s.txtLL_av.Text(), "");
                     s.cmdReport.userClick();
                     s.cmdPreStep.userClick();
                 });
                 d.cmdNextStep.userClick();
                 d.cmdPreStep.userClick();
             });
             w.cmdClose.userClick(); // "下一步-->"
             w.cmdOK.userClick();
         });
         req.mnuLighting.userClick();
         return test_support::viewedReport();
     },
     {"本照明区段未设置灯具"},
     {"0150.0", "平均亮度Lav"},
     "未作照明计算."},
};

class OtherTunnel : public ::testing::TestWithParam<Row> {};

TEST_P(OtherTunnel, OpensOnTheTemplateWithoutItsDesign) {
    const Row& row = GetParam();
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, test_support::SagTunnel(), test_stage::appFolder() + "/凹形隧道.vnt");
    platform::msgbox::reset();

    const Report report = row.open(req);
    for (const std::string& label : row.notComputed) {
        const std::string* line = test_support::lineWith(report, label);
        ASSERT_NE(line, nullptr) << label;
        EXPECT_TRUE(line->ends_with(row.ending)) << *line;
    }
    for (const std::string& figure : row.templateFigures) {
        EXPECT_EQ(test_support::lineWith(report, figure), nullptr) << figure;
    }
}

TEST(OtherTunnelFire, TheTemplatesPortsAndSmokeStretchStayWithItsTunnel) {
    // A template that holds exhaust ports and a transverse stretch at the template tunnel's stations.
    const std::string path = test_stage::appFolder() + "/ConfigFiles/Normal.fir";
    fire::FirSettings fir = fire::ReadFirBytes(textfile::ReadBytes(path).value());
    fir.ExsmokePiles = {"11000", "14000"};
    fir.Range = {"11000", "14000"};
    ASSERT_TRUE(fire::WriteFirFile(fir).Save(path));
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, test_support::SagTunnel(), test_stage::appFolder() + "/凹形隧道.vnt");
    test_stage::onModal<frmFire>([](frmFire& w) {
        EXPECT_EQ(w.lstExsmokePile.ListItems.Count(), 0);
        test_support::ExpectTexts{{w.txtExsmokePile1, ""}, {w.txtExsmokePile2, ""}};
        w.cmdClose.userClick();
    });
    req.mnuToolsmnuFire.userClick();
}

INSTANTIATE_TEST_SUITE_P(Windows, OtherTunnel, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
