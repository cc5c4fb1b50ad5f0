// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/scheme_report.h"

#include "platform/vb.h"

#include <algorithm>

namespace jetfan {

std::string SchemeOutputPath(std::string_view projectFile, std::string_view name,
                             std::string_view extension) {
    if (projectFile.size() <= 4) {
        return {};
    }
    std::string path(projectFile.substr(0, projectFile.size() - 4));
    path += "_";
    path += name;
    path += extension;
    return path;
}

int NextPrintZone(int width) {
    constexpr int kZone = 14;
    const int column = std::max(width, 0) + 1;
    return ((column - 1) / kZone + 1) * kZone + 1;
}

std::string AlignedLabel(std::string_view label, int labelEnd, int valueAt) {
    const int width = vb::DisplayWidth(label);
    const int before = std::max(labelEnd - width, 0);
    const int after = std::max(valueAt - before - width, 0);
    return std::string(static_cast<std::size_t>(before), ' ') + std::string(label) +
           std::string(static_cast<std::size_t>(after), ' ');
}

SchemeReport& SchemeReport::BlankLine() {
    text_.EmptyLine();
    return *this;
}

SchemeReport& SchemeReport::Title(std::string_view projectName, std::string_view title) {
    text_.Col(30).Add(projectName).Add(title).EndLine();
    return *this;
}

SchemeReport& SchemeReport::Section(std::string_view name, std::string_view indent) {
    std::string head(indent);
    head += "■■";
    head += name;
    head += "■■";
    text_.Line(head);
    return *this;
}

SchemeReport& SchemeReport::Value(std::string_view label, std::string_view boxText) {
    text_.Add(label).Add(boxText).EndLine();
    return *this;
}

SchemeReport& SchemeReport::Line(std::string_view text) {
    text_.Line(text);
    return *this;
}

SchemeReport& SchemeReport::ZoneRow(const std::vector<std::string>& items) {
    int width = 0;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) {
            const int column = NextPrintZone(width);
            text_.Col(column);
            width = column - 1;
        }
        text_.Add(items[k]);
        width += vb::DisplayWidth(items[k]);
    }
    text_.EndLine();
    return *this;
}

std::vector<std::string> SchemeReport::Lines() const {
    return text_.Lines();
}

std::vector<std::string> StationRowItems(const JetStationTexts& row) {
    return {vb::Format(vb::Val(row.Station), "000000.00"), vb::Format(vb::Val(row.Count), "00"),
            vb::Format(vb::Val(row.Rise), "00.000")};
}

std::string ResultText(std::string_view boxText) {
    return std::string(boxText.empty() ? kNotComputed : boxText);
}

std::vector<std::string> JetReportLines(const JetReportBoxes& b) {
    SchemeReport r;
    r.BlankLine().BlankLine();
    r.Title(b.ProjectName, kJetReportTitle);
    r.BlankLine().BlankLine();

    r.Section("风机升压力计算");
    r.Value("            风机型号:    ", b.JetModel);
    r.Value("     风机流量(m^3/s):    ", b.Flow);
    r.Value("     出口直径Dj(m):      ", b.DD_j);
    r.Value("     出口面积Aj(m^2):    ", b.AA_j);
    r.Value("     出口风速vj(m/s):    ", b.vj);
    r.Value("        风机功率(kW):    ", b.Power);
    r.Value("         悬挂高度Z(m):   ", b.ZZ_j);
    r.Value("位置摩阻损失折减系数η:  ", b.eta);
    r.Value("       升压力Δpj(Pa)：  ", b.deltap_j);
    r.BlankLine();

    r.Section("压力平衡分析", " ");
    r.Value(" 通风阻抗力Δpr(Pa):     ", ResultText(b.deltap_r));
    r.Value(" 自然风阻力Δpm(Pa):     ", ResultText(b.deltap_m));
    r.Value(" 交通通风力Δpt(Pa):     ", ResultText(b.deltap_t));
    r.Value(" 局部压力损失Δpl(Pa)    :", ResultText(b.deltap_l));
    r.Value(" 射流风机群总升压力ΣΔpj(Pa):", ResultText(b.totaldeltap_j));
    r.Value("   所需射流风机台数i:    ", ResultText(b.i));
    r.Value("     总耗电功率(kw):     ", ResultText(b.TotalPower));
    r.BlankLine();

    r.Section("射流风机布置");
    r.Line("射流风机布置桩号");
    r.Line("桩号\t台数\t升压力(Pa):");
    for (const JetStationTexts& row : b.Stations) {
        r.ZoneRow(StationRowItems(row));
    }
    if (!b.LayoutJudgement.empty()) {
        r.Line(b.LayoutJudgement);
    }
    return r.Lines();
}

std::string ControlYearHead(std::string_view year) {
    return "特征年:" + std::string(year);
}

std::string ControlTrafficLine(std::string_view nn) {
    return "混合车:" + std::string(nn);
}

std::string ControlSpeedLine(std::string_view speed, std::string_view summary) {
    return "工况车速:" + std::string(speed) + "km/h,   " + std::string(summary);
}

std::string ControlFullCongestionLine(std::string_view summary) {
    return "工况车速:分段组合, " + std::string(summary);
}

std::string ControlKmCongestionLine(std::string_view summary) {
    return "工况车速:10km/h, " + std::string(summary);
}

std::string ControlSeparator() {
    return std::string(kControlSeparatorWidth, '*');
}

std::string JetControlSummary(std::string_view qreqText, std::string_view countText,
                              std::string_view powerText) {
    const double fans = std::max(0.0, vb::Int(vb::Val(countText)));
    const double power = fans * vb::Val(powerText);
    return "Qreq:" + std::string(qreqText) + ",  运营控制:" + "需射流风机台数:" + vb::CStr(fans) +
           ",  总功率:" + vb::CStr(power) + "kW";
}

std::string JetControlFailure(std::string_view qreqText, std::string_view why) {
    return "Qreq:" + std::string(qreqText) + ",  运营控制:无法计算：" + std::string(why);
}

} // namespace jetfan
