// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/CPressionCurve.h"

#include "platform/Cad.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

#include <cmath>

namespace cad = platform::cad;

CPressionCurve::CPressionCurve() = default;

void CPressionCurve::SetPressPointArray(const jetfan::CurvePointArray& a) {
    PressPointArray = a;
    iPressPointCount = static_cast<int>(a.size());
}

void CPressionCurve::SetVPointArray(const jetfan::CurvePointArray& a) {
    VPointArray = a;
}

void CPressionCurve::SetCPointArray(const jetfan::CurvePointArray& a) {
    CPointArray = a;
}

double CPressionCurve::GetPressureValue(double dPile) const {
    return jetfan::PressureAt(PressPointArray, dPile);
}

void CPressionCurve::Draw(bool bDrawPressCurve, bool bDrawVCurve, bool bDrawCCurve) {
    if (!bDrawPressCurve && !bDrawVCurve && !bDrawCCurve) {
        return;
    }
    AcadApp = cad::Application::Attach();
    if (AcadApp == nullptr) {
        platform::MsgBox("创建AutoCAD文档失败，请手动打开AutoCAD软件，并新建文档后，再试！",
                         platform::vbOKOnly, "创建AutoCAD文档出错");
        bIsCanDraw = false;
        return;
    }
    bIsCanDraw = true;
    AcadApp->setVisible(true);
    AcadDoc = &AcadApp->activeDocument();

    // Each chart stands on the one drawn before it, lifted by what either reaches beyond its usual extent,
    // so that negative values never run into the neighbouring chart; an air-speed or concentration chart
    // drawn first stands on a title at y 0.
    jetfan::ChartLayout lower;
    if (bDrawPressCurve) {
        drawChart(PressPointArray, jetfan::PressureChart(dValueScale, dValueStep), lower);
    }
    if (bDrawVCurve) {
        dValueScale = dVScale;
        dValueStep = 1;
        const jetfan::ChartStyle style = jetfan::VelocityChart(dValueScale);
        dBasePoint[1] = jetfan::NextChartOrigin(lower, reachBelow(VPointArray, style));
        drawChart(VPointArray, style, lower);
    }
    if (bDrawCCurve) {
        dValueScale = dCScale;
        dValueStep = 0.1;
        const jetfan::ChartStyle style = jetfan::ConcentrationChart(dValueScale);
        dBasePoint[1] = jetfan::NextChartOrigin(lower, reachBelow(CPointArray, style));
        drawChart(CPointArray, style, lower);
    }
}

jetfan::ChartSizes CPressionCurve::sizes() const {
    return {dArrowSize, dTextHeight, dPileStep};
}

double CPressionCurve::reachBelow(const jetfan::CurvePointArray& points,
                                  const jetfan::ChartStyle& style) const {
    const double below = jetfan::LayoutChart(points, dBasePoint[0], 0, style, sizes()).below;
    return std::isfinite(below) ? below : 0;
}

// A chart without points draws nothing and moves the next chart nowhere: an axis from the empty curve's
// start value of -1e9 would only push the drawing out of sight.
void CPressionCurve::drawChart(const jetfan::CurvePointArray& points, const jetfan::ChartStyle& style,
                               jetfan::ChartLayout& lower) {
    if (points.empty()) {
        return;
    }
    const jetfan::ChartLayout layout =
        jetfan::LayoutChart(points, dBasePoint[0], dBasePoint[1], style, sizes());
    for (const jetfan::ChartItem& item : layout.items) {
        if (item.kind == jetfan::ChartItem::Kind::Line) {
            AddLineToModel({item.x1, item.y1, 0}, {item.x2, item.y2, 0}, item.color);
        } else {
            AddTextToModel({item.x1, item.y1, 0}, item.text, item.color);
        }
    }
    // An axis of no finite length leaves the next chart where it would have been without this one.
    if (std::isfinite(layout.titleY)) {
        lower.titleY = layout.titleY;
        lower.above = std::isfinite(layout.above) ? layout.above : 0;
    }
}

void CPressionCurve::AddLineToModel(const cad::Point& p1, const cad::Point& p2, double color) {
    if (AcadDoc == nullptr) {
        return;
    }
    cad::EntityRef line = AcadDoc->modelSpace().AddLine(p1, p2);
    if (const std::optional<std::int32_t> index = vb::CLng(color)) {
        line.setColor(*index);
    }
}

void CPressionCurve::AddTextToModel(const cad::Point& p, const std::string& text, double color) {
    if (AcadDoc == nullptr) {
        return;
    }
    cad::EntityRef entity = AcadDoc->modelSpace().AddText(text, p, dTextHeight);
    if (const std::optional<std::int32_t> index = vb::CLng(color)) {
        entity.setColor(*index);
    }
}
