// SPDX-License-Identifier: GPL-3.0-or-later
// Long tunnels: the segment cut, the segment table, the station lookups and the stretch resistance give,
// bit for bit, what a plain walk over the rows in list order gives, on seeded random tunnels whose rows
// are in order (with ties between and within the lists) or typed in any order.
#include "app/geometry.h"
#include "app/station_rows.h"
#include "platform/vb.h"
#include "reqair/segments.h"
#include "ventparam/resistance.h"
#include "ventparam/station_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- The plain walks, as the routines did them before the rows were searched by bisection ----

long walkOpen(double start, const std::vector<double>& piles, double mid) {
    double prev = start;
    for (std::size_t r = 0; r < piles.size(); ++r) {
        if (mid > prev && piles[r] > mid) {
            return static_cast<long>(r);
        }
        prev = piles[r];
    }
    return -1;
}

long walkHalfOpen(double start, const std::vector<double>& piles, double pile) {
    double prev = start;
    for (std::size_t r = 0; r < piles.size(); ++r) {
        if (piles[r] > pile && pile >= prev) {
            return static_cast<long>(r);
        }
        prev = piles[r];
    }
    return -1;
}

reqair::SegmentCut walkSegments(const reqair::TunnelLayout& layout, const std::vector<double>& extra,
                                int iCaseID, double dsp, double dep, double dQ) {
    reqair::SegmentCut cut;
    dsp = dsp == reqair::kTunnelEnd ? layout.StartPile : dsp;
    dep = dep == reqair::kTunnelEnd ? layout.TunnelLength + layout.StartPile : dep;
    cut.dsp = dsp;
    cut.dep = dep;
    std::vector<double>& piles = cut.BreakPiles;
    auto add = [&](double p) {
        if (std::find(piles.begin(), piles.end(), p) == piles.end()) {
            piles.push_back(p);
        }
    };
    piles.push_back(layout.StartPile);
    std::vector<double> slopes, sections;
    for (const reqair::SlopeRow& r : layout.Slopes) {
        add(r.Pile);
        slopes.push_back(r.Pile);
    }
    for (const reqair::SectionRow& r : layout.Sections) {
        add(r.Pile);
        sections.push_back(r.Pile);
    }
    double end = layout.StartPile;
    for (const reqair::BlockRow& b : layout.Blocks) {
        end += b.Length;
        add(end);
    }
    for (double p : extra) {
        add(p);
    }
    add(dsp);
    add(dep);
    std::erase_if(piles, [](double p) { return std::isnan(p); });
    for (std::size_t i = 0; i < piles.size(); ++i) {
        for (std::size_t j = i + 1; j < piles.size(); ++j) {
            if (piles[i] > piles[j]) {
                std::swap(piles[i], piles[j]);
            }
        }
    }
    for (std::size_t i = 1; i < piles.size(); ++i) {
        const double mid = (piles[i] + piles[i - 1]) * 0.5;
        if ((mid - dsp) * (mid - dep) > 0) {
            continue;
        }
        reqair::CalSegment seg;
        seg.StartPile = piles[i - 1];
        seg.EndPile = piles[i];
        if (const long r = walkOpen(layout.StartPile, slopes, mid); r >= 0) {
            const double s = layout.Slopes[static_cast<std::size_t>(r)].Slope;
            seg.Slope = layout.LeftLine ? -s : s;
        }
        if (const long r = walkOpen(layout.StartPile, sections, mid); r >= 0) {
            seg.Area = layout.Sections[static_cast<std::size_t>(r)].Area;
            seg.Diameter = layout.Sections[static_cast<std::size_t>(r)].Diameter;
        }
        if (seg.Area != 0) {
            const double v = dQ / seg.Area;
            seg.Velocity = std::isfinite(v) ? v : 0.0;
        }
        if (iCaseID == 1) {
            seg.Speed = layout.OneWaySpeed;
        } else if (iCaseID == 3) {
            double from = layout.StartPile;
            for (const reqair::BlockRow& b : layout.Blocks) {
                if ((mid - from) * (mid - (from + b.Length)) < 0) {
                    seg.Speed = b.Speed;
                    break;
                }
                from += b.Length;
            }
        }
        cut.Segments.push_back(seg);
    }
    if (cut.Segments.empty()) {
        cut.Segments.emplace_back();
    }
    return cut;
}

