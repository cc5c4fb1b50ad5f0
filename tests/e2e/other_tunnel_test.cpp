// SPDX-License-Identifier: GPL-3.0-or-later
// A new tunnel whose scheme windows open on the shipped templates, which hold the template tunnel's whole
// design: each window takes the template's fans and factors, none of its results or stations, and its
// report before a calculation says that nothing is computed yet; lighting step 1's computes the volume
// shown first, and step 3 lays out no zone with the template's circuits.
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral3.h"
#include "tests/support/lighting_walk.h"
#include "tests/support/list_rows.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shown_texts.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

using Report = std::vector<std::string>;

/// A line of a report: its label and what follows it.
struct Printed {
    std::string label;
    std::string text = "未计算";
};

struct Row {
    const char* name;
    /// Opens the window, checks what it shows, and returns what its report prints.
    std::function<Report(frmReq&)> open;
    /// Every result and station the report prints, in its order, and what each must print on this tunnel.
    std::vector<Printed> results;
    /// The report's last line: a list the template fills ends at its head.
    std::string last;
    /// The sag tunnel typed on the left line, where one-way traffic enters at the larger station.
    bool leftLine = false;
};

/// Report lines that each print `text` after their label.
std::vector<Printed> printing(std::initializer_list<const char*> labels, const char* text = "未计算") {
    std::vector<Printed> lines;
    for (const char* label : labels) {
        lines.push_back({label, text});
    }
    return lines;
}

