// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_curve.h"

#include <functional>
#include <memory>
#include <vector>

class CPressionCurve;

namespace platform {
class ListView;
}

/// What the curve buttons of the jet-fan and shaft schemes read alike from their windows, the main window
/// and step 2, and the plotter they hand their curves to.
namespace jetfan {

/// The fan groups of a group list (station in the row text, rise of the group in its second cell), in
/// list order. False, after an "出错！" box that says why, when the list has no group or a group lies
/// outside the tunnel.
bool ReadCurveGroups(platform::ListView& lstJet, std::vector<PressureStep>& groups);

/// Step 2's local losses in list order: station and ζ.
std::vector<LocalLossAt> StepTwoLocalLosses();

/// The end station of every cross-section row of the main window, in list order.
std::vector<double> SectionEndStations();

/// The main window's stretch friction as every walk asks it: section type kWalkSectionType with the walk's
/// end losses.
StretchFriction WalkFriction();

/// The main window's tunnel cross-section area at a station [m²].
std::function<double(double)> TunnelArea();

/// Says that a scheme's curve could not be computed (a division by zero or missing section data).
void SayCurveNotComputed();

/// A new plotter holding the three curves of one build.
std::unique_ptr<CPressionCurve> NewPressionCurve(const CurvePointArray& press, const CurvePointArray& v,
                                                 const CurvePointArray& c);

} // namespace jetfan
