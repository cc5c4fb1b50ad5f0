// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's station lookups, stretch resistance and traffic piston force. Every call reads the
// page-2, traffic and congestion lists as they stand now: their parsed rows are kept only while no row
// has changed since.
#include "app/frmReq.h"

#include "reqair/design_concentration.h"
#include "ventparam/resistance.h"
#include "ventparam/station_lookup.h"
#include "ventparam/traffic_force.h"

#include <array>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A failing call gives the neutral value; nothing reaches the event loop.
template <typename F> double guardedValue(F&& step) {
    try {
        return step();
    } catch (...) {
        return 0.0;
    }
}

ventparam::AllowedClasses allowedClasses(frmReq& w) {
    ventparam::AllowedClasses allowed{};
    for (int j = 0; j < reqair::kVehicleClasses; ++j) {
        allowed[static_cast<std::size_t>(j)] =
            j < w.lstAllowVechileType.ListCount() && w.lstAllowVechileType.Selected(j);
    }
    return allowed;
}

} // namespace

// Stations are read by their leading number; the column values strictly, so that a cell that is not a
// number counts as missing rather than as 0.
const ventparam::IndexedStations& frmReq::stationLists() {
    const double startPile = vb::Val(txtStartPile.Text());
    const std::array<unsigned long long, 3> revisions{lstSection.Revision(), lstSlope.Revision(),
                                                      lstBlock.Revision()};
    // The reading is kept until a row of one of the lists changes, so that a scheme window that looks up
    // every station of a long tunnel parses the lists once, with or without a hold.
    if (!heldStations_ || heldStations_->Lists.StartPile != startPile || heldRevisions_ != revisions) {
        heldRevisions_ = revisions;
        ventparam::StationLists lists;
        lists.StartPile = startPile;
        for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
            platform::ListItem& row = lstSection.ListItems(i);
            lists.Sections.push_back({vb::Val(row.Text()), vb::StrictNumber(row.SubItems(1)),
                                      vb::StrictNumber(row.SubItems(2)), vb::StrictNumber(row.SubItems(3))});
        }
        for (int i = 1; i <= lstSlope.ListItems.Count(); ++i) {
            platform::ListItem& row = lstSlope.ListItems(i);
            lists.Slopes.push_back({vb::Val(row.Text()), vb::StrictNumber(row.SubItems(1))});
        }
        for (int i = 1; i <= lstBlock.ListItems.Count(); ++i) {
            platform::ListItem& row = lstBlock.ListItems(i);
            lists.Blocks.push_back({vb::Val(row.Text()), vb::StrictNumber(row.SubItems(1))});
        }
        heldStations_ = std::make_unique<ventparam::IndexedStations>(std::move(lists));
    }
    // The row searches do not depend on these two; they are read on every call like the other boxes.
    heldStations_->Lists.TunnelLength = GetTunnelLength();
    heldStations_->Lists.LeftLine = optLeftLine.Value();
    return *heldStations_;
}

double frmReq::GetAA_r(double dPile, double* dDr) {
    return guardedValue([&] { return ventparam::GetAA_r(stationLists(), dPile, dDr); });
}

double frmReq::GetUU_r(double dPile) {
    return guardedValue([&] { return ventparam::GetUU_r(stationLists(), dPile); });
}

double frmReq::GetSlope_i(double dPile) {
    return guardedValue([&] { return ventparam::GetSlope_i(stationLists(), dPile); });
}

std::vector<double> frmReq::GetSlopeChanges(double dsp, double dep) {
    try {
        return ventparam::SlopeChanges(stationLists(), dsp, dep);
    } catch (...) {
        return {};
    }
}

double frmReq::GetWorkv_t(double dPile, vb::Integer iCaseID) {
    return guardedValue([&] {
        return ventparam::GetWorkv_t(stationLists().Lists, dPile, iCaseID, vb::Val(txtworkv_t.Text()),
                                     vb::Val(cmbWorkVt_Bidirection.Text()));
    });
}

