// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <deque>
#include <functional>
#include <typeindex>
#include <typeinfo>

/// The queue of scripts for the modal windows a run will show, in order, each for a window of one class:
/// the test stage and the benchmark stage both run a modal window by the script at its head.
namespace modal_scripts {

struct ModalScript {
    std::type_index type;
    std::function<void(platform::Form&)> script;
};

inline std::deque<ModalScript>& queue() {
    static std::deque<ModalScript> scripts;
    return scripts;
}

inline void push(const std::type_info& type, std::function<void(platform::Form&)> script) {
    queue().push_back({std::type_index(type), std::move(script)});
}

} // namespace modal_scripts
