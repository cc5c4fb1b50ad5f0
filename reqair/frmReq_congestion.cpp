// SPDX-License-Identifier: GPL-3.0-or-later
// Congestion demand of page 6 (full length and the 1 km window) and the required air of a stretch, which
// the page's window search and the scheme windows ask for.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/vb.h"
#include "reqair/congestion_demand.h"
#include "reqair/design_concentration.h"
#include "reqair/frmReq_inputs.h"
#include "reqair/segment_demand.h"
#include "reqair/segments.h"
#include "reqair/stretch_demand.h"

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using app::guarded;
using reqair::window::emissionTables;
using reqair::window::siteFactors;

namespace {

// Two-way traffic of the page-5 method: a share of the one-way traffic, or the allowed vehicle classes.
void twoWayTraffic(frmReq& w, reqair::StretchDemandInput& in) {
    if (w.optBiDirectionMethod1.Value()) {
        const double k = vb::Val(w.txtBiDirection.Text());
        in.nnCOBi = k * w.nn_co;
        in.nnVIBi = k * w.nn_vi;
        return;
    }
    std::array<bool, reqair::kVehicleClasses> allowed{};
    std::array<reqair::ClassTraffic, reqair::kVehicleClasses> classes{};
    for (int c = 0; c < reqair::kVehicleClasses; ++c) {
        const auto k = static_cast<std::size_t>(c);
        allowed[k] = c < w.lstAllowVechileType.ListCount() && w.lstAllowVechileType.Selected(c);
        if (c + 1 <= w.lstTrafficAnalysis.ListItems.Count()) {
            platform::ListItem& row = w.lstTrafficAnalysis.ListItems(c + 1);
            classes[k].EquivCO = vb::Val(row.SubItems(7));
            classes[k].EquivVI = vb::Val(row.SubItems(8));
        }
    }
    const reqair::AllowedTraffic t =
        reqair::AllowedClassTraffic(allowed, classes, vb::Val(w.txtMainDirectionRatio.Text()));
    in.nnCOBi = t.CO;
    in.nnVIBi = t.VI;
}

// What every traffic case reads from the pages, read anew on each call.
// The segments are left out: the caller lends them (see lendSegments).
reqair::StretchDemandInput stretchInput(frmReq& w, int iCaseID, double dsp, double dep,
                                        const reqair::DesignConcentrationInput& concentrations) {
    reqair::StretchDemandInput in;
    in.iCaseID = iCaseID;
    in.dsp = dsp;
    in.dep = dep;
    in.qco = vb::Val(w.txtq_co_at_Year.Text());
    in.qvi = vb::Val(w.txtq_VI_at_Year.Text());
    in.COAir = vb::Val(w.txtCO_in_Air.Text());
    in.nnCO = w.nn_co;
    in.nnVI = w.nn_vi;
    if (iCaseID == reqair::kCaseTwoWay) {
        twoWayTraffic(w, in);
    }
    in.Site = siteFactors(w);
    in.Concentrations = concentrations;
    return in;
}

// The demand of the segments just cut, which stay the window's segments afterwards: they are lent to the
// engine rather than copied, and given back whatever happens.
reqair::StretchDemand lendSegments(frmReq& w, reqair::StretchDemandInput& in,
                                   reqair::SegmentDemandMemo* memo) {
    in.Segments = std::move(w.CalSegments.items);
    struct GiveBack {
        frmReq& w;
        reqair::StretchDemandInput& in;
        ~GiveBack() { w.CalSegments.items = std::move(in.Segments); }
    } giveBack{w, in};
    return reqair::GetStretchDemand(in, emissionTables(), modPublic::CoefTableOf("K"), memo);
}

// Which gases had a segment whose demand could not be computed and counts 0.
struct Failures {
    bool CO = false;
    bool VI = false;
};

Failures failuresOf(const std::vector<reqair::SegmentDemand>& segments) {
    Failures f;
    for (const reqair::SegmentDemand& s : segments) {
        f.CO = f.CO || s.COFailed;
        f.VI = f.VI || s.VIFailed;
    }
    return f;
}

// What counts 0 and why; empty when every segment could be computed.
std::string failureText(Failures f) {
    std::string text;
    if (f.CO) {
        text = "δ、气压、气温或新风CO浓度不可用, CO需风量按0计";
    }
    if (f.VI) {
        text += (text.empty() ? "" : "; ") + std::string("K不可用, 烟雾需风量按0计");
    }
    return text;
}

// Names the full-length and the 1 km demand that count 0, the two together when the cause is the same.
std::string congestionWarning(Failures fullLength, Failures oneKm) {
    const std::string a = failureText(fullLength);
    const std::string b = failureText(oneKm);
    if (a.empty() && b.empty()) {
        return {};
    }
    if (a == b) {
        return "全程及1km阻滞: " + a + ".";
    }
    std::string text = a.empty() ? "" : "全程阻滞: " + a + ".";
    if (!b.empty()) {
        text += (text.empty() ? "" : " ") + std::string("1km阻滞: ") + b + ".";
    }
    return text;
}

} // namespace

