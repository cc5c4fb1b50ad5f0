// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/ms_report.h"

#include "jetfan/scheme_report.h"
#include "platform/vb.h"

#include <array>
#include <optional>

namespace multishaft {

namespace {

/// Stands between the label and the value of the two duct-loss lines, whose labels have no blanks of
/// their own: a blank keeps the value readable and the file plain text.
constexpr const char* kDuctLossSeparator = " ";

std::string formatted(const std::string& text, std::string_view pattern) {
    const std::optional<double> value = vb::StrictNumber(text);
    if (!value) {
        return text;
    }
    const std::string out = vb::Format(*value, pattern);
    return out.empty() ? text : out;
}

/// Where the values of the shaft block start.
constexpr int kShaftValueAt = 29;

/// The power lines of one fan, its fan lines and its motor lines each after a blank line.
void fanPowerLines(jetfan::SchemeReport& r, const std::array<const std::string*, 7>& texts, int labelEnd) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i == 0 || i == 4) {
            r.BlankLine();
        }
        const bool isResult = i == 3 || i == 6; // the fan's and the motor's power
        r.Value(jetfan::AlignedLabel(jetfan::kFanPowerLabels[i], labelEnd, kShaftValueAt),
                isResult ? jetfan::ResultText(*texts[i]) : *texts[i]);
    }
}

/// One opening of a shaft, exhaust or supply, as its block names it.
struct Opening {
    const char* air;       ///< "排" or "送", the air's way
    const char* side;      ///< "e" or "b", the ending of its symbols
    const char* junction;  ///< the kind of its junction loss
    const char* ductColon; ///< ":" after the supply's duct-loss label only, as the report always had it
    /// Fan flow, count, flow, area, momentum factor, speed, jet angle (supply only, else nullptr), rise,
    /// junction loss, duct loss, opening pressure, fan pressure.
    std::array<const std::string*, 12> texts;
    int powerLabelEnd; ///< where the labels of its fan's power lines end
    std::array<const std::string*, 7> power;
};

/// The lines of one opening and its fan, the same for both openings but for their names.
void openingLines(jetfan::SchemeReport& r, const Opening& o) {
    const std::string air = o.air, x = o.side;
    const auto& t = o.texts;
    r.Value("      " + air + "风机流量(m^3/台):    ", *t[0]);
    r.Value("            配置台数(台):    ", *t[1]);
    r.Value("         " + air + "风量Q" + x + "(m^3/s):    ", *t[2]);
    r.Value("         " + air + "风量Q" + x + "(m^3/s):    ", *t[2]);
    r.Value("       " + air + "风口面积A" + x + "(m^2):    ", jetfan::ResultText(*t[3]));
    r.Value("     " + air + "风口升压动量系数K" + x + ":   ", *t[4]);
    r.Value("与Q" + x + "相应的排风口风速v" + x + "(m/s): ", *t[5]);
    if (t[6] != nullptr) {
        r.Value("喷流方向与隧道轴向的夹角β(度):", *t[6]);
    }
    r.Value("         升压力Δp" + x + "(Pa):     ", jetfan::ResultText(*t[7]));
    r.Value("           " + std::string(o.junction) + "损失系数:     ", *t[8]);
    r.BlankLine();
    r.Value("排风口,排风井及连接风道总压力损失pd" + x + "(Pa)" + o.ductColon + kDuctLossSeparator, *t[9]);
    r.Value(" 排风口处总升压力ps" + x + "(Pa):    ", jetfan::ResultText(*t[10]));
    r.Value(" 排风机设计风压ptot" + x + "(Pa):    ", jetfan::ResultText(*t[11]));
    fanPowerLines(r, o.power, o.powerLabelEnd);
}

