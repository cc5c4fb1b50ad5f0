// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/loss_coefficients.h"

#include "app/coef_table.h"
#include "app/finite.h"
#include "ventparam/ventparam_formulas.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>

namespace ventparam {

namespace {

using app::finite;

/// Looks a table up only when the table file held it; otherwise records the key as missing.
bool available(const CoefTable& table, const char* key, ZetaResult& result) {
    if (table.empty()) {
        result.MissingTables.emplace_back(key);
        return false;
    }
    return true;
}

void rectangularBendWithVanes(const ZetaInput& in, const CoefTable& table, const char* key,
                              const ZetaTables& tables, ZetaResult& result) {
    result.VaneType = NearestVaneType(in.VaneNum, in.D, in.r);
    if (available(table, key, result)) {
        if (const auto rd = Divide(in.r, in.D)) {
            if (const auto z = finite(modPublic::Interpolate2D(table, *rd, result.VaneType))) {
                result.Zeta = *z;
            }
        }
    }
    // Below 60° the loss falls with the angle; at 60° and above the table value holds.
    if (in.theta < 60) {
        if (const auto z = finite(result.Zeta * in.theta / 90)) {
            result.Zeta = *z;
        }
    }
    // Below Re = 10^5 the Reynolds correction applies.
    if (in.Re < 1 && available(tables.TabA02_6, "TabA02_6", result)) {
        if (const auto z = finite(result.Zeta * modPublic::Interpolate1D(tables.TabA02_6, in.Re))) {
            result.Zeta = *z;
        }
    }
}

void roundBendWithVanes(const ZetaInput& in, const ZetaTables& tables, ZetaResult& result) {
    double kRe = 0;
    if (available(tables.TabA02_6, "TabA02_6", result)) {
        if (const auto k = finite(modPublic::Interpolate1D(tables.TabA02_6, in.Re))) {
            kRe = *k;
        }
    }
    const double lambda = RoughWallFrictionFactor(in.Delta, in.D).value_or(0);
    double c = 0;
    if (!in.EdgeChamfered) {
        c = in.VanePosition == 0 ? 0.23 : 0.15;
    } else if (in.VanePosition == 0) {
        c = 0.3;
    } else if (in.VanePosition == 1) {
        c = 0.23;
    } else if (in.VanePosition == 2) {
        c = 0.21;
    } else {
        return;
    }
    if (const auto z = finite(c * kRe + 1.28 * lambda)) {
        result.Zeta = *z;
    }
}

} // namespace

ZetaResult LocalLossCoefficient(const ZetaInput& in, const ZetaTables& tables) {
    ZetaResult result;
    switch (in.Type) {
    case kCircularBend:
        if (const auto dr = Divide(in.D, in.r)) {
            if (const auto z = finite((0.131 + 0.1623 * std::pow(*dr, 3.5)) * std::pow(in.theta / 90, 0.5))) {
                result.Zeta = *z;
            }
        }
        break;
    case kMitredElbow: {
        const double s = std::sin(0.5 * in.theta * kZetaPi / 180);
        if (const auto z = finite(0.946 * (s * s) + 2.05 * std::pow(s, 4))) {
            result.Zeta = *z;
        }
        break;
    }
    case kRectBendAirfoilVanes:
        rectangularBendWithVanes(in, tables.TabA02_3, "TabA02_3", tables, result);
        break;
    case kRectBendThinVanes:
        rectangularBendWithVanes(in, tables.TabA02_4, "TabA02_4", tables, result);
        break;
    case kRoundBendAirfoilVanes:
        roundBendWithVanes(in, tables, result);
        break;
    case kEntrance:
        result.Zeta = in.SharpEntrance ? 0.55 : 0.04;
        break;
    case kGrille:
        if (available(tables.TabA05_2, "TabA05_2", result)) {
            if (const auto z =
                    finite(modPublic::Interpolate2D(tables.TabA05_2, in.GrilleInlet ? 1 : 2, in.AreaRatio))) {
                result.Zeta = *z;
            }
        }
        break;
    case kWireScreen:
        if (available(tables.TabA05_3, "TabA05_3", result)) {
            if (const auto z = finite(modPublic::Interpolate1D(tables.TabA05_3, in.AreaRatio))) {
                result.Zeta = *z;
            }
        }
        break;
    default:
        break;
    }
    return result;
}

int NearestVaneType(double n, double D, double r) {
    // Each count is the factor times D, then divided by r: near a tie the order decides the last digit.
    // A candidate whose quotient cannot be formed is never assigned and keeps its starting 0.
    const std::optional<double> normal = Divide(2.13 * D, r);
    const std::optional<double> reduced = Divide(1.4 * D, r);
    const std::optional<double> minimum = Divide(0.9 * D, r);
    const double candidates[3] = {normal ? *normal - 1 : 0, reduced.value_or(0), minimum.value_or(0)};
    double distance = kVaneDistanceStart;
    int type = 0;
    for (int k = 0; k < 3; ++k) {
        const double d = std::fabs(n - candidates[k]);
        if (d < distance) {
            distance = d;
            type = k + 1;
        }
    }
    return type;
}

int PreselectRoundBendVanes(double n, double D, double t1) {
    const std::optional<double> normalCount = Divide(3 * D, t1);
    const double normal = normalCount ? *normalCount - 1 : 0;
    const double reduced = Divide(2 * D, t1).value_or(0);
    return std::fabs(n - reduced) > std::fabs(n - normal) ? 0 : 1;
}

std::optional<double> RoughWallFrictionFactor(double delta_mm, double D) {
    const std::optional<double> relative = Divide(0.001 * delta_mm, D);
    if (!relative || *relative <= 0) {
        return std::nullopt;
    }
    const double root = 1.1138 - 2 * std::log10(*relative);
    return Divide(1, root * root);
}

std::optional<double> EquivalentDiameter(double area, double perimeter) {
    return Divide(4 * area, perimeter);
}

double DuctFrictionFactor(double roughness_mm, double D) {
    if (roughness_mm > 0 && D > 0) {
        return RoughWallFrictionFactor(roughness_mm, D).value_or(kDuctFrictionDefault);
    }
    return kDuctFrictionDefault;
}

namespace {

/// Where the duct ends: the sum of its pieces' lengths [m].
double ductEnd(const std::vector<DuctPiece>& pieces) {
    double s = 0;
    for (const DuctPiece& piece : pieces) {
        s += piece.Length;
    }
    return s;
}

/// True at the duct's end, to the rounding of a sum of typed lengths.
bool atEnd(double x, double end) {
    return std::fabs(x - end) <= 1e-9 * std::max(1.0, std::fabs(end));
}

/// Area of piece i as a local loss in it sees it: its own, or a tapered piece's mean of its neighbours.
double areaOf(const std::vector<DuctPiece>& pieces, std::size_t i) {
    if (!pieces[i].Tapered) {
        return pieces[i].Area;
    }
    if (i > 0 && i + 1 < pieces.size()) {
        return (pieces[i - 1].Area + pieces[i + 1].Area) * 0.5;
    }
    return 0;
}

} // namespace

double DuctSpeedAt(const std::vector<DuctPiece>& pieces, double Q, double x) {
    double s = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (s <= x && x < s + pieces[i].Length) {
            return Divide(Q, areaOf(pieces, i)).value_or(0);
        }
        s += pieces[i].Length;
    }
    // The end of the duct is where the outlet's loss is typed: it belongs to the last piece.
    if (!pieces.empty() && atEnd(x, s)) {
        return Divide(Q, areaOf(pieces, pieces.size() - 1)).value_or(0);
    }
    return 0;
}