double walkResistance(const ventparam::StationLists& lists, double dsp, double dep, double lambda, double rho,
                      double Q, std::vector<double>& p) {
    if (dsp > dep) {
        std::swap(dsp, dep);
    }
    p = {lists.StartPile};
    for (const ventparam::SectionCells& row : lists.Sections) {
        p.push_back(row.Pile);
    }
    p.push_back(dsp);
    p.push_back(dep);
    for (std::size_t i = 0; i < p.size(); ++i) {
        for (std::size_t j = i + 1; j < p.size(); ++j) {
            if (p[i] > p[j]) {
                std::swap(p[i], p[j]);
            }
        }
    }
    double sum = 0;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const double m = (p[i] + p[i - 1]) * 0.5;
        if (!((m - dsp) * (m - dep) < 0)) {
            continue;
        }
        double prev = lists.StartPile;
        for (const ventparam::SectionCells& row : lists.Sections) {
            if ((m - prev) * (m - row.Pile) < 0 && row.Area && row.Diameter && *row.Area != 0 &&
                *row.Diameter != 0) {
                const double v = Q / *row.Area;
                const double term = (p[i] - p[i - 1]) * lambda / *row.Diameter * 0.5 * rho * (v * v);
                if (std::isfinite(term)) {
                    sum += term;
                }
            }
            prev = row.Pile;
        }
    }
    // The end losses (type 1 by default) over the same clamped half-open search.
    auto area = [&](double pile) {
        pile = ventparam::ClampToTunnel(pile, lists.StartPile, lists.TunnelLength);
        std::vector<double> piles;
        for (const ventparam::SectionCells& row : lists.Sections) {
            piles.push_back(row.Pile);
        }
        const long r = walkHalfOpen(lists.StartPile, piles, pile);
        return r < 0 ? 0.0 : lists.Sections[static_cast<std::size_t>(r)].Area.value_or(0.0);
    };
    const double a1 = area(dsp + ventparam::kEndAreaInset);
    const double a2 = area(dep - ventparam::kEndAreaInset);
    auto endTerm = [&](double zeta, double a) {
        if (a == 0) {
            return 0.0;
        }
        const double v = Q / a;
        const double t = zeta * (v * v);
        return std::isfinite(t) ? t : 0.0;
    };
    const double ends = rho / 2 * (endTerm(0.6, a1) + endTerm(0.28, a2));
    return sum + (std::isfinite(ends) ? ends : 0.0);
}

// ---- Seeded random tunnels ----

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

void expectSameSegments(const reqair::SegmentCut& a, const reqair::SegmentCut& b, const std::string& what) {
    ASSERT_EQ(a.BreakPiles.size(), b.BreakPiles.size()) << what;
    for (std::size_t i = 0; i < a.BreakPiles.size(); ++i) {
        ASSERT_EQ(bits(a.BreakPiles[i]), bits(b.BreakPiles[i])) << what << " break " << i;
    }
    ASSERT_EQ(a.Segments.size(), b.Segments.size()) << what;
    for (std::size_t i = 0; i < a.Segments.size(); ++i) {
        const reqair::CalSegment& x = a.Segments[i];
        const reqair::CalSegment& y = b.Segments[i];
        for (auto [p, q] : {std::pair{x.StartPile, y.StartPile},
                            {x.EndPile, y.EndPile},
                            {x.Slope, y.Slope},
                            {x.Area, y.Area},
                            {x.Diameter, y.Diameter},
                            {x.Speed, y.Speed},
                            {x.Velocity, y.Velocity}}) {
            ASSERT_EQ(bits(p), bits(q)) << what << " segment " << i;
        }
    }
}

