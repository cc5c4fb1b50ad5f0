// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/multishaft_flows.h"

#include "platform/vb.h"
#include "shaft/shaft_and_jet.h"

#include <cmath>
#include <cstddef>

namespace multishaft {

namespace {

using Value = std::optional<double>;

/// A flow or share as the next step reads it back from its "0.00" cell; nothing for a value that
/// cannot be written.
Value written2(double x) {
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    return vb::Val(vb::Format(x, "0.00"));
}

std::string text2(const Value& v) {
    return v ? vb::Format(*v, "0.00") : std::string();
}

} // namespace

TrialResult TrySectionFlows(const std::vector<TrialRow>& rows, const std::vector<TrialShaft>& shafts,
                            double candidate, bool leftLine) {
    const int m = static_cast<int>(rows.size());
    const int n = static_cast<int>(shafts.size());
    TrialResult result;
    result.Rows.resize(rows.size());
    if (m == 0) {
        return result;
    }
    // 1-based, as the rows and shafts are numbered.
    std::vector<Value> qr(static_cast<std::size_t>(m) + 1), qf(static_cast<std::size_t>(m) + 1);
    auto Qr = [&](int r) -> Value& { return qr[static_cast<std::size_t>(r)]; };
    auto Qf = [&](int r) -> Value& { return qf[static_cast<std::size_t>(r)]; };
    auto Qreq = [&](int r) { return rows[static_cast<std::size_t>(r) - 1].Qreq; };
    auto shaft = [&](int i) -> const TrialShaft* {
        return i >= 1 && i <= n ? &shafts[static_cast<std::size_t>(i) - 1] : nullptr;
    };
    auto exists = [&](int r) { return r >= 1 && r <= m; };

    // The candidate keeps all its decimals.
    const int first = leftLine ? m : 1;
    std::string firstText;
    if (std::isfinite(candidate)) {
        firstText = vb::CStr(candidate);
        Qr(first) = vb::Val(firstText);
    }

    // Design flows, shaft by shaft with the air: the exhaust leaves before the passage, the supply joins
    // after it.
    for (int k = 0; k < n; ++k) {
        const int i = leftLine ? n - k : k + 1;
        const int before = leftLine ? 2 * i + 1 : 2 * i - 1;
        const int after = leftLine ? 2 * i - 1 : 2 * i + 1;
        const int passage = 2 * i;
        if (exists(passage) && exists(before) && Qr(before)) {
            Qr(passage) = written2(*Qr(before) - shaft(i)->Qe);
        }
        if (exists(after) && exists(passage) && Qr(passage)) {
            Qr(after) = written2(*Qr(passage) + shaft(i)->Qb);
        }
    }

    // Fresh air: the first row's is its whole flow; behind an exhaust opening the fresh air left is
    // shared out with the flows, behind a supply opening the supply joins wholly fresh.
    Qf(first) = Qr(first);
    for (int k = 1; k < m; ++k) {
        const int r = leftLine ? m - k : k + 1;
        const int u = leftLine ? r + 1 : r - 1;
        if (!Qf(u) || !Qr(u)) {
            continue;
        }
        if (r % 2 == 0) {
            const TrialShaft* s = shaft(r / 2);
            if (s != nullptr && *Qr(u) != 0) {
                Qf(r) = written2((*Qf(u) - Qreq(u)) * (1 - s->Qe / *Qr(u)));
            }
        } else if (const TrialShaft* s = shaft(u / 2); s != nullptr && u % 2 == 0) {
            Qf(r) = written2(*Qf(u) - Qreq(u) + s->Qb);
        }
    }

    for (int r = 1; r <= m; ++r) {
        TrialCells& cells = result.Rows[static_cast<std::size_t>(r) - 1];
        const double area = rows[static_cast<std::size_t>(r) - 1].Area;
        cells.Qr = !Qr(r) ? std::string() : (r == first ? firstText : text2(Qr(r)));
        cells.Qf = !Qf(r) ? std::string() : (r == first ? firstText : text2(Qf(r)));
        if (Qr(r) && area != 0) {
            cells.Vr = text2(written2(*Qr(r) / area));
        }
        Value entering, leaving;
        if (Qr(r) && Qf(r) && *Qr(r) != 0) {
            entering = written2(1 - *Qf(r) / *Qr(r));
            leaving = written2(1 - (*Qf(r) - Qreq(r)) / *Qr(r));
        }
        // The air enters a row at its start station on the right line, at its end station on the left.
        const Value& c1 = leftLine ? leaving : entering;
        const Value& c2 = leftLine ? entering : leaving;
        cells.C1 = text2(c1);
        cells.C2 = text2(c2);
        const bool sound = Qr(r) && *Qr(r) > 0 && c1 && c2 && *c1 <= 1 && *c2 <= 1;
        result.Accepted = result.Accepted && sound;
    }
    return result;
}

double SearchStart(double totalQreq, double sumQb, int rows, double qreq1, double qreq2) {
    if (rows < 2) {
        return 0;
    }
    const double a = totalQreq - sumQb;
    const double b = qreq1 + qreq2;
    return a > b ? a : b;
}

std::optional<double> SearchDesignFlow(double start, const std::function<bool(double)>& trial) {
    double x = start;
    for (int k = 0; k < kMaxTrials; ++k) {
        if (trial(x)) {
            return x;
        }
        x += kTrialStep;
    }
    return std::nullopt;
}

SectionEnds SectionEndsOf(int row, int rows, bool leftLine, const std::vector<ShaftLosses>& shafts) {
    SectionEnds ends;
    const int entrance = leftLine ? rows : 1;
    const int exit = leftLine ? 1 : rows;
    ends.Type = row == entrance ? 1 : (row == exit ? 3 : 2);
    ends.NaturalEntrance = ends.Type == 1 ? 0.6 : 0;
    if (row % 2 == 0) {
        return ends;
    }
    const int n = static_cast<int>(shafts.size());
    const int downstream = leftLine ? (row - 1) / 2 : (row + 1) / 2;
    const int upstream = leftLine ? (row + 1) / 2 : (row - 1) / 2;
    if (downstream >= 1 && downstream <= n) {
        const ShaftLosses& s = shafts[static_cast<std::size_t>(downstream) - 1];
        ends.ZetaFencha = s.Qe != 0 ? s.ZetaFencha : 0;
    }
    if (upstream >= 1 && upstream <= n) {
        const ShaftLosses& s = shafts[static_cast<std::size_t>(upstream) - 1];
        ends.ZetaHeliu = s.Qb != 0 ? s.ZetaHeliu : 0;
    }
    return ends;
}

std::optional<std::pair<double, double>> CongestionPart(double start, double end, double blockStart,
                                                        double blockEnd) {
    const double from = start > blockStart ? start : blockStart;
    const double to = end >= blockEnd ? blockEnd : end;
    if (to > from) {
        return std::make_pair(from, to);
    }
    return std::nullopt;
}

double ExhaustRise(double qe, double qr1, double ke, double ve, double vr1, double rho) {
    return 2 * (qe / qr1) * (2 - ke * ve / vr1 - qe / qr1) * 0.5 * rho * (vr1 * vr1);
}

double SupplyRise(double qb, double qr2, double kb, double vb, double betaDeg, double vr2, double rho) {
    return 2 * (qb / qr2) * (kb * vb * std::cos(betaDeg * 3.1415926 / 180) / vr2 - 2 + qb / qr2) * 0.5 * rho *
           (vr2 * vr2);
}

std::optional<double> OpeningRise(double flow, double rise) {
    if (flow == 0) {
        return 0.0;
    }
    if (!std::isfinite(rise)) {
        return std::nullopt;
    }
    return rise;
}

double TotalPower(const std::vector<ShaftPower>& shafts, const std::vector<double>& jetCounts,
                  double jetPower) {
    return TotalPower(shafts, jetCounts, std::vector<double>(jetCounts.size(), jetPower));
}

double TotalPower(const std::vector<ShaftPower>& shafts, const std::vector<double>& jetCounts,
                  const std::vector<double>& jetPowers) {
    double total = 0;
    for (const ShaftPower& s : shafts) {
        total = total + s.SkwE * s.CountE + s.SkwB * s.CountB;
    }
    for (std::size_t r = 0; r < jetCounts.size() && r < jetPowers.size(); ++r) {
        total += shaft::CountedJetFans(jetCounts[r]) * jetPowers[r];
    }
    return total;
}

} // namespace multishaft
