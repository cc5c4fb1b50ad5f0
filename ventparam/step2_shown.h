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
/// without step 2 open nothing is compared. A template's results shown on its own tunnel are compared as a
/// project's are: they were computed under the inputs it names. `resultsShown` false (a template opened
/// for another tunnel, whose results the window does not take) compares nothing and forgets the inputs.
std::string ResultsOfOtherStep2(std::optional<Step2Inputs>& computedUnder, unsigned compared,
                                bool resultsShown);

} // namespace ventparam