struct RandomTunnel {
    double Start = 0;
    double Length = 0;
    std::vector<double> SlopePiles, SectionPiles;
    std::vector<double> Slopes, Areas, Diameters;
};

// Stations on a 0.5 m grid, so that slope and section stations often coincide and a list may repeat a
// station; `shuffled` types the rows in any order, some before the start.
RandomTunnel randomTunnel(std::mt19937& rng, int rows, bool shuffled) {
    RandomTunnel t;
    t.Start = 10000;
    std::uniform_int_distribution<int> step(0, 8);
    std::uniform_int_distribution<int> pick(0, 9);
    double pile = t.Start;
    for (int i = 0; i < rows; ++i) {
        pile += step(rng) * 0.5;
        t.SlopePiles.push_back(pile);
        t.Slopes.push_back((pick(rng) - 5) * 0.25);
    }
    pile = t.Start;
    for (int i = 0; i < rows; ++i) {
        pile += step(rng) * 0.5;
        t.SectionPiles.push_back(pile);
        // Now and then an area or a diameter of 0, which the resistance passes over.
        t.Areas.push_back(pick(rng) == 0 ? 0.0 : 55 + pick(rng));
        t.Diameters.push_back(pick(rng) == 0 ? 0.0 : 7 + pick(rng) * 0.125);
    }
    // The section list may end short of the slope list or run beyond it.
    t.Length = t.SlopePiles.back() - t.Start;
    if (shuffled) {
        std::shuffle(t.SlopePiles.begin(), t.SlopePiles.end(), rng);
        std::shuffle(t.SectionPiles.begin(), t.SectionPiles.end(), rng);
        t.SectionPiles[t.SectionPiles.size() / 2] = t.Start - 20;
    }
    return t;
}

/// Stations to look up: random ones, every station of both lists and the midpoints of neighbours, the start
/// and the end, and stations before the start and beyond the end.
std::vector<double> probeStations(std::mt19937& rng, const RandomTunnel& t, std::size_t randomCount) {
    std::uniform_real_distribution<double> along(t.Start - 50, t.Start + t.Length + 50);
    std::vector<double> probes{t.Start, t.Start + t.Length, t.Start - 1, t.Start + t.Length + 1};
    for (std::size_t i = 0; i < randomCount; ++i) {
        probes.push_back(along(rng));
    }
    for (const std::vector<double>* piles : {&t.SlopePiles, &t.SectionPiles}) {
        for (std::size_t i = 0; i < piles->size(); ++i) {
            probes.push_back((*piles)[i]);
            if (i > 0) {
                probes.push_back(((*piles)[i] + (*piles)[i - 1]) * 0.5);
            }
        }
    }
    return probes;
}

reqair::TunnelLayout layoutOf(const RandomTunnel& t, bool leftLine) {
    reqair::TunnelLayout layout;
    layout.StartPile = t.Start;
    layout.TunnelLength = t.Length;
    for (std::size_t i = 0; i < t.SlopePiles.size(); ++i) {
        layout.Slopes.push_back({t.SlopePiles[i], t.Slopes[i]});
    }
    for (std::size_t i = 0; i < t.SectionPiles.size(); ++i) {
        layout.Sections.push_back({t.SectionPiles[i], t.Areas[i], 30, t.Diameters[i]});
    }
    layout.Blocks = {{t.Length / 3, 20}, {0, 30}, {t.Length / 2, 10}};
    layout.LeftLine = leftLine;
    layout.OneWaySpeed = 60;
    return layout;
}

ventparam::StationLists stationListsOf(const RandomTunnel& t) {
    ventparam::StationLists lists;
    lists.StartPile = t.Start;
    lists.TunnelLength = t.Length;
    for (std::size_t i = 0; i < t.SectionPiles.size(); ++i) {
        lists.Sections.push_back({t.SectionPiles[i], t.Areas[i], 30.0, t.Diameters[i]});
    }
    for (std::size_t i = 0; i < t.SlopePiles.size(); ++i) {
        lists.Slopes.push_back({t.SlopePiles[i], t.Slopes[i]});
    }
    return lists;
}

} // namespace