double frmReq::GetYANCHENGDeltap_r_m(double dsp, double dep, double dlambda_r, double dro, double dQQ_r,
                                     vb::Integer iSectionType, double dzeta_rukou, double dzeta_fencha,
                                     double dzeta_heliu) {
    return guardedValue([&] {
        std::vector<double> breaks;
        const double loss =
            ventparam::GetYANCHENGDeltap_r_m(stationLists(), dsp, dep, dlambda_r, dro, dQQ_r,
                                             {iSectionType, dzeta_rukou, dzeta_fencha, dzeta_heliu}, &breaks);
        BlockPiles.items = std::move(breaks);
        return loss;
    });
}

double frmReq::GetTotalDeltap_m(double dzeta_e, double dlambda_r, double dro, double dv_n) {
    return guardedValue(
        [&] { return ventparam::GetTotalDeltap(stationLists().Lists, dzeta_e, dlambda_r, dro, dv_n); });
}

double frmReq::GetTotalDeltap_r(double dzeta_e, double dlambda_r, double dro, double dv_r) {
    return guardedValue(
        [&] { return ventparam::GetTotalDeltap(stationLists().Lists, dzeta_e, dlambda_r, dro, dv_r); });
}

double frmReq::GetRUKOUDeltap_m(double dzeta_e, double dro, double dv_n) {
    return ventparam::GetRUKOUDeltap(dzeta_e, dro, dv_n);
}

double frmReq::GetRUKOUDeltap_r(double dzeta_e, double dro, double dv_r) {
    return ventparam::GetRUKOUDeltap(dzeta_e, dro, dv_r);
}

double frmReq::Getr_1(vb::Integer iCaseID) {
    return guardedValue([&] {
        ventparam::ClassShares shares{};
        for (int j = 1; j <= reqair::kVehicleClasses && j <= lstTrafficAnalysis.ListItems.Count(); ++j) {
            shares[static_cast<std::size_t>(j - 1)] = vb::Val(lstTrafficAnalysis.ListItems(j).SubItems(1));
        }
        return ventparam::Getr_1(shares, allowedClasses(*this), iCaseID, optBiDirectionMethod2.Value());
    });
}

double frmReq::GetYANCHENGDeltap_t1(double dsp, double dep, double dQQ_r, double dAA_m, double drho,
                                    vb::Integer iCaseID, bool bIsReverse) {
    return guardedValue([&] {
        ventparam::OneWayPiston in;
        in.N = vb::Val(txtNN.Text());
        if (dsp > dep) {
            std::swap(dsp, dep);
        }
        BuildSegments({dsp, dep}, iCaseID, dsp, dep, dQQ_r, false);
        in.WorkSpeed = workv_t;
        in.AA_m = dAA_m;
        in.rho = drho;
        in.iCaseID = iCaseID;
        in.bIsReverse = bIsReverse;
        return ventparam::GetYANCHENGDeltap_t1(CalSegments.items, in);
    });
}

double frmReq::GetYANCHENGDeltap_t2(double dsp, double dep, double dQQ_r, double dAA_m, double drho,
                                    bool bIsVrUpDirection) {
    return guardedValue([&] {
        if (dsp > dep) {
            std::swap(dsp, dep);
        }
        ventparam::TwoWayVolume volume;
        volume.ControlTraffic = optBiDirectionMethod1.Value();
        volume.BiDirection = vb::Val(txtBiDirection.Text());
        volume.NN = vb::Val(txtNN.Text());
        volume.Allowed = allowedClasses(*this);
        for (int j = 1; j <= reqair::kVehicleClasses && j <= lstTrafficAnalysis.ListItems.Count(); ++j) {
            volume.Vehicles[static_cast<std::size_t>(j - 1)] =
                vb::StrictNumber(lstTrafficAnalysis.ListItems(j).SubItems(3));
        }
        volume.MainDirectionRatio = vb::Val(txtMainDirectionRatio.Text());
        const double n = ventparam::TwoWayTraffic(volume);

        ventparam::TwoWayPiston in;
        in.NUp = n * GetUpRatio();
        in.NDown = (1 - GetUpRatio()) * n;
        in.AA_m = dAA_m;
        in.rho = drho;
        in.bIsVrUpDirection = bIsVrUpDirection;
        BuildSegments({dsp, dep}, reqair::kCaseTwoWay, dsp, dep, dQQ_r, false);
        return ventparam::GetYANCHENGDeltap_t2(CalSegments.items, in);
    });
}
