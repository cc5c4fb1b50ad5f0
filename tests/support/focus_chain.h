// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <QtWidgets/QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

/// The order in which Tab visits a window's controls. A test lists the controls it cares about, each
/// with its name, in the order the engineer should meet them; controls left out of the list are passed
/// over, so the test pins only the relative order of those named.
namespace focus_chain {

using Named = std::pair<const platform::Control*, std::string>;

/// The names of `controls` in the order Tab reaches them, starting from the window's first control.
inline std::vector<std::string> order(const platform::Form& form, const std::vector<Named>& controls) {
    std::vector<std::string> seen;
    QWidget* start = form.window();
    if (start == nullptr)
        return seen;
    QWidget* w = start->nextInFocusChain();
    for (int guard = 0; w != nullptr && w != start && guard < 100000; ++guard) {
        for (const auto& [control, name] : controls)
            if (control->widget() == w)
                seen.push_back(name);
        w = w->nextInFocusChain();
    }
    return seen;
}

/// Expects Tab to visit `controls` exactly in the order listed.
inline void expect(const platform::Form& form, const std::vector<Named>& controls) {
    std::vector<std::string> wanted;
    for (const auto& c : controls)
        wanted.push_back(c.second);
    EXPECT_EQ(order(form, controls), wanted);
}

} // namespace focus_chain

/// `FOCUS(f.txtA)` names a control by its member name for focus_chain::expect.
#define FOCUS(member)                                                                                        \
    focus_chain::Named {                                                                                     \
        &(member), #member                                                                                   \
    }