TEST(LongTunnel, RowSearchesFindTheRowTheListWalkFinds) {
    for (const bool shuffled : {false, true}) {
        std::mt19937 rng(shuffled ? 7 : 3);
        const RandomTunnel t = randomTunnel(rng, 2000, shuffled);
        for (const std::vector<double>* piles : {&t.SlopePiles, &t.SectionPiles}) {
            const app::StationRows rows(t.Start, *piles);
            EXPECT_EQ(rows.InOrder(), !shuffled);
            std::vector<double> probes = probeStations(rng, t, 2000);
            std::size_t cursor = 0;
            for (double pile : probes) {
                ASSERT_EQ(rows.FindOpen(pile), walkOpen(t.Start, *piles, pile)) << pile;
                ASSERT_EQ(rows.FindHalfOpen(pile), walkHalfOpen(t.Start, *piles, pile)) << pile;
                ASSERT_EQ(rows.FindOpenAscending(pile, cursor), walkOpen(t.Start, *piles, pile)) << pile;
            }
            std::sort(probes.begin(), probes.end());
            cursor = 0;
            for (double pile : probes) {
                ASSERT_EQ(rows.FindOpenAscending(pile, cursor), walkOpen(t.Start, *piles, pile)) << pile;
            }
        }
    }
    // Stations equal to the start and repeated stations: the first row that qualifies.
    const std::vector<double> piles{100, 100, 200, 200, 300};
    const app::StationRows rows(100, piles);
    for (double pile : {99.0, 100.0, 150.0, 200.0, 250.0, 300.0, 301.0}) {
        EXPECT_EQ(rows.FindOpen(pile), walkOpen(100, piles, pile)) << pile;
        EXPECT_EQ(rows.FindHalfOpen(pile), walkHalfOpen(100, piles, pile)) << pile;
    }
    EXPECT_EQ(rows.FindOpen(std::nan("")), -1);
    EXPECT_EQ(rows.FindHalfOpen(std::nan("")), -1);
}

TEST(LongTunnel, SegmentCutMatchesTheListWalk) {
    for (const bool shuffled : {false, true}) {
        std::mt19937 rng(shuffled ? 11 : 5);
        const RandomTunnel t = randomTunnel(rng, 1500, shuffled);
        const reqair::TunnelLayout layout = layoutOf(t, shuffled);
        std::uniform_real_distribution<double> along(t.Start - 100, t.Start + t.Length + 100);
        for (int k = 0; k < 20; ++k) {
            const std::vector<double> extra{along(rng), t.SectionPiles[static_cast<std::size_t>(k)]};
            const int iCaseID = 1 + k % 4;
            const double dsp = k % 3 == 0 ? reqair::kTunnelEnd : along(rng);
            const double dep = k % 3 == 0 ? reqair::kTunnelEnd : along(rng);
            expectSameSegments(reqair::BuildSegments(layout, extra, iCaseID, dsp, dep, 250),
                               walkSegments(layout, extra, iCaseID, dsp, dep, 250),
                               "case " + std::to_string(iCaseID) + " k " + std::to_string(k));
        }
    }
    // A break at -0 after one at 0 keeps the 0 met first.
    reqair::TunnelLayout layout;
    layout.StartPile = 0.0;
    layout.Slopes = {{-0.0, 1}, {100, 2}};
    const std::vector<double> none;
    expectSameSegments(reqair::BuildSegments(layout, none, 1, -0.0, 100, 0),
                       walkSegments(layout, none, 1, -0.0, 100, 0), "signed zero");
}

