// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/lamp_photometry.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>

namespace lighting {

namespace {

double Radians(double degrees) {
    return degrees * kLightingPi / 180;
}

double Degrees(double radians) {
    return radians * 180 / kLightingPi;
}

/// Arc cosine in degrees, formed from the arc tangent as the lighting formulas always have it; at the
/// ends of the range (and past them, where inexact arithmetic pushes a cosine) 0 and 180.
double ArcCosDegrees(double k) {
    if (k >= 1) {
        return 0;
    }
    if (k <= -1) {
        return 180;
    }
    return Degrees(std::atan(-k / std::sqrt(1 - k * k)) + 2 * std::atan(1.0));
}

double PlanDistance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

const std::string& Cell(const std::vector<std::string>& cells, std::size_t column) {
    static const std::string empty;
    return column >= 1 && column <= cells.size() ? cells[column - 1] : empty;
}

double Finite(double value) {
    return std::isfinite(value) ? value : 0;
}

} // namespace

LampCircuit CircuitFromRow(const std::vector<std::string>& cells) {
    LampCircuit c;
    c.Model = Cell(cells, 2);
    c.Flux = vb::Val(Cell(cells, 4));
    c.Maintenance = vb::Val(Cell(cells, 5));
    c.Mounting = vb::CInt(vb::Val(Cell(cells, 7))).value_or(0);
    c.Height = vb::Val(Cell(cells, 10));
    c.TiltAcross = vb::Val(Cell(cells, 11));
    c.TiltAlong = vb::Val(Cell(cells, 12));
    return c;
}

LampAim AimOf(const LampCircuit& circuit, double lampX, double lampY) {
    LampAim aim;
    aim.X = lampX;
    aim.Y = lampY;
    aim.H = circuit.Height;
    aim.Mounting = circuit.Mounting;
    const double H = circuit.Height;
    // The aiming point, where the lamp's axis meets the road.
    const double t = H * std::tan(Radians(circuit.TiltAcross));
    const double s = std::sqrt(H * H + t * t);
    const double u = s * std::tan(Radians(circuit.TiltAlong));
    aim.LA = std::sqrt(s * s + u * u);
    aim.xA = lampX + u;
    aim.yA = lampY > 0 ? lampY - t : lampY + t;
    return aim;
}

LampDirection DirectionFromAim(const LampAim& aim, double px, double py) {
    const double H = aim.H;
    const double d = PlanDistance(aim.X, aim.Y, px, py);
    const double LA = aim.LA;
    const double xA = aim.xA;
    const double yA = aim.yA;

    const double AP = PlanDistance(xA, yA, px, py);
    const double LP = std::sqrt(d * d + H * H);

    LampDirection dir;
    // A lamp at road level has no axis to measure from: it lights nothing on the road.
    if (!(LA > 0) || !(LP > 0) || !std::isfinite(LA) || !std::isfinite(LP) || !std::isfinite(AP)) {
        dir.Defined = false;
        dir.Gamma = 90;
        return dir;
    }
    const double k = (LA * LA + LP * LP - AP * AP) / (2 * LA * LP);
    dir.Gamma = ArcCosDegrees(k);

    const double dx = px - xA;
    const double dy = py - yA;
    double C = 90;
    if (dx > 0) {
        C = 180 - Degrees(std::atan(dy / dx));
    } else if (dx < 0) {
        C = 360 - Degrees(std::atan(dy / dx));
        if (C >= 360) {
            C -= 360;
        }
    }
    if (aim.Mounting == kCentreLineMounting) {
        C += 90;
        if (C > 360) {
            C -= 360;
        }
    }
    dir.C = C;
    return dir;
}

LampDirection DirectionToPoint(const LampCircuit& circuit, double lampX, double lampY, double px, double py) {
    return DirectionFromAim(AimOf(circuit, lampX, lampY), px, py);
}

namespace {

bool StrictlyRising(const std::vector<double>& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!std::isfinite(keys[i]) || (i > 0 && !(keys[i - 1] < keys[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

KeyedTable::KeyedTable(const CoefTable& table)
    : table_(&table), rising_(table.x.size() >= 2 && table.y.size() >= 2 && StrictlyRising(table.x) &&
                              StrictlyRising(table.y)) {}

std::optional<modPublic::KeySpan> KeyedTable::Span(const std::vector<double>& keys, double key) {
    // On rising keys the first pair of neighbours enclosing the key (ends included) is the one before
    // the first key not below it; outside the keys the nearest end holds.
    if (std::isnan(key)) {
        return std::nullopt;
    }
    const int n = static_cast<int>(keys.size());
    if (key < keys.front()) {
        return modPublic::KeySpan{1, 1};
    }
    if (key > keys.back()) {
        return modPublic::KeySpan{n, n};
    }
    const int j = static_cast<int>(std::lower_bound(keys.begin() + 1, keys.end(), key) - keys.begin());
    return modPublic::KeySpan{j, j + 1};
}

double KeyedTable::operator()(double columnKey, double rowKey) const {
    if (!rising_) {
        return modPublic::Interpolate2D(*table_, columnKey, rowKey);
    }
    const std::optional<modPublic::KeySpan> sx = Span(table_->x, columnKey);
    const std::optional<modPublic::KeySpan> sy = Span(table_->y, rowKey);
    if (!sx || !sy) {
        return 0.0;
    }
    return modPublic::InterpolateBetween(table_->x, table_->y, table_->v, *sx, *sy, columnKey, rowKey);
}

double IntensityOf(const CoefTable& table, const LampDirection& direction) {
    return IntensityOf(KeyedTable(table), direction);
}

double IntensityOf(const KeyedTable& table, const LampDirection& direction) {
    if (!direction.Defined) {
        return 0;
    }
    return Finite(table(direction.C, direction.Gamma));
}

double PointIlluminance(double intensity, double gammaDeg, double flux, double maintenance, double z) {
    if (z == 0) {
        return 0;
    }
    const double c = std::cos(Radians(gammaDeg));
    return Finite(c * c * c * intensity * flux * maintenance * 0.001 / (z * z));
}

double ObservationAngle(double lampX, double lampY, double px, double py, double ox, double oy) {
    const double FO = PlanDistance(lampX, lampY, ox, oy);
    const double OP = PlanDistance(ox, oy, px, py);
    const double FP = PlanDistance(lampX, lampY, px, py);
    if (FP == 0 || OP == 0) {
        return 0;
    }
    double m = -(OP * OP + FP * FP - FO * FO) / (2 * OP * FP);
    if (!std::isfinite(m)) {
        return 0;
    }
    m = m > 1 ? 1 : (m < -1 ? -1 : m);
    return ArcCosDegrees(m);
}

double PointLuminance(double intensity, double gammaDeg, double betaDeg, double flux, double maintenance,
                      const CoefTable& road, double z) {
    return PointLuminance(intensity, gammaDeg, betaDeg, flux, maintenance, KeyedTable(road), z);
}

double PointLuminance(double intensity, double gammaDeg, double betaDeg, double flux, double maintenance,
                      const KeyedTable& road, double z) {
    if (z == 0) {
        return 0;
    }
    const double r = road(betaDeg, std::tan(Radians(gammaDeg))) * 0.001;
    return Finite(intensity * flux * maintenance * 0.001 * r / (z * z));
}

} // namespace lighting
