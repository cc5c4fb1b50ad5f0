// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/construction_vent.h"

#include "app/coef_table.h"
#include "jetfan/scheme_report.h"
#include "platform/vb.h"

#include <cmath>

namespace tools {

namespace {

constexpr double kPi = 3.1415926;

// A value of one step, or nothing when the step stopped.
using Maybe = std::optional<double>;

Maybe finite(double x) {
    return std::isfinite(x) ? Maybe(x) : std::nullopt;
}

Maybe divide(double a, double b) {
    return b == 0 ? std::nullopt : finite(a / b);
}

// A fractional power of a negative number has no value.
Maybe power(double base, double exponent) {
    return base < 0 ? std::nullopt : finite(std::pow(base, exponent));
}

double num(const std::string& text) {
    return vb::Val(text);
}

// The value as its box shows it, and the number a later step reads back from that text.
std::string shown(double value, const char* pattern) {
    return vb::Format(value, pattern);
}

struct Q1Step {
    std::optional<std::string> P, L0;
    std::string Q1; // "" when it could not be computed
};

const char* const kNoTime = "通风时间t(min)为0，需风量Q1无法计算";
const char* const kNoArea = "隧道开挖面积A为0，临界长度L无法计算";
const char* const kNoRoot = "需风量Q1的公式中出现负数开方或数值溢出，请检查炸药量G及所选方法的参数";

std::string q1Text(Maybe q1, double t, std::vector<std::string>& problems) {
    if (q1) {
        return shown(*q1, "0.000");
    }
    problems.emplace_back(t == 0 ? kNoTime : kNoRoot);
    return "";
}

// The critical length gives way to the stretch length when the stretch is shorter: the box then takes
// the stretch's text as typed.
std::string limitedLength(const std::string& shownLength, const std::string& tunnelLText) {
    return num(tunnelLText) < num(shownLength) ? tunnelLText : shownLength;
}

Q1Step forcedQ1(const ConstructionBoxes& in, std::vector<std::string>& problems) {
    Q1Step r;
    const double G = num(in.G), t = num(in.t), A = num(in.A), Lt = num(in.TunnelL);
    const double b0 = num(in.b0);
    switch (in.Method1) {
    case 0: {
        const double P100 = num(in.LF), Ld = num(in.TubeL);
        const Maybe p = divide(1, 1 - P100 * Ld * 0.01);
        if (!p) {
            problems.emplace_back("百米漏风率P100与风管长度L之积为100，漏风系数p无法计算");
            r.P = r.L0 = "";
            return r;
        }
        r.P = shown(*p, "0.000");
        const double pShown = num(*r.P);
        const Maybe critical = divide(divide(12.5 * G * b0 * num(in.k), A).value_or(NAN), pShown * pShown);
        if (A == 0 || !critical) {
            problems.emplace_back(A == 0 ? kNoArea : "漏风系数p显示为0，临界长度L无法计算");
            r.L0 = "";
            return r;
        }
        r.L0 = limitedLength(shown(*critical, "0.000"), in.TunnelL);
        const double L0 = num(*r.L0);
        const double AL = A * L0;
        const Maybe base = divide(G * (AL * AL) * num(in.PHI0) * b0, pShown * pShown);
        Maybe q1;
        if (base) {
            if (const Maybe root = power(*base, 0.3333)) {
                q1 = divide(2.25 * *root, t);
            }
        }
        r.Q1 = q1Text(q1, t, problems);
        return r;
    }
    case 1: {
        Maybe q1;
        const double AL = A * Lt;
        if (const Maybe root = power(G * (AL * AL), 0.3333)) {
            q1 = divide(7.8 * *root, t);
        }
        r.Q1 = q1Text(q1, t, problems);
        return r;
    }
    case 2: {
        const Maybe critical = divide(400 * G, A);
        if (!critical) {
            problems.emplace_back(kNoArea);
            r.L0 = "";
            return r;
        }
        r.L0 = limitedLength(shown(*critical, "0.000"), in.TunnelL);
        Maybe q1;
        if (const Maybe root = power(G * A * num(*r.L0), 0.5)) {
            q1 = divide(21.4 * *root, t);
        }
        r.Q1 = q1Text(q1, t, problems);
        return r;
    }
    case 3:
        r.Q1 = q1Text(divide(5 * G * b0, t), t, problems);
        return r;
    case 4:
        // The throw length lo stands in the length box; a negative demand is shown with its sign.
        r.Q1 = q1Text(divide(5 * G * b0 - A * num(in.L0), t), t, problems);
        return r;
    default:
        problems.emplace_back("未选择压入式通风的计算方法，需风量Q1无法计算");
        return r;
    }
}

std::string exhaustQ1(const ConstructionBoxes& in, std::vector<std::string>& problems) {
    const double G = num(in.G), t = num(in.t), A = num(in.A);
    const double Lo = ExhaustThrowLength(G, in.FireFuse);
    Maybe q1;
    switch (in.Method2) {
    case 0:
        if (const Maybe root = power(G * A * num(in.b1) * Lo, 0.5)) {
            if (const Maybe factor = divide(2.13, t)) {
                q1 = finite(*factor * *root);
            }
        }
        break;
    case 1:
        if (const Maybe root = power(G * A * Lo, 0.5)) {
            if (const Maybe factor = divide(18, t)) {
                q1 = finite(*factor * *root);
            }
        }
        break;
    default:
        problems.emplace_back("未选择排出式通风的计算方法，需风量Q1无法计算");
        return "";
    }
    return q1Text(q1, t, problems);
}

std::string mixedQ1(const ConstructionBoxes& in, std::vector<std::string>& problems) {
    const double G = num(in.G), t = num(in.t), A = num(in.A), L1 = num(in.L1);
    Maybe qm;
    switch (in.Method3) {
    case 0: {
        const std::optional<double> phi = vb::StrictNumber(in.PHI1), b = vb::StrictNumber(in.b2);
        if (!phi || !b) {
            problems.emplace_back("淋湿系数Φ或炸药爆炸时的有害气体产量b不是数字，混合式压入风量无法计算");
            return "";
        }
        const double AL = A * L1;
        if (const Maybe root = power(G * (AL * AL) * *phi * *b, 0.33333)) {
            qm = divide(2.25 * *root, t);
        }
        break;
    }
    case 1: {
        const double AL = A * L1;
        if (const Maybe root = power(G * (AL * AL), 0.33333)) {
            qm = divide(7.8 * *root, t);
        }
        break;
    }
    case 2:
        if (const Maybe root = power(G * A * L1, 0.5)) {
            qm = divide(19 * *root, t);
        }
        break;
    default:
        problems.emplace_back("未选择混合式通风压入部分的计算方法，需风量Q1无法计算");
        return "";
    }
    if (!qm) {
        return q1Text(qm, t, problems);
    }
    if (in.MixedForced) {
        return shown(*qm, "0.000");
    }
    Maybe qe;
    switch (in.Method4) {
    case 0:
        qe = finite(*qm * num(in.HP));
        break;
    case 1:
        qe = finite(A * num(in.v) * 60 + *qm);
        break;
    default:
        problems.emplace_back("未选择混合式通风排出部分的计算方法，需风量Q1无法计算");
        return "";
    }
    return q1Text(qe, t, problems);
}

} // namespace

double ExhaustThrowLength(double G, bool fireFuse) {
    return fireFuse ? G + 15 : 0.2 * G + 15;
}

ConstructionResults CalculateConstructionVent(const ConstructionBoxes& in) {
    ConstructionResults r;
    std::vector<std::string>& problems = r.Problems;

    switch (in.Type) {
    case VentType::Forced: {
        Q1Step s = forcedQ1(in, problems);
        r.P = s.P;
        r.L0 = s.L0;
        r.Q[0] = s.Q1;
        break;
    }
    case VentType::Exhaust:
        r.Q[0] = exhaustQ1(in, problems);
        break;
    case VentType::Mixed:
        r.Q[0] = mixedQ1(in, problems);
        break;
    case VentType::None:
        problems.emplace_back("未选择通风方式，需风量Q1无法计算");
        r.Q[0] = "";
        break;
    }

    const double A = num(in.A);
    if (const Maybe q2 = finite(num(in.v) * 60 * A)) {
        r.Q[1] = vb::CStr(*q2);
    } else {
        problems.emplace_back("需风量Q2超出数值范围");
        r.Q[1] = "";
    }
    if (const Maybe q3 = finite(num(in.qPerPerson) * num(in.N))) {
        r.Q[2] = vb::CStr(*q3);
    } else {
        problems.emplace_back("需风量Q3超出数值范围");
        r.Q[2] = "";
    }
    double q4 = 0;
    for (const DieselRowTexts& row : in.Diesel) {
        q4 += num(row.k) * num(row.Ni) * num(row.Num) * num(row.Ti) * num(row.wi);
    }
    if (std::isfinite(q4)) {
        r.Q[3] = shown(q4, "0.000");
    } else {
        problems.emplace_back("需风量Q4超出数值范围");
        r.Q[3] = "";
    }
    if (const Maybe q5 = divide(100 * num(in.gas), num(in.C))) {
        r.Q[4] = shown(*q5, "0.000");
    } else {
        problems.emplace_back(num(in.C) == 0 ? "有害气体浓度限值C为0，需风量Q5无法计算"
                                             : "需风量Q5超出数值范围");
        r.Q[4] = "";
    }

    // Everything below rests on the governing demand: without all five criteria it is unknown.
    const auto emptyFrom = [&r](int stage) {
        if (stage <= 0) {
            r.Q[5] = "";
            r.Qf = "";
        }
        if (stage <= 1) {
            r.H1 = r.H2 = r.H = "";
        }
        r.Pf = "";
    };
    for (int i = 0; i < 5; ++i) {
        if (!r.Q[i] || r.Q[i]->empty()) {
            emptyFrom(0);
            return r;
        }
    }
    const double q1 = num(*r.Q[0]);
    const double others = modPublic::MaxOf(num(*r.Q[1]), modPublic::MaxOf(num(*r.Q[2]), num(*r.Q[3])));
    const double governing = modPublic::MaxOf(modPublic::MaxOf(q1, others), num(*r.Q[4]));
    const Maybe perSecond = divide(divide(governing, num(in.XZ)).value_or(NAN), 60);
    if (num(in.XZ) == 0 || !perSecond) {
        problems.emplace_back(num(in.XZ) == 0 ? "修正系数为0，修正后需风量Q无法计算"
                                              : "修正后需风量Q超出数值范围");
        emptyFrom(0);
        return r;
    }
    std::string qText = shown(*perSecond, "0.000");
    // The blasting formula of forced method 1 already carries the duct leakage (p²): when its Q1 is the
    // governing demand, the whole-duct leakage is not counted a second time.
    const bool leakageInQ1 =
        in.Type == VentType::Forced && in.Method1 == 0 && q1 > modPublic::MaxOf(others, num(*r.Q[4]));
    if (!leakageInQ1) {
        if (const Maybe leaked = finite(num(qText) * num(in.ptot))) {
            qText = shown(*leaked, "0.000");
        } else {
            problems.emplace_back("修正后需风量Q超出数值范围");
            emptyFrom(0);
            return r;
        }
    }
    r.Q[5] = qText;
    const double Q = num(qText);

    const double n = num(in.FanNum), ratio = num(in.Ratio);
    if (in.Parallel) {
        if (const Maybe qf = divide(Q, n)) {
            r.Qf = shown(*qf, "0.00");
        } else {
            problems.emplace_back("风机台数为0，单台风机风量无法计算");
            r.Qf = "";
        }
    } else {
        r.Qf = shown(Q, "0.00");
    }

    const double D = num(in.D), rho = num(in.RHO);
    const Maybe vd = divide(Q * 4 / kPi, D * D);
    if (D == 0 || !vd) {
        problems.emplace_back(D == 0 ? "风管当量直径D为0，风管阻力无法计算" : "风管风速超出数值范围");
        emptyFrom(1);
        return r;
    }
    const Maybe h1 = divide(*vd * *vd * (rho * 0.5) * num(in.TubeL) * num(in.lambda), D);
    const Maybe h2 = finite(*vd * *vd * (rho * 0.5) * num(in.zeta));
    if (!h1 || !h2) {
        problems.emplace_back("风管阻力超出数值范围");
        emptyFrom(1);
        return r;
    }
    r.H1 = shown(*h1, "0.000");
    r.H2 = shown(*h2, "0.000");
    const Maybe h = finite(num(*r.H1) + num(*r.H2));
    if (!h) {
        problems.emplace_back("风管阻力超出数值范围");
        emptyFrom(1);
        return r;
    }
    r.H = shown(*h, "0.000");
    const double H = num(*r.H);

    const Maybe pf = in.Parallel ? divide(H, ratio) : divide(divide(H, n).value_or(NAN), ratio);
    if (pf && std::isfinite(*pf)) {
        r.Pf = shown(*pf, "0.00");
    } else {
        if (!in.Parallel && n == 0) {
            problems.emplace_back("风机台数为0，单台风机升压力无法计算");
        }
        if (ratio == 0) {
            problems.emplace_back("多台布置效率损失系数为0，单台风机升压力无法计算");
        } else if (in.Parallel || n != 0) {
            problems.emplace_back("单台风机升压力超出数值范围");
        }
        r.Pf = "";
    }
    return r;
}

namespace {

std::string tabbed(std::string_view label, std::string_view text) {
    std::string line(label);
    line += '\t';
    line += text;
    return line;
}

const char* const kMethodLines[5] = {"采用计算方法一", "采用计算方法二", "采用计算方法三", "采用计算方法四",
                                     "采用计算方法五"};

void methodLine(jetfan::SchemeReport& r, int index, int count) {
    if (index >= 0 && index < count) {
        r.Line(kMethodLines[index]);
    }
}

const char* const kBLabel = "炸药爆炸时的有害气体产量b(L/kg):";

void typeBlock(jetfan::SchemeReport& r, const ConstructionBoxes& b) {
    const auto head = [&](const char* typeLine) {
        r.Line(typeLine);
        r.Line(tabbed("一次爆炸的最大炸药量G(kg):", b.G));
        r.Line(tabbed("         通风时间t(min): ", b.t));
    };
    switch (b.Type) {
    case VentType::Forced:
        head("采用压入式通风");
        methodLine(r, b.Method1, 5);
        if (b.Method1 == 0) {
            r.Line(tabbed("                     淋湿系数Φ: ", b.PHI0));
            r.Line(tabbed(kBLabel, b.b0));
            r.Line(tabbed("                  紊流扩散系数k: ", b.k));
            r.Line(tabbed("                 百米漏风率P100: ", b.LF));
            r.Line(tabbed("                 全长漏风系数p:  ", b.P));
            r.Line(tabbed("                  临界长度L(m):  ", b.L0));
        } else if (b.Method1 == 2) {
            r.Line(tabbed("                 临界长度L(m):   ", b.L0));
        } else if (b.Method1 == 3) {
            r.Line(tabbed(kBLabel, b.b0));
        }
        break;
    case VentType::Exhaust: {
        head("采用排出式通风");
        methodLine(r, b.Method2, 2);
        if (b.Method2 == 0) {
            r.Line(tabbed(kBLabel, b.b1));
        }
        const double G = vb::Val(b.G);
        r.Line(b.FireFuse ? "采用火雷管起爆,爆破后粉尘抛掷距离Lo(m):" + vb::CStr(G + 15)
                          : "采用电雷管起爆,爆破后粉尘抛掷距离Lo(m):" + vb::CStr(G / 5 + 15));
        break;
    }
    case VentType::Mixed:
        head("采用混合式通风");
        if (b.MixedForced) {
            r.Line("计算混压需风量");
            methodLine(r, b.Method3, 3);
            if (b.Method3 == 0) {
                r.Line(tabbed("                     淋湿系数Φ :", b.PHI1));
                r.Line(tabbed(kBLabel, b.b2));
            }
            r.Line(tabbed("         压风口到工作面距离L(m): ", b.L1));
        } else {
            // The block is about the exhaust part, so it names the method of the exhaust-part list.
            r.Line("计算混排需风量");
            methodLine(r, b.Method4, 2);
        }
        break;
    case VentType::None:
        break;
    }
}

std::string dieselLine(const DieselRowTexts& row) {
    return vb::Format(vb::Val(row.k), "0.000") + "\t" + vb::Format(vb::Val(row.Ni), "000.00") + "\t" +
           vb::Format(vb::Val(row.Num), "00") + "\t" + vb::Format(vb::Val(row.Ti), "00.00") + "\t" +
           vb::Format(vb::Val(row.wi), "00.00");
}

} // namespace

std::vector<std::string> ConstructionReportLines(const ConstructionBoxes& b) {
    jetfan::SchemeReport r;
    r.BlankLine().BlankLine().Title(b.ProjectName, "施工通风计算报告");
    r.BlankLine().BlankLine().Section("隧道及风管基本设计参数");
    r.Line(tabbed("隧道开挖面积A(m^2):  ", b.A));
    r.Line(tabbed("通风区段长度(m):     ", b.TunnelL));
    r.Line(tabbed("风管长度L(m):        ", b.TubeL));
    r.Line(tabbed("风管当量直径D(m):    ", b.D));
    r.Line(tabbed("风管摩擦阻力系数a:   ", b.lambda));
    r.Line(tabbed("空气密度(kg/m^3):    ", b.RHO));

    r.BlankLine().BlankLine().Section("需风量分析").BlankLine();
    r.Line(">>按同一时间内爆破的最大炸药量计算的需风量Q1<<").BlankLine();
    typeBlock(r, b);
    r.Line(tabbed("         需风量Q1(m^3/min):  ", b.Q[0]));

    r.BlankLine().Line(">>按最小风速计算的需风量Q2<<").BlankLine();
    r.Line(tabbed("         最小风速v(m/s):     ", b.v));
    r.Line(tabbed("         需风量Q2(m^3/min):  ", b.Q[1]));

    r.BlankLine().Line(">>按洞内最多人数计算的需风量Q3<<").BlankLine();
    r.Line(tabbed("         洞内最多工人数(人): ", b.N));
    r.Line(tabbed("人均需新鲜空气量(m^3/min/人):", b.qPerPerson));
    r.Line(tabbed("        需风量Q3(m^3/min):   ", b.Q[2]));

    r.BlankLine().Line(">>按稀释和排除内燃机废气计算的需风量Q4<<").BlankLine();
    r.Line("功率通风计算系数k(m^3/min/kW)   额定功率Ni(kW)   设备数量   时间利用率Ti   平均负荷率wi");
    for (const DieselRowTexts& row : b.Diesel) {
        r.Line(dieselLine(row));
    }
    r.Line(tabbed("         需风量Q4(m^3/min):  ", b.Q[3]));

    r.BlankLine().Line(">>按有害气体浓度控制要求计算的需风量Q5<<").BlankLine();
    r.Line(tabbed("             有害气体名称:   ", b.GasName));
    r.Line(tabbed("         有害气体浓度限值(%):", b.C));
    r.Line(tabbed(" 有害气体涌出量g(m^3/min):   ", b.gas));
    r.Line(tabbed("         需风量Q5(m^3/min):  ", b.Q[4]));

    r.BlankLine();
    r.Line(tabbed("         全长漏风系数Ptot:   ", b.ptot));
    r.Line(tabbed("             修正系数(<1):   ", b.XZ));
    r.Line(tabbed("     修正后需风量Q(m^3/s):   ", b.Q[5]));

    r.BlankLine().Section("风机压力分析");
    r.Line(tabbed("         沿程摩擦阻力H1(Pa): ", b.H1));
    r.Line(tabbed("         局部阻力系数ξ之和: ", b.zeta));
    r.Line(tabbed("             局部阻力H2(Pa): ", b.H2));
    r.Line(tabbed("               总阻力H(Pa):  ", b.H));

    r.BlankLine().Section("风机选型指标");
    r.Line(tabbed("                 风机台数:   ", b.FanNum));
    r.Line(tabbed(b.Parallel ? "         布置方式: 并联布置  " : "         布置方式: 串联布置  ", b.FanNum));
    r.Line(tabbed("   多台布置效率损失系数(<1): ", b.Ratio));
    r.Line(tabbed("     单台风机风量Qf(m^3/s):  ", b.Qf));
    r.Line(tabbed("      单台风机升压力Pf(Pa):  ", b.Pf));
    return r.Lines();
}

std::vector<std::string> FrictionItems(int ductType) {
    switch (ductType) {
    case 0:
        return {"500", "600", "700", "800", "900", "1000"};
    case 1:
        return {"500", "600", "700", "800"};
    case 2: {
        std::vector<std::string> items;
        for (int i = 1; i <= 10; ++i) {
            items.push_back(std::to_string(i) + "*10^5");
        }
        return items;
    }
    default:
        return {};
    }
}

std::optional<double> FrictionKey(int ductType, int position) {
    const std::vector<std::string> items = FrictionItems(ductType);
    if (position < 0 || position >= static_cast<int>(items.size())) {
        return std::nullopt;
    }
    if (ductType == 2) {
        return position + 1;
    }
    return vb::Val(items[static_cast<std::size_t>(position)]);
}

const char* LeakageMetalKey(int jointPosition, bool threeMetreSegments) {
    if (jointPosition == 0) {
        return threeMetreSegments ? "Tab12_3_1" : "Tab12_3_2";
    }
    if (jointPosition == 1) {
        return threeMetreSegments ? "Tab12_3_3" : "Tab12_3_4";
    }
    return "";
}

std::string LeakageTableKey(LeakageDuct duct, int jointPosition, bool threeMetreSegments) {
    switch (duct) {
    case LeakageDuct::Rubber:
        return kLeakageRubberKey;
    case LeakageDuct::Metal:
        return LeakageMetalKey(jointPosition, threeMetreSegments);
    case LeakageDuct::Pvc:
        return kLeakagePvcKey;
    case LeakageDuct::None:
        break;
    }
    return "";
}

std::optional<double> LeakageCoefficient(LeakageDuct duct, const CoefTable& table, double L, double D) {
    if (table.empty() || duct == LeakageDuct::None) {
        return std::nullopt;
    }
    if (duct == LeakageDuct::Rubber) {
        return modPublic::Interpolate1D(table, L);
    }
    return modPublic::Interpolate2D(table, L, D);
}

} // namespace tools