TEST(LongTunnel, SegmentTableMatchesTheListWalk) {
    for (const bool shuffled : {false, true}) {
        std::mt19937 rng(shuffled ? 13 : 17);
        const RandomTunnel t = randomTunnel(rng, 1500, shuffled);
        app::SegmentTableInput in;
        in.StartPile = vb::CStr(t.Start);
        for (std::size_t i = 0; i < t.SlopePiles.size(); ++i) {
            in.Slopes.push_back({vb::CStr(t.SlopePiles[i]), vb::CStr(t.Slopes[i])});
        }
        for (std::size_t i = 0; i < t.SectionPiles.size(); ++i) {
            in.Sections.push_back(
                {vb::CStr(t.SectionPiles[i]), vb::CStr(t.Areas[i]), "30", vb::CStr(t.Diameters[i])});
        }
        in.DesignSpeed = "80";
        in.LeftLine = shuffled;
        // The table is the segment cut of the slope and section stations alone, at the design speed.
        reqair::TunnelLayout layout = layoutOf(t, shuffled);
        layout.Blocks.clear();
        const std::vector<double> none;
        const reqair::SegmentCut walked = walkSegments(layout, none, 0, reqair::kTunnelEnd, t.Start, 0);
        EXPECT_EQ(app::segment_break_piles(in), walked.BreakPiles);
        const std::vector<app::SegmentRecord> records = app::build_segment_records(in);
        ASSERT_EQ(records.size() + 1, walked.BreakPiles.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            const double mid = (records[i].StartPile + records[i].EndPile) / 2.0;
            const long s = walkOpen(t.Start, t.SlopePiles, mid);
            const long a = walkOpen(t.Start, t.SectionPiles, mid);
            const double slope = s < 0 ? 0.0 : t.Slopes[static_cast<std::size_t>(s)];
            ASSERT_EQ(bits(records[i].Slope), bits(s < 0 ? 0.0 : shuffled ? -slope : slope)) << i;
            ASSERT_EQ(bits(records[i].Area), bits(a < 0 ? 0.0 : t.Areas[static_cast<std::size_t>(a)])) << i;
            ASSERT_EQ(bits(records[i].Diameter), bits(a < 0 ? 0.0 : t.Diameters[static_cast<std::size_t>(a)]))
                << i;
        }
    }
}

TEST(LongTunnel, StationLookupsAndResistanceMatchTheListWalk) {
    for (const bool shuffled : {false, true}) {
        std::mt19937 rng(shuffled ? 19 : 23);
        const RandomTunnel t = randomTunnel(rng, shuffled ? 150 : 400, shuffled);
        const ventparam::StationLists lists = stationListsOf(t);
        const ventparam::IndexedStations stations(lists);
        std::vector<double> sectionPiles = t.SectionPiles;
        for (double pile : probeStations(rng, t, 500)) {
            const double clamped = ventparam::ClampToTunnel(pile, t.Start, t.Length);
            const long a = walkHalfOpen(t.Start, sectionPiles, clamped);
            const long s = walkHalfOpen(t.Start, t.SlopePiles, pile);
            double d = -1;
            ASSERT_EQ(bits(ventparam::GetAA_r(stations, pile, &d)),
                      bits(a < 0 ? 0.0 : t.Areas[static_cast<std::size_t>(a)]))
                << pile;
            ASSERT_EQ(bits(d), bits(a < 0 ? -1.0 : t.Diameters[static_cast<std::size_t>(a)])) << pile;
            ASSERT_EQ(bits(ventparam::GetSlope_i(stations, pile)),
                      bits(s < 0 ? 0.0 : t.Slopes[static_cast<std::size_t>(s)]))
                << pile;
        }
        const std::vector<double> probes = probeStations(rng, t, 100);
        for (std::size_t k = 0; k + 1 < probes.size(); k += 7) {
            const double dsp = probes[k];
            const double dep = probes[(k * 31 + 5) % probes.size()];
            std::vector<double> walked, cut;
            const double expected = walkResistance(lists, dsp, dep, 0.022, 1.2, 310, walked);
            ASSERT_EQ(bits(ventparam::GetYANCHENGDeltap_r_m(stations, dsp, dep, 0.022, 1.2, 310, {}, &cut)),
                      bits(expected))
                << dsp << " .. " << dep;
            ASSERT_EQ(cut, walked) << dsp << " .. " << dep;
        }
    }
}
