// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <QtWidgets/QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
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

/// `parts` one after another, for a chain that runs through a group of controls several windows share.
inline std::vector<Named> join(std::initializer_list<std::vector<Named>> parts) {
    std::vector<Named> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

/// Expects each of `chains` of one window on its own: controls of different containers (frames, pages)
/// are compared only within their own container. A failure names the chain by its first control.
inline void expectEach(const platform::Form& form, const std::vector<std::vector<Named>>& chains) {
    for (const auto& controls : chains) {
        SCOPED_TRACE(controls.empty() ? std::string() : controls.front().second);
        expect(form, controls);
    }
}

/// A row of a folder's tab-order table: a window's name and the check that opens it and pins its chains.
struct Window {
    std::string name;
    std::function<void()> expect;
};

/// Runs every row of `windows`, a failure named by its window.
inline void expectEach(const std::vector<Window>& windows) {
    for (const Window& w : windows) {
        SCOPED_TRACE(w.name);
        w.expect();
    }
}

inline void PrintTo(const Window& window, std::ostream* os) {
    *os << window.name;
}

/// Names each case of a TEST_P over a table of windows by its window.
inline std::string caseName(const ::testing::TestParamInfo<Window>& info) {
    return info.param.name;
}

} // namespace focus_chain

/// `FOCUS(f.txtA)` names a control by its member name for focus_chain::expect.
#define FOCUS(member)                                                                                        \
    focus_chain::Named {                                                                                     \
        &(member), #member                                                                                   \
    }

/// `FOCUS_ALL(f, txtA, cmdB)` is `{FOCUS(f.txtA), FOCUS(f.cmdB)}`: a chain of one window's controls, each
/// named as FOCUS names it.
#define FOCUS_ALL(form, ...)                                                                                 \
    std::vector<focus_chain::Named> {                                                                        \
        FOCUS_EXPAND_(FOCUS_EACH_(form, __VA_ARGS__))                                                        \
    }
// Each FOCUS_EXPAND_ rescans 256 times, one control a scan: enough for the longest chain of any window.
#define FOCUS_EXPAND_(...) FOCUS_EXPAND4_(FOCUS_EXPAND4_(FOCUS_EXPAND4_(FOCUS_EXPAND4_(__VA_ARGS__))))
#define FOCUS_EXPAND4_(...) FOCUS_EXPAND3_(FOCUS_EXPAND3_(FOCUS_EXPAND3_(FOCUS_EXPAND3_(__VA_ARGS__))))
#define FOCUS_EXPAND3_(...) FOCUS_EXPAND2_(FOCUS_EXPAND2_(FOCUS_EXPAND2_(FOCUS_EXPAND2_(__VA_ARGS__))))
#define FOCUS_EXPAND2_(...) FOCUS_EXPAND1_(FOCUS_EXPAND1_(FOCUS_EXPAND1_(FOCUS_EXPAND1_(__VA_ARGS__))))
#define FOCUS_EXPAND1_(...) __VA_ARGS__
#define FOCUS_EACH_(form, first, ...)                                                                        \
    FOCUS(form.first) __VA_OPT__(, FOCUS_EACH_AGAIN_ FOCUS_PARENS_(form, __VA_ARGS__))
#define FOCUS_PARENS_ ()
#define FOCUS_EACH_AGAIN_() FOCUS_EACH_

namespace focus_chain {

/// The cross-section editor of the fan and pressure windows, in the order Tab meets it: the pile, the KS
/// box, the area, the perimeter, the diameter, the added loss and its button.
template <class Form> std::vector<Named> sectionEditor(const Form& f) {
    return {FOCUS(f.txtSectionPile),      FOCUS(f.chkKS),       FOCUS(f.txtSectionArea),
            FOCUS(f.txtSectionPerimeter), FOCUS(f.txtSectionD), FOCUS(f.txtSectionDelta),
            FOCUS(f.cmdSectionDelta)};
}

} // namespace focus_chain
