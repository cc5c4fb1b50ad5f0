// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/guarded.h"
#include "jetfan/curve_layout.h"

#include <memory>
#include <optional>

class CPressionCurve;

/// What the curve buttons of the shaft schemes do alike with their curves: build them without letting a
/// failure reach the window, and hand them to a new plotter.
namespace shaft {

/// The curves `build` returns, or nothing where it failed (a division by zero or missing section data).
template <class Build> auto GuardedCurves(const Build& build) -> std::optional<decltype(build())> {
    std::optional<decltype(build())> curves;
    app::guarded([&] { curves = build(); });
    return curves;
}

/// A new plotter holding the three curves of one build; it draws at once those asked for, if any.
std::unique_ptr<CPressionCurve> ShownPressionCurve(const jetfan::CurvePointArray& press,
                                                   const jetfan::CurvePointArray& v,
                                                   const jetfan::CurvePointArray& c, bool drawPress,
                                                   bool drawV, bool drawC);

} // namespace shaft
