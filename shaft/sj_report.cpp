// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/sj_report.h"

#include "jetfan/scheme_report.h"
#include "platform/vb.h"
#include "reqair/report_text.h"
#include "shaft/shaft_and_jet.h"

#include <algorithm>
#include <cmath>

namespace shaft {

namespace {

enum class Kind {
    Blank,   // an empty line
    Text,    // the label alone
    Value,   // the label and the box's text with no gap
    Tab,     // the label, then the box's text from column 26
    RiseSum, // the label and the sum of the two opening rises as a number item
    Exhaust, // the lines of the exhaust opening and its fan
    Supply,  // the lines of the supply opening and its fan
};

struct ReportRow {
    Kind kind;
    const char* label;
    const char* box;
};

// Every line after the title, in order.
const ReportRow kRows[] = {
    {Kind::Blank, "", ""},
    {Kind::Text, "■■竖井及轴流风机信息■■", ""},
    {Kind::Blank, "", ""},
    {Kind::Text, "  >>  排风有关参数  <<  ", ""},
    {Kind::Value, "         竖井桩号(m):", "txtShaftPile"},
    {Kind::Blank, "", ""},
    {Kind::Exhaust, "", ""},
    {Kind::Blank, "", ""},
    {Kind::Text, "  >>  送风有关参数  <<  ", ""},
    {Kind::Supply, "", ""},
    {Kind::Text, "■■ 区段分析 ■■", ""},
    {Kind::Text, ">>  进口区段  <<", ""},
    {Kind::Value, "     需风量Qreq1(m^3/s):", "txtQQ_req1"},
    {Kind::Value, "     设计风量Qr1(m^3/s):", "txtQQ_r1"},
    {Kind::Value, "       设计风速vr1(m/s):", "txtv_r1"},
    {Kind::Value, "    通风阻抗力Δpr1(Pa):", "txtdeltap_r1"},
    {Kind::Value, "    自然风阻力Δpm1(Pa):", "txtdeltap_m1"},
    {Kind::Value, "    交通通风力Δpt1(Pa):", "txtdeltap_t1"},
    {Kind::Value, "   排风口升压力Δpe(Pa):", "txtdeltap_e"},
    {Kind::Value, "进口区段所需压力Δp1(Pa):", "txttotaldeltap_j1"},
    {Kind::Blank, "", ""},
    {Kind::Value, "   射流风机选择常用型号: ", "cmbJetModel1"},
    {Kind::Value, "       风机流量(m^3/s):  ", "txtFlow1"},
    {Kind::Value, "       出口直径Dj(m):    ", "txtDD_j1"},
    {Kind::Value, "       出口面积Aj(m^2):  ", "txtAA_j1"},
    {Kind::Value, "       出口风速vj(m/s):  ", "txtvj1"},
    {Kind::Value, "          悬挂高度Z(m):  ", "txtZZ_j1"},
    {Kind::Value, "            折减系数η:  ", "txteta1"},
    {Kind::Value, "        升压力Δpj(Pa):  ", "txtdeltap_j1"},
    {Kind::Value, "          风机功率(kW):  ", "txtPower1"},
    {Kind::Value, "          风机数量(台):  ", "txtjetcount1"},
    {Kind::Tab, "竖井底部浓度C2(0.9≤C2≤1.0):", "txtCC_2"},
    {Kind::Blank, "", ""},
    {Kind::Text, ">>  出口区段  <<", ""},
    {Kind::Blank, "", ""},
    {Kind::Value, "   需风量Qreq2(m^3/s):   ", "txtQQ_req2"},
    {Kind::Value, "   设计风量Qr2(m^3/s):   ", "txtQQ_r2"},
    {Kind::Value, "     设计风速vr2(m/s):   ", "txtv_r2"},
    {Kind::Value, "     通风阻抗力Δpr2(Pa):", "txtdeltap_r2"},
    {Kind::Value, "     自然风阻力Δpm2(Pa):", "txtdeltap_m2"},
    {Kind::Value, "     交通通风力Δpt2(Pa):", "txtdeltap_t2"},
    {Kind::Value, "    送风口升压力Δpb(Pa):", "txtdeltap_b"},
    {Kind::Value, "出口区段所需压力Δp2(Pa):", "txttotaldeltap_j2"},
    {Kind::RiseSum, "          Δpe+Δpb(Pa):", ""},
    {Kind::Blank, "", ""},
    {Kind::Value, " 射流风机选择常用型号:   ", "cmbJetModel2"},
    {Kind::Value, "     风机流量(m^3/s):    ", "txtFlow2"},
    {Kind::Value, "     出口直径Dj(m):      ", "txtDD_j2"},
    {Kind::Value, "     出口面积Aj(m^2):    ", "txtAA_j2"},
    {Kind::Value, "     出口风速vj(m/s):    ", "txtvj2"},
    {Kind::Value, "        悬挂高度Z(m):    ", "txtZZ_j2"},
    {Kind::Value, "          折减系数η:    ", "txteta2"},
    {Kind::Value, "      升压力Δpj(Pa):    ", "txtdeltap_j2"},
    {Kind::Value, "        风机功率(kW):    ", "txtPower2"},
    {Kind::Value, "        风机数量(台):    ", "txtjetcount2"},
    {Kind::Tab, "隧道出口内侧处的浓度C3(0.9≤C3≤1.0):", "txtCC_3"},
    {Kind::Blank, "", ""},
    {Kind::Text, ">>  短道  <<", ""},
    {Kind::Blank, "", ""},
    {Kind::Value, "       短道长度ds(m):    ", "txtds"},
    {Kind::Tab, "稀释烟雾的需风量Qreq(VI)(m^3/s):", "txtQQ_req_VI"},
    {Kind::Value, "   短道风量Qs(m^3/s):    ", "txtQQ_s"},
    {Kind::Tab, "竖井底部气流中的等效新鲜空气量Qsf:", "txtQQ_sf"},
    {Kind::Value, "    设计风速vrs(m/s):    ", "txtv_rs"},
    {Kind::Value, "      短道末端浓度C2:    ", "txtCC_2s"},
    {Kind::Value, "         Qe/Qr1≤1.0     ", "txtratio_Qe_Qr1"},
    {Kind::Value, "         Qb/Qr2≤1.0     ", "txtratio_Qb_Qr2"},
    {Kind::Blank, "", ""},
    {Kind::Value, "该工况总耗电功率(kW):", "txtTotalPower"},
    {Kind::Blank, "", ""},
    {Kind::Text, "■■射流流风机桩号列表■■", ""},
    {Kind::Blank, "", ""},
    {Kind::Text, "射流风机布置桩号", ""},
};

/// Column of the values that follow a wide label.
constexpr int kValueTab = 26;

/// The boxes of the seven power lines, less the fan's ending.
constexpr const char* kFanPowerBoxes[7] = {"txtt1",   "txtp1", "txteta", "txtSSkw",
                                           "txtetam", "txtk",  "txtMM1"};

/// One opening of the shaft as its block prints it. The two blocks print the same boxes but for the
/// jet angle, and keep the alignment each always had.
struct Opening {
    const char* air;      ///< "排" or "送", the air's way
    const char* side;     ///< "e" or "b", the ending of its symbols and boxes
    const char* junction; ///< the kind of its junction loss
    const char* zetaBox;  ///< the box of the junction loss
    int labelEnd;         ///< where its labels end, the values following from column kOpeningValueAt + 1
    int momentumEnd;      ///< where the label of the momentum factor ends
    int momentumAt;       ///< and where its value follows
    bool beta;            ///< the jet angle is printed (the supply only)
    bool blankBeforeDuct; ///< a blank line stands before the duct loss (the exhaust only)
};

constexpr int kOpeningValueAt = 25;
constexpr Opening kExhaustOpening{"排", "e", "分叉", "txtZeta_fencha", 21, 22, 25, false, true};
constexpr Opening kSupplyOpening{"送", "b", "合流", "txtZeta_heliu", 24, 26, 29, true, false};

/// A number as a report prints a number item: its sign or a blank, the number, a blank.
std::string numberItem(double value) {
    if (!std::isfinite(value)) {
        return "";
    }
    const std::string text = vb::CStr(std::fabs(value));
    return (value < 0 && text != "0" ? "-" : " ") + text + " ";
}

std::string boxText(const SjBoxTexts& boxes, std::string_view name) {
    const auto it = boxes.find(name);
    return it == boxes.end() ? std::string() : it->second;
}

/// The boxes a calculation of the window fills: the section demand, the balance and the fan design.
constexpr std::string_view kResultBoxes[] = {
    "txtAA_e",      "txtdeltap_e",  "txtp_se",         "txtp_tote",         "txtSSkw_e",
    "txtMM1_e",     "txtAA_b",      "txtdeltap_b",     "txtp_sb",           "txtp_totb",
    "txtSSkw_b",    "txtMM1_b",     "txtQQ_req1",      "txtQQ_r1",          "txtv_r1",
    "txtdeltap_r1", "txtdeltap_m1", "txtdeltap_t1",    "txttotaldeltap_j1", "txtdeltap_j1",
    "txtjetcount1", "txtCC_2",      "txtQQ_req2",      "txtQQ_r2",          "txtv_r2",
    "txtdeltap_r2", "txtdeltap_m2", "txtdeltap_t2",    "txttotaldeltap_j2", "txtdeltap_j2",
    "txtjetcount2", "txtCC_3",      "txtQQ_req_VI",    "txtQQ_s",           "txtQQ_sf",
    "txtv_rs",      "txtCC_2s",     "txtratio_Qe_Qr1", "txtratio_Qb_Qr2",   "txtTotalPower"};

/// A box's text as the report prints it: an empty result box is one no calculation filled.
std::string printed(const SjBoxTexts& boxes, std::string_view name) {
    const std::string text = boxText(boxes, name);
    const bool result =
        std::find(std::begin(kResultBoxes), std::end(kResultBoxes), name) != std::end(kResultBoxes);
    return result ? jetfan::ResultText(text) : text;
}

void valueLine(reqair::ReportText& r, const std::string& label, const SjBoxTexts& boxes,
               std::string_view box) {
    r.Add(label).Add(printed(boxes, box)).EndLine();
}

void tabLine(reqair::ReportText& r, std::string_view label, const SjBoxTexts& boxes, std::string_view box) {
    r.Add(label).Col(kValueTab).Add(printed(boxes, box)).EndLine();
}

/// The lines of one opening and the seven power lines of its fan.
void openingLines(reqair::ReportText& r, const SjBoxTexts& boxes, const Opening& o) {
    const std::string air = o.air, x = o.side;
    const auto value = [&](const std::string& label, const std::string& box) {
        valueLine(r, jetfan::AlignedLabel(label, o.labelEnd, kOpeningValueAt), boxes, box);
    };
    value(air + "风机流量(m^3/台):", "txtQ" + x);
    value("配置台数(台):", "cmbCount" + x);
    // Printed twice, as the report always had it.
    value(air + "风量Q" + x + "(m^3/s):", "txtQQ_" + x);
    value(air + "风量Q" + x + "(m^3/s):", "txtQQ_" + x);
    value(air + "风口面积A" + x + "(m^2):", "txtAA_" + x);
    valueLine(r, jetfan::AlignedLabel(air + "风口升压动量系数K" + x + ":", o.momentumEnd, o.momentumAt),
              boxes, "txtKK_" + x);
    tabLine(r, "与Q" + x + "相应的排风口风速v" + x + "(m/s):", boxes, "txtv_" + x);
    if (o.beta) {
        valueLine(r, "喷流方向与隧道轴向的夹角β(度):", boxes, "txtbeta");
    }
    value("升压力Δp" + x + "(Pa):", "txtdeltap_" + x);
    value(std::string(o.junction) + "损失系数:", o.zetaBox);
    if (o.blankBeforeDuct) {
        r.EmptyLine();
    }
    tabLine(r, "排风口,排风井及连接风道总压力损失pd" + x + "(Pa):", boxes, "txtp_d" + x);
    valueLine(r, "排风口处总升压力ps" + x + "(Pa): ", boxes, "txtp_s" + x);
    valueLine(r, "排风机设计风压ptot" + x + "(Pa): ", boxes, "txtp_tot" + x);
    for (std::size_t i = 0; i < jetfan::kFanPowerLabels.size(); ++i) {
        valueLine(r, jetfan::AlignedLabel(jetfan::kFanPowerLabels[i], 24, 25), boxes,
                  std::string(kFanPowerBoxes[i]) + "_" + x);
    }
}

} // namespace

std::string SjStationRow(const SjStationTexts& row) {
    const std::string gap(6, ' ');
    return vb::Format(vb::Val(row.Station), "000000.000") + gap + vb::Format(vb::Val(row.Count), "00") + gap +
           vb::Format(vb::Val(row.Rise), "00.000");
}

std::vector<std::string> SjReportLines(std::string_view projectName, const SjBoxTexts& boxes,
                                       const std::vector<SjStationTexts>& stations) {
    reqair::ReportText r;
    r.Col(30).Add(projectName).Add(kSjReportTitle).EndLine();
    for (const ReportRow& row : kRows) {
        switch (row.kind) {
        case Kind::Blank:
            r.EmptyLine();
            break;
        case Kind::Text:
            r.Line(row.label);
            break;
        case Kind::Value:
            valueLine(r, row.label, boxes, row.box);
            break;
        case Kind::Tab:
            tabLine(r, row.label, boxes, row.box);
            break;
        case Kind::RiseSum: {
            const std::string pb = boxText(boxes, "txtdeltap_b"), pe = boxText(boxes, "txtdeltap_e");
            r.Add(row.label)
                .Add(pb.empty() || pe.empty() ? std::string(jetfan::kNotComputed)
                                              : numberItem(vb::Val(pb) + vb::Val(pe)))
                .EndLine();
            break;
        }
        case Kind::Exhaust:
            openingLines(r, boxes, kExhaustOpening);
            break;
        case Kind::Supply:
            openingLines(r, boxes, kSupplyOpening);
            break;
        }
    }
    r.Line("     桩号      台数   升压力(Pa) ");
    for (const SjStationTexts& row : stations) {
        r.Line(SjStationRow(row));
    }
    return r.Lines();
}

namespace {

/// Whole jet fans a section's count box stands for: rounded down, never below 0.
double countedFans(const std::string& countText) {
    return std::max(0.0, vb::Int(vb::Val(countText)));
}

} // namespace

bool SjPairMeetsLimits(const SjPairBoxes& b) {
    return vb::Val(b.ratio_Qe_Qr1) <= 1 && vb::Val(b.ratio_Qb_Qr2) <= 1 && vb::Val(b.CC_2) <= 1 &&
           vb::Val(b.CC_3) <= kC3Limit;
}

std::optional<std::int64_t> SjPairPower(int i, int j, const SjPairBoxes& b) {
    const double total = i * vb::Val(b.SSkw_e) + j * vb::Val(b.SSkw_b) +
                         countedFans(b.jetcount1) * vb::Val(b.Power1) +
                         countedFans(b.jetcount2) * vb::Val(b.Power2);
    const double rounded = vb::RoundHalfEven(total);
    // Held in 64 bits: a large installation's power does not wrap around into a small one.
    if (!std::isfinite(rounded) || std::fabs(rounded) > 9.0e15) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

std::string SjControlSummary(int i, int j, std::int64_t power, const SjPairBoxes& b) {
    const double qreq = vb::Val(b.QQ_req1) + vb::Val(b.QQ_req2);
    return "Qreq:" + vb::CStr(qreq) + ",  Qr1:" + b.QQ_r1 + ",  Qr2:" + b.QQ_r2 +
           ",  运营控制:" + "  进口区段射:" + vb::CStr(countedFans(b.jetcount1)) +
           ",  轴排:" + std::to_string(i) + ",  轴送:" + std::to_string(j) +
           ",  出口区段射:" + vb::CStr(countedFans(b.jetcount2)) + ",  总功率:" + std::to_string(power) +
           "kW";
}

SjSearchResult LeastPowerSearch(int exhaustFans, int supplyFans,
                                const std::function<std::optional<SjPairBoxes>(int, int)>& balance) {
    SjSearchResult best;
    for (int i = 0; i <= exhaustFans; ++i) {
        for (int j = 0; j <= supplyFans; ++j) {
            const std::optional<SjPairBoxes> boxes = balance(i, j);
            if (!boxes || !SjPairMeetsLimits(*boxes)) {
                continue;
            }
            const std::optional<std::int64_t> power = SjPairPower(i, j, *boxes);
            // Among pairs of equal power the first one, with fewer exhaust and then fewer supply fans.
            if (!power || (best.Exhaust && *power >= best.Power)) {
                continue;
            }
            best.Exhaust = i;
            best.Supply = j;
            best.Power = *power;
            best.Summary = SjControlSummary(i, j, *power, *boxes);
        }
    }
    return best;
}

} // namespace shaft
