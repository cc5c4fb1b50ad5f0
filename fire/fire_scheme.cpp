// SPDX-License-Identifier: GPL-3.0-or-later
#include "fire/fire_scheme.h"

#include "app/finite.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fire {

namespace {

using app::assign_if_finite;

template <class F> double termOf(F&& f) {
    double v = 0;
    try {
        assign_if_finite(v, f());
    } catch (...) {
    }
    return v;
}

enum class Exhaust { DuctStartReach, DuctEndReach, Start, End, FirstRow, LastRow };

struct LongCase {
    const char* name;
    Exhaust exhaust;
    bool toLarger;
    bool twoWayBlocked;
    bool fireToPortal; // the fire pressure runs to the portal the smoke moves toward, not to x
    bool inletFans;
    bool fourBlanks;
};

constexpr LongCase kLongCases[] = {
    {"L1", Exhaust::DuctStartReach, true, false, false, true, false},
    {"L2", Exhaust::End, true, false, false, true, false},
    {"L3", Exhaust::FirstRow, true, false, false, true, true},
    {"L4", Exhaust::DuctEndReach, false, false, false, true, false},
    {"L5", Exhaust::Start, false, false, false, true, false},
    {"L6", Exhaust::LastRow, false, false, false, true, true},
    {"L7", Exhaust::Start, false, true, false, false, false},
    {"L8", Exhaust::End, true, true, false, true, false},
    {"L9", Exhaust::FirstRow, true, true, true, true, true},
    {"L10", Exhaust::LastRow, false, true, true, false, true},
    {"L11", Exhaust::Start, false, true, false, true, false},
    {"L12", Exhaust::End, true, true, false, false, false},
    {"L13", Exhaust::FirstRow, true, true, false, false, false},
    {"L14", Exhaust::LastRow, false, true, true, true, true},
};

struct DuctCase {
    const char* name;
    bool inletFromStart; // the inlet side runs from the start station to the fire
    bool assistDirection1;
    bool twoWay;
};

constexpr DuctCase kDuctCases[] = {
    {"D1", true, true, false},
    {"D2", false, false, false},
    {"D3", true, true, true},
    {"D4", false, false, true},
};

const char* const kLabel3 = "   排烟口桩号:";
const char* const kLabel4 = "    排烟口桩号:";
const char* const kNoPort = "无可用排烟口";
const char* const kNoCount = "??";
const char* const kNoCountNote = "    (射流风机型号或位置摩阻损失折减系数无效,无法确定风机台数)";
const char* const kNoWind = "未考虑自然风";
const char* const kNoBlocked = "无阻塞车辆";
const char* const kNoFlow = "无法计算(火灾需风量为0)";
const char* const kNoFirePressure = "无法计算";
const char* const kOutsideTunnel = "火灾点不在隧道内";
const char* const kNotComputed = "未计算设备控制方案。";

// Line 2 is read in the window only: a term shows as a plain number, never as the bare point that the
// table's number format gives for nothing.
std::string ShownTerm(double value) {
    std::string t = SchemeNumber(value);
    const std::size_t digits = t.find_first_of("123456789");
    if (digits == std::string::npos) {
        return "0";
    }
    if (t.back() == '.') {
        t.pop_back();
    }
    const std::size_t point = t.find('.');
    if (point != std::string::npos && (point == 0 || t[point - 1] == '-')) {
        t.insert(point, "0");
    }
    return t;
}

// The window's line 2 up to the fire pressure: the resistance and the terms that the fans work against,
// each term that was not asked for saying so.
std::string PressureLine(double resistance, const SchemeInput& in, double wind, double blocked) {
    return "通风阻抗力:" + ShownTerm(resistance) +
           "    两端气压差:" + (in.naturalWind ? ShownTerm(wind) : std::string(kNoWind)) +
           "    阻塞车辆风阻力:" + (in.nb != 0 ? ShownTerm(blocked) : std::string(kNoBlocked));
}

// "L1" … "L14" as their index in kLongCases, or a duct case "D1" … "D4" as 100 + index.
int chooseCase(const SchemeInput& in) {
    const double s = in.s;
    if (in.oneWay) {
        if (in.rightLine) {
            if (in.transverse) {
                return in.X1 >= s ? 0 : in.X2 >= s ? 100 : 1;
            }
            return 2;
        }
        if (in.transverse) {
            return in.X2 <= s ? 3 : in.X1 <= s ? 101 : 4;
        }
        return 5;
    }
    if (in.rightLine) {
        if (in.transverse) {
            return in.X1 >= s ? 6 : in.X2 >= s ? 102 : 7;
        }
        return in.twoWayToLarger ? 8 : 9;
    }
    if (in.transverse) {
        return in.X1 >= s ? 10 : in.X2 >= s ? 103 : 11;
    }
    return in.twoWayToLarger ? 12 : 13;
}

double SlopeTerm(double slope) {
    return 0.01 * slope / (1 + 0.0001 * (slope * slope));
}

// The slope on the left line comes negated; undone here so that σ has the sign the project lists. The
// buoyancy adds to the resistance where the smoke moves down the grade.
double SignedBuoyancy(const FirePressureInput& in, double sigma, double magnitude) {
    if (!in.rightLine) {
        sigma = -sigma;
    }
    const bool adds = in.toLarger ? sigma <= 0 : sigma >= 0;
    return adds ? magnitude : -magnitude;
}

} // namespace

