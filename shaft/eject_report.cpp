// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/eject_report.h"

#include "jetfan/scheme_report.h"

namespace shaft {

namespace {

/// A label literal with its alignment blanks before and after the text.
std::string label(int before, std::string_view text, int after) {
    return std::string(static_cast<std::size_t>(before), ' ') + std::string(text) +
           std::string(static_cast<std::size_t>(after), ' ');
}

/// The gap between a label and its value.
const std::string kGap(9, ' ');

} // namespace

std::vector<std::string> EjectReportLines(const EjectReportBoxes& b) {
    jetfan::SchemeReport r;
    auto value = [&](const std::string& lbl, const std::string& text) { r.Value(lbl + kGap, text); };
    r.Title(b.ProjectName, kEjectReportTitle);
    r.BlankLine();
    value("压力模式:", std::string(b.Merge ? kMergeModelCaption : kSplitModelCaption));
    value("竖井桩号(m):", b.ShaftPile);
    r.BlankLine();
    r.Section("通风区段计算");
    r.BlankLine();
    r.Line(">>  第I区段<<");
    r.BlankLine();
    value(label(1, "隧道口与竖井出口之间的气象压力差Δpg1(Pa):", 2), b.deltap_g1);
    value(label(9, "以竖井内风速为基准的损失系数ζ1-3:", 2), b.zeta_13);
    value(label(11, "分流型风道主流分叉损失系数ζ1-2:", 2), b.zeta_12);
    value(label(22, "设计风量Qr1(m^3/s):", 4), b.QQ_r1);
    value(label(17, "①-①断面平均风速v1(m/s):", 3), b.v_1);
    value(label(22, "交通通风力Δpt1(Pa):", 3), b.deltap_t1);
    value(label(20, "末端的全压力ptot1(Pa):", 3), b.p_tot1);
    r.BlankLine();
    r.Line(">>  第II区段  <<");
    r.BlankLine();
    value(label(1, "隧道口与竖井出口之间的气象压力差Δpg2(Pa):", 2), b.deltap_g2);
    value(label(9, "以竖井内风速为基准的损失系数ζ2-3:", 2), b.zeta_23);
    value(label(22, "设计风量Qr2(m^3/s):", 4), b.QQ_r2);
    value(label(17, "②-②断面平均风速v2(m/s):", 3), b.v_2);
    value(label(22, "交通通风力Δpt2(Pa):", 3), b.deltap_t2);
    value(label(19, "始端的全压力ptot21(Pa):", 3), b.p_tot21);
    value(label(19, "末端的全压力ptot22(Pa):", 3), b.p_tot22);
    r.BlankLine();
    r.Line(">>  竖井  <<");
    r.BlankLine();
    value(label(25, "净空断面积Ar(m^2):", 2), b.ShaftAA_r);
    value(label(32, "周长Pr(m):", 3), b.ShaftPP_r);
    value(label(25, "断面当量直径Dr(m):", 2), b.ShaftDD_r);
    value(label(24, "设计风量Qr3(m^3/s):", 2), b.QQ_r3);
    value(label(18, "③-③断面平均风速v3(m/s):", 2), b.v_3);
    value(label(11, "竖井及连接风道总压力损失Δpd(Pa):", 1), b.deltap_d);
    value("竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):", b.p_tot3);
    value("竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):", b.p_tot3a);
    r.BlankLine();
    r.Section("轴流风机动力设计");
    r.BlankLine();
    value(label(21, "排风机设计风压ptot(Pa):", 1), b.p_tot);
    value(label(27, "理论功率Atot(kw):", 1), b.AA_tot);
    value(label(31, "送风机效率η:", 1), b.eta);
    value(label(19, "送风机电机轴功率Stot(kw):", 1), b.SS_tot);
    return r.Lines();
}

} // namespace shaft
