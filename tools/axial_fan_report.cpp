// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/axial_fan_report.h"

#include "jetfan/scheme_report.h"
#include "platform/vb.h"

namespace tools {

namespace {

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string fmt(const std::string& text, std::string_view pattern) {
    return vb::Format(vb::Val(text), pattern);
}

} // namespace

std::string AxialSectionLine(const AxialSectionTexts& row) {
    return blanks(4) + fmt(row[0], "000.00") + blanks(10) + row[1] + blanks(10) + fmt(row[2], "00.000") +
           blanks(4) + fmt(row[3], "00.000") + blanks(6) + fmt(row[4], "00.000") + blanks(6) +
           fmt(row[5], "00.000") + blanks(10) + fmt(row[6], "00.000") + blanks(6) + row[7];
}

std::string AxialZetaLine(const AxialZetaTexts& row) {
    return blanks(6) + fmt(row[0], "000.00") + blanks(12) + fmt(row[1], "0.000") + blanks(6) + row[2];
}

std::vector<std::string> AxialFanReportLines(std::string_view projectName,
                                             const std::vector<AxialFanReportFan>& fans) {
    jetfan::SchemeReport r;
    r.Line(blanks(16) + std::string(projectName) + "轴流风机动力设计计算书");
    const std::string tab = "\t";
    for (const AxialFanReportFan& fan : fans) {
        const AxialFanTexts& f = fan.Texts;
        const FanTypeCaptions& captions = CaptionsOf(fan.Supply);
        r.BlankLine();
        r.Value("风机编号:", fan.FanNo);
        r.BlankLine();
        r.Section("基本参数");
        r.Value("流量(m^3/s):     " + tab, f.Q);
        r.Value("风机数量(台):    " + tab, f.N);
        r.Value("空气密度(kg/m^3):" + tab, f.RHO);
        r.Value("风机类型:        " + tab, fan.Supply ? "送风机" : "排风机");
        r.Value(captions[0] + tab, f.v);
        r.Value("多台风机并列运行效率损失:" + tab, f.Disc);
        r.BlankLine();
        r.Section("沿程损失计算(含渐扩,渐缩管段)");
        // A blank λ cell prints the λ the loss was worked with, so that the line agrees with the result.
        std::vector<AxialSectionTexts> sections = f.Sections;
        for (const AxialFrictionUsed& used : fan.Friction) {
            if (used.Row < sections.size()) {
                sections[used.Row][6] = vb::Format(used.Lambda, "0.000");
            }
        }
        r.Table(
            "区段长度(m) 是否渐扩/减缩管段 面积(m^2) 周长(m) 当量直径(m) 平均壁面粗糙度(mm) 沿程摩阻力    "
            "   备注",
            sections, AxialSectionLine);
        for (const AxialFrictionUsed& used : fan.Friction) {
            r.Line("第" + std::to_string(used.Row + 1) +
                   "行摩阻力λ未填，按平均壁面粗糙度取λ=" + vb::Format(used.Lambda, "0.000") +
                   "，沿程摩擦损失" + vb::Format(used.Loss, "0.00") + "Pa");
        }
        if (!fan.DuctNote.empty()) {
            r.Line(fan.DuctNote);
        }
        r.BlankLine();
        r.Section("局部损失计算");
        r.Table("位置(距起点长度)(m)   损失系数ξ      备注", f.Zetas, AxialZetaLine);
        if (!fan.ZetaNote.empty()) {
            r.Line(fan.ZetaNote);
        }
        r.BlankLine();
        r.Section("设计风压计算");
        r.Value(captions[1] + tab, f.p_d);
        r.Value(captions[2] + tab, f.p_s);
        r.Value(captions[3] + tab, f.p_tot);
        r.BlankLine();
        r.Section("风机功率计算");
        // The boxes hold the absolute temperature and the pressure in kPa; the labels say so.
        r.Value("环境温度t1(K):   ", f.t);
        r.Value("环境大气压p1(kPa):", f.P);
        r.Value("风机效率η:      ", f.eta);
        r.Value("风机功率Skw(kW): ", f.SSkw);
        r.BlankLine();
        r.Section("电机功率计算");
        r.Value("效率ηm(0.90-0.95):  ", f.etam);
        r.Value("容量安全系数k(1.15): ", f.k);
        r.Value("电机功率M1(kW):      ", f.MM);
    }
    return r.Lines();
}

} // namespace tools
