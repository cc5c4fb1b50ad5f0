// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic analysis of page 3: the design hourly traffic of the current design year split over the
// vehicle classes, diesel and petrol, and into CO- and smoke-equivalent vehicles.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/vb.h"
#include "reqair/traffic_analysis.h"

#include <cstddef>
#include <exception>

void frmReq::cmdCalculateTraffic_Click() {
    try {
        reqair::TrafficAnalysisInput in;
        for (int k = 1; k <= reqair::kVehicleClasses; ++k) {
            platform::ListItem& row = lstTrafficAnalysis.ListItems(k);
            reqair::VehicleClassInput& c = in.Classes[static_cast<std::size_t>(k - 1)];
            c.Share = vb::Val(row.SubItems(1));
            c.Conversion = vb::Val(row.SubItems(2));
            c.DieselShare = vb::Val(row.SubItems(4));
        }
        in.Pcu = vb::Val(txtPcu.Text());
        in.TrafficRatio = vb::Val(txtTrafficRatio.Text());
        in.MainDirectionRatio = vb::Val(txtMainDirectionRatio.Text());
        in.TrafficTotal = chkTrafficTotal.Value() == 1;
        in.DesignHourFactor = vb::Val(txtTraffic2.Text());
        in.Petrol = chkPetrol.Value() == 1;
        in.PetrolFactor = vb::Val(txtPetrol.Text());

        // Without a vehicle mix the engine gives a mixed traffic of 0, so that no earlier year's design
        // traffic is carried on under this one.
        const reqair::TrafficAnalysisResult r =
            reqair::AnalyseTraffic(in, modPublic::CoefTableOf("f_m"), modPublic::CoefTableOf("f_m_VI"));

        txtPCUVeh.set(r.PCUVeh);
        txtTraffic1.set(r.Traffic1);
        txtNN.set(r.NN);
        modPublic::DesignTraffic = r.DesignTraffic;
        for (int k = 1; k <= reqair::kVehicleClasses; ++k) {
            platform::ListItem& row = lstTrafficAnalysis.ListItems(k);
            const reqair::VehicleClassCells& cells = r.Rows[static_cast<std::size_t>(k - 1)];
            row.setSubItems(3, cells.Vehicles);
            row.setSubItems(5, cells.Diesel);
            row.setSubItems(6, cells.Petrol);
            row.setSubItems(7, cells.EquivCO);
            row.setSubItems(8, cells.EquivVI);
        }
        if (lstTrafficAnalysis.ListItems.Count() > reqair::kVehicleClasses) {
            platform::ListItem& sum = lstTrafficAnalysis.ListItems(reqair::kVehicleClasses + 1);
            for (int c = 1; c <= 8; ++c) {
                sum.setSubItems(c, r.SumRow[static_cast<std::size_t>(c - 1)]);
            }
        }
        nn_co = r.nn_co;
        nn_vi = r.nn_vi;
    } catch (const std::exception&) {
    } catch (...) {
    }
}
