// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/concentrate.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace transverse {

bool SupplyStretchBlowsOut(double v1) {
    return !(vb::Val(vb::Format(v1, "0.00")) > 0);
}

double VelocityAtPile(double station, double S, int pileDirection, double v1, double vr) {
    if (pileDirection == 1) {
        return station < S ? v1 : vr;
    }
    return station > S ? v1 : vr;
}

std::vector<BlockStretch> BlockStretches(double JS, double JE, double S, double Qlow, double Qhigh) {
    if (JE <= S) {
        return {{JS, JE, Qlow}};
    }
    if (JS >= S) {
        return {{JS, JE, Qhigh}};
    }
    return {{S, JE, Qhigh}, {JS, S, Qlow}};
}

PassPressures ComputePass(const ConcentrateScheme& s, const TunnelServices& t, double v1, double Qb,
                          double Ab) {
    PassPressures p;
    const double Ar = s.Ar, vr = s.vr(), Qr = s.Qr;
    const double ein = s.Ein(), eout = s.Eout();
    // The natural wind passes the nozzle through the narrowed section of the supply stretch.
    p.dpm = t.Resistance(eout, s.S, s.vn * Ar, kMainStretchType, kEntranceLoss, kBranchLoss, kMergeLoss) +
            t.Resistance(ein, s.S, s.vn * Ar * Ar / (Ar - Ab), kSupplyStretchType, kEntranceLoss, 0, 0);

    switch (s.CaseIndex) {
    case 1:
        p.dpt = t.TwoWayTraffic(eout, s.S, Qr, s.Am2) + t.TwoWayTraffic(ein, s.S, Qr - Qb, s.Am2);
        break;
    case 3: {
        const double qlow = s.RightLine ? Qr - Qb : Qr;
        const double qhigh = s.RightLine ? Qr : Qr - Qb;
        p.dpt = 0;
        for (const BlockStretch& b : BlockStretches(s.BlockStart, s.BlockEnd, s.S, qlow, qhigh)) {
            p.dpt += t.OneWayTraffic(b.From, b.To, b.Q, s.Am, kBlockCase);
        }
        break;
    }
    default:
        p.dpt = t.OneWayTraffic(eout, s.S, Qr, s.Am, s.CaseIndex + 1) +
                t.OneWayTraffic(ein, s.S, Qr - Qb, s.Am, s.CaseIndex + 1);
        break;
    }

    p.dpr = t.Resistance(eout, s.S, vr * Ar, kMainStretchType, kEntranceLoss, kBranchLoss, kMergeLoss) +
            t.Resistance(ein, s.S, (Ar - Ab) * v1, kSupplyStretchType, kEntranceLoss, 0, kMergeLoss);

    p.dpl = 0;
    for (const LocalLoss& loss : s.Losses) {
        const double v = VelocityAtPile(loss.Station, s.S, s.PileDirection, v1, vr);
        p.dpl += 0.5 * s.rho * loss.Zeta * (v * v);
    }
    return p;
}

double RequiredRise(const PassPressures& p) {
    return p.dpr - p.dpt + p.dpm + p.dpl;
}

OpeningResult SolveOpening(const ConcentrateScheme& s, double dpb, double Ab, double vb) {
    OpeningResult r;
    const double vr = s.vr();
    const double c0 = std::cos(s.beta * kPi / 180);
    double a = 0, b = 0, c = 0;
    if (s.Mode == OpeningMode::KnownArea) {
        const double m = s.Ar * s.Kb * c0 / Ab;
        a = 2 * (1 + m);
        b = -4;
        c = -2 * dpb / (s.rho * (vr * vr));
    } else {
        a = 1;
        b = s.Kb * vb * c0 / vr - 2;
        c = (-2 * dpb / (s.rho * (vr * vr))) / 2;
    }
    const double discriminant = b * b - 4 * a * c;
    if (!(discriminant >= 0) || !std::isfinite(discriminant) || a == 0) {
        return r;
    }
    r.x = (std::sqrt(discriminant) - b) * 0.5 / a;
    r.Qb = r.x * s.Qr;
    if (s.Mode == OpeningMode::KnownArea) {
        r.Ab = Ab;
        r.vb = r.Qb / Ab;
    } else {
        r.vb = vb;
        r.Ab = r.Qb / vb;
    }
    // A negative share would have the fan draw air out of the tunnel: no supply flow gives the rise.
    r.Solved = std::isfinite(r.x) && r.x >= 0;
    return r;
}

FanDuty SupplyFan(double rho, double vb, double dpd, double Qb, double eta) {
    FanDuty d;
    d.Ptot = (0.5 * rho * (vb * vb) + dpd) * kFanPressureMargin;
    d.Atot = Qb * d.Ptot / 1000;
    d.Stot = d.Atot / eta;
    return d;
}

BalanceFault CheckInputs(const ConcentrateScheme& s, double Ab, double vb, double eta) {
    if (!(s.Ar > 0) || !std::isfinite(s.Ar)) {
        return BalanceFault::NoTunnelArea;
    }
    if (!(s.Qr > 0) || !std::isfinite(s.Qr)) {
        return BalanceFault::NoDesignFlow;
    }
    if (s.Mode == OpeningMode::KnownArea && !(Ab > 0 && Ab < s.Ar)) {
        return BalanceFault::BadNozzleArea;
    }
    if (s.Mode == OpeningMode::KnownSpeed && !(vb > 0)) {
        return BalanceFault::BadJetSpeed;
    }
    if (!(eta > 0)) {
        return BalanceFault::BadEfficiency;
    }
    const double low = std::min(s.StartPile, s.EndPile), high = std::max(s.StartPile, s.EndPile);
    if (!(s.S > low && s.S < high)) {
        return BalanceFault::BadStation;
    }
    return BalanceFault::None;
}