std::vector<Printed> operator+(std::vector<Printed> a, const std::vector<Printed>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

/// Opens scheme `index` of step 2 (after `before` acts on step 2), lets `look` check what it shows, then
/// prints its report.
template <class W, int index>
std::function<Report(frmReq&)> scheme(std::function<void(W&)> look,
                                      std::function<void(frmVentParam&)> before = {}) {
    return [look, before](frmReq& req) {
        EXPECT_TRUE(test_support::openScheme<W>(
            req, index,
            [&](W& w, frmVentParam&) {
                look(w);
                w.cmdReport.userClick();
            },
            before));
        return test_support::viewedReport();
    };
}

/// Opens lighting step 1 from the main window, after step 2 has chosen 双向交通 when `twoWay`; `look`
/// checks it, then its report is printed.
std::function<Report(frmReq&)> lightingStep1(std::function<void(frmBrightness&)> look, bool twoWay = false) {
    return [look, twoWay](frmReq& req) {
        if (twoWay) {
            test_stage::onModal<frmVentParam>([](frmVentParam& step2) {
                step2.lstCase.userClick(1);
                step2.cmdReturn.userClick();
            });
            req.cmdNextStep.userClick();
        }
        test_stage::onModal<frmBrightness>([&look](frmBrightness& w) {
            look(w);
            w.cmdReport.userClick();
            w.cmdOK.userClick();
        });
        req.mnuLighting.userClick();
        return test_support::viewedReport();
    };
}

/// The text after `label` on the first line from `from` on that starts with it (after its indent),
/// without the blanks and tabs around it; a label too wide for the value's column has it alone on the next
/// line. Nullopt when no such line follows; `from` moves past the line, so that a label printed twice is
/// found in turn.
std::optional<std::string> printedAfter(const Report& report, const std::string& label, std::size_t& from) {
    const auto trimmed = [](const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string()
                                          : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    };
    for (std::size_t i = from; i < report.size(); ++i) {
        const std::size_t at = report[i].find(label);
        if (at == std::string::npos || at != report[i].find_first_not_of(' ')) {
            continue;
        }
        from = i + 1;
        std::string text = trimmed(report[i].substr(at + label.size()));
        if (text.empty() && from < report.size()) {
            const std::string next = trimmed(report[from]);
            if (next.find(':') == std::string::npos && next.find("：") == std::string::npos) {
                text = next;
                ++from;
            }
        }
        return text;
    }
    return std::nullopt;
}

const Row kRows[] = {
    {"JetFans", scheme<frmJet, 0>([](frmJet& w) {
         test_support::ExpectTexts{{w.cmbJetModel, "1120型射流风机"},
                                   {w.txteta, "0.876"},
                                   {w.txtdeltap_m, ""},
                                   {w.txtdeltap_t, ""},
                                   {w.txttotaldeltap_j, ""}};
     }),
     printing({"通风阻抗力Δpr(Pa):", "自然风阻力Δpm(Pa):", "交通通风力Δpt(Pa):", "局部压力损失Δpl(Pa)    :",
               "射流风机群总升压力ΣΔpj(Pa):", "所需射流风机台数i:", "总耗电功率(kw):"}),
     "桩号\t台数\t升压力(Pa):"},
    {"ShaftAndJetFans", scheme<frmShaftAndJet, 3>([](frmShaftAndJet& w) {
         test_support::ExpectTexts{
             {w.cmbJetModel1, "1120型射流风机"}, {w.txtds, "60"}, {w.txtShaftPile, ""}, {w.txtp_tote, ""}};
     }),
     printing({"竖井桩号(m):"}, "") +
         // The exhaust and supply openings, both sections, the short passage and the total.
         printing({"排风口面积Ae(m^2):", "升压力Δpe(Pa):", "排风口处总升压力pse(Pa):",
                   "排风机设计风压ptote(Pa):", "风机功率Skw(kW):", "电机功率M1(kW):"}) +
         printing({"送风口面积Ab(m^2):", "升压力Δpb(Pa):", "排风口处总升压力psb(Pa):",
                   "排风机设计风压ptotb(Pa):", "风机功率Skw(kW):", "电机功率M1(kW):"}) +
         printing(
             {"需风量Qreq1(m^3/s):", "设计风量Qr1(m^3/s):", "设计风速vr1(m/s):", "通风阻抗力Δpr1(Pa):",
              "自然风阻力Δpm1(Pa):", "交通通风力Δpt1(Pa):", "排风口升压力Δpe(Pa):",
              "进口区段所需压力Δp1(Pa):", "升压力Δpj(Pa):", "风机数量(台):", "竖井底部浓度C2(0.9≤C2≤1.0):"}) +
         printing({"需风量Qreq2(m^3/s):", "设计风量Qr2(m^3/s):", "设计风速vr2(m/s):", "通风阻抗力Δpr2(Pa):",
                   "自然风阻力Δpm2(Pa):", "交通通风力Δpt2(Pa):", "送风口升压力Δpb(Pa):",
                   "出口区段所需压力Δp2(Pa):", "Δpe+Δpb(Pa):", "升压力Δpj(Pa):", "风机数量(台):",
                   "隧道出口内侧处的浓度C3(0.9≤C3≤1.0):"}) +
         printing({"稀释烟雾的需风量Qreq(VI)(m^3/s):", "短道风量Qs(m^3/s):",
                   "竖井底部气流中的等效新鲜空气量Qsf:", "设计风速vrs(m/s):", "短道末端浓度C2:", "Qe/Qr1≤1.0",
                   "Qb/Qr2≤1.0", "该工况总耗电功率(kW):"}),
     "     桩号      台数   升压力(Pa) "},
    {"ShaftExhaust",
     scheme<frmShaftEject, 2>(
         [](frmShaftEject& w) {
             EXPECT_TRUE(w.optPresModel1.Value());
             test_support::ExpectTexts{{w.txtShaftAA_r, "40"}, {w.txtShaftPile, ""}};
         },
         [](frmVentParam& step2) { step2.lstCase.setListIndex(1); }),
     printing({"竖井桩号(m):"}, "") +
         printing({"设计风量Qr1(m^3/s):", "①-①断面平均风速v1(m/s):", "交通通风力Δpt1(Pa):",
                   "末端的全压力ptot1(Pa):", "设计风量Qr2(m^3/s):", "②-②断面平均风速v2(m/s):",
                   "交通通风力Δpt2(Pa):", "始端的全压力ptot21(Pa):", "末端的全压力ptot22(Pa):"}) +
         // The two-way case takes the merge type, where the shaft's flow is a result.
         printing({"设计风量Qr3(m^3/s):", "③-③断面平均风速v3(m/s):",
                   "竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):",
                   "竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):", "排风机设计风压ptot(Pa):",
                   "理论功率Atot(kw):", "送风机电机轴功率Stot(kw):"}),
     "                   送风机电机轴功率Stot(kw):          未计算"},
    {"ConcentratedSupply", scheme<frmConcentrate, 1>([](frmConcentrate& w) {
         test_support::ExpectTexts{{w.txtAA_b, "12.00"}, {w.txtbeta, "5.00"}, {w.txtShaftPile, ""}};
     }),
     // The opening's area is given, its speed found.
     printing({"自然风阻力Δpm(Pa):", "交通通风力Δpt(Pa):", "通风阻抗力Δpr(经送风段修正)(Pa):",
               "局部压力损失Δpl(Pa):", "送风机送风口升压力Δpb(Pa):", "送风机风量Qb(m^3/s):"}) +
         printing({"送风口桩号(m):"}, "") +
         printing({"送风段风速v1(m/s):", "送风口喷出风速vb(m/s):", "送风机所需全风压Ptot(Pa):",
                   "理论功率Atot(kw):", "送风机电机轴功率Stot(kw):"}),
     "     送风机电机轴功率Stot(kw):   \t未计算"},
    {"Transverse",
     scheme<frmLateral3, 5>(
         [](frmLateral3& w) {
             test_support::ExpectTexts{
                 {w.txtAA_b, "12"}, {w.txtp_d, "0"}, {w.txtAA_e, "12"}, {w.txtp_ed, "0.00"}};
         },
         [](frmVentParam& step2) { step2.lstCase.setListIndex(1); }),
     printing({"每单位长度的送风量qb(m^3/s/m):", "送风道始端风速vbi(m/s):", "送风道始端动压Pb(Pa):",
               "送风道风压损失系数kb:", "送风道静压差Pbi-Pb0(Pa):", "送风道所需末端压力Pbo-Pro(Pa):",
               "送风机所需全压力Pbtot(Pa):", "排风道末端风速ve0(m/s):", "排风道末端动压Pe(Pa):",
               "排风道风压损失系数ke:", "排风道静压差Pei-Pe0(Pa):", "排风道所需始端压力Pri-Pei(Pa):",
               "排风机所需全压力Petot(Pa):", "中性点桩号:", "中性点压力(Pa):"}) +
         printing({"任意点桩号:"}, "12000"),
     "             任意点压力(Pa): 未计算"},
    {"LightingStep1",
     lightingStep1([](frmBrightness& w) {
         // The sag tunnel, one-way on the right line: 3500 m at 60 km/h, entered at −2.5 %; the office's
         // sky, surroundings and (no) preceding tunnel from the template. Its design hour: 18,000 pcu/d of
         // 2030 ÷ 1.4943 pcu/veh = 12,045.77 veh/d, × 0.51 one way × 0.1 = 614.33427 veh/h.
         test_support::ExpectTexts{
             {w.txtLL, "3500"},      {w.cmbvt, "60"},   {w.txtdTunnelSlope, "-2.5"}, {w.txth, "5"},
             {w.txtdPreLength, "0"}, {w.txtdSpan, "0"}, {w.txtNN, "614.33427"},      {w.txtk, ""},
             {w.txtdDiscount, ""},   {w.txtDD_s, ""}};
         EXPECT_TRUE(w.OptionButton1.Value());
         EXPECT_EQ(test_support::rowsOf(w.lstNN, 1), std::vector<test_support::Row>{{"614.33427"}});
         for (const test_support::Row& zone : test_support::rowsOf(w.lstResult, 3)) {
             EXPECT_EQ(zone[1] + zone[2], "") << zone[0];
         }
     }),
     // k and Ds (60 km/h, N ≤ 700, −2.5 %) of the first table: 0.015 × 5500, 1.154 × 59 − 3.5 / tan 10°.
     {{"天空百分比:", "30%~50%"},
      {"洞口朝向或洞外环境:", "北洞口"},
      {"前一隧道的长度(m):", "0"},
      {"两隧道的间距(m):", "0"},
      {"折减系数k:", "0.015"},
      {"折减率:", "0.00"},
      {"洞外亮度L20(S)(cd/m^2):", "5500.00"},
      {"停车视距Ds(m):", "59.00"},
      {"01", "0082.50       048.24"}},
     // The last block, 夜间-交通量较小: every zone at max(0.5 × 1.5, 1) cd/m², Lin being 1.5 at 60 km/h and
     // N ≤ 700; the exit zone min(60, 3500 − Dth) m.
     "06            0001.00       060.00"},
    {"LightingStep1OnTheLeftLine",
     lightingStep1([](frmBrightness& w) { EXPECT_TRUE(w.OptionButton1.Value()); }),
     // Entered at the larger station, down the 1.8 % rise: Ds 57.8 m between −2 % and −1 %.
     {{"纵坡坡度i(%):", "-1.8"}, {"停车视距Ds(m):", "57.80"}},
     "06            0001.00       060.00",
     true},
    {"LightingStep1TwoWay",
     lightingStep1([](frmBrightness& w) { EXPECT_TRUE(w.optBidirection.Value()); }, true),
     // Entered at either portal: down −2.5 % asks 59 m to stop, down 1.8 % (one-way on this line) only
     // 57.8 m. No exit zone.
     {{"纵坡坡度i(%):", "-2.5"}, {"停车视距Ds(m):", "59.00"}},
     "06            0001.00       000.00",
     true},
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
     {{"火灾需风量(m^3/s):", ""}, {"可用的排烟口桩号(包括进出洞口桩号)", ""}},
     "火灾位置列表中没有火灾点，火灾设备控制表未列出设备控制方案。"},
    {"LightingStep3",
     [](frmReq& req) {
         test_support::onLightingStep3(req, [](frmLighting& s) {
             s.lstSegment.userClick(4);
             EXPECT_EQ(s.lstLamp.ListItems.Count(), 0);
             test_support::expectOneMessageOf([&s] { s.cmdCalculate.userClick(); }, {.title = "错误提示"});
             EXPECT_EQ(s.txtLL_av.Text(), "");
             s.cmdReport.userClick();
         });
         return test_support::viewedReport();
     },
     {},
     "     本照明区段未设置灯具, 未作照明计算."},
};

class OtherTunnel : public ::testing::TestWithParam<Row> {};

TEST_P(OtherTunnel, OpensOnTheTemplateWithoutItsDesign) {
    const Row& row = GetParam();
    frmReq& req = platform::Forms::instance<frmReq>();
    modPublic::CaseIndex = 2; // step 2 of a project read before, on two-way traffic
    test_support::NewTunnel tunnel = test_support::SagTunnel();
    tunnel.leftLine = row.leftLine;
    test_support::TypeNewTunnel(req, tunnel, test_stage::appFolder() + "/凹形隧道.vnt");
    platform::msgbox::reset();

    const Report report = row.open(req);
    std::size_t from = 0;
    for (const Printed& result : row.results) {
        EXPECT_EQ(printedAfter(report, result.label, from), result.text) << result.label;
    }
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), row.last);
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
