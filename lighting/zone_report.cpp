// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/zone_report.h"

#include "jetfan/scheme_report.h"
#include "platform/vb.h"

namespace lighting {

std::string ZoneLine(const ZoneRowTexts& row) {
    jetfan::SchemeReport r;
    r.ZoneRow({vb::Format(vb::Val(row[0]), "00"), vb::Format(vb::Val(row[1]), "0000.00"),
               vb::Format(vb::Val(row[2]), "000.00")});
    return r.Lines().front();
}

std::vector<std::string> ZoneReportLines(const ZoneReportHead& h, const std::vector<ZoneReportBlock>& blocks,
                                         const std::vector<std::string>& notes) {
    jetfan::SchemeReport r;
    r.Line("                " + h.ProjectName + "照明区段亮度与长度计算书");
    r.BlankLine();
    r.Section("基本信息");
    r.Value("  设计时速vt (km / h):   ", h.Speed);
    r.Value("         隧道长度L(m):   ", h.Length);
    r.Line(h.TwoWay ? "交通方式：双向交通" : "交通方式：单向交通");
    if (h.Mixed) {
        r.Line("人车混行");
    }
    r.Value("             天空百分比: ", h.SkyRatio);
    if (h.Surroundings) {
        r.Value("     洞口朝向或洞外环境: ", *h.Surroundings);
    }
    r.Value("          纵坡坡度i(%):  ", h.Slope);
    r.Value("       洞内净空高度h(m): ", h.Height);
    r.Value("      前一隧道的长度(m): ", h.PreLength);
    r.Value("        两隧道的间距(m): ", h.Span);
    // The results of the calculation before the report; a box no calculation filled says so.
    r.Value("              折减系数k: ", jetfan::ResultText(h.k));
    r.Value("                 折减率: ", jetfan::ResultText(h.Discount));
    r.Value(" 洞外亮度L20(S)(cd/m^2): ", h.L20);
    r.Value("          停车视距Ds(m): ", jetfan::ResultText(h.Ds));
    r.BlankLine();
    // The head names the traffic the blocks below were calculated for.
    r.Section(h.TwoWay ? "隧道双向交通照明工况表" : "隧道单向交通照明工况表");
    for (const ZoneReportBlock& b : blocks) {
        r.BlankLine();
        r.Value("      设计交通量N(辆/h): ", b.Volume);
        r.Value("               照明工况: ", b.Mode);
        r.Table("区段      亮度(cd/m^2)    长度(m)", b.Rows, ZoneLine);
    }
    if (!notes.empty()) {
        r.BlankLine();
        r.Section("说明");
        for (const std::string& n : notes) {
            r.Line(n);
        }
    }
    return r.Lines();
}

} // namespace lighting
