// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

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
