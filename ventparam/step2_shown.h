// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ventparam/step2_inputs.h"

#include <optional>
#include <string>

namespace ventparam {

/// Step 2's inputs as its window shows them now.
Step2Inputs Step2Shown();

/// A scheme window reopened with results computed under `computedUnder` (nullopt: a file that does not
/// say): the hint naming what of the `compared` inputs step 2 has changed since, "" when nothing. When it
/// names a change the window empties those results, and `computedUnder` becomes step 2 as it stands;
/// without step 2 open nothing is compared. A
/// template (`ownFile` false) is shown as it comes, as before: it keeps the inputs it names only when step
/// 2 still has them.
std::string ResultsOfOtherStep2(std::optional<Step2Inputs>& computedUnder, unsigned compared, bool ownFile);

} // namespace ventparam