std::string SchemeNumber(double value) {
    return vb::Format(value, "######.##");
}

std::optional<JetFanModel> FindJetModel(const std::vector<JetFanModel>& models, std::string_view name) {
    std::optional<JetFanModel> found;
    for (const JetFanModel& m : models) {
        if (m.JetName == name) {
            found = m;
        }
    }
    return found;
}

std::optional<double> JetFanRise(const JetRiseInput& in) {
    if (!in.model) {
        return std::nullopt;
    }
    const double vr = in.q / in.area;
    const double aj = 0.25 * kPi * (in.model->DD * in.model->DD);
    const double vj = in.model->Flow / aj;
    double rise = in.rho * (vj * vj) * aj / in.area * (1 - vr / vj) * in.eta;
    if (in.reversed) {
        rise *= in.model->Discount;
    }
    if (!std::isfinite(rise)) {
        return std::nullopt;
    }
    return rise;
}

std::optional<double> FirePressure(const FirePressureInput& in) {
    const double sigma = SlopeTerm(in.slope);
    const double Tf = in.T + in.ratio * in.W * 0.01 * 1e6 / (in.Q * in.rho * kAirHeat);
    const double rhof = in.rho * in.Q / (in.Q * Tf / in.T);
    const double L = std::abs(in.e - in.s);
    const double G = in.Q * in.rho;
    const double k = kWallTransfer * in.perimeter / (G * kAirHeat);
    const double e1 = std::exp(-k * L);
    const double X = std::log(((Tf - in.T) * e1 + in.T) / (e1 * Tf));
    const double dpf =
        std::abs(in.rho * kGravity * L * sigma - rhof * Tf * kGravity * sigma * X / (in.T * k));
    if (!std::isfinite(dpf) || in.Q == 0 || in.perimeter == 0 || in.T == 0 || in.rho == 0) {
        return std::nullopt;
    }
    if (in.changes.empty()) {
        return SignedBuoyancy(in, sigma, dpf);
    }
    // Over several grades each piece is the buoyancy between its two distances from the fire, the smoke
    // having cooled along the way before it.
    const auto Tx = [&](double x) { return in.T + (Tf - in.T) * std::exp(-k * x); };
    double sum = 0, a = 0, slope = in.slope;
    for (std::size_t j = 0; j <= in.changes.size(); ++j) {
        const double b =
            j < in.changes.size() ? std::clamp(std::abs(in.changes[j].pile - in.s), a, L) : std::max(L, a);
        const double piece = SlopeTerm(slope);
        sum += SignedBuoyancy(in, piece, std::abs(kGravity * in.rho * piece * std::log(Tx(a) / Tx(b)) / k));
        if (j < in.changes.size()) {
            a = b;
            slope = in.changes[j].slope;
        }
    }
    if (!std::isfinite(sum)) {
        return std::nullopt;
    }
    return sum;
}

void SetStretchGrades(FirePressureInput& in, const std::function<double(double)>& slopeAt,
                      const std::vector<double>& changes) {
    const double lo = std::min(in.s, in.e), hi = std::max(in.s, in.e);
    std::vector<double> piles;
    for (const double p : changes) {
        if (lo < p && p < hi) {
            piles.push_back(p);
        }
    }
    std::sort(piles.begin(), piles.end());
    const bool toLarger = in.e >= in.s;
    if (!toLarger) {
        std::reverse(piles.begin(), piles.end());
    }
    // A row holds its start station: each piece takes the slope at its smaller end, which toward smaller
    // stations is the next change (or e) rather than the station the piece starts from.
    const auto slopeAfter = [&](std::size_t j) {
        if (toLarger) {
            return slopeAt(j == 0 ? in.s : piles[j - 1]);
        }
        return slopeAt(j < piles.size() ? piles[j] : in.e);
    };
    in.slope = slopeAfter(0);
    in.changes.clear();
    double last = in.slope;
    for (std::size_t j = 0; j < piles.size(); ++j) {
        const double next = slopeAfter(j + 1);
        if (next != last) {
            in.changes.push_back({piles[j], next});
            last = next;
        }
    }
}

