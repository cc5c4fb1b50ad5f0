// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>

namespace test_support {

/// One box of a window and the text the engineer types into it (a text box or the edit of a combo box).
class Typed {
public:
    Typed(platform::TextBox& box, std::string text) : type_([&box, text] { box.userType(text); }) {}
    Typed(platform::ComboBox& box, std::string text) : type_([&box, text] { box.userType(text); }) {}
    void operator()() const { type_(); }

private:
    std::function<void()> type_;
};

/// Types each text into its box as the engineer does, in the order listed (each box's events run before
/// the next is typed): `test_support::TypeInto{{w.txtA, "1"}, {w.cmbB, "2"}};`
struct TypeInto {
    TypeInto(std::initializer_list<Typed> boxes) {
        for (const Typed& typed : boxes) {
            typed();
        }
    }
};

/// True when a user could reach the control now: it and every container above it enabled and shown.
inline bool reachable(const platform::Control& c) {
    if (!c.Enabled() || !c.Visible()) {
        return false;
    }
    for (QWidget* w = c.widget()->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (!w->isEnabled() || (!w->isWindow() && w->isHidden())) {
            return false;
        }
    }
    return true;
}

/// The mark a box shows while it holds `typed`, its text put back after (no event runs, so the window
/// computes nothing from it); "不是数" for a box the engineer cannot type into (locked, disabled or a
/// drop-down list) or that the window declares a name, as nothing typed there reaches a number.
inline std::string typedMark(platform::Control& box, const std::string& typed) {
    const std::string none = "不是数 (no box to type into)";
    if (!box.widget()->isEnabled()) {
        return none;
    }
    const auto markOf = [&typed](auto& b, auto put) {
        const std::string before = b.Text();
        put(b, typed);
        const std::string mark = b.NumberMark();
        put(b, before);
        return mark;
    };
    if (auto* text = dynamic_cast<platform::TextBox*>(&box)) {
        if (text->Locked() || text->entry() == platform::TextBox::Entry::Text) {
            return none;
        }
        return markOf(*text, [](platform::TextBox& b, const std::string& t) { b.setSilently(t); });
    }
    auto& list = dynamic_cast<platform::ComboBox&>(box);
    if (list.getStyle() != platform::ComboBox::DropdownCombo ||
        list.entry() == platform::ComboBox::Entry::Text) {
        return none;
    }
    return markOf(list, [](platform::ComboBox& b, const std::string& t) { b.setTextSilently(t); });
}

/// One box and the text a test puts into it silently, as a loaded project does (no event runs).
class SilentText {
public:
    template <class Box>
    SilentText(Box& box, std::string text) : set_([&box, text] { box.setSilently(text); }) {}
    void operator()() const { set_(); }

private:
    std::function<void()> set_;
};

/// Sets each box's text silently, in the order listed: `test_support::SetSilently{{w.txtA, "1"}};`
struct SetSilently {
    SetSilently(std::initializer_list<SilentText> boxes) {
        for (const SilentText& set : boxes) {
            set();
        }
    }
};

/// Empties each list, in the order listed.
inline void clearRows(std::initializer_list<std::reference_wrapper<platform::ListView>> lists) {
    for (platform::ListView& list : lists) {
        list.ListItems.Clear();
    }
}

} // namespace test_support
