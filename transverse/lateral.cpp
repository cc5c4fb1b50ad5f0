// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/lateral.h"

#include <cmath>

namespace transverse {

LateralDuctResult LateralDucts(const LateralDuctInput& in) {
    LateralDuctResult r;
    const double f = in.TwoSections ? 0.5 : 1.0;
    r.QQ_b = in.Q * f;
    r.QQ_e = in.Q * f;
    r.LL_b = f * in.L;
    r.LL_e = r.LL_b;

    // Uniform lateral outflow: the duct's friction over a third of its length, less the static regain.
    r.q_b = r.QQ_b / r.LL_b;
    r.v_b = r.QQ_b / in.AA_b;
    r.p_b = 0.5 * in.rho * (r.v_b * r.v_b);
    r.k_b = in.Lambda_b * r.LL_b / 3 / in.DD_b - 1;
    r.pbi_pb0 = r.k_b * 0.5 * in.rho * (r.v_b * r.v_b);
    r.pb0_pr0 = kSupplyEndPressure;
    if (in.FullTransverse) {
        r.p_tot = (r.pb0_pr0 + r.pbi_pb0 + r.p_b + in.p_d) * kLateralFanMargin;
    } else {
        // The supply fan also drives the tunnel air out against the natural wind, over the whole section
        // and shared by the fans.
        r.Pn = 0.5 * in.rho * (in.v_n * in.v_n) * (1 + in.zeta_e + in.lambda_r * in.L / in.DD_r) * f;
        r.p_tot = (r.Pn + r.pb0_pr0 + r.pbi_pb0 + r.p_b + in.p_d) * kLateralFanMargin;
    }

    // Uniform lateral inflow: the air accelerates along the duct, two dynamic pressures more.
    r.v_e0 = r.QQ_e / in.AA_e;
    r.p_e = 0.5 * in.rho * (r.v_e0 * r.v_e0);
    r.k_e = in.Lambda_e * r.LL_e / 3 / in.DD_e + 2;
    r.pei_pe0 = r.k_e * 0.5 * in.rho * (r.v_e0 * r.v_e0);
    r.pri_pei = kExhaustEndPressure;
    r.p_etot = (r.pri_pei + r.pei_pe0 - r.p_e + in.p_ed) * kLateralFanMargin;
    return r;
}

double PortalPressureDifference(double v_n, double rho, double L, double lambda_r, double DD_r,
                                double zeta_e) {
    return v_n * v_n * (-rho / 2) * (L * lambda_r / DD_r + zeta_e + 1);
}

double VehicleTerm(const TunnelPressureInput& in) {
    return in.AA_m * in.N * in.L * 3.6 / in.AA_r / in.vt / 3600;
}

double NeutralPressureDrop(const TunnelPressureInput& in, double x) {
    const double v = x * in.q_b / in.AA_r;
    const double c = VehicleTerm(in);
    return 0.5 * in.rho *
           ((in.lambda_r * x / 3 / in.DD_r + 2) * (v * v) + c * (x / in.L) * (in.vt / 3.6) * v);
}

NeutralPoint FindNeutralPoint(const TunnelPressureInput& in, double Pa) {
    NeutralPoint p;
    double step = 0.5 * in.L;
    p.x1 = 0.5 * in.L;
    for (;;) {
        ++p.Passes;
        const double x2 = in.L - p.x1;
        p.P1 = -NeutralPressureDrop(in, p.x1);
        p.P2 = -NeutralPressureDrop(in, x2);
        // A comparison with a number that is not finite is false, so such a search ends here; a finite
        // one ends once the step has halved below 1 m.
        if (std::fabs(p.P1 - Pa - p.P2) > kNeutralTolerance && step > kNeutralSmallestStep) {
            step *= 0.5;
            p.x1 = p.P1 - Pa > p.P2 ? p.x1 + step : p.x1 - step;
        } else {
            break;
        }
    }
    // The search cannot leave the section: with its last step it stops within a metre of the end it ran
    // towards, also when the balance lies beyond that end. Only the end itself tells the two apart.
    const double left = p.P1 - Pa - p.P2;
    if (std::fabs(left) > kNeutralTolerance && std::isfinite(left)) {
        const double end = left > 0 ? in.L : 0.0;
        const double atEnd = NeutralPressureDrop(in, in.L - end) - NeutralPressureDrop(in, end) - Pa;
        if (std::fabs(atEnd) > kNeutralTolerance && (atEnd > 0) == (left > 0)) {
            p.Unbalanced = atEnd;
        }
    }
    return p;
}

// ---- The .tra file ----

TraFile ReadTraFile(scheme::SchemeReader& in) {
    TraFile f;
    f.TwoSect = in.NextBoolean();
    f.Tranverse = in.NextBoolean();
    in.NextTexts(f.Supply);
    in.NextTexts(f.SupplyResult);
    in.NextTexts(f.Exhaust);
    f.PileC = in.NextText();
    f.PC = in.NextText();
    if (const std::optional<double> pos = in.NextLeading()) {
        const double whole = std::nearbyint(*pos);
        // A position no scroll bar can take is no position.
        if (std::isfinite(whole) && std::fabs(whole) < 2147483648.0) {
            f.ScrollPosition = static_cast<long long>(whole);
        }
    }
    f.PR = in.NextText();
    return f;
}

void KeepTemplateInputs(TraFile& file) {
    // The connecting ducts' losses are typed (or worked out by their dialog) like the ducts' data.
    constexpr std::size_t kSupplyLoss = 7, kExhaustLoss = 8, kExhaustResultsFrom = 3;
    for (std::size_t i = 0; i < file.SupplyResult.size(); ++i) {
        if (i != kSupplyLoss) {
            file.SupplyResult[i] = std::string();
        }
    }
    for (std::size_t i = kExhaustResultsFrom; i < file.Exhaust.size(); ++i) {
        if (i != kExhaustLoss) {
            file.Exhaust[i] = std::string();
        }
    }
    file.PileC = file.PC = file.PR = std::string();
    file.ScrollPosition.reset();
}

scheme::SchemeWriter WriteTraFile(const TraFile& file) {
    scheme::SchemeWriter w;
    w.Boolean(file.TwoSect.value_or(false)).Boolean(file.Tranverse.value_or(false)).EndRecord();
    w.TextRecord(file.Supply);
    w.TextRecord(file.SupplyResult);
    w.TextRecord(file.Exhaust);
    w.Text(file.PileC.value_or("")).Text(file.PC.value_or("")).Whole(file.ScrollPosition.value_or(0));
    w.Text(file.PR.value_or("")).EndRecord();
    w.ReserveRecords(kTraReserveRecords, kTraReserveFields);
    return w;
}

// ---- Report ----

std::vector<std::string> LateralReportLines(const LateralReportBoxes& b) {
    // One call per printed line: each label carries its own spacing in the report, so they stay written out.
    std::vector<std::string> l;
    auto value = [&l](const char* label, const std::string& text) { l.push_back(label + text); };
    l.emplace_back();
    l.emplace_back();
    l.push_back(std::string(29, ' ') + b.ProjectName +
                (b.FullTransverse ? "全横向通风计算报告" : "送风型半横向通风计算报告"));
    l.emplace_back();
    l.emplace_back();
    l.emplace_back("■■基本信息■■");
    value("      计算行车速度vt(km/h):  ", b.v_t);
    value("             区段起始桩号:      ", b.StartPile);
    value("             区段终点桩号:   ", b.EndPile);
    value("    区段需风量Qreq(m^3/s):   ", b.QQ_req);
    value("           两端气压差(Pa):   ", b.Pa + "注:进洞口>出洞口时为正。");
    l.emplace_back(b.TwoSections ? "分两个区段送风(排风)" : "单个区段送风(排风)");
    l.emplace_back();
    l.emplace_back("■■送风机的参数与全风压■■");
    value("     送风道断面积Ab(m^2):    ", b.AA_b);
    value("     送风道当量直径Db(m):    ", b.DD_b);
    value("   送风道沿程摩阻系数λb:    ", b.Lambda_b);
    value("每单位长度的送风量qb(m^3/s/m):", b.q_b);
    value(" 送风道始端风速vbi(m/s):     ", b.v_b);
    value("     送风道始端动压Pb(Pa):   ", b.p_b);
    value("     送风道风压损失系数kb:   ", b.k_b);
    value(" 送风道静压差Pbi-Pb0(Pa):    ", b.pbi_pb0);
    value(" 送风道所需末端压力Pbo-Pro(Pa):", b.pb0_pr0);
    value("      连接风道损失Pbd(Pa):    ", b.p_d);
    value("送风机所需全压力Pbtot(Pa):   ", b.p_tot);
    l.emplace_back();
    // The supply variant has no exhaust fan: figures of its greyed boxes would read as a fan to buy.
    if (b.FullTransverse) {
        l.emplace_back("■■排风机的参数与全风压■■");
        value("     排风道断面积Ae(m^2):    ", b.AA_e);
        value("     排风道当量直径De(m):    ", b.DD_e);
        value("     排风道沿程摩阻系数λe:  ", b.Lambda_e);
        value("     排风道末端风速ve0(m/s): ", b.v_e0);
        value("     排风道末端动压Pe(Pa):   ", b.p_e);
        value("     排风道风压损失系数ke:   ", b.k_e);
        value(" 排风道静压差Pei-Pe0(Pa):    ", b.pei_pe0);
        value("排风道所需始端压力Pri-Pei(Pa):", b.pri_pei);
        value("     连接风道损失Ped(Pa):", b.p_ed);
        value(" 排风机所需全压力Petot(Pa):", b.p_etot);
        l.emplace_back();
    }
    l.emplace_back("■■隧道内风压计算■■");
    value("                 中性点桩号: ", b.PileC);
    value("             中性点压力(Pa): ", b.PC);
    value("                 任意点桩号: ", std::to_string(b.ScrollPosition));
    value("             任意点压力(Pa): ", b.PR);
    return l;
}

} // namespace transverse
