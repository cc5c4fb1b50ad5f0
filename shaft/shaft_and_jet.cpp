// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/shaft_and_jet.h"

#include "platform/vb.h"

#include <cmath>
#include <limits>

namespace shaft {

ShaftOpenings OpeningsOf(double shaftPile, double ds, int dir) {
    return {shaftPile - dir * 0.5 * ds, shaftPile + dir * 0.5 * ds};
}

std::optional<double> InletFlowForSupply(double qreq1, double qreq2, double qe, double qb) {
    if (!(qreq2 > qb)) {
        return qreq1;
    }
    const double b = qb - qe - (qreq1 + qreq2);
    const double c = qreq1 * qe;
    const double d = b * b - 4 * c;
    if (!(d >= 0)) {
        return std::nullopt;
    }
    return (-b + std::sqrt(d)) * 0.5;
}

double SupplyFlowForInlet(double qreq1, double qreq2, double qr1, double qe) {
    const double qreq = qreq1 + qreq2;
    return (qreq - qr1) + (qr1 - qreq1) * qe / qr1;
}

double ExhaustOpeningRise(double qe, double qr1, double ke, double ve, double vr1, double rho) {
    return (2 * qe / qr1) * ((2 - ke * ve / vr1) - qe / qr1) * 0.5 * rho * (vr1 * vr1);
}

double SupplyOpeningRise(double qb, double qr2, double kb, double vb, double betaDeg, double vr2,
                         double rho) {
    return (2 * qb / qr2) * ((kb * vb * std::cos(betaDeg * kOpeningPi / 180) / vr2 - 2) + qb / qr2) * 0.5 *
           rho * (vr2 * vr2);
}

ShortPassage ShortPassageOf(double qr1, double qe, double qb, double qr2, double qreq1) {
    ShortPassage s;
    s.QQ_sf = (qr1 - qe - qreq1) + qe * qreq1 / qr1;
    s.CC_2 = qreq1 / qr1;
    s.ratio_Qe_Qr1 = qe / qr1;
    s.ratio_Qb_Qr2 = qb / qr2;
    s.QQ_s = qr1 - qe;
    return s;
}

Concentrations ConcentrationsOf(double qvi, double qr1, double qe, double qb, double qreq1, double qreq2) {
    const double p = qvi + (1 - qe / qr1) * qreq1;
    Concentrations c;
    c.CC_2s = p / (qr1 - qe);
    c.CC_2b = p / (qr1 - qe + qb);
    c.CC_3 = (p + qreq2) / (qr1 - qe + qb);
    return c;
}

std::pair<double, double> CongestionSplit(double force, double blockEnd, double shaftPile, int dir) {
    const double blockStart = blockEnd - 1000;
    // The share of the window at the higher stations; on the left line the inlet section lies there.
    double upper = 0;
    if (blockEnd <= shaftPile) {
        upper = 0;
    } else if (blockStart >= shaftPile) {
        upper = force;
    } else {
        upper = (blockEnd - shaftPile) * force / 1000;
    }
    const double lower = force - upper;
    if (dir < 0) {
        return {upper, lower};
    }
    return {lower, upper};
}

namespace {

BalanceState JudgedBalance(bool reversed, double qr1, double qe, double qs, double qb, double c3) {
    BalanceState b;
    b.PassageReversed = reversed;
    // C3 as its box shows it, as the control table judges it.
    const double shown = vb::Val(vb::Format(c3, "0.00"));
    b.C3Outside = std::isfinite(c3) && (shown < 0 || shown > kC3Limit);
    b.Impossible = b.PassageReversed || (std::isfinite(c3) && shown < 0);
    // One line of the hint: the figures without their units, which the boxes' captions give.
    const auto flow = [](double q) { return vb::Format(q, "0.00"); };
    if (b.PassageReversed) {
        b.Hint = "Qe=" + flow(qe) + "大于Qr1=" + flow(qr1) + "，短道风量Qs=" + flow(qs) +
                 "为负，工况不成立：请减小排风量Qe至不大于Qr1，";
    } else if (b.C3Outside && shown < 0) {
        b.Hint = "出口内侧浓度C3=" + vb::Format(c3, "0.00") +
                 "为负，出口区段无风，工况不成立：请减小排风量Qe=" + flow(qe) + "或增大送风量Qb=" + flow(qb) +
                 "，";
    } else if (b.C3Outside) {
        b.Hint = "隧道出口内侧处的浓度C3=" + vb::Format(c3, "0.00") +
                 "大于1.02，出口区段新鲜空气不足：请增大送风量Qb=" + flow(qb) + "(送风机台数或每台流量)。";
    }
    if (b.Impossible) {
        b.Hint += "不给出射流风机台数和功率。";
    }
    return b;
}

} // namespace

BalanceState CheckBalanceState(double qr1, double qe, double qs, double qb, double c3) {
    return JudgedBalance(qe > qr1 || qs < 0, qr1, qe, qs, qb, c3);
}

BalanceState CheckStoredBalanceState(double qr1, double qe, double qb, double c3,
                                     std::optional<double> shownQs) {
    const double qs = shownQs ? *shownQs : qr1 - qe;
    return JudgedBalance(shownQs ? qs < 0 : (qe > qr1 || qs < 0), qr1, qe, qs, qb, c3);
}

double RequiredJetRise(double dpr, double dpm, double openingRise, double dpt) {
    return dpr + dpm - openingRise - dpt;
}

double FlowAtPile(double s, double start, double end, double shaftPile, double ds, bool leftLine, double qr1,
                  double qs, double qr2) {
    const double a = shaftPile - ds / 2;
    const double b = shaftPile + ds / 2;
    double q = 0;
    if ((s - start) * (s - a) <= 0) {
        q = leftLine ? qr2 : qr1;
    }
    if ((s - a) * (s - b) <= 0) {
        q = qs;
    }
    if ((s - b) * (s - end) <= 0) {
        q = leftLine ? qr1 : qr2;
    }
    return q;
}

std::optional<int> SectionJetCount(double required, double dpj) {
    if (!std::isfinite(dpj) || !(dpj > 0) || !std::isfinite(required)) {
        return std::nullopt;
    }
    const double n = std::floor(required / dpj) + 1;
    if (n > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return n < 0 ? 0 : static_cast<int>(n);
}

double ExhaustFanPressure(double ve, double rho, double pde, double pse) {
    return (ve * ve * (0.5 * rho) + pde - pse) * 1.1;
}

double SupplyFanPressure(double vb, double rho, double pdb, double psb) {
    return (vb * vb * (0.5 * rho) + pdb + psb) * 1.1;
}

double FanShaftPower(double q, double ptot, double p1, double eta, double t1) {
    return q * ptot * 293 * p1 / (1000 * eta * (273 + t1) * 101.325);
}

double FanMotorPower(double skw, double k, double etam) {
    return skw * k / etam;
}

double CountedJetFans(double countShown) {
    const double n = std::floor(countShown);
    return n > 0 ? n : 0;
}

double CaseTotalPower(double exhaustFans, double exhaustSkw, double supplyFans, double supplySkw,
                      double jetCount1, double jetPower1, double jetCount2, double jetPower2) {
    return exhaustFans * exhaustSkw + supplyFans * supplySkw + CountedJetFans(jetCount1) * jetPower1 +
           CountedJetFans(jetCount2) * jetPower2;
}

int GroupInsertPosition(const std::vector<double>& stations, double s, bool leftLine) {
    const int n = static_cast<int>(stations.size());
    for (int i = 0; i + 1 < n; ++i) {
        const double a = stations[static_cast<std::size_t>(i)];
        const double b = stations[static_cast<std::size_t>(i) + 1];
        const bool between = leftLine ? (a > s && b < s) : (a < s && b > s);
        if (between) {
            return i + 1;
        }
    }
    return n;
}

std::vector<LaidGroup> ShaftJetLayout(const ShaftJetLayoutSettings& s) {
    std::vector<LaidGroup> groups;
    const double s0 = s.StartPile, l = s.Length;
    for (int k = 1; k <= s.G1; ++k) {
        const double along = s.Dist1 + (k - 1) * s.Span1;
        groups.push_back({s.LeftLine ? s0 + l - along : s0 + along, 1});
    }
    for (int k = s.G2; k >= 1; --k) {
        const double along = s.Dist2 + (k - 1) * s.Span2;
        groups.push_back({s.LeftLine ? s0 + along : s0 + l - along, 2});
    }
    return groups;
}

} // namespace shaft
