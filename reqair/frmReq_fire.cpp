// SPDX-License-Identifier: GPL-3.0-or-later
// Page 7 of the main window: the air-change demand and the smoke flow of the fire case, by the critical
// velocity at the fire or by the smoke production of a large fire plume.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/vb.h"
#include "reqair/fire_demand.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using app::guarded;

namespace {

// A result that could not be computed leaves the box with the text it had.
void writeResult(platform::TextBox& box, const std::optional<double>& value, const char* pattern) {
    if (value && std::isfinite(*value)) {
        box.set(vb::Format(*value, pattern));
    }
}

double valueOf(const platform::TextBox& box) {
    return vb::Val(box.Text());
}

} // namespace

void frmReq::cmdCalQQ_req_exchange_Click() {
    CalQQ_req_exchange(-1);
}

void frmReq::CalQQ_req_exchange(double dFirePile) {
    double volume = 0;
    guarded([&] {
        std::vector<reqair::SectionVolumeRow> rows;
        for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
            platform::ListItem& row = lstSection.ListItems(i);
            rows.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
        }
        volume = reqair::tunnel_volume(valueOf(txtStartPile), rows);
    });
    guarded([&] {
        writeResult(txtQQ_req_exchange, reqair::air_change_demand(volume, valueOf(txtExchangeNum)), "0.00");
    });
    ShowExchangeSectionQreq();

    if (optQsMethod1(0).Value()) {
        for (int i = 0; i <= 2; ++i) {
            guarded([&] {
                if (optCrMehthod(i).Value()) {
                    writeResult(txtQs, GetCriticalVelocity(i, dFirePile), "0.00");
                }
            });
        }
        return;
    }

    // Each step reads the boxes of the steps before it back, so the chain works with their two-decimal
    // values (and with whatever a step that failed left in its box).
    guarded([&] {
        writeResult(txtHOR, reqair::heat_release_per_area(valueOf(txtHRR), valueOf(txtFireSize)), "0.00");
    });
    guarded([&] {
        const double y = reqair::plume_height(valueOf(txtCH), valueOf(txtDSL));
        // The smoke production is held in a value first: a plume that cannot be computed shows 0.
        const double m = reqair::smoke_production(y, valueOf(txtPerimeter)).value_or(0);
        writeResult(txtMPRS, m, "0.00");
    });
    guarded([&] {
        writeResult(txtCHO, reqair::convective_heat_release(valueOf(txtPRL), valueOf(txtHRR)), "0.00");
    });
    guarded([&] {
        writeResult(txtTSLA, reqair::smoke_temperature_rise(valueOf(txtCHO), valueOf(txtMPRS)), "0.00");
    });
    guarded([&] { writeResult(txtST, reqair::smoke_temperature(valueOf(txtTSLA), valueOf(txtAT)), "0.00"); });
    guarded([&] { lblAirDensity.setCaption(txtST.Text() + "K温度下空气密度(kg/m^3):"); });
    guarded([&] { writeResult(txtAD, reqair::smoke_air_density(valueOf(txtRHO), valueOf(txtST)), "0.00"); });
    guarded([&] { writeResult(txtQs, reqair::smoke_flow(valueOf(txtMPRS), valueOf(txtAD)), "0.00"); });
}

double frmReq::GetCriticalVelocity(int method, double& dFirePile) {
    reqair::CriticalVelocityInput in;
    guarded([&] {
        std::vector<double> slopes;
        for (int i = 1; i <= lstSlope.ListItems.Count(); ++i) {
            slopes.push_back(vb::Val(lstSlope.ListItems(i).SubItems(1)));
        }
        in.Kg = reqair::grade_factor(slopes);
    });
    if (dFirePile == -1) {
        dFirePile = modPublic::StartPile;
    }

    if (method == 2) {
        // Wu-Bakar works with the equivalent diameter of the section at the fire, which the height box
        // then shows (and which the other two formulas take as H until the user types another).
        double diameter = 0;
        guarded([&] {
            GetAA_r(dFirePile, &diameter);
            in.H = diameter;
        });
        guarded([&] { txtTunnelH.set(vb::Format(in.H, "0.000")); });
    } else {
        in.H = valueOf(txtTunnelH);
    }
    in.HRR = valueOf(txtHRR);
    in.rho = valueOf(txtRHO);
    in.T = valueOf(txtAT);
    guarded([&] { in.A = GetAA_r(dFirePile); });

    // A formula that cannot be evaluated gives no critical velocity: 0 is shown and no smoke flow follows.
    double vc = 0;
    guarded([&] { vc = reqair::critical_velocity(method, in).value_or(0); });
    guarded([&] { writeResult(txtvcr, vc, "0.00"); });
    return std::isfinite(vc * in.A) ? vc * in.A : 0;
}
