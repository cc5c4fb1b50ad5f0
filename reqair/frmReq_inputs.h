// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reqair/segment_demand.h"

class frmReq;

/// What the main window's required-air calculations read from its boxes and the shared tables, gathered
/// in one place for every page that runs them.
namespace reqair::window {

/// fa and fh (CO and smoke) as their two-decimal boxes show them, and the air state last published.
SiteFactors siteFactors(frmReq& w);

/// fd and fiv (CO and smoke) of the shared coefficient tables.
EmissionTables emissionTables();

} // namespace reqair::window
