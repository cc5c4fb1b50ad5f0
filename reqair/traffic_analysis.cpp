// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/traffic_analysis.h"

#include "platform/vb.h"
#include "app/coef_table.h"

#include <array>
#include <cmath>

namespace reqair {

TrafficAnalysisResult AnalyseTraffic(const TrafficAnalysisInput& in, const CoefTable& f_m,
                                     const CoefTable& f_m_VI) {
    TrafficAnalysisResult out;

    double s = 0;
    for (const VehicleClassInput& c : in.Classes) {
        s += c.Share * c.Conversion;
    }
    out.PCUVeh = vb::Format(s, "0.0000");

    const double pcuVeh = vb::Val(out.PCUVeh);
    const double t = in.Pcu / pcuVeh;
    if (pcuVeh == 0 || !std::isfinite(t)) {
        out.NoVehicleMix = true;
        out.Traffic1 = vb::CStr(0);
    } else {
        const double tRead = vb::Val(vb::Format(t, "0.00 "));
        const double traffic1 =
            in.TrafficTotal ? tRead * in.TrafficRatio * in.MainDirectionRatio : tRead * in.TrafficRatio;
        out.Traffic1 = vb::CStr(traffic1);
    }

    const double N = in.DesignHourFactor * vb::Val(out.Traffic1);
    out.DesignTraffic = N;
    out.NN = vb::CStr(N);

    const double e = in.Petrol ? in.PetrolFactor : 0.0;
    const double nn = vb::Val(out.NN);
    for (int k = 1; k <= kVehicleClasses; ++k) {
        const VehicleClassInput& c = in.Classes[static_cast<std::size_t>(k - 1)];
        VehicleClassCells& cells = out.Rows[static_cast<std::size_t>(k - 1)];
        cells.Vehicles = vb::Format(nn * c.Share, "0.00000");
        const double vehicles = vb::Val(cells.Vehicles);
        cells.Diesel = vb::Format(vehicles * c.DieselShare, "0.00000");
        cells.Petrol = vb::Format((1 - c.DieselShare) * vehicles, "0.00000");
        const double diesel = vb::Val(cells.Diesel);
        const double petrol = vb::Val(cells.Petrol);
        // Petrol vehicles are weighted by the class factor for CO, diesel vehicles by the class factor
        // for smoke.
        cells.EquivCO = vb::Format(petrol * modPublic::Interpolate1D(f_m, k) + diesel, "0.00000");
        cells.EquivVI = vb::Format(diesel * modPublic::Interpolate1D(f_m_VI, k) + petrol * e, "0.00000");
    }

    // Each column adds its classes in row order, as the list's sum row does.
    std::array<double, 8> sums{};
    for (int k = 0; k < kVehicleClasses; ++k) {
        const VehicleClassInput& c = in.Classes[static_cast<std::size_t>(k)];
        const VehicleClassCells& cells = out.Rows[static_cast<std::size_t>(k)];
        const std::array<double, 8> row = {c.Share,
                                           c.Conversion,
                                           vb::Val(cells.Vehicles),
                                           c.DieselShare,
                                           vb::Val(cells.Diesel),
                                           vb::Val(cells.Petrol),
                                           vb::Val(cells.EquivCO),
                                           vb::Val(cells.EquivVI)};
        for (std::size_t col = 0; col < row.size(); ++col) {
            sums[col] += row[col];
        }
    }
    for (std::size_t col = 0; col < sums.size(); ++col) {
        out.SumRow[col] = vb::Format(sums[col], "0.000");
    }
    out.nn_co = vb::Val(out.SumRow[6]);
    out.nn_vi = vb::Val(out.SumRow[7]);
    return out;
}

} // namespace reqair
