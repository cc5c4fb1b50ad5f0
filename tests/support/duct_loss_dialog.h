// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Forms.h"
#include "platform/controls.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmCalculatePd.h"

#include <gtest/gtest.h>

#include <source_location>
#include <string>

namespace test_support {

/// Presses `button`, which opens the duct-loss dialog: the dialog is handed the flow `flow`, the loss
/// `loss` typed there comes back into `box` as the dialog closes, and the dialog is gone. A failure names
/// the line of the call.
inline void lossFromDuctDialog(platform::CommandButton& button, const platform::TextBox& box,
                               const std::string& flow, const std::string& loss,
                               std::source_location where = std::source_location::current()) {
    const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()),
                                       "the duct-loss dialog");
    test_stage::onModal<frmCalculatePd>([&](frmCalculatePd& d) {
        EXPECT_EQ(d.txtQ.Text(), flow);
        d.txtp_d.setSilently(loss);
        d.cmdClose.userClick();
    });
    button.userClick();
    EXPECT_EQ(box.Text(), loss);
    EXPECT_FALSE(platform::Forms::isLoaded<frmCalculatePd>());
}

} // namespace test_support
