// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/scheme_curve.h"

#include "jetfan/CPressionCurve.h"
#include "jetfan/curve_inputs.h"

namespace shaft {

std::unique_ptr<CPressionCurve> ShownPressionCurve(const jetfan::CurvePointArray& press,
                                                   const jetfan::CurvePointArray& v,
                                                   const jetfan::CurvePointArray& c, bool drawPress,
                                                   bool drawV, bool drawC) {
    std::unique_ptr<CPressionCurve> curve = jetfan::NewPressionCurve(press, v, c);
    if (drawPress || drawV || drawC) {
        app::guarded([&] { curve->Draw(drawPress, drawV, drawC); });
    }
    return curve;
}

} // namespace shaft
