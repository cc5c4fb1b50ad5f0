// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/lamp_photometry.h"
#include "lighting/point_lighting.h"

#include <memory>

#include <array>
#include <string>
#include <vector>

/// The lamp photometry of the shared module under the names the lighting calculation calls. Window side:
/// the lamp's circuit is looked up by name in step 2's circuit list, and its model's intensity table is
/// read from ConfigFiles\Icr.txt into modPublic::LampIntensityTable at every call.
namespace modPublic {

using LampPoint = lighting::LampPoint;

/// Intensity [cd/klm] of the lamp towards the point P (x, y; its height is not read). The first circuit
/// row of step 2 whose name equals the lamp's gives the geometry; Phi, M and gamma receive its flux [lm],
/// maintenance factor and the angle γ [°]. Without such a row the result is 0 and the outputs are left
/// alone. A model without a whole table in the intensity file gives 0, empties LampIntensityTable and is
/// recorded in MissingLampModels(), so that the calculation can name it instead of showing its zeros.
double GetLampIntensity(const LampPoint& lamp, const std::array<double, 3>& P, double& Phi, double& M,
                        double& gamma);

/// Horizontal illuminance [lx] at P from the lamp.
double GetPointIlluminance(const LampPoint& lamp, const std::array<double, 3>& P);

/// Road luminance [cd/m²] at P from the lamp, seen from the observer O; reads RoadLuminanceTable, which
/// the caller loads first.
double GetPointLuminance(const LampPoint& lamp, const std::array<double, 3>& P,
                         const std::array<double, 3>& O);

/// The lamps of one calculation ready for the sum over lamps, with the circuits and tables they point to.
struct PreparedLamps {
    std::vector<std::unique_ptr<lighting::LampSource>> Sources;
    std::vector<lighting::PlacedLamp> Lamps;
};

/// Reads what the lamps need once for a whole calculation: each lamp's circuit is the first circuit row
/// of step 2 with its name (none: the lamp gives no light), and each model's table is read from the
/// intensity file once. A model without a whole table is recorded in MissingLampModels(), in the order
/// of the lamps. The values the sum gives are those of GetPointIlluminance and GetPointLuminance.
PreparedLamps PrepareLamps(const std::vector<LampPoint>& lamps);

/// The lamp models asked for since the last ClearMissingLampModels() that have no table, each once, in
/// the order they were first met.
const std::vector<std::string>& MissingLampModels();
void ClearMissingLampModels();

} // namespace modPublic
