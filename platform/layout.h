// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

/// The height of one text box [twips].
inline constexpr int kBoxHeight = 300;

/// The shapes every window is built of: a caption beside a box, a column of such rows, a captioned
/// frame and a row of buttons. Positions are in twips, relative to the container, as everywhere. The
/// layout owns the captions that have no name in the window, so a window keeps one `Layout` member and
/// its `buildControls` reads as a list of rows.
class Layout {
public:
    /// Where the rows of a column stand: captions from `left`, `labelWidth` wide; boxes right after
    /// them, `boxWidth` wide and `boxHeight` high; one row every `pitch`; a caption sits `labelDrop`
    /// below its box's top so that their texts line up.
    struct Column {
        int left = 120;
        int labelWidth = 1500;
        int boxWidth = 1200;
        int pitch = 345;
        int boxHeight = kBoxHeight;
        int labelDrop = 30;
        int labelHeight = 255;

        /// The same rows with captions from `atLeft`, `captionWidth` wide, and boxes `width` wide.
        Column at(int atLeft, int captionWidth, int width) const {
            Column moved = *this;
            moved.left = atLeft;
            moved.labelWidth = captionWidth;
            moved.boxWidth = width;
            return moved;
        }
    };

    /// One row: its caption and the control beside it (nullptr: a caption alone). Where the window
    /// changes the caption later, `named` is its own label, placed and captioned as the row's caption.
    struct Row {
        std::string caption;
        Control* box = nullptr;
        Label* named = nullptr;
    };

    /// The window itself: its caption and its outer size.
    static void window(Form& form, const std::string& caption, int width, int height);

    /// Marks the boxes the engineer types into with the input colour. A text box among them holds a
    /// number, and is framed in red while its text is not one (see TextBox).
    static void inputs(std::initializer_list<Control*> boxes);

    /// The boxes of a window that the engineer types into but that are no plain number in the input
    /// colour: names and descriptions (`texts`, never marked), numbers that may be left empty
    /// (`optionalNumbers`, marked only when they hold text that is not a number), numbers a step refuses
    /// when they are not one (`refusedNumbers`, marked without a value), and numbers the window reads
    /// from boxes outside the input colour (`numbers`, marked as input boxes are). A combo box the
    /// engineer may type into is declared too: a list of numbers (`numberLists`, marked as a number box)
    /// or of names (`textLists`, never marked). Declared once per window.
    struct Entries {
        std::vector<TextBox*> texts;
        std::vector<TextBox*> optionalNumbers;
        std::vector<TextBox*> refusedNumbers;
        std::vector<TextBox*> numbers;
        std::vector<ComboBox*> numberLists;
        std::vector<ComboBox*> textLists;
    };
    static void entries(const Entries& entries);

    /// A heading of a list's column and the column's width.
    struct Heading {
        const char* text;
        int width;
    };
    /// The list's column headings, left to right; they replace the ones it had.
    static void headings(ListView& list, std::span<const Heading> heads);
    static void headings(ListView& list, std::initializer_list<Heading> heads) {
        headings(list, std::span<const Heading>(heads.begin(), heads.size()));
    }

    /// Fills a list with its choices and picks the first.
    template <class Box, class Items> static void choices(Box& list, const Items& items) {
        AddItems(list, items);
        list.setListIndex(0);
    }

    /// A control that shows its own caption (button, switch, option button, frame or label), placed.
    template <class Captioned>
    static void captioned(Captioned& control, Container& parent, const std::string& text, int left, int top,
                          int width, int height = kBoxHeight) {
        control.place(parent, left, top, width, height);
        control.setCaption(text);
    }

    /// A caption the window does not name.
    Label& caption(Container& parent, const std::string& text, int left, int top, int width,
                   int height = 255);

    /// Rows from `top` down; returns the top below the last row.
    int column(Container& parent, const Column& shape, int top, std::initializer_list<Row> rows);
    /// The same for rows a window keeps in a table of its own.
    int column(Container& parent, const Column& shape, int top, const std::vector<Row>& rows);

    /// A named caption placed as a row of `shape` would place its own.
    static void row(Container& parent, const Column& shape, int top, Label& named, const std::string& text,
                    Control& box);

    static void frame(Frame& frame, Container& parent, const std::string& text, int left, int top, int width,
                      int height);

    /// A captioned frame the window does not name: it only groups rows inside another container.
    Frame& group(Container& parent, const std::string& text, int left, int top, int width, int height);

    /// A button of a row; `width`, where not 0, is its own instead of the row's (a longer caption).
    struct Button {
        CommandButton* button;
        std::string caption;
        int width = 0;
    };
    /// Buttons side by side from `left`, each `width` wide, `gap` apart.
    static void buttons(Container& parent, int left, int top, int width, int height, int gap,
                        std::initializer_list<Button> buttons);
    /// Buttons one below another from `top`, each `height` high, `gap` apart.
    static void buttonColumn(Container& parent, int left, int top, int width, int height, int gap,
                             std::initializer_list<Button> buttons);

    /// A small button at the right end of a box already placed, `width` wide and as high as the box; the
    /// box gives up that room and a little more, so that the two stand apart.
    static void buttonInBox(Container& parent, Control& box, CommandButton& button,
                            const std::string& caption, int width = 400);

    /// The captions made so far, in order (tests and pictures find them here).
    const std::vector<std::unique_ptr<Label>>& captions() const { return captions_; }

private:
    std::vector<std::unique_ptr<Label>> captions_;
    std::vector<std::unique_ptr<Frame>> groups_;
};

} // namespace platform
