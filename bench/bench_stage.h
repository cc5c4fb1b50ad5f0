// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <functional>
#include <typeinfo>

/// The stage the benchmarks run on: offscreen windows, C numeric locale, a temporary program folder with
/// a copy of ConfigFiles (platform::AppPath points there), message boxes answered with their default button,
/// modal windows run by the script queued for them (or hidden at once when none is queued).
namespace bench_stage {

/// Puts back a fresh copy of ConfigFiles and the shared module's initial state, and destroys every
/// window: call it in a benchmark's set-up so that runs do not see each other's files.
void freshFolder();

/// Queues the script of the next modal window of class T.
template <class T> void onModal(std::function<void(T&)> script);

namespace detail {
void queueModal(const std::type_info& type, std::function<void(platform::Form&)> script);
}

template <class T> void onModal(std::function<void(T&)> script) {
    detail::queueModal(typeid(T), [script](platform::Form& form) { script(static_cast<T&>(form)); });
}

} // namespace bench_stage