void shaftBlock(jetfan::SchemeReport& r, std::size_t i, const MsShaftTexts& s) {
    r.BlankLine();
    r.BlankLine();
    r.Line("■" + std::to_string(i) + "号竖井■");
    r.Line("  >>  排风有关参数  <<  ");
    r.Value("             竖井桩号(m):", s.ShaftPile);
    r.BlankLine();
    openingLines(r, {.air = "排",
                     .side = "e",
                     .junction = "分叉",
                     .ductColon = "",
                     .texts = {&s.Qe, &s.Counte, &s.QQ_e, &s.AA_e, &s.KK_e, &s.v_e, nullptr, &s.deltap_e,
                               &s.Zeta_fencha, &s.p_de, &s.p_se, &s.p_tote},
                     .powerLabelEnd = 25,
                     .power = {&s.t1_e, &s.p1_e, &s.eta_e, &s.SSkw_e, &s.etam_e, &s.k_e, &s.MM1_e}});
    r.BlankLine();
    r.Line("  >>  送风有关参数  <<  ");
    openingLines(r, {.air = "送",
                     .side = "b",
                     .junction = "合流",
                     .ductColon = ":",
                     .texts = {&s.Qb, &s.Countb, &s.QQ_b, &s.AA_b, &s.KK_b, &s.v_b, &s.beta, &s.deltap_b,
                               &s.Zeta_heliu, &s.p_db, &s.p_sb, &s.p_totb},
                     .powerLabelEnd = 24,
                     .power = {&s.t1_b, &s.p1_b, &s.eta_b, &s.SSkw_b, &s.etam_b, &s.k_b, &s.MM1_b}});
}

void sectionBlock(jetfan::SchemeReport& r, std::size_t i, const MsSectionTexts& s) {
    r.BlankLine();
    r.Line("■ 区段" + std::to_string(i) + " ■");
    r.Value("     需风量Qreq(m^3/s):  ", jetfan::ResultText(s.QQ_req));
    r.Value("     设计风量Qr(m^3/s):  ", jetfan::ResultText(s.QQ_r));
    r.Value("       设计风速vr(m/s):  ", jetfan::ResultText(s.v_r));
    r.Value("              起点浓度:  ", jetfan::ResultText(s.CC_1));
    r.Value("              终点浓度:  ", jetfan::ResultText(s.CC_2));
    r.Value("     通风阻抗力Δpr(Pa): ", jetfan::ResultText(s.deltap_r));
    r.Value("     自然风阻力Δpm(Pa): ", jetfan::ResultText(s.deltap_m));
    r.Value("     交通通风力Δpt(Pa): ", jetfan::ResultText(s.deltap_t));
    r.BlankLine();
    if (s.JetModel.empty()) {
        r.Line("未配置射流风机调压！");
        return;
    }
    r.Value("射流风机选择常用型号:    ", s.JetModel);
    r.Value("   风机流量(m^3/s):      ", s.Flow);
    r.Value("   出口直径Dj(m):        ", s.DD_j);
    r.Value("   出口面积Aj(m^2):      ", s.AA_j);
    r.Value("   出口风速vj(m/s):      ", s.vj);
    r.Value("      悬挂高度Z(m):      ", s.ZZ_j);
    r.Value("        折减系数η:      ", s.eta);
    r.Value("    升压力Δpj(Pa):      ", jetfan::ResultText(s.deltap_j));
    r.Value("      风机功率(kW):      ", s.Power);
    r.Value("      风机数量(台):      ", jetfan::ResultText(s.jetcount));
}

} // namespace

std::string MsGroupLine(const MsGroupTexts& group) {
    return formatted(group.Station, "000000.000") + formatted(group.Count, "00") +
           formatted(group.Rise, "00.000");
}

std::vector<std::string> MsReportLines(std::string_view projectName, const std::vector<MsShaftTexts>& shafts,
                                       const std::vector<MsSectionTexts>& sections,
                                       std::string_view totalPower, const std::vector<MsGroupTexts>& groups) {
    jetfan::SchemeReport r;
    r.Title(projectName, kMsReportTitle);
    r.BlankLine();
    r.BlankLine();
    r.Section("竖井及轴流风机信息");
    for (std::size_t i = 0; i < shafts.size(); ++i) {
        shaftBlock(r, i + 1, shafts[i]);
    }
    r.BlankLine();
    r.BlankLine();
    r.Section(" 区段分析 ");
    for (std::size_t i = 0; i < sections.size(); ++i) {
        sectionBlock(r, i + 1, sections[i]);
    }
    r.BlankLine();
    r.Value("该工况总耗电功率(kW):", jetfan::ResultText(totalPower));
    r.BlankLine();
    r.Section("射流流风机桩号列表");
    r.BlankLine();
    r.Line("射流风机布置桩号");
    r.Table("    桩号     台数    升压力(Pa)", groups, MsGroupLine);
    return r.Lines();
}

} // namespace multishaft
