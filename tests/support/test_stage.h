// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <functional>
#include <string>
#include <typeinfo>

/// The stage every test runs on (set up once by the test main): offscreen windows, C numeric locale, a
/// temporary program folder holding a fresh copy of ConfigFiles for each test, scripted message boxes,
/// file dialogs, text viewer and modal windows. After each test it fails the test on any box or dialog
/// nobody scripted, on answers scripted but never asked for, and on faults the platform recorded; then
/// it destroys every window and runs the reset callbacks.
namespace test_stage {

/// The program folder of this test (AppPath points here); it holds ConfigFiles.
std::string appFolder();

/// Registers a callback run after each test (for example to reset the shared module's globals).
void onReset(std::function<void()> reset);

/// Registers a reset callback from a static object: `static test_stage::Reset r([] { ... });`
struct Reset {
    explicit Reset(std::function<void()> reset) { onReset(std::move(reset)); }
};

/// Queues the script of the next modal window. The window must be of class T; the script acts on it
/// as a user would and ends by hiding or unloading it (otherwise ShowModal hides it on return).
template <class T> void onModal(std::function<void(T&)> script);

namespace detail {
void queueModal(const std::type_info& type, std::function<void(platform::Form&)> script);
}

template <class T> void onModal(std::function<void(T&)> script) {
    detail::queueModal(typeid(T), [script](platform::Form& form) { script(static_cast<T&>(form)); });
}

} // namespace test_stage
