// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/ms_jet.h"

#include "jetfan/jet_balance.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace multishaft {

double SectionJetRise(double rho, double vj, double aj, double ar, double vr, double eta) {
    return rho * (vj * vj) * (aj / ar) * (1 - vr / vj) * eta;
}

std::pair<double, double> SectionOpeningRises(int k, int rows, bool rightLine,
                                              const std::vector<double>& exhaust,
                                              const std::vector<double>& supply) {
    const auto of = [](const std::vector<double>& values, int shaft) {
        if (shaft < 1 || static_cast<std::size_t>(shaft) > values.size()) {
            return 0.0;
        }
        return values[static_cast<std::size_t>(shaft - 1)];
    };
    const int n = static_cast<int>(exhaust.size());
    if (k < 1 || k % 2 == 0) {
        return {0, 0};
    }
    if (rightLine) {
        if (k == 1) {
            return {of(exhaust, 1), 0};
        }
        if (k == rows) {
            return {0, of(supply, n)};
        }
        return {of(exhaust, (k + 1) / 2), of(supply, (k - 1) / 2)};
    }
    if (k == rows) {
        return {of(exhaust, n), 0};
    }
    if (k == 1) {
        return {0, of(supply, 1)};
    }
    return {of(exhaust, (k - 1) / 2), of(supply, (k + 1) / 2)};
}

double SectionJetNeed(double dpr, double dpm, double dpt, double dpe, double dpb) {
    return dpr + dpm - dpt - dpe - dpb;
}

std::optional<double> JetFansNeeded(double dpr, double dpm, double dpt, double dpe, double dpb, double dpj) {
    const double need = SectionJetNeed(dpr, dpm, dpt, dpe, dpb);
    if (!std::isfinite(need) || !std::isfinite(dpj)) {
        return std::nullopt;
    }
    if (need <= 0) {
        return 0.0;
    }
    if (dpj <= 0) {
        return std::nullopt;
    }
    // The fans must make up the whole need (4.93 fans give 5, where 4 would leave the section 7 Pa short).
    return jetfan::LeastFansForRise(need, dpj);
}

std::optional<double> ProposedGroups(double needed, double perGroup) {
    if (perGroup == 0 || !std::isfinite(needed) || !std::isfinite(perGroup)) {
        return std::nullopt;
    }
    const double whole = vb::Int(needed / perGroup);
    const bool odd = std::fmod(std::fabs(vb::RoundHalfEven(needed)), 2.0) == 1.0;
    return odd ? whole + 1 : whole;
}

std::vector<double> GroupStations(double start, bool leftLine, double dist, double span, long long groups) {
    const double dir = leftLine ? -1 : 1;
    std::vector<double> stations;
    for (long long i = 1; i <= groups; ++i) {
        stations.push_back(start + dir * dist + static_cast<double>(i - 1) * span * dir);
    }
    return stations;
}

std::vector<std::size_t> GroupsOutside(const std::vector<GroupRow>& groups,
                                       const std::vector<std::pair<double, double>>& rows) {
    std::vector<std::size_t> outside;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const double station = vb::Val(groups[i][0]);
        const bool inside = std::any_of(rows.begin(), rows.end(), [&](const std::pair<double, double>& row) {
            return std::min(row.first, row.second) <= station && station <= std::max(row.first, row.second);
        });
        if (!inside) {
            outside.push_back(i);
        }
    }
    return outside;
}

std::string DroppedGroupsHint(const std::vector<std::string>& stations) {
    if (stations.empty()) {
        return "";
    }
    // The hint is one line: past a few stations the count says how many went.
    constexpr std::size_t kNamed = 4;
    std::string list;
    for (std::size_t i = 0; i < stations.size() && i < kNamed; ++i) {
        list += (list.empty() ? "" : ", ") + stations[i];
    }
    if (stations.size() > kNamed) {
        list += " 等共" + std::to_string(stations.size()) + "组";
    }
    return "以下射流风机组不在新形成的通风区段内，已删除(桩号): " + list;
}

void OrderGroups(std::vector<GroupRow>& rows, bool rightLine) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i; j < rows.size(); ++j) {
            const double a = vb::Val(rows[i][0]);
            const double b = vb::Val(rows[j][0]);
            if (rightLine ? b < a : b > a) {
                std::swap(rows[i], rows[j]);
            }
        }
    }
}

