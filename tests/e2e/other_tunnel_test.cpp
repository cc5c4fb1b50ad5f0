// SPDX-License-Identifier: GPL-3.0-or-later
// A new tunnel whose scheme windows open on the shipped templates, which hold the template tunnel's whole
// design: each window takes the template's fans and factors, none of its results or stations, and its
// report before a calculation says that nothing is computed yet.
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "transverse/frmConcentrate.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using platform::TextBox;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

/// What one window shows as it opens and what its report prints before any calculation.
struct Opened {
    std::vector<std::string> empty; ///< boxes and lists that must show nothing: "name=text"
    std::vector<std::string> report;
};

/// "name=text" of every box that is not empty.
void keepFilled(Opened& o, std::initializer_list<std::pair<const char*, const TextBox*>> boxes) {
    for (const auto& [name, box] : boxes) {
        if (!box->Text().empty()) {
            o.empty.push_back(std::string(name) + "=" + box->Text());
        }
    }
}

void keepRows(Opened& o, const char* name, platform::ListView& list) {
    if (list.ListItems.Count() > 0) {
        o.empty.push_back(std::string(name) + " rows=" + std::to_string(list.ListItems.Count()));
    }
}

std::vector<std::string> lastReport() {
    if (platform::textviewer::log().empty()) {
        return {};
    }
    return textfile::ReadLines(platform::textviewer::log().back()).value_or(std::vector<std::string>{});
}

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

template <class W> Opened scheme(frmReq& req, int index, const std::function<void(W&, Opened&)>& look) {
    Opened o;
    EXPECT_TRUE(test_support::openScheme<W>(req, index, [&](W& w, frmVentParam&) {
        look(w, o);
        w.cmdReport.userClick();
    }));
    o.report = lastReport();
    return o;
}

const Row kRows[] = {
    {"JetFans",
     [](frmReq& req) {
         return scheme<frmJet>(req, 0, [](frmJet& w, Opened& o) {
             EXPECT_EQ(w.cmbJetModel.Text(), "1120型射流风机");
             EXPECT_EQ(w.txteta.Text(), "0.876");
             keepFilled(o, {{"Δpm", &w.txtdeltap_m},
                            {"Δpt", &w.txtdeltap_t},
                            {"Δpr", &w.txtdeltap_r},
                            {"ΣΔpj", &w.txttotaldeltap_j},
                            {"i", &w.txti},
                            {"总功率", &w.txtTotalPower}});
             keepRows(o, "lstJet", w.lstJet);
         });
     },
     {"所需射流风机台数i:", "总耗电功率(kw):", "通风阻抗力Δpr(Pa):"},
     {"194.26", "882.00", "21.0", "010200.00"}},
    {"ShaftAndJetFans",
     [](frmReq& req) {
         return scheme<frmShaftAndJet>(req, 3, [](frmShaftAndJet& w, Opened& o) {
             EXPECT_EQ(w.cmbJetModel1.Text(), "1120型射流风机");
             EXPECT_EQ(w.txtds.Text(), "60");
             keepFilled(o, {{"竖井桩号", &w.txtShaftPile},
                            {"jetcount1", &w.txtjetcount1},
                            {"Qreq1", &w.txtQQ_req1},
                            {"ptote", &w.txtp_tote}});
             keepRows(o, "lstJet", w.lstJet);
         });
     },
     {"需风量Qreq1(m^3/s):", "风机数量(台):", "该工况总耗电功率(kW):"},
     {"12600", "010200.000"}},
    {"ShaftExhaust",
     [](frmReq& req) {
         return scheme<frmShaftEject>(req, 2, [](frmShaftEject& w, Opened& o) {
             EXPECT_EQ(w.txtShaftAA_r.Text(), "40");
             keepFilled(o, {{"竖井桩号", &w.txtShaftPile}, {"ptot", &w.txtp_tot}, {"Qr1", &w.txtQQ_r1}});
         });
     },
     {"排风机设计风压ptot(Pa):", "设计风量Qr1(m^3/s):"},
     {"12617.50"}},
    {"ConcentratedSupply",
     [](frmReq& req) {
         return scheme<frmConcentrate>(req, 1, [](frmConcentrate& w, Opened& o) {
             EXPECT_EQ(w.txtAA_b.Text(), "12.00");
             EXPECT_EQ(w.txtbeta.Text(), "5.00");
             keepFilled(o,
                        {{"送风口桩号", &w.txtShaftPile}, {"Δpb", &w.txtdeltap_b}, {"Ptot", &w.txtPP_tot}});
         });
     },
     {"送风机送风口升压力Δpb(Pa):", "送风机所需全风压Ptot(Pa):"},
     {"10100"}},
    {"Fire",
     [](frmReq& req) {
         Opened o;
         test_stage::onModal<frmFire>([&](frmFire& w) {
             keepRows(o, "火灾点", w.lstFireLoc);
             keepRows(o, "排烟口", w.lstExsmokePile);
             platform::msgbox::script(platform::vbOK);
             w.cmdControlScheme.userClick();
             w.cmdClose.userClick();
         });
         req.mnuToolsmnuFire.userClick();
         o.report = lastReport();
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
    EXPECT_TRUE(o.empty.empty()) << ::testing::PrintToString(o.empty);
    ASSERT_FALSE(o.report.empty());
    for (const std::string& label : row.notComputed) {
        const auto line = std::find_if(o.report.begin(), o.report.end(), [&](const std::string& l) {
            return l.find(label) != std::string::npos;
        });
        ASSERT_NE(line, o.report.end()) << label;
        EXPECT_TRUE(line->ends_with(row.ending)) << *line;
    }
    for (const std::string& figure : row.templateFigures) {
        for (const std::string& line : o.report) {
            EXPECT_EQ(line.find(figure), std::string::npos) << line;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, OtherTunnel, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
