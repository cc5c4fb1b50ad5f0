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
        r.Value(jetfan::AlignedLabel(jetfan::kFanPowerLabels[i], labelEnd, kShaftValueAt), *texts[i]);
    }
}

void shaftBlock(jetfan::SchemeReport& r, std::size_t i, const MsShaftTexts& s) {
    r.BlankLine();
    r.BlankLine();
    r.Line("■" + std::to_string(i) + "号竖井■");
    r.Line("  >>  排风有关参数  <<  ");
    r.Value("             竖井桩号(m):", s.ShaftPile);
    r.BlankLine();
    r.Value("      排风机流量(m^3/台):    ", s.Qe);
    r.Value("            配置台数(台):    ", s.Counte);
    r.Value("         排风量Qe(m^3/s):    ", s.QQ_e);
    r.Value("         排风量Qe(m^3/s):    ", s.QQ_e);
    r.Value("       排风口面积Ae(m^2):    ", s.AA_e);
    r.Value("     排风口升压动量系数Ke:   ", s.KK_e);
    r.Value("与Qe相应的排风口风速ve(m/s): ", s.v_e);
    r.Value("         升压力Δpe(Pa):     ", s.deltap_e);
    r.Value("           分叉损失系数:     ", s.Zeta_fencha);
    r.BlankLine();
    r.Value(std::string("排风口,排风井及连接风道总压力损失pde(Pa)") + kDuctLossSeparator, s.p_de);
    r.Value(" 排风口处总升压力pse(Pa):    ", s.p_se);
    r.Value(" 排风机设计风压ptote(Pa):    ", s.p_tote);
    fanPowerLines(r, {&s.t1_e, &s.p1_e, &s.eta_e, &s.SSkw_e, &s.etam_e, &s.k_e, &s.MM1_e}, 25);
    r.BlankLine();
    r.Line("  >>  送风有关参数  <<  ");
    r.Value("      送风机流量(m^3/台):    ", s.Qb);
    r.Value("            配置台数(台):    ", s.Countb);
    r.Value("         送风量Qb(m^3/s):    ", s.QQ_b);
    r.Value("         送风量Qb(m^3/s):    ", s.QQ_b);
    r.Value("       送风口面积Ab(m^2):    ", s.AA_b);
    r.Value("     送风口升压动量系数Kb:   ", s.KK_b);
    r.Value("与Qb相应的排风口风速vb(m/s): ", s.v_b);
    r.Value("喷流方向与隧道轴向的夹角β(度):", s.beta);
    r.Value("         升压力Δpb(Pa):     ", s.deltap_b);
    r.Value("           合流损失系数:     ", s.Zeta_heliu);
    r.BlankLine();
    r.Value(std::string("排风口,排风井及连接风道总压力损失pdb(Pa):") + kDuctLossSeparator, s.p_db);
    r.Value(" 排风口处总升压力psb(Pa):    ", s.p_sb);
    r.Value(" 排风机设计风压ptotb(Pa):    ", s.p_totb);
    fanPowerLines(r, {&s.t1_b, &s.p1_b, &s.eta_b, &s.SSkw_b, &s.etam_b, &s.k_b, &s.MM1_b}, 24);
}

void sectionBlock(jetfan::SchemeReport& r, std::size_t i, const MsSectionTexts& s) {
    r.BlankLine();
    r.Line("■ 区段" + std::to_string(i) + " ■");
    r.Value("     需风量Qreq(m^3/s):  ", s.QQ_req);
    r.Value("     设计风量Qr(m^3/s):  ", s.QQ_r);
    r.Value("       设计风速vr(m/s):  ", s.v_r);
    r.Value("              起点浓度:  ", s.CC_1);
    r.Value("              终点浓度:  ", s.CC_2);
    r.Value("     通风阻抗力Δpr(Pa): ", s.deltap_r);
    r.Value("     自然风阻力Δpm(Pa): ", s.deltap_m);
    r.Value("     交通通风力Δpt(Pa): ", s.deltap_t);
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
    r.Value("    升压力Δpj(Pa):      ", s.deltap_j);
    r.Value("      风机功率(kW):      ", s.Power);
    r.Value("      风机数量(台):      ", s.jetcount);
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
    r.Value("该工况总耗电功率(kW):", totalPower);
    r.BlankLine();
    r.Section("射流流风机桩号列表");
    r.BlankLine();
    r.Line("射流风机布置桩号");
    r.Line("    桩号     台数    升压力(Pa)");
    for (const MsGroupTexts& group : groups) {
        r.Line(MsGroupLine(group));
    }
    return r.Lines();
}

} // namespace multishaft