namespace {

// Counts of rows added so far by rank of their station, summed over the ranks below a rank.
class RankCounts {
public:
    explicit RankCounts(std::size_t ranks) : tree_(ranks + 1, 0) {}
    void add(std::size_t rank) {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) {
            ++tree_[i];
        }
    }
    /// Rows added with a rank below `rank`.
    long long below(std::size_t rank) const {
        long long sum = 0;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1)) {
            sum += tree_[i];
        }
        return sum;
    }

private:
    std::vector<long long> tree_;
};

// The exchange sort of OrderGroups on stations read already.
template <class Before>
void exchangeSort(std::vector<GroupRow>& rows, std::vector<double>& keys, const Before& before) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i; j < rows.size(); ++j) {
            if (before(keys[j], keys[i])) {
                std::swap(rows[i], rows[j]);
                std::swap(keys[i], keys[j]);
            }
        }
    }
}

} // namespace

void AddGroupsInOrder(std::vector<GroupRow>& rows, const std::vector<GroupRow>& added, bool rightLine) {
    const auto before = [rightLine](double a, double b) { return rightLine ? a < b : a > b; };
    std::vector<double> keys;
    keys.reserve(rows.size() + added.size());
    for (const GroupRow& row : rows) {
        keys.push_back(vb::Val(row[0]));
    }
    std::size_t next = 0;
    // A list out of order (a row updated by hand, or read so from a file) is sorted whole by the first row
    // added; the exchange sort leaves it in order, and every later row keeps it so.
    bool ordered = true;
    for (std::size_t i = 1; i < keys.size() && ordered; ++i) {
        ordered = !before(keys[i], keys[i - 1]);
    }
    if (!ordered && next < added.size()) {
        rows.push_back(added[next]);
        keys.push_back(vb::Val(added[next][0]));
        ++next;
        exchangeSort(rows, keys, before);
    }
    if (next == added.size()) {
        return;
    }

    // In an ordered list the exchange sort puts a new row after the rows of its station and before the
    // first later station; every run of equal later stations then turns by one, its first row going to
    // its end. Each run keeps count of the rows that arrived before it since it last turned.
    std::vector<double> addedKeys;
    addedKeys.reserve(added.size() - next);
    for (std::size_t k = next; k < added.size(); ++k) {
        addedKeys.push_back(vb::Val(added[k][0]));
    }
    std::vector<double> stations = keys;
    stations.insert(stations.end(), addedKeys.begin(), addedKeys.end());
    std::sort(stations.begin(), stations.end(), before);
    stations.erase(std::unique(stations.begin(), stations.end(),
                               [&](double a, double b) { return !before(a, b) && !before(b, a); }),
                   stations.end());
    const auto rankOf = [&](double key) {
        return static_cast<std::size_t>(std::lower_bound(stations.begin(), stations.end(), key, before) -
                                        stations.begin());
    };

    struct Run {
        std::vector<GroupRow> rows;
        long long seenBefore = 0; // rows added before this run's station when it last turned
    };
    std::map<std::size_t, Run> runs;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        runs[rankOf(keys[i])].rows.push_back(std::move(rows[i]));
    }
    RankCounts arrived(stations.size());
    const auto turn = [&](Run& run, std::size_t rank) {
        const long long now = arrived.below(rank);
        const long long turns = now - run.seenBefore;
        run.seenBefore = now;
        if (!run.rows.empty()) {
            const auto by = static_cast<std::ptrdiff_t>(turns % static_cast<long long>(run.rows.size()));
            std::rotate(run.rows.begin(), run.rows.begin() + by, run.rows.end());
        }
    };
    for (std::size_t k = 0; k < addedKeys.size(); ++k) {
        const std::size_t rank = rankOf(addedKeys[k]);
        auto [at, isNew] = runs.try_emplace(rank);
        if (isNew) {
            at->second.seenBefore = arrived.below(rank);
        }
        turn(at->second, rank);
        at->second.rows.push_back(added[next + k]);
        arrived.add(rank);
    }
    rows.clear();
    for (auto& [rank, run] : runs) {
        turn(run, rank);
        for (GroupRow& row : run.rows) {
            rows.push_back(std::move(row));
        }
    }
}

} // namespace multishaft