bool DuctOutside(const std::vector<DuctPiece>& pieces, double x) {
    const double end = ductEnd(pieces);
    return pieces.empty() || x < 0 || (x > end && !atEnd(x, end));
}

std::vector<int> DuctLossesOutside(const std::vector<DuctPiece>& pieces,
                                   const std::vector<double>& positions) {
    std::vector<int> rows;
    for (std::size_t j = 0; j < positions.size(); ++j) {
        if (DuctOutside(pieces, positions[j])) {
            rows.push_back(static_cast<int>(j) + 1);
        }
    }
    return rows;
}

std::string DuctOutsideNote(const std::vector<DuctPiece>& pieces, const std::vector<int>& rows) {
    if (rows.empty()) {
        return "";
    }
    std::string named;
    for (const int row : rows) {
        named += (named.empty() ? "第" : "、第") + std::to_string(row) + "行";
    }
    return "局部损失" + named + "的位置不在风道内(0至" + vb::Format(ductEnd(pieces), "0.00") +
           "m)，其损失未计入。";
}

double DuctPieceLoss(const std::vector<DuctPiece>& pieces, std::size_t index, double Q, double rho,
                     const DuctTables& tables) {
    if (index >= pieces.size()) {
        return 0;
    }
    const DuctPiece& piece = pieces[index];
    if (!piece.Tapered) {
        const std::optional<double> v = Divide(Q, piece.Area);
        if (!v || piece.Diameter == 0) {
            return 0;
        }
        const double lambda = DuctFrictionFactor(piece.Roughness, piece.Diameter);
        return finite(lambda * piece.Length * 0.5 * rho * (*v * *v) / piece.Diameter).value_or(0);
    }
    // A tapered piece takes its shape from both neighbours; without either its loss is not known.
    if (index == 0 || index + 1 >= pieces.size()) {
        return 0;
    }
    const DuctPiece& before = pieces[index - 1];
    const DuctPiece& after = pieces[index + 1];
    if (!before.StrictDiameter || !before.StrictArea || !after.StrictDiameter || !after.StrictArea) {
        return 0;
    }
    const std::optional<double> slope =
        Divide((*before.StrictDiameter - *after.StrictDiameter) * 0.5, piece.Length);
    const std::optional<double> ratio = Divide(*after.StrictArea, *before.StrictArea);
    const std::optional<double> v = Divide(Q, *after.StrictArea);
    if (!slope || !ratio || !v) {
        return 0;
    }
    const double theta = std::atan(*slope) * 180 / kZetaPi;
    double zeta = 0;
    if (theta >= 0) {
        zeta = modPublic::Interpolate1D(tables.TabA03_2, std::fabs(theta)) *
               modPublic::Interpolate1D(tables.TabA03_3, *ratio);
    } else {
        zeta = modPublic::Interpolate1D(tables.TabA03_1, std::fabs(theta)) * ((*ratio - 1) * (*ratio - 1));
    }
    return finite(zeta * 0.5 * rho * (*v * *v)).value_or(0);
}

double DuctPressureLoss(const std::vector<DuctPiece>& pieces, const std::vector<DuctLocalLoss>& losses,
                        double Q, double rho, const DuctTables& tables) {
    double sum = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        sum += DuctPieceLoss(pieces, i, Q, rho, tables);
    }
    for (const DuctLocalLoss& loss : losses) {
        const double v = DuctSpeedAt(pieces, Q, loss.Position);
        if (const auto dp = finite(loss.Zeta * 0.5 * rho * (v * v))) {
            sum += *dp;
        }
    }
    return sum;
}

EndLosses StretchEndLosses(bool entrance, bool exit) {
    if (entrance) {
        return {1, exit ? 1.6 : 0.6, 0, 0};
    }
    if (exit) {
        return {3, 0, 0, 0};
    }
    return {4, 0, 0, 0};
}

} // namespace ventparam
