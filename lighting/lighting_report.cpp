// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lighting_report.h"

#include "jetfan/scheme_report.h"
#include "platform/vb.h"

namespace lighting {

namespace {

std::string Formatted(const std::string& text, std::string_view pattern) {
    const std::optional<double> n = vb::StrictNumber(text);
    return n ? vb::Format(*n, pattern) : text;
}

constexpr std::array<const char*, kCaseResults> kResultLabels = {
    "     最小照度Emin(lx):", "     最大照度Emax(lx):", "      平均照度Eav(lx):", " 最小亮度Lmin(cd/m^2):",
    " 最大亮度Lmax(cd/m^2):", "  平均亮度Lav(cd/m^2):", "           总均匀度Uo:", "         纵向均匀度Ul:"};

} // namespace

std::vector<std::string> LightingReportHead(std::string_view projectName) {
    jetfan::SchemeReport r;
    r.BlankLine().BlankLine();
    r.Line(std::string(16, ' ') + std::string(projectName) + "照明计算书");
    r.BlankLine().BlankLine();
    return r.Lines();
}

std::string CircuitLine(const CaseRow& row) {
    const std::string gap(6, ' ');
    return row[0] + gap + Formatted(row[1], "00.0") + gap + Formatted(row[2], "0000.0") + gap +
           Formatted(row[3], "00.00");
}

std::vector<std::string> LightingZoneLines(const LightingZoneBlock& block) {
    const std::string stars(93, '*');
    jetfan::SchemeReport r;
    r.Line(stars).Line(stars);
    r.Line(std::string(24, ' ') + block.Zone);
    r.Line(stars).Line(stars);
    r.BlankLine();
    r.Line("■■  灯具开启回路  ■■");
    if (!block.SetUp) {
        r.Line("     本照明区段未设置灯具, 未作照明计算.");
        return r.Lines();
    }
    r.Table("回路名称  纵向间距(m) 功率(w) 与计算域起点距离(m)", block.Rows, CircuitLine);
    r.BlankLine();
    r.Line("■■照明计算结果■■");
    r.Line(block.Numeric ? "             计算方法: 数值法" : "         计算方法: 系数曲线图法");
    if (block.Refused) {
        // Results of an earlier calculation must not pass for this zone's.
        r.Line("     本区段未计算: " + *block.Refused);
        return r.Lines();
    }
    for (std::size_t i = 0; i < kResultLabels.size(); ++i) {
        r.Value(kResultLabels[i], block.Results[i]);
    }
    return r.Lines();
}

} // namespace lighting
