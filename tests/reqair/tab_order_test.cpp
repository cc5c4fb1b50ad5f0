// SPDX-License-Identifier: GPL-3.0-or-later
// Tab through the windows of the required-air folder in the order their controls are listed.
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "reqair/frmReportControl.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

const std::vector<focus_chain::Window> kWindows = {
    {"frmReportControl",
     [] {
         frmReportControl& f = Forms::instance<frmReportControl>();
         focus_chain::expect(f, {FOCUS(f.lstYear), FOCUS(f.lstCase), FOCUS(f.lstvt),
                                 FOCUS(f.chkOutputSegment), FOCUS(f.chkOpenReport), FOCUS(f.cmdOK)});
     }},
};

TEST(TabOrder, EveryWindowTabsThroughItsFramesInTheirListedOrder) {
    focus_chain::expectEach(kWindows);
}

} // namespace
