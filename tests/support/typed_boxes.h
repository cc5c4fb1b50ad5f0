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

} // namespace test_support
