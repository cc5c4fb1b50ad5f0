// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/modPublic_jet.h"

#include "app/frmReq.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"

namespace modPublic {

double GetStationVelocity(double dPile, double dQ) {
    return jetfan::StationVelocity(
        dPile, dQ, [] { return vb::Val(platform::Forms::instance<frmVentParam>().txtQQ_req.Text()); },
        [](double pile) { return platform::Forms::instance<frmReq>().GetAA_r(pile); });
}

} // namespace modPublic
