// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers of frmJet that are still empty.
#include "jetfan/frmJet.h"