BalanceResult Balance(const ConcentrateScheme& s, const TunnelServices& t, double Qb, double Ab, double vb,
                      int maxPasses) {
    BalanceResult r;
    r.Qb = Qb;
    r.Ab = Ab;
    r.vb = vb;
    double v1 = s.vr();
    r.v1 = v1;
    for (int pass = 1; pass <= maxPasses; ++pass) {
        const PassPressures p = ComputePass(s, t, v1, r.Qb, r.Ab);
        const double dpb = RequiredRise(p);
        if (!std::isfinite(dpb)) {
            r.Fault = BalanceFault::NotComputed;
            return r;
        }
        const OpeningResult o = SolveOpening(s, dpb, r.Ab, r.vb);
        if (!o.Solved) {
            r.Fault = BalanceFault::NoRoot;
            return r;
        }
        const double flowChange = std::abs(o.Qb - r.Qb);
        r.Pressures = p;
        r.dpb = dpb;
        r.Qb = o.Qb;
        r.Ab = o.Ab;
        r.vb = o.vb;
        r.Passes = pass;
        const double narrowed = s.Ar - r.Ab;
        // Without a narrowed section the stop test cannot be made: this pass is the last, v1 stays.
        if (narrowed == 0) {
            r.v1 = v1;
            return r;
        }
        const double v1Next = (s.Qr - r.Qb) / narrowed;
        const bool last = std::abs(v1Next - v1) < kSpeedSettled && flowChange < kFlowSettled;
        v1 = (v1Next + v1) * 0.5;
        r.v1 = v1;
        if (last) {
            return r;
        }
        if (!std::isfinite(v1)) {
            r.Fault = BalanceFault::NotComputed;
            return r;
        }
    }
    r.Fault = BalanceFault::NotConverged;
    return r;
}

// ---- The .con file ----

ConFileContents ReadConFile(scheme::SchemeReader& in) {
    ConFileContents con;
    in.NextTexts(con.Record1);
    con.KnownArea = in.NextBoolean();
    in.NextTexts(con.Record2);
    con.Step2 = ventparam::ReadStep2Inputs(in);
    return con;
}

scheme::SchemeWriter WriteConFile(const ConFileContents& con) {
    scheme::SchemeWriter out;
    out.TextRecord(con.Record1);
    out.Boolean(con.KnownArea.value_or(false));
    out.TextRecord(con.Record2);
    ventparam::WriteStep2Inputs(out, con.Step2);
    return out;
}

// ---- The report ----

namespace {

std::string ValueLine(int before, const char* label, int after, const std::string& box) {
    return std::string(static_cast<std::size_t>(before), ' ') + label +
           std::string(static_cast<std::size_t>(after), ' ') + "\t" + box;
}

} // namespace

std::vector<std::string> ConReportLines(const ConReportBoxes& b) {
    // One call per printed line: each label has its own indent and gap in the report, so they stay written
    // out.
    std::vector<std::string> l;
    l.emplace_back();
    l.emplace_back();
    l.push_back(std::string(29, ' ') + b.ProjectName + kConReportTitle);
    l.emplace_back();
    l.emplace_back(b.KnownArea ? "根据已知送风口面积计算" : "根据已知送风口喷出风速计算");
    l.emplace_back();
    l.emplace_back("■■压力平衡分析■■");
    l.push_back(ValueLine(13, "自然风阻力Δpm(Pa):", 1, b.deltap_m));
    l.push_back(ValueLine(13, "交通通风力Δpt(Pa):", 1, b.deltap_t));
    l.push_back(ValueLine(0, "通风阻抗力Δpr(经送风段修正)(Pa):", 0, b.deltap_r));
    l.push_back(ValueLine(11, "局部压力损失Δpl(Pa):", 1, b.deltap_l));
    l.emplace_back();
    l.emplace_back("■■送风有关参数■■");
    l.push_back(ValueLine(5, "送风机送风口升压力Δpb(Pa):", 1, b.deltap_b));
    l.push_back(ValueLine(9, "隧道设计风量Qr(m^3/s):", 2, b.QQ_r));
    l.push_back(ValueLine(11, "送风机风量Qb(m^3/s):", 2, b.QQ_b));
    l.push_back(ValueLine(17, "送风口桩号(m):", 2, b.ShaftPile));
    l.push_back(ValueLine(13, "送风段风速v1(m/s):", 2, b.v_1));
    l.push_back(ValueLine(1, "喷流方向与隧道轴向的夹角β(度):", 1, b.beta));
    l.push_back(ValueLine(10, "送风口升压动量系数Kb:", 2, b.KK_b));
    l.push_back(ValueLine(13, "送风口面积Ab(m^2):", 2, b.AA_b));
    l.push_back(ValueLine(9, "送风口喷出风速vb(m/s):", 2, b.v_b));
    l.emplace_back();
    l.emplace_back("■■风机动力设计■■");
    l.push_back(ValueLine(6, "风道等总压力损失Δpd(Pa):", 2, b.deltap_d));
    l.push_back(ValueLine(6, "送风机所需全风压Ptot(Pa):", 2, b.PP_tot));
    l.push_back(ValueLine(13, "理论功率Atot(kw):", 3, b.AA_tot));
    l.push_back(ValueLine(17, "送风机效率η:", 3, b.eta));
    l.push_back(ValueLine(5, "送风机电机轴功率Stot(kw):", 3, b.SS_tot));
    return l;
}

} // namespace transverse
