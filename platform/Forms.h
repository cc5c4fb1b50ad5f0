// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

namespace platform {

/// The one instance of each window class: created on first use (Initialize, then Load), destroyed when
/// unloaded. Unloading a window asks its QueryUnload and Unload handlers first; either can cancel.
class Forms {
public:
    /// The one instance of T, created and loaded on first use.
    template <class T> static T& instance();
    template <class T> static bool isLoaded() { return find(typeid(T)) != nullptr; }
    /// Unloads the instance of T; false when a handler cancelled. Not loaded counts as unloaded.
    template <class T> static bool unload(int unloadMode = vbFormCode) {
        Form* f = find(typeid(T));
        return f == nullptr || unload(*f, unloadMode);
    }
    /// Unloads a window (`Unload Me`). The object is destroyed once control is back in the event loop
    /// (or at the next collectGarbage), so a handler may unload its own window.
    static bool unload(Form& form, int unloadMode = vbFormCode);
    static bool isLoaded(const Form& form);

    /// Every loaded window, in order of creation.
    static std::vector<Form*> loaded();
    /// Destroys every window without running its handlers (test teardown).
    static void destroyAll();
    /// Destroys the windows already unloaded.
    static void collectGarbage();

    /// Under the test stage: runs instead of the nested event loop of ShowModal. Empty: real loop.
    static void setModalHook(std::function<void(Form&)> hook);
    static const std::function<void(Form&)>& modalHook();
    /// Runs when the last loaded window has been unloaded (the program ends then).
    static void setLastFormUnloaded(std::function<void()> callback);

private:
    static Form* find(std::type_index type);
    static void adopt(std::type_index type, std::unique_ptr<Form> form);
};

template <class T> T& Forms::instance() {
    if (Form* f = find(typeid(T))) {
        return static_cast<T&>(*f);
    }
    auto owned = std::make_unique<T>();
    T& ref = *owned;
    adopt(typeid(T), std::move(owned));
    return ref;
}

} // namespace platform
