// SPDX-License-Identifier: GPL-3.0-or-later
// Neutral bodies of the main window's operations whose behaviour lives in another source file; each area
// moves its bodies out of here into its own file.
#include "app/frmReq.h"
