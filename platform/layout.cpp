// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/layout.h"

namespace platform {

void Layout::window(Form& form, const std::string& caption, int width, int height) {
    form.setCaption(caption);
    form.setWidth(width);
    form.setHeight(height);
}

void Layout::inputs(std::initializer_list<Control*> boxes) {
    for (Control* box : boxes) {
        box->setBackColor(kInputColor);
    }
}

void Layout::entries(const Entries& entries) {
    for (TextBox* box : entries.texts) {
        box->setEntry(TextBox::Entry::Text);
    }
    for (TextBox* box : entries.optionalNumbers) {
        box->setEntry(TextBox::Entry::OptionalNumber);
    }
    for (TextBox* box : entries.refusedNumbers) {
        box->setEntry(TextBox::Entry::RefusedNumber);
    }
    for (TextBox* box : entries.numbers) {
        box->setReadAsNumber();
    }
    for (ComboBox* box : entries.numberLists) {
        box->setEntry(ComboBox::Entry::Number);
    }
    for (ComboBox* box : entries.textLists) {
        box->setEntry(ComboBox::Entry::Text);
    }
}

void Layout::headings(ListView& list, std::span<const Heading> heads) {
    list.ColumnHeaders.Clear();
    for (const Heading& h : heads) {
        list.ColumnHeaders.Add(h.text, h.width);
    }
}

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
        if (r.named != nullptr) {
            r.named->place(parent, shape.left, top + shape.labelDrop, shape.labelWidth, shape.labelHeight);
            r.named->setCaption(r.caption);
        } else {
            caption(parent, r.caption, shape.left, top + shape.labelDrop, shape.labelWidth,
                    shape.labelHeight);
        }
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

Frame& Layout::group(Container& parent, const std::string& text, int left, int top, int width, int height) {
    groups_.push_back(std::make_unique<Frame>());
    frame(*groups_.back(), parent, text, left, top, width, height);
    return *groups_.back();
}

namespace {
/// Buttons from (`left`, `top`), each beside (`across`) or below the one before, `gap` apart; a button
/// of its own width keeps it.
void placeButtons(Container& parent, int left, int top, int width, int height, int gap, bool across,
                  std::initializer_list<Layout::Button> buttons) {
    for (const Layout::Button& b : buttons) {
        const int own = b.width != 0 ? b.width : width;
        b.button->place(parent, left, top, own, height);
        b.button->setCaption(b.caption);
        if (across) {
            left += own + gap;
        } else {
            top += height + gap;
        }
    }
}
} // namespace

void Layout::buttons(Container& parent, int left, int top, int width, int height, int gap,
                     std::initializer_list<Button> buttons) {
    placeButtons(parent, left, top, width, height, gap, true, buttons);
}

void Layout::buttonColumn(Container& parent, int left, int top, int width, int height, int gap,
                          std::initializer_list<Button> buttons) {
    placeButtons(parent, left, top, width, height, gap, false, buttons);
}

void Layout::buttonInBox(Container& parent, Control& box, CommandButton& button, const std::string& caption,
                         int width) {
    const int right = box.Left() + box.Width();
    box.setWidth(box.Width() - width - 20);
    button.place(parent, right - width, box.Top(), width, box.Height());
    button.setCaption(caption);
}

} // namespace platform
