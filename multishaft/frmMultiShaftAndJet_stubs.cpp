// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers of frmMultiShaftAndJet that are still empty, by area.
#include "multishaft/frmMultiShaftAndJet.h"

#include "jetfan/CPressionCurve.h"