double frmReq::GetSectionQreq(double& dsp, double& dep, vb::Integer iCaseID, double* dSectionQco,
                              double* dSectionQvi) {
    sectionCOFailed_ = false;
    sectionVIFailed_ = false;
    if (iCaseID == reqair::kCaseOneKmCongestion) {
        // The window boxes are taken as they stand; the caller's stations are ordered and cut to them.
        const reqair::WindowClip clip = reqair::ClipToWindow(dsp, dep, vb::Val(txtBlockStartPile.Text()),
                                                             vb::Val(txtBlockEndPile.Text()));
        dsp = clip.dsp;
        dep = clip.dep;
        if (!clip.Overlaps) {
            return 0;
        }
    }
    double tunnelStart = reqair::kTunnelEnd;
    double tunnelEnd = reqair::kTunnelEnd;
    BuildSegments({dsp, dep}, iCaseID, tunnelStart, tunnelEnd, 0, false);

    double co = dSectionQco != nullptr ? *dSectionQco : 0;
    double vi = dSectionQvi != nullptr ? *dSectionQvi : 0;
    reqair::StretchDemand d;
    guarded([&] {
        if (listHolds_ > 0 && !heldDemands_) {
            heldDemands_ = std::make_unique<reqair::SegmentDemandMemo>();
        }
        reqair::StretchDemandInput in = stretchInput(*this, iCaseID, dsp, dep, concentrationInput());
        d = lendSegments(*this, in, listHolds_ > 0 ? heldDemands_.get() : nullptr);
    });
    const Failures failed = failuresOf(d.Segments);
    sectionCOFailed_ = failed.CO;
    sectionVIFailed_ = failed.VI;
    if (!d.Segments.empty()) {
        QQ_req_CO = d.Segments.back().QQ_req_CO;
        QQ_req_VI = d.Segments.back().QQ_req_VI;
    }
    co += d.QreqCO;
    vi += d.QreqVI;
    if (dSectionQco != nullptr) {
        *dSectionQco = co;
    }
    if (dSectionQvi != nullptr) {
        *dSectionQvi = vi;
    }
    return reqair::GoverningDemand(d.SumCO, d.SumVI, co, vi);
}

double frmReq::GetSectionQreq(const double& dsp, const double& dep, vb::Integer iCaseID, double* dSectionQco,
                              double* dSectionQvi) {
    double sp = dsp;
    double ep = dep;
    return GetSectionQreq(sp, ep, iCaseID, dSectionQco, dSectionQvi);
}

double frmReq::GetExchangeSectionQreq(double dsp, double dep) {
    double tunnelStart = reqair::kTunnelEnd;
    double tunnelEnd = reqair::kTunnelEnd;
    BuildSegments({dsp, dep}, reqair::kCaseOneWay, tunnelStart, tunnelEnd, 0, false);
    return reqair::ExchangeDemand(CalSegments.items, dsp, dep, vb::Val(txtExchangeNum.Text()));
}

