// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/lamp_photometry.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

/// The point-by-point calculation of lighting step 3: the lamps of the switched-on circuits laid out
/// around the calculation area, the grid of calculation points, the illuminance and luminance summed
/// over the lamps at every point, and the averages and uniformities compared with what the traffic
/// requires. Axes and units as in the photometry: x along the road from the start of the area, y across
/// with 0 on the centre line, z upwards; metres, lx and cd/m².
namespace lighting {

/// A point of the grid or the observer: x, y, z [m].
using Point3 = std::array<double, 3>;

/// Mounting positions of the mounting list.
inline constexpr int kStaggeredMounting = 0; ///< "两侧交错布置"
inline constexpr int kSymmetricMounting = 1; ///< "两侧对称布置"

/// Eye height of the observer [m].
inline constexpr double kObserverHeight = 1.5;

/// Most lamps side by side at one position of a circuit (along × across) that a file or a box may ask for.
inline constexpr long long kMaxLampsPerPosition = 10000;

/// Most lamps a layout may hold in all.
inline constexpr long long kMaxLamps = 100000;

/// Most calculation points (along × across) that a file or a box may ask for.
inline constexpr long long kMaxGridPoints = 100000;

/// What the layout reads of a circuit row of step 2. The mounting and the counts are whole numbers
/// (halves to even); a text that is no number leaves them nullopt, and such a circuit gets no lamps.
struct CircuitLayout {
    std::optional<int> Mounting;    ///< column 7: 0 staggered, 1 symmetric, 2 centre line
    double Transverse = 0;          ///< column 9: transverse spacing t [m]
    double Height = 0;              ///< column 10: mounting height H [m]
    std::optional<int> CountAlong;  ///< column 13: lamps side by side along the road, na
    double SpanAlong = 0;           ///< column 14: their spacing sa [m]
    std::optional<int> CountAcross; ///< column 15: lamps side by side across the road, nt
    double SpanAcross = 0;          ///< column 16: their spacing st [m]
};

/// The layout data of a step-2 row, cells[0] being column 1. Missing cells count as empty.
CircuitLayout LayoutFromRow(const std::vector<std::string>& cells);

/// The lamps of one switched-on circuit.
struct CircuitLamps {
    std::vector<LampPoint> Lamps;
    /// True when the step between lamp positions rounds to 0 m (a spacing of 0.5 m or less, 1 m or less
    /// when staggered): the number of positions cannot be formed and no lamp is placed.
    bool StepTooSmall = false;
};

/// Lays out the circuit `name` with longitudinal spacing s and its reference lamp at d0 over an area of
/// length SS. The step Δ is s/2 when staggered, s otherwise; n_before = round(SS + d0) div round(Δ) and
/// n_after = round(2·SS − d0) div round(Δ) (halves to even, the division dropping the fraction), and the
/// positions X_k = d0 − n_before·Δ + (k − 1)·Δ, k = 1 … n_before + n_after + 1. Staggered lamps alternate
/// sides so that the reference lamp is at y = +t/2; symmetric ones stand at −t/2 then +t/2; centre-line
/// ones at 0. Each row becomes na × nt lamps (along outer, across inner) at height H. A mounting other than
/// 0, 1 or 2, a count below 1 or more than kMaxLamps positions gives no lamps; a caller holds the count
/// of lamps to kMaxLamps with CircuitLampCount first.
CircuitLamps LayOutCircuit(const std::string& name, double spacing, double distance, double areaLength,
                           const CircuitLayout& layout);

/// The number of lamps LayOutCircuit would place, found without placing them (saturating at the largest
/// long long), so that a count asked for by a file or a box can be refused before anything is allocated.
long long CircuitLampCount(double spacing, double distance, double areaLength, const CircuitLayout& layout);

/// The whole count a text asks for (rounded half to even, saturating at 1e15); nullopt when the text is no
/// number. Unlike the 16-bit counts of the calculation it keeps a count too large for them, so that such a
/// count is refused rather than ignored.
std::optional<long long> AskedCount(const std::string& text);

/// The count asked for by two counts side by side (a × b, both positive): their product, or the larger of
/// them when either alone passes the limit, so that the message names a count that was asked for and
/// nothing overflows.
long long AskedProduct(long long a, long long b, long long limit);

/// Outcome of the checks of the grid before a calculation.
enum class GridCheck {
    Ok,
    /// Fewer than 2 points along or 5 across, or points along more than 1 m apart: SS / (nL − 1) > 1.
    Spacing,
    /// An even number of points across (no row on the centre line).
    EvenAcross,
};

/// The checks in their order: spacing and counts, then an odd count across. The point count is held to
/// kMaxGridPoints by the caller before.
GridCheck CheckGrid(double areaLength, int pointsAlong, int pointsAcross);

/// The grid points, across (j) outer and along (i) inner: ((i − 1)·SS/(nL − 1), −W/2 + (j − 1)·W/(nT − 1),
/// 0). Empty unless nL ≥ 2 and nT ≥ 2.
std::vector<Point3> GridPoints(double areaLength, double roadWidth, int pointsAlong, int pointsAcross);

/// The observer before the area: (−distance, −W/4, 1.5).
Point3 Observer(double distanceToArea, double roadWidth);

/// Illuminance and luminance at one point, with its y to find the centre line.
struct PointValue {
    double y = 0;
    double E = 0; ///< lx
    double L = 0; ///< cd/m²
};

/// Sums the contributions of every lamp at every point, in point order; `progress` (may be empty) is told
/// the count of points done after each point.
std::vector<PointValue>
SumOverPoints(const std::vector<LampPoint>& lamps, const std::vector<Point3>& points, const Point3& observer,
              const std::function<double(const LampPoint&, const Point3&)>& illuminance,
              const std::function<double(const LampPoint&, const Point3&, const Point3&)>& luminance,
              const std::function<void(int)>& progress);

/// The photometry of one circuit as the sum reads it: the circuit's data and its model's intensity table.
struct LampSource {
    LampCircuit Circuit;
    CoefTable Table;
    bool HasTable = false; ///< false: the model has no whole table, and its lamps give no light
};

/// A lamp of the layout with its circuit's photometry; a null source (no circuit of the lamp's name) gives
/// no light.
struct PlacedLamp {
    Point3 Pos{};
    const LampSource* Source = nullptr;
};

/// Illuminance E [lx] and luminance L [cd/m²] of one lamp at P seen from O, with the road's reduced
/// luminance coefficients: the direction, intensity, illuminance and luminance of the photometry.
PointValue LampAtPoint(const PlacedLamp& lamp, const Point3& P, const Point3& O, const CoefTable& road);

/// Threads the sum uses when asked for 0: every core.
unsigned AllThreads();

/// SumOverPoints on `threads` threads (0: AllThreads()). Each point is summed by one thread over the lamps
/// in their order, so the values do not depend on the number of threads. `progress` (may be empty) is told
/// the count of points done, from the calling thread only.
std::vector<PointValue> SumOverLamps(const std::vector<PlacedLamp>& lamps, const std::vector<Point3>& points,
                                     const Point3& observer, const CoefTable& road, unsigned threads,
                                     const std::function<void(int)>& progress);

/// Minimum, maximum and average illuminance and luminance over the points, the luminance extremes on the
/// centre line (|y| < 0.0001), and the uniformities.
struct LightingSummary {
    double EE_min = 0, EE_max = 0, EE_av = 0;
    double LL_min = 0, LL_max = 0, LL_av = 0;
    double LL_min_p = 0, LL_max_p = 0;
    /// Overall uniformity Lmin / Lav; nullopt when Lav is 0.
    std::optional<double> UU_0;
    /// Longitudinal uniformity Lmin / Lmax on the centre line; nullopt without a centre-line point or when
    /// its Lmax is 0.
    std::optional<double> UU_l;
};

/// The summary of the values; all zero and no uniformity for no point.
LightingSummary Summarise(const std::vector<PointValue>& values);

/// Uniformities the traffic requires.
struct RequiredUniformity {
    double Uo = 0;
    double Ul = 0;
};

/// From the traffic volume N [veh/h] and its direction: two-way 0.4/0.6 from N = 1300 on, 0.3/0.5 up to
/// 360, linear between; one-way the same from 2400 and up to 700.
RequiredUniformity RequiredUniformityFor(double volume, bool twoWay);

/// The three comparison lines (CR LF between them, none at the end), the numbers "0.00" and the ">" form
/// for a value not below its requirement. An unknown uniformity is said instead of compared.
std::string ResultText(double LL_av, double LL_zone, const std::optional<double>& UU_0,
                       const std::optional<double>& UU_l, const RequiredUniformity& required);

} // namespace lighting
