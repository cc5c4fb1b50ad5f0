// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

class frmReq;
class frmVentParam;

/// The section air demand of the shaft schemes: the fresh-air demand of the inlet section, the outlet
/// section and (where the scheme has one) the short passage between the shaft's openings, under the case
/// chosen in step 2, the air-change demand governing where step 2 allows it and it is larger.
namespace shaft {

/// The demands [m³/s].
struct SectionDemand {
    double Inlet = 0;
    double Outlet = 0;
    double Passage = 0;
};

/// The stretches of the two sections, each with its lower station first: on the right line the inlet runs
/// from the start station to the shaft, on the left line from the shaft to the end station.
struct SectionStretches {
    double InletStart = 0, InletEnd = 0;
    double OutletStart = 0, OutletEnd = 0;
};
SectionStretches StretchesOf(double startPile, double tunnelLength, double shaftPile, bool leftLine);

/// Asks the main window for the demands of the stretches around the shaft station `shaftPile`; `ds` is
/// the length of the short passage centred on the shaft, nullopt for a scheme without one (its demand is
/// then left as `previous` holds it). Refreshes the main window's air-change boxes. A step that fails
/// leaves its demand as `previous` holds it.
SectionDemand ComputeSectionDemand(frmReq& req, frmVentParam& step2, double shaftPile,
                                   std::optional<double> ds, const SectionDemand& previous);

} // namespace shaft
