// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/twoway_demand.h"

#include "platform/vb.h"

#include <cmath>

namespace reqair {

TwoWayResult CalculateTwoWay(const TwoWayInput& in, const EmissionTables& tables, const CoefTable& tableK) {
    TwoWayResult out;

    double aco = 0;
    double avi = 0;
    double an = 0;
    for (std::size_t j = 0; j < in.Classes.size(); ++j) {
        if (in.AllowedClasses[j]) {
            aco += in.Classes[j].EquivCO;
            avi += in.Classes[j].EquivVI;
            an += in.Classes[j].Vehicles;
        }
    }
    // A directional factor of 0 or less has no meaning; the allowed traffic then counts nothing rather
    // than being used undivided.
    const double ratio = in.MainDirectionRatio;
    if (ratio > 0 && std::isfinite(ratio)) {
        aco /= ratio;
        avi /= ratio;
        an /= ratio;
    } else {
        aco = avi = an = 0;
        out.BadDirectionRatio = in.Method == TwoWayMethod::AllowedClasses;
    }

    if (in.Method == TwoWayMethod::ControlTraffic) {
        out.nnCO = in.BiDirectionFactor * in.nn_co;
        out.nnVI = in.BiDirectionFactor * in.nn_vi;
    } else {
        out.nnCO = aco;
        out.nnVI = avi;
    }

    const double delta = GetDelta(in.Concentrations, kCaseTwoWay);
    const double kk = GetKK(in.Concentrations, tableK, in.Speed, kCaseTwoWay);
    const double upRatio = GetUpRatio();
    int row = 0;
    for (const CalSegment& record : in.Segments) {
        ++row;
        SegmentDemandInput seg;
        seg.Segment = record;
        seg.Segment.Speed = in.Speed;
        seg.Segment.Velocity = 0;
        seg.qco = in.qco;
        seg.qvi = in.qvi;
        seg.nnCO = out.nnCO;
        seg.nnVI = out.nnVI;
        seg.dK = kk;
        seg.dDelta = delta;
        seg.dCOAir = in.COAir;
        seg.dUpRatio = upRatio;
        seg.Site = in.Site;

        const SegmentDemand d = GetSegmentQreqBidirectional(seg, tables);
        out.Segments.push_back(d);
        out.SCO += d.QQ_req_CO;
        out.SVI += d.QQ_req_VI;
        if (d.COFailed || d.VIFailed) {
            out.FailedRows.push_back(row);
        }
        if (row == in.iSegmentIndex) {
            out.SegmentQQ_req_CO = vb::Format(d.QQ_req_CO, "0.00");
            out.SegmentQQ_req_VI = vb::Format(d.QQ_req_VI, "0.00");
        }
        out.Last = d;
    }
    out.QQ_req_CO = vb::Format(out.SCO, "0.00");
    out.QQ_req_VI = vb::Format(out.SVI, "0.00");
    if (in.Method == TwoWayMethod::AllowedClasses) {
        out.NN_bidirection = vb::Format(an, "0.00");
    }
    return out;
}

} // namespace reqair
