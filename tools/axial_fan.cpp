// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/axial_fan.h"

#include "app/finite.h"
#include "ventparam/loss_coefficients.h"
#include "ventparam/ventparam_formulas.h"

#include "platform/vb.h"

#include <cctype>
#include <cmath>
#include <string>

namespace tools {

namespace {

using app::finite;

// The duct as the shared loss engine sees it. A tapered row's end sections come from straight rows only,
// so a tapered neighbour offers no numbers to it.
std::vector<ventparam::DuctPiece> ductPieces(const std::vector<AxialDuctRow>& rows) {
    std::vector<ventparam::DuctPiece> pieces;
    pieces.reserve(rows.size());
    for (const AxialDuctRow& row : rows) {
        ventparam::DuctPiece piece;
        piece.Length = row.Length;
        piece.Tapered = row.Tapered;
        piece.Area = row.Area;
        piece.Diameter = row.Diameter;
        if (!row.Tapered) {
            piece.StrictArea = row.StrictArea;
            piece.StrictDiameter = row.StrictDiameter;
        }
        pieces.push_back(piece);
    }
    return pieces;
}

} // namespace

bool HasLeadingNumber(std::string_view text) {
    std::string clean;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            clean.push_back(c);
        }
    }
    std::size_t i = 0;
    if (i < clean.size() && (clean[i] == '+' || clean[i] == '-')) {
        ++i;
    }
    const auto digit = [&clean](std::size_t at) {
        return at < clean.size() && std::isdigit(static_cast<unsigned char>(clean[at])) != 0;
    };
    return digit(i) || (i < clean.size() && clean[i] == '.' && digit(i + 1));
}

std::optional<double> AxialLambdaFromRoughness(double delta_mm, double D) {
    const std::optional<double> lambda = ventparam::RoughWallFrictionFactor(delta_mm, D);
    if (!lambda) {
        return std::nullopt;
    }
    return vb::Val(vb::Format(*lambda, "0.000"));
}

double AxialPieceLoss(const std::vector<AxialDuctRow>& rows, std::size_t index, double Q, double rho,
                      const AxialFanTables& tables) {
    if (index >= rows.size()) {
        return 0;
    }
    const AxialDuctRow& row = rows[index];
    if (row.Tapered) {
        return ventparam::DuctPieceLoss(ductPieces(rows), index, Q, rho, tables);
    }
    const std::optional<double> v = ventparam::Divide(Q, row.Area);
    if (!v) {
        return 0;
    }
    return ventparam::Divide(row.Lambda * row.Length * 0.5 * rho * (*v * *v), row.Diameter).value_or(0);
}

double AbruptChangeLoss(double A1, double A2, double Q, double rho, const AxialFanTables& tables) {
    const std::optional<double> v1 = ventparam::Divide(Q, A1);
    const std::optional<double> v2 = ventparam::Divide(Q, A2);
    if (!v1 || !v2) {
        return 0;
    }
    if (A1 >= A2) {
        const auto ratio = ventparam::Divide(*v1, *v2);
        if (!ratio) {
            return 0;
        }
        const double zeta = modPublic::Interpolate1D(tables.TabA03_1A, *ratio);
        return finite(zeta * 0.5 * rho * (*v2 * *v2)).value_or(0);
    }
    const auto ratio = ventparam::Divide(*v2, *v1);
    if (!ratio) {
        return 0;
    }
    const double zeta = modPublic::Interpolate1D(tables.TabA03_1B, *ratio);
    return finite(zeta * 0.5 * rho * (*v1 * *v1)).value_or(0);
}

double AxialSpeedAtPosition(const std::vector<AxialDuctRow>& rows, double Q, double x) {
    return ventparam::DuctSpeedAt(ductPieces(rows), Q, x);
}

std::vector<int> AxialLossesOutsideDuct(const std::vector<AxialDuctRow>& rows,
                                        const std::vector<AxialLocalLoss>& losses) {
    std::vector<double> positions;
    positions.reserve(losses.size());
    for (const AxialLocalLoss& loss : losses) {
        positions.push_back(loss.Position);
    }
    return ventparam::DuctLossesOutside(ductPieces(rows), positions);
}

std::string AxialOutsideDuctNote(const std::vector<AxialDuctRow>& rows, const std::vector<int>& outside) {
    return ventparam::DuctOutsideNote(ductPieces(rows), outside);
}

double AxialDuctLoss(const std::vector<AxialDuctRow>& rows, const std::vector<AxialLocalLoss>& losses,
                     double Q, double rho, const AxialFanTables& tables) {
    double p_d = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        p_d += AxialPieceLoss(rows, i, Q, rho, tables);
    }
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (!rows[i].Tapered && !rows[i + 1].Tapered) {
            p_d += AbruptChangeLoss(rows[i].Area, rows[i + 1].Area, Q, rho, tables);
        }
    }
    for (const AxialLocalLoss& loss : losses) {
        const double v = AxialSpeedAtPosition(rows, Q, loss.Position);
        p_d += finite(loss.Zeta * 0.5 * rho * (v * v)).value_or(0);
    }
    return p_d;
}

std::optional<double> AxialDesignPressure(double v_o, double rho, double p_d, double p_s, double Disc,
                                          bool supply) {
    const double rise = supply ? p_s : -p_s;
    return ventparam::Divide((v_o * v_o * rho * 0.5 + p_d + rise) * 1.1, Disc);
}

std::optional<double> AxialShaftPower(double Q, double N, double p_tot, double t, double P, double eta) {
    const auto perFan = ventparam::Divide(Q, N);
    if (!perFan) {
        return std::nullopt;
    }
    return ventparam::Divide(*perFan * p_tot * 293 * P, 1000 * eta * t * 101.325);
}

std::optional<double> AxialMotorPower(double Skw, double k, double eta_m) {
    return ventparam::Divide(Skw * k, eta_m);
}

} // namespace tools
