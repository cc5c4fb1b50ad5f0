// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/eject_report.h"

#include "jetfan/scheme_report.h"

namespace shaft {

namespace {

/// The gap between a label and its value.
const std::string kGap(9, ' ');

/// Where the labels of the body are padded to.
constexpr int kLabelWidth = 45;

/// A value whose label ends at display column `labelEnd`, padded to the common width, then the gap.
void alignedValue(jetfan::SchemeReport& r, int labelEnd, std::string_view label, const std::string& text) {
    r.Value(jetfan::AlignedLabel(label, labelEnd, kLabelWidth) + kGap, text);
}

/// A block head between blank lines.
void blockHead(jetfan::SchemeReport& r, std::string_view head) {
    r.BlankLine();
    r.Line(head);
    r.BlankLine();
}

/// The lines both sections of the tunnel print alike but for the section's number (n, circled as ①, ②):
/// the weather pressure, the loss factor to the shaft, the branch factor (the first section only, nullptr
/// for the second), the design flow, the speed and the traffic force.
void sectionLines(jetfan::SchemeReport& r, std::string_view n, std::string_view circled,
                  const std::string& deltap_g, const std::string& zeta_3, const std::string* zeta_12,
                  const std::string& QQ_r, const std::string& v, const std::string& deltap_t) {
    const std::string num(n);
    const std::string ring(circled);
    alignedValue(r, 43, "隧道口与竖井出口之间的气象压力差Δpg" + num + "(Pa):", deltap_g);
    alignedValue(r, 43, "以竖井内风速为基准的损失系数ζ" + num + "-3:", zeta_3);
    if (zeta_12 != nullptr) {
        alignedValue(r, 43, "分流型风道主流分叉损失系数ζ1-2:", *zeta_12);
    }
    alignedValue(r, 41, "设计风量Qr" + num + "(m^3/s):", QQ_r);
    alignedValue(r, 42, ring + "-" + ring + "断面平均风速v" + num + "(m/s):", v);
    alignedValue(r, 42, "交通通风力Δpt" + num + "(Pa):", deltap_t);
}

} // namespace

std::vector<std::string> EjectReportLines(const EjectReportBoxes& b) {
    const auto result = [](const std::string& text) { return jetfan::ResultText(text); };
    // The merge type computes no pressure at the ends of the sections, the split type no second shaft
    // pressure: their lines say so whatever their boxes hold.
    const auto ofMerge = [&](const std::string& text) {
        return b.Merge ? result(text) : std::string(jetfan::kNotComputed);
    };
    const auto ofSplit = [&](const std::string& text) {
        return b.Merge ? std::string(jetfan::kNotComputed) : result(text);
    };
    jetfan::SchemeReport r;
    auto value = [&](const std::string& lbl, const std::string& text) { r.Value(lbl + kGap, text); };
    r.Title(b.ProjectName, kEjectReportTitle);
    r.BlankLine();
    value("压力模式:", std::string(b.Merge ? kMergeModelCaption : kSplitModelCaption));
    value("竖井桩号(m):", b.ShaftPile);
    r.BlankLine();
    r.Section("通风区段计算");
    blockHead(r, ">>  第I区段<<");
    sectionLines(r, "1", "①", b.deltap_g1, b.zeta_13, &b.zeta_12, result(b.QQ_r1), result(b.v_1),
                 result(b.deltap_t1));
    alignedValue(r, 42, "末端的全压力ptot1(Pa):", ofSplit(b.p_tot1));
    blockHead(r, ">>  第II区段  <<");
    sectionLines(r, "2", "②", b.deltap_g2, b.zeta_23, nullptr, result(b.QQ_r2), result(b.v_2),
                 result(b.deltap_t2));
    alignedValue(r, 42, "始端的全压力ptot21(Pa):", ofSplit(b.p_tot21));
    alignedValue(r, 42, "末端的全压力ptot22(Pa):", ofSplit(b.p_tot22));
    blockHead(r, ">>  竖井  <<");
    alignedValue(r, 43, "净空断面积Ar(m^2):", b.ShaftAA_r);
    alignedValue(r, 42, "周长Pr(m):", b.ShaftPP_r);
    alignedValue(r, 43, "断面当量直径Dr(m):", b.ShaftDD_r);
    alignedValue(r, 43, "设计风量Qr3(m^3/s):", result(b.QQ_r3));
    alignedValue(r, 43, "③-③断面平均风速v3(m/s):", result(b.v_3));
    alignedValue(r, 44, "竖井及连接风道总压力损失Δpd(Pa):", b.deltap_d);
    // Wider than the body's labels: printed whole, the gap straight after.
    alignedValue(r, 0, "竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):", result(b.p_tot3));
    alignedValue(r, 0, "竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):", ofMerge(b.p_tot3a));
    r.BlankLine();
    r.Section("轴流风机动力设计");
    r.BlankLine();
    alignedValue(r, 44, "排风机设计风压ptot(Pa):", result(b.p_tot));
    alignedValue(r, 44, "理论功率Atot(kw):", result(b.AA_tot));
    alignedValue(r, 44, "送风机效率η:", b.eta);
    alignedValue(r, 44, "送风机电机轴功率Stot(kw):", result(b.SS_tot));
    return r.Lines();
}

} // namespace shaft
