// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/modPublic.h"
#include "test_stage.h"

namespace test_support {

/// Included by a test file: after each test the shared module's globals go back to where the program
/// starts them, so that no test sees what another left there. One reset for the whole test program.
inline const test_stage::Reset resetSharedModule([] { modPublic::Reset(); });

} // namespace test_support
