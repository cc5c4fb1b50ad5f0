// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"

#include <array>
#include <string>

namespace platform::cad {
class Application;
class Document;
struct Point;
} // namespace platform::cad

/// The curve plotter of the scheme windows: it holds the static-pressure, air-speed and concentration
/// curves of one build, draws them as three charts stacked upwards into the drawing, and answers the
/// pressure at a station. Every build uses a new plotter.
class CPressionCurve {
public:
    CPressionCurve();

    /// True once the drawing was reached, False when it could not be reached; set by Draw only.
    bool bIsCanDraw = false;

    /// Draws the chosen charts (pressure, air speed, concentration, in that order, each 100 above the
    /// value-axis title of the one before, and further up by what either chart reaches past its title or
    /// below its station labels) into the active drawing. All three False: nothing is touched.
    void Draw(bool bDrawPressCurve = true, bool bDrawVCurve = true, bool bDrawCCurve = true);

    /// Each setter replaces its curve by a copy of the argument.
    void SetPressPointArray(const jetfan::CurvePointArray& a);
    void SetVPointArray(const jetfan::CurvePointArray& a);
    void SetCPointArray(const jetfan::CurvePointArray& a);

    /// Static pressure at the station [Pa]; jetfan::kNoPressure (10000000) where the curve does not reach.
    double GetPressureValue(double dPile) const;

    const jetfan::CurvePointArray& pressPoints() const { return PressPointArray; }
    const jetfan::CurvePointArray& vPoints() const { return VPointArray; }
    const jetfan::CurvePointArray& cPoints() const { return CPointArray; }

private:
    /// Draws one chart at dBasePoint; `lower` takes its title's y and what it reaches above the title,
    /// for the chart stacked on it.
    void drawChart(const jetfan::CurvePointArray& points, const jetfan::ChartStyle& style,
                   jetfan::ChartLayout& lower);
    /// How far the chart of these points reaches below its station labels (0 for values not negative).
    double reachBelow(const jetfan::CurvePointArray& points, const jetfan::ChartStyle& style) const;
    jetfan::ChartSizes sizes() const;
    void AddLineToModel(const platform::cad::Point& p1, const platform::cad::Point& p2, double color);
    void AddTextToModel(const platform::cad::Point& p, const std::string& text, double color);

    jetfan::CurvePointArray PressPointArray;
    jetfan::CurvePointArray VPointArray;
    jetfan::CurvePointArray CPointArray;
    std::array<double, 3> dBasePoint{0, 0, 0};
    int iPressPointCount = 0;
    double dArrowSize = 20;
    double dValueScale = 5;
    double dTextHeight = 20;
    double dValueStep = 50;
    double dPileStep = 100;
    double dVScale = 100;
    double dCScale = 1000;
    platform::cad::Document* AcadDoc = nullptr;
    platform::cad::Application* AcadApp = nullptr;
};
