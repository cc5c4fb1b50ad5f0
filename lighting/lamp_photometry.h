// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// Photometry of one lamp at one calculation point on the road: the direction (γ, C) from the lamp
/// towards the point, the intensity its table gives there, the horizontal illuminance and the road
/// luminance seen by an observer. Axes: x along the tunnel, y across the road (0 on the centre line),
/// z upwards from the road surface; lengths in metres, angles in degrees.
namespace lighting {

/// π as the lighting formulas use it, also for every conversion between degrees and radians.
inline constexpr double kLightingPi = 3.1415926;

/// Position of "中线布置" (centre-line mounting) in the mounting list.
inline constexpr int kCentreLineMounting = 2;

/// Number of columns of a circuit row of step 2.
inline constexpr int kCircuitColumns = 16;

/// One lamp of the layout: the name of its circuit and its position x, y, z [m] (z is its mounting height).
struct LampPoint {
    std::string Name;
    std::array<double, 3> Pos{};
};

/// What the photometry reads of a circuit row.
struct LampCircuit {
    std::string Model;      ///< lamp model, the section name in the intensity file
    double Flux = 0;        ///< luminous flux Φ [lm]
    double Maintenance = 0; ///< maintenance factor M [-]
    int Mounting = 0;       ///< mounting as its list position; kCentreLineMounting turns C by 90°
    double Height = 0;      ///< mounting height H [m]
    double TiltAcross = 0;  ///< rotation a1 about the tunnel axis [°]
    double TiltAlong = 0;   ///< rotation a2 about the cross-section [°]
};

/// The circuit of a row's texts, cells[0] being column 1 (the circuit name) and cells[15] column 16.
/// Numbers are the leading number of their text (none gives 0); the mounting is that number rounded
/// half to even, 0 when it does not fit. Missing cells count as empty.
LampCircuit CircuitFromRow(const std::vector<std::string>& cells);

/// Direction from a lamp towards a point.
struct LampDirection {
    double Gamma = 0; ///< angle between the lamp's axis and the point [°], 0 to 180
    double C = 0;     ///< angle around the aiming point [°], 0 to 360
    /// False when the geometry is degenerate (mounting height 0, or the point at the lamp itself): the
    /// lamp then gives no light to the point and γ is 90.
    bool Defined = true;
};

/// The direction of the point (px, py) on the road from a lamp standing at (lampX, lampY) with the
/// circuit's height and aiming. The lamp aims at the road where its axis meets it: tilted by a1 towards
/// the centre line (a lamp on the centre line towards +y) and by a2 along +x. γ is the angle at the lamp
/// between its axis and the point; C is 180 along +x from the aiming point, 0 along −x, 90 along +y and
/// for any point exactly across from the aiming point; a centre-line lamp turns C by 90.
LampDirection DirectionToPoint(const LampCircuit& circuit, double lampX, double lampY, double px, double py);

/// What the direction needs of a lamp whatever the point: its foot, height and mounting, its aiming point
/// (xA, yA) and the distance LA from the lamp to it. A sum over many points forms it once per lamp.
struct LampAim {
    double X = 0, Y = 0, H = 0;
    int Mounting = 0;
    double xA = 0, yA = 0, LA = 0;
};
LampAim AimOf(const LampCircuit& circuit, double lampX, double lampY);

/// DirectionToPoint from the lamp's aim, to the same bits.
LampDirection DirectionFromAim(const LampAim& aim, double px, double py);

/// A table (column keys, row keys, values) prepared for many lookups: the values of
/// modPublic::Interpolate2D to the last bit, its spans found by bisection when both key lists rise
/// strictly (as intensity and road tables do), by Interpolate2D itself otherwise. Keeps a reference to
/// the table.
class KeyedTable {
public:
    explicit KeyedTable(const CoefTable& table);
    double operator()(double columnKey, double rowKey) const;

private:
    static std::optional<modPublic::KeySpan> Span(const std::vector<double>& keys, double key);
    const CoefTable* table_;
    bool rising_;
};

/// Intensity [cd/klm] of the table (column keys C, row keys γ) in a direction; bilinear, held at the
/// table's edges; 0 for an empty table or an undefined direction.
double IntensityOf(const CoefTable& table, const LampDirection& direction);
double IntensityOf(const KeyedTable& table, const LampDirection& direction);

/// Horizontal illuminance [lx] at the point: cos³γ × I × Φ × M × 0.001 / z², with I the table intensity
/// [cd/klm] and z the lamp's height [m]. 0 when z is 0 or the result is not finite.
double PointIlluminance(double intensity, double gammaDeg, double flux, double maintenance, double z);

/// Angle β [°] between the plane of observation and the plane of incidence at the point, from the plan
/// positions of the lamp's foot F, the point P and the observer O: the angle at P between the directions
/// to F and the continuation of the line of sight O→P; 0 when F or O coincides with P.
double ObservationAngle(double lampX, double lampY, double px, double py, double ox, double oy);

/// Road luminance [cd/m²] at the point: I × Φ × M × 0.001 × r / z², with r the reduced luminance
/// coefficient of the road table (column keys β, row keys tan γ, values × 1000) and z the lamp's height.
/// The flux and maintenance factor count as for the illuminance, so that the luminance is in cd/m² of the
/// actual lamp and comparable with the required zone luminance. 0 when z is 0 or the result is not finite.
double PointLuminance(double intensity, double gammaDeg, double betaDeg, double flux, double maintenance,
                      const CoefTable& road, double z);
double PointLuminance(double intensity, double gammaDeg, double betaDeg, double flux, double maintenance,
                      const KeyedTable& road, double z);

} // namespace lighting
