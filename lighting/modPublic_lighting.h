// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/lamp_photometry.h"

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

/// The lamp models asked for since the last ClearMissingLampModels() that have no table, each once, in
/// the order they were first met.
const std::vector<std::string>& MissingLampModels();
void ClearMissingLampModels();

} // namespace modPublic