HotSmoke HotSmokeOf(bool expand, double W, double ratio, double rho, double T, double Q) {
    if (!expand) {
        return {Q, rho};
    }
    double dT = 0, Qh = 0, rhoh = 0;
    assign_if_finite(dT, W * ratio * 0.01 * 1e6 / (rho * Q * kAirHeat));
    const double Th = T + dT;
    assign_if_finite(Qh, Th * Q / T);
    assign_if_finite(rhoh, rho * Q / Qh);
    return {Qh, rhoh};
}

double BlockedResistance(double Am, double rho, double q, double k, double nb, double A) {
    const double v = q / A;
    return Am * 0.5 * rho * k * nb * (v * v) / A;
}

std::optional<int> FanCount(double sum, const std::optional<double>& rise) {
    if (!rise || !(*rise > 0) || !std::isfinite(sum)) {
        return std::nullopt;
    }
    const std::optional<vb::Integer> n = vb::CInt(1 + std::abs(sum) / *rise);
    if (!n) {
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

std::optional<double> FirstPortAtOrBeyond(const std::vector<double>& ports, double s) {
    for (double p : ports) {
        if (p >= s) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<double> LastPortAtOrBefore(const std::vector<double>& ports, double s) {
    std::optional<double> found;
    for (double p : ports) {
        if (p <= s) {
            found = p;
        }
    }
    return found;
}

SchemeResult ControlScheme(const SchemeInput& in, const SchemeTunnel& tunnel) {
    SchemeResult out;
    const double s = in.s;
    // A fire outside the portals is not a tunnel fire: fans counted for it would be a scheme for a place
    // no fan reaches, and a project started from another tunnel's settings would carry such stations.
    if (s < std::min(in.S, in.E) || s > std::max(in.S, in.E)) {
        out.Line1 = "火灾点桩号:" + SchemeNumber(s) + "    " + kOutsideTunnel + "(" + vb::CStr(in.S) + "至" +
                    vb::CStr(in.E) + ")，" + kNotComputed;
        return out;
    }
    const double vn = in.naturalWind ? in.vn : 0;
    const HotSmoke hot = HotSmokeOf(in.airExpand, in.W, in.ratio, in.rhoBefore, in.TBefore, in.Q);

    const auto R = [&](double a, double b, double rho, double q, int type, double zeta) {
        return termOf([&] { return tunnel.Resistance(a, b, in.lambda_r, rho, q, type, zeta, 0, 0); });
    };
    const auto cold = [&](double a, double b) { return R(a, b, in.rho, in.Q, 1, kColdEndLoss); };
    const auto half = [&](double a, double b) { return R(a, b, in.rho, in.Q / 2, 1, kColdEndLoss); };
    const auto hotR = [&](double a, double b) { return R(a, b, hot.rhoh, hot.Qh, 4, 0.6); };
    const double A = termOf([&] { return tunnel.Area(s); });
    const auto blk = [&](double am, double rho, double q, double k) {
        return termOf([&] { return BlockedResistance(am, rho, q, k, in.nb, A); });
    };
    const double N0 = termOf([&] {
        const double areaAtStart = tunnel.Area(in.S);
        return tunnel.Resistance(in.S, in.E, in.lambda_r, in.rho, vn * areaAtStart, 1, kColdEndLoss, 0, 0);
    });
    const double startArea = termOf([&] { return tunnel.Area(in.S + 0.0001); });

    // The fans of one running portal from the sum and the flow of its side.
    bool uncounted = false;
    const auto fans = [&](bool inlet, double sum, double q) {
        const bool reversed = inlet ? sum < 0 : sum >= 0;
        std::string label;
        if (inlet) {
            label = reversed ? "    进洞口风机开启台数(逆转):" : "    进洞口风机开启台数:      ";
        } else {
            label = reversed ? "    出洞口风机开启台数(逆转):" : "    出洞口风机开启台数:      ";
        }
        JetRiseInput jet;
        jet.q = q;
        jet.reversed = reversed;
        jet.area = startArea;
        jet.rho = in.rho;
        jet.eta = in.eta;
        jet.model = in.model;
        const std::optional<int> n = FanCount(sum, JetFanRise(jet));
        if (!n) {
            uncounted = true;
            return label + kNoCount;
        }
        return label + vb::Format(std::abs(*n), "00");
    };

    const int which = chooseCase(in);
    if (which >= 100) {
        const DuctCase& c = kDuctCases[which - 100];
        out.Case = c.name;
        const double inStretch = c.inletFromStart ? half(in.S, s) : half(s, in.E);
        const double outStretch = c.inletFromStart ? half(s, in.E) : half(in.S, s);
        const bool assisted = c.assistDirection1 ? in.windDirection1 : in.windDirection2;
        const double inWind = assisted ? -N0 : 0;
        const double outWind = assisted ? 0 : -N0;
        const double inBlocked =
            c.twoWay ? blk(in.AA_m_Bidirection, in.rho, in.Q / 2, 0.5) : blk(in.AA_m, in.rho, in.Q / 2, 1);
        const double outBlocked = c.twoWay ? inBlocked : 0;
        const double sumIn = inStretch + inWind + inBlocked;
        const double sumOut = outStretch + outWind + outBlocked;
        out.Line1 = "火灾点桩号:" + SchemeNumber(s) + kLabel3 + SchemeNumber(s) +
                    fans(true, sumIn, in.Q / 2) + fans(false, sumOut, in.Q / 2);
        out.Line2 = PressureLine(inStretch + outStretch, in, -N0, inBlocked + outBlocked);
        if (uncounted) {
            out.Line2 += kNoCountNote;
        }
        return out;
    }

    const LongCase& c = kLongCases[which];
    out.Case = c.name;
    const char* label = c.fourBlanks ? kLabel4 : kLabel3;
    std::optional<double> x;
    switch (c.exhaust) {
    case Exhaust::DuctStartReach:
        x = in.X1 + kDuctReach;
        break;
    case Exhaust::DuctEndReach:
        x = in.X2 - kDuctReach;
        break;
    case Exhaust::Start:
        x = in.S;
        break;
    case Exhaust::End:
        x = in.E;
        break;
    case Exhaust::FirstRow:
        x = FirstPortAtOrBeyond(in.ports, s);
        break;
    case Exhaust::LastRow:
        x = LastPortAtOrBefore(in.ports, s);
        break;
    }
    if (!x) {
        // No opening lies at or beyond the fire in the direction of the smoke: no scheme can be given.
        out.Line1 = "火灾点桩号:" + SchemeNumber(s) + label + kNoPort;
        return out;
    }
    const double coldStretch = c.toLarger ? cold(in.S, s) : cold(s, in.E);
    const double hotStretch = c.toLarger ? hotR(s, *x) : hotR(*x, s);
    const bool assisted = c.toLarger ? in.windDirection1 : in.windDirection2;
    const double N = assisted ? -N0 : N0;
    const double blocked = c.twoWayBlocked ? blk(in.AA_m_Bidirection, in.rho, in.Q, 0.5) +
                                                 blk(in.AA_m_Bidirection, hot.rhoh, hot.Qh, 0.5)
                                           : blk(in.AA_m, in.rho, in.Q, 1);
    double Pf = 0;
    std::optional<double> fire;
    try {
        FirePressureInput f;
        f.rightLine = in.rightLine;
        f.T = in.T;
        f.rho = in.rho;
        f.Q = in.Q;
        f.W = in.W;
        f.ratio = in.ratio;
        f.perimeter = tunnel.Perimeter(s);
        f.s = s;
        f.e = c.fireToPortal ? (c.toLarger ? in.E : in.S) : *x;
        f.toLarger = c.toLarger;
        SetStretchGrades(f, tunnel.Slope,
                         tunnel.SlopeChanges ? tunnel.SlopeChanges(s, f.e) : std::vector<double>{});
        fire = FirePressure(f);
        if (fire) {
            Pf = *fire;
        }
    } catch (...) {
    }
    const double sum = coldStretch + hotStretch + N + blocked + Pf;
    out.Line1 = "火灾点桩号:" + SchemeNumber(s) + label + SchemeNumber(*x) + fans(c.inletFans, sum, in.Q);
    out.Line2 = PressureLine(coldStretch + hotStretch, in, -N, blocked) + "    火风压:" +
                (fire ? ShownTerm(*fire) : std::string(in.Q == 0 ? kNoFlow : kNoFirePressure));
    if (uncounted) {
        out.Line2 += kNoCountNote;
    }
    return out;
}

} // namespace fire
