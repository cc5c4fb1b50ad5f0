// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Forms.h"

#include "platform/FormWindow.h"
#include "platform/scripted.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

struct Entry {
    std::type_index type;
    std::unique_ptr<Form> form;
};

std::vector<Entry>& registry() {
    static std::vector<Entry> entries;
    return entries;
}

// Unloaded windows wait here until no handler of theirs can be on the stack.
std::vector<std::unique_ptr<Form>>& graveyard() {
    static std::vector<std::unique_ptr<Form>> forms;
    return forms;
}

std::function<void(Form&)>& hookSlot() {
    static std::function<void(Form&)> hook;
    return hook;
}

std::function<void()>& lastUnloadedSlot() {
    static std::function<void()> callback;
    return callback;
}

void scheduleCollect() {
    if (QCoreApplication::instance() != nullptr && !scripted::active()) {
        QTimer::singleShot(0, QCoreApplication::instance(), [] { Forms::collectGarbage(); });
    }
}

template <class F> void guarded(const char* what, Form& form, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        scripted::fault(std::string(what) + " of \"" + form.Caption() + "\": " + e.what());
    } catch (...) {
        scripted::fault(std::string(what) + " of \"" + form.Caption() + "\" failed");
    }
}

} // namespace

Form* Forms::find(std::type_index type) {
    for (auto& e : registry()) {
        if (e.type == type) {
            return e.form.get();
        }
    }
    return nullptr;
}

void Forms::adopt(std::type_index type, std::unique_ptr<Form> form) {
    Form& f = *form;
    // Registered before Load runs, so that Load may reach its own window through instance().
    registry().push_back({type, std::move(form)});
    guarded("Form_Initialize", f, [&] { f.Form_Initialize(); });
    guarded("Form_Load", f, [&] { f.Form_Load(); });
}

bool Forms::isLoaded(const Form& form) {
    const auto& r = registry();
    return std::any_of(r.begin(), r.end(), [&](const Entry& e) { return e.form.get() == &form; });
}

bool Forms::unload(Form& form, int unloadMode) {
    if (form.unloading_) {
        return true;
    }
    form.unloading_ = true;
    int cancel = 0;
    guarded("Form_QueryUnload", form, [&] { form.Form_QueryUnload(cancel, unloadMode); });
    if (cancel == 0) {
        guarded("Form_Unload", form, [&] { form.Form_Unload(cancel); });
    }
    if (cancel != 0) {
        form.unloading_ = false;
        return false;
    }
    form.host_->hide();
    auto& r = registry();
    auto it = std::find_if(r.begin(), r.end(), [&](const Entry& e) { return e.form.get() == &form; });
    if (it != r.end()) {
        graveyard().push_back(std::move(it->form));
        r.erase(it);
        scheduleCollect();
        if (r.empty() && lastUnloadedSlot()) {
            lastUnloadedSlot()();
        }
    }
    return true;
}

std::vector<Form*> Forms::loaded() {
    std::vector<Form*> forms;
    for (auto& e : registry()) {
        forms.push_back(e.form.get());
    }
    return forms;
}

void Forms::destroyAll() {
    // Latest first: a window made by another is usually the one that refers to it.
    auto entries = std::move(registry());
    registry().clear();
    while (!entries.empty()) {
        entries.back().form->unloading_ = true;
        entries.pop_back();
    }
    graveyard().clear();
}

void Forms::collectGarbage() {
    auto& g = graveyard();
    if (g.empty()) {
        return;
    }
    // Inside a nested loop (a modal window, a message box) a handler of an unloaded window may still
    // be running; wait for the main loop.
    const bool nested = QCoreApplication::instance() != nullptr && QThread::currentThread()->loopLevel() > 1;
    if (nested) {
        QTimer::singleShot(50, QCoreApplication::instance(), [] { Forms::collectGarbage(); });
        return;
    }
    // Windows still inside ShowModal stay until it returns.
    std::vector<std::unique_ptr<Form>> dead;
    for (auto& f : g) {
        if (!f->IsModal()) {
            dead.push_back(std::move(f));
        }
    }
    g.erase(std::remove(g.begin(), g.end(), nullptr), g.end());
    dead.clear();
}

void Forms::setModalHook(std::function<void(Form&)> hook) {
    hookSlot() = std::move(hook);
}
const std::function<void(Form&)>& Forms::modalHook() {
    return hookSlot();
}
void Forms::setLastFormUnloaded(std::function<void()> callback) {
    lastUnloadedSlot() = std::move(callback);
}

} // namespace platform