void frmReq::cmdCalculateQQ_block_Click() {
    // Every candidate window of the search cuts the whole tunnel again, from lists that stay as they are.
    const HoldLists hold(*this);
    // The 1 km window it finds is written into boxes the engineer may also type into.
    const HoldRecompute quiet(*this);
    keepTotalsStamp();
    Failures fullLength;
    Failures oneKm;
    // Full-length congestion: every segment at the speed of its block.
    guarded([&] {
        double tunnelStart = reqair::kTunnelEnd;
        double tunnelEnd = reqair::kTunnelEnd;
        BuildSegments({}, reqair::kCaseCongestion, tunnelStart, tunnelEnd, 0, false);

        const int rows = lstBlock.ListItems.Count();
        std::vector<double> lengths;
        lengths.reserve(static_cast<std::size_t>(rows));
        for (int j = 1; j <= rows; ++j) {
            platform::ListItem& row = lstBlock.ListItems(j);
            row.setSubItems(2, "0");
            row.setSubItems(3, "0");
            lengths.push_back(vb::Val(row.Text()));
        }
        BlockPiles.items = reqair::BlockBoundaries(vb::Val(txtStartPile.Text()), lengths);

        reqair::StretchDemandInput in =
            stretchInput(*this, reqair::kCaseCongestion, tunnelStart, tunnelEnd, concentrationInput());
        const reqair::StretchDemand d = lendSegments(*this, in, nullptr);
        if (!d.Segments.empty()) {
            QQ_req_CO = d.Segments.back().QQ_req_CO;
            QQ_req_VI = d.Segments.back().QQ_req_VI;
        }
        // Every block's segments are among them.
        fullLength = failuresOf(d.Segments);
        const reqair::BlockDemand blocks =
            reqair::SumBlockDemand(CalSegments.items, d.Segments, BlockPiles.items);
        for (int j = 1; j <= rows && static_cast<std::size_t>(j) <= blocks.BlockCO.size(); ++j) {
            platform::ListItem& row = lstBlock.ListItems(j);
            row.setSubItems(2, blocks.BlockCO[static_cast<std::size_t>(j - 1)]);
            row.setSubItems(3, blocks.BlockVI[static_cast<std::size_t>(j - 1)]);
        }
        txtQQ_req_CO_block.set(blocks.QQ_req_CO);
        txtQQ_req_VI_block.set(blocks.QQ_req_VI);
    });

    if (chkBlock.Value() == 1) {
        guarded([&] {
            // The tunnel is cut once for the whole search, from the pages as a candidate's own cut reads
            // them; each candidate splits at most two of its segments.
            double tunnelStart = reqair::kTunnelEnd;
            double tunnelEnd = reqair::kTunnelEnd;
            BuildSegments({}, reqair::kCaseOneKmCongestion, tunnelStart, tunnelEnd, 0, false);
            const reqair::OneKmWindowDemand demand(segmentLists(),
                                                   stretchInput(*this, reqair::kCaseOneKmCongestion,
                                                                tunnelStart, tunnelEnd, concentrationInput()),
                                                   emissionTables(), modPublic::CoefTableOf("K"));
            const reqair::CongestionWindow window = reqair::SearchCongestionWindow(
                vb::Val(txtStartPile.Text()), GetTunnelLength(), [&](double s, double e) {
                    // The window boxes carry the final window to every later 1 km calculation as text: a
                    // candidate is the window its boxes would give back.
                    const reqair::WindowClip clip =
                        reqair::ClipToWindow(s, e, vb::Val(vb::CStr(s)), vb::Val(vb::CStr(e)));
                    if (!clip.Overlaps) {
                        return 0.0;
                    }
                    const reqair::OneKmWindowDemand::Result r = demand(clip.dsp, clip.dep);
                    // A gas that counts 0 also steers the search, so the window found is affected too.
                    oneKm.CO = oneKm.CO || r.COFailed;
                    oneKm.VI = oneKm.VI || r.VIFailed;
                    return r.Governing;
                });
            txtBlockStartPile.set(vb::CStr(window.Start));
            txtBlockEndPile.set(vb::CStr(window.End));
        });
    }

    guarded([&] {
        double co = 0;
        double vi = 0;
        const double ws = vb::Val(txtBlockStartPile.Text());
        const double we = vb::Val(txtBlockEndPile.Text());
        GetSectionQreq(ws, we, reqair::kCaseOneKmCongestion, &co, &vi);
        oneKm.CO = oneKm.CO || sectionCOFailed_;
        oneKm.VI = oneKm.VI || sectionVIFailed_;
        txtQQ_req_CO_1kmblock.set(vb::Format(co, "0.0"));
        txtQQ_req_VI_1kmblock.set(vb::Format(vi, "0.0"));
    });

    congestionFailures_ = congestionWarning(fullLength, oneKm);
    showPage6Warning();
    ShowSectionQreq(reqair::kCaseCongestion);
    showBlockEditorDemand();
}

void frmReq::showBlockEditorDemand() {
    // A figure beside the editor's length and speed must be that row's: a row gone, or never there, shows
    // none rather than the demand of another block.
    if (blockEditorRow_ < 1 || blockEditorRow_ > lstBlock.ListItems.Count()) {
        blockEditorRow_ = 0;
        txtQQreq_CO_block.set("");
        txtQQreq_VI_block.set("");
        return;
    }
    platform::ListItem& row = lstBlock.ListItems(blockEditorRow_);
    txtQQreq_CO_block.set(row.SubItems(2));
    txtQQreq_VI_block.set(row.SubItems(3));
}

void frmReq::blockEditorRowRemoved(int removed) {
    if (removed < 1 || blockEditorRow_ < 1) {
        return;
    }
    // The editor keeps the deleted row's length and speed as a draft of a row that no longer exists.
    if (removed == blockEditorRow_) {
        blockEditorRow_ = 0;
    } else if (removed < blockEditorRow_) {
        --blockEditorRow_;
    }
}

void frmReq::showPage6Warning() {
    guarded([&] {
        // Blocks that do not fit the tunnel are named first: their demand is not the jam the list shows.
        const std::string fit = reqair::BlockFitWarning(GetTunnelLength(), segmentLists().Blocks);
        const std::string text =
            fit + (fit.empty() || congestionFailures_.empty() ? "" : " ") + congestionFailures_;
        lblWarning6.setCaption(text);
        // The label has room for a few lines only; the whole text is always at hand under the mouse.
        lblWarning6.setToolTipText(text);
        lblWarning6.setVisible(!text.empty());
    });
}
