// SPDX-License-Identifier: GPL-3.0-or-later
// A new tunnel whose scheme windows open on the shipped templates, which hold the template tunnel's whole
// design: each window takes the template's fans and factors, none of its results or stations, and its
// report before a calculation says that nothing is computed yet.
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "transverse/frmConcentrate.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

/// What one window shows as it opens and what its report prints before any calculation.
struct Opened {
    std::vector<std::string> filled; ///< boxes and lists that must show nothing but do: "name=text"
    std::vector<std::string> report;

    void keepFilled(std::initializer_list<std::pair<const char*, const platform::TextBox*>> boxes) {
        for (const auto& [name, box] : boxes) {
            if (!box->Text().empty()) {
                filled.push_back(std::string(name) + "=" + box->Text());
            }
        }
    }
    void keepRows(const char* name, platform::ListView& list) {
        if (list.ListItems.Count() > 0) {
            filled.push_back(std::string(name) + " rows=" + std::to_string(list.ListItems.Count()));
        }
    }
};

struct Row {
    const char* name;
    std::function<Opened(frmReq&)> open;
    /// Labels whose report line must end in `ending`.
    std::vector<std::string> notComputed;
    /// The template's design as its report prints it, which no line may show.
    std::vector<std::string> templateFigures;
    std::string ending = "未计算";
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

/// Opens scheme `index` of step 2, lets `look` note what it shows, then prints its report.
template <class W, int index> std::function<Opened(frmReq&)> scheme(std::function<void(W&, Opened&)> look) {
    return [look](frmReq& req) {
        Opened o;
        EXPECT_TRUE(test_support::openScheme<W>(req, index, [&](W& w, frmVentParam&) {
            look(w, o);
            w.cmdReport.userClick();
        }));
        o.report = test_support::viewedReport();
        return o;
    };
}

const Row kRows[] = {
    {"JetFans",
     scheme<frmJet, 0>([](frmJet& w, Opened& o) {
         EXPECT_EQ(w.cmbJetModel.Text(), "1120型射流风机");
         EXPECT_EQ(w.txteta.Text(), "0.876");
         o.keepFilled({{"Δpm", &w.txtdeltap_m},
                       {"Δpt", &w.txtdeltap_t},
                       {"Δpr", &w.txtdeltap_r},
                       {"ΣΔpj", &w.txttotaldeltap_j},
                       {"i", &w.txti},
                       {"总功率", &w.txtTotalPower}});
         o.keepRows("lstJet", w.lstJet);
     }),
     {"所需射流风机台数i:", "总耗电功率(kw):", "通风阻抗力Δpr(Pa):"},
     {"194.26", "882.00", "21.0", "010200.00"}},
    {"ShaftAndJetFans",
     scheme<frmShaftAndJet, 3>([](frmShaftAndJet& w, Opened& o) {
         EXPECT_EQ(w.cmbJetModel1.Text(), "1120型射流风机");
         EXPECT_EQ(w.txtds.Text(), "60");
         o.keepFilled({{"竖井桩号", &w.txtShaftPile},
                       {"jetcount1", &w.txtjetcount1},
                       {"Qreq1", &w.txtQQ_req1},
                       {"ptote", &w.txtp_tote}});
         o.keepRows("lstJet", w.lstJet);
     }),
     {"需风量Qreq1(m^3/s):", "风机数量(台):", "该工况总耗电功率(kW):"},
     {"12600", "010200.000"}},
    {"ShaftExhaust",
     scheme<frmShaftEject, 2>([](frmShaftEject& w, Opened& o) {
         EXPECT_EQ(w.txtShaftAA_r.Text(), "40");
         o.keepFilled({{"竖井桩号", &w.txtShaftPile}, {"ptot", &w.txtp_tot}, {"Qr1", &w.txtQQ_r1}});
     }),
     {"排风机设计风压ptot(Pa):", "设计风量Qr1(m^3/s):"},
     {"12617.50"}},
    {"ConcentratedSupply",
     scheme<frmConcentrate, 1>([](frmConcentrate& w, Opened& o) {
         EXPECT_EQ(w.txtAA_b.Text(), "12.00");
         EXPECT_EQ(w.txtbeta.Text(), "5.00");
         o.keepFilled({{"送风口桩号", &w.txtShaftPile}, {"Δpb", &w.txtdeltap_b}, {"Ptot", &w.txtPP_tot}});
     }),
     {"送风机送风口升压力Δpb(Pa):", "送风机所需全风压Ptot(Pa):"},
     {"10100"}},
    {"Fire",
     [](frmReq& req) {
         Opened o;
         test_stage::onModal<frmFire>([&](frmFire& w) {
             o.keepRows("火灾点", w.lstFireLoc);
             o.keepRows("排烟口", w.lstExsmokePile);
             platform::msgbox::script(platform::vbOK);
             w.cmdControlScheme.userClick();
             w.cmdClose.userClick();
         });
         req.mnuToolsmnuFire.userClick();
         o.report = test_support::viewedReport();
         return o;
     },
     {"火灾位置列表中没有火灾点"},
     {"12617.5", "15035"},
     "未列出设备控制方案。"},
};

class OtherTunnel : public ::testing::TestWithParam<Row> {};

TEST_P(OtherTunnel, OpensOnTheTemplateWithoutItsDesign) {
    const Row& row = GetParam();
    frmReq& req = platform::Forms::instance<frmReq>();
    const std::string project = test_stage::appFolder() + "/凹形隧道.vnt";
    test_support::TypeNewTunnel(req, test_support::SagTunnel(), project);
    ASSERT_EQ(modPublic::ProjectFile, project);
    ASSERT_EQ(modPublic::StartPile, 12000);
    ASSERT_EQ(modPublic::EndPile, 15500);
    platform::msgbox::reset();

    const Opened o = row.open(req);
    EXPECT_TRUE(o.filled.empty()) << ::testing::PrintToString(o.filled);
    ASSERT_FALSE(o.report.empty());
    for (const std::string& label : row.notComputed) {
        const std::string* line = test_support::lineWith(o.report, label);
        ASSERT_NE(line, nullptr) << label;
        EXPECT_TRUE(line->ends_with(row.ending)) << *line;
    }
    for (const std::string& figure : row.templateFigures) {
        EXPECT_EQ(test_support::lineWith(o.report, figure), nullptr) << figure;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, OtherTunnel, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
