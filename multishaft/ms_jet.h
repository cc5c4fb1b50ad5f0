// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// The jet fans of a section of the several-shafts scheme and the groups they are hung in.
namespace multishaft {

/// Pressure rise of one jet fan in the section [Pa]: ρ × vj² × (Aj / Ar) × (1 − vr / vj) × η, with the
/// outlet speed vj [m/s], outlet area Aj [m²], tunnel area Ar [m²], design air speed vr [m/s], position
/// factor η and air density ρ [kg/m³].
double SectionJetRise(double rho, double vj, double aj, double ar, double vr, double eta);

/// The rises of the two openings that act on section row k (1-based) of `rows` rows [Pa]: that of the
/// exhaust opening of the shaft at the section's downstream end and that of the supply opening of the
/// shaft at its upstream end, in the direction of travel. `exhaust` and `supply` hold the rise of every
/// shaft in list order; a short passage (even row), no row (k = 0) or a shaft that does not exist gives 0.
std::pair<double, double> SectionOpeningRises(int k, int rows, bool rightLine,
                                              const std::vector<double>& exhaust,
                                              const std::vector<double>& supply);

/// Pressure the section's jet fans must make up [Pa]: Δpr + Δpm − Δpt − Δpe − Δpb. At or below 0 the
/// traffic and the openings already carry the air through the section.
double SectionJetNeed(double dpr, double dpm, double dpt, double dpe, double dpb);

/// Jet fans the section needs: the least whole number n with n·Δpj ≥ the need, by the rule of the jet-fan
/// balance (jetfan::LeastFansForRise), so 4.93 gives 5. A need at or below 0 gives 0 fans, never a
/// negative count. nullopt when a positive need meets a rise of one fan at or below 0, any value is not a
/// number, or the count is beyond any number.
std::optional<double> JetFansNeeded(double dpr, double dpm, double dpt, double dpe, double dpb, double dpj);

/// Groups proposed for `needed` fans at `perGroup` fans a group: needed / perGroup rounded down, one more
/// when `needed` (rounded, halves to even) is odd. nullopt when perGroup is 0 or a value is not a number.
std::optional<double> ProposedGroups(double needed, double perGroup);

/// Stations of `groups` groups laid out from the section's start in the direction of travel: the first
/// `dist` past the start, the others `span` apart.
std::vector<double> GroupStations(double start, bool leftLine, double dist, double span, long long groups);

/// A row of the group list: station, fans in the group, rise of the group (as entered).
using GroupRow = std::array<std::string, 3>;

/// Positions (0-based) of the groups whose station (the leading number of its text) lies in none of
/// `rows`, each row a stretch from one station to another (either order, both ends inside).
std::vector<std::size_t> GroupsOutside(const std::vector<GroupRow>& groups,
                                       const std::vector<std::pair<double, double>>& rows);

/// The hint naming the groups removed because no section holds them, by their stations as listed (the
/// first four, and how many in all where there are more); "" for none.
std::string DroppedGroupsHint(const std::vector<std::string>& stations);

/// Most groups one press of "布置" lays out in a section.
inline constexpr int kMaxGroupsPerSection = 1000;

/// Orders the group rows by the leading number of their station in the direction of travel (ascending on
/// the right line, descending on the left) by the list's exchange sort: rows with equal stations are never
/// exchanged with each other.
void OrderGroups(std::vector<GroupRow>& rows, bool rightLine);

/// Appends the rows of `added` to `rows` one by one, each followed by OrderGroups, and gives the very
/// order that gives, in O(n log n) with each station read once. The exchange sort is not stable: a row
/// that arrives before a run of equal stations sends the first of that run to the run's end.
void AddGroupsInOrder(std::vector<GroupRow>& rows, const std::vector<GroupRow>& added, bool rightLine);

} // namespace multishaft
