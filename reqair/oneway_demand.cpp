// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/oneway_demand.h"

#include "platform/vb.h"

namespace reqair {

OneWayResult CalculateOneWay(const OneWayInput& in, const EmissionTables& tables, const CoefTable& tableK) {
    OneWayResult out;
    const double delta = GetDelta(in.Concentrations, kCaseOneWay);
    int row = 0;
    for (const CalSegment& record : in.Segments) {
        ++row;
        SegmentDemandInput seg;
        seg.Segment = record;
        seg.Segment.Velocity = 0;
        if (in.dvt != kOwnSpeed) {
            seg.Segment.Speed = in.dvt;
        }
        seg.qco = in.qco;
        seg.qvi = in.qvi;
        seg.nnCO = in.nn_co;
        seg.nnVI = in.nn_vi;
        seg.dK = GetKK(in.Concentrations, tableK, seg.Segment.Speed, kCaseOneWay);
        seg.dDelta = delta;
        seg.dCOAir = in.COAir;
        seg.Site = in.Site;

        const SegmentDemand d = GetSegmentQreq(seg, tables);
        out.Segments.push_back(d);
        out.SCO += d.QQ_req_CO;
        out.SVI += d.QQ_req_VI;
        // The emission totals live in their boxes: the page rounds them at every addition.
        out.QQ_CO = vb::Format(vb::Val(out.QQ_CO) + d.QQ_CO, "0.0000");
        out.QQ_VI = vb::Format(vb::Val(out.QQ_VI) + d.QQ_VI, "0.0000");
        if (d.COFailed || d.VIFailed) {
            out.FailedRows.push_back(row);
        }
        if (row == in.iSegmentIndex) {
            out.Detail = OneWaySegmentTexts{
                vb::Format(d.fd, "0.00"),          vb::Format(d.fiv, "0.00"),
                vb::Format(d.fiv_VI, "0.00"),      vb::Format(d.QQ_CO, "0.0000"),
                vb::Format(d.QQ_VI, "0.0000"),     vb::Format(d.QQ_req_CO, "0.0000"),
                vb::Format(d.QQ_req_VI, "0.0000"),
            };
        }
        out.Last = d;
    }
    out.QQ_req_CO = vb::Format(out.SCO, "0.000");
    out.QQ_req_VI = vb::Format(out.SVI, "0.000");
    return out;
}

} // namespace reqair
