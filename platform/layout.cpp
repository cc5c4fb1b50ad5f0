// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/layout.h"

namespace platform {

Label& Layout::caption(Container& parent, const std::string& text, int left, int top, int width, int height) {
    captions_.push_back(std::make_unique<Label>());
    Label& label = *captions_.back();
    label.place(parent, left, top, width, height);
    label.setCaption(text);
    return label;
}

int Layout::column(Container& parent, const Column& shape, int top, std::initializer_list<Row> rows) {
    return column(parent, shape, top, std::vector<Row>(rows));
}

int Layout::column(Container& parent, const Column& shape, int top, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        caption(parent, r.caption, shape.left, top + shape.labelDrop, shape.labelWidth, shape.labelHeight);
        if (r.box != nullptr) {
            r.box->place(parent, shape.left + shape.labelWidth, top, shape.boxWidth, shape.boxHeight);
        }
        top += shape.pitch;
    }
    return top;
}

void Layout::row(Container& parent, const Column& shape, int top, Label& named, const std::string& text,
                 Control& box) {
    named.place(parent, shape.left, top + shape.labelDrop, shape.labelWidth, shape.labelHeight);
    named.setCaption(text);
    box.place(parent, shape.left + shape.labelWidth, top, shape.boxWidth, shape.boxHeight);
}

void Layout::frame(Frame& frame, Container& parent, const std::string& text, int left, int top, int width,
                   int height) {
    frame.place(parent, left, top, width, height);
    frame.setCaption(text);
}

namespace {
/// Buttons from (`left`, `top`), each `dx` right of and `dy` below the one before.
void placeButtons(Container& parent, int left, int top, int width, int height, int dx, int dy,
                  std::initializer_list<Layout::Button> buttons) {
    for (const Layout::Button& b : buttons) {
        b.button->place(parent, left, top, width, height);
        b.button->setCaption(b.caption);
        left += dx;
        top += dy;
    }
}
} // namespace

void Layout::buttons(Container& parent, int left, int top, int width, int height, int gap,
                     std::initializer_list<Button> buttons) {
    placeButtons(parent, left, top, width, height, width + gap, 0, buttons);
}

void Layout::buttonColumn(Container& parent, int left, int top, int width, int height, int gap,
                          std::initializer_list<Button> buttons) {
    placeButtons(parent, left, top, width, height, 0, height + gap, buttons);
}

} // namespace platform
