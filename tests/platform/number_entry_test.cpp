// SPDX-License-Identifier: GPL-3.0-or-later
// A box the engineer types a number into is read by its leading number ("9OO" as 9): whatever is not a
// whole number text is framed in red, with a tip naming the value the windows compute with.
#include "platform/controls.h"
#include "platform/layout.h"
#include "tests/support/shown_whole.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

struct Host : Form {};

/// Whether the box is painted with a red frame: red along its left edge, half-way down.
bool framedInRed(Control& box) {
    QApplication::processEvents();
    QWidget* w = box.widget();
    const QImage image = w->grab().toImage();
    const QColor edge = image.pixelColor(1, image.height() / 2);
    return edge.red() > 200 && edge.green() < 60 && edge.blue() < 60;
}

/// A window with one box and a button whose calculation reads the box.
struct Host1 {
    Host host;
    TextBox box;
    CommandButton compute;
    explicit Host1(TextBox::Entry entry = TextBox::Entry::Number) {
        box.place(host, 0, 0, 1500, 300);
        compute.place(host, 0, 400, 1500, 300);
        compute.Click = [this] { (void)box.Text(); };
        box.setEntry(entry);
        Layout::inputs({&box});
        host.Show();
    }
};

TEST(NumberEntry, ATextThatIsNotAWholeNumberIsMarkedWithTheValueUsed) {
    using E = TextBox::Entry;
    struct Case {
        E entry;
        const char* text;
        const char* mark; // "" for none
    };
    const Case cases[] = {
        {E::Number, "900", ""},
        {E::Number, "9OO", "不是数，按 9 计算"},
        {E::Number, "7x5", "不是数，按 7 计算"},
        {E::Number, "", "未填，按 0 计算"},
        {E::Number, "   ", "未填，按 0 计算"},
        {E::Number, "1,234", "不是数，按 1 计算"},
        {E::Number, "12.5.3", "不是数，按 12.5 计算"},
        {E::Number, "1 2", "不是数，按 12 计算"},
        {E::Number, "abc", "不是数，按 0 计算"},
        {E::Number, "1e", "不是数，按 1 计算"},
        // What the windows themselves write: a sign, a fraction, an exponent, the trailing blank of "0.00 ".
        {E::Number, "-12.5", ""},
        {E::Number, "+.5", ""},
        {E::Number, "3.", ""},
        {E::Number, "1.5E-3", ""},
        {E::Number, "2D3", ""},
        {E::Number, "2000.00 ", ""},
        {E::OptionalNumber, "", ""},
        {E::OptionalNumber, "9OO", "不是数，按 9 计算"},
        {E::OptionalNumber, "65", ""},
        {E::Text, "隧道A", ""},
        {E::Text, "", ""},
        {E::RefusedNumber, "4O", "不是数"},
        {E::RefusedNumber, "", "未填"},
        {E::RefusedNumber, "4", ""},
    };
    for (const Case& c : cases) {
        Host1 h(c.entry);
        h.box.set("1");
        h.box.set(c.text);
        h.compute.userClick();
        EXPECT_EQ(h.box.NumberMark(), c.mark) << "\"" << c.text << "\"";
        EXPECT_EQ(framedInRed(h.box), *c.mark != '\0') << "\"" << c.text << "\"";
        EXPECT_EQ(h.box.Text(), c.text);
    }
}

TEST(NumberEntry, TheMarkFollowsEveryChangeAndOnlyBoxesTheEngineerTypesInto) {
    Host1 h;
    h.box.setToolTipText("海拔高度");
    h.box.userType("9OO");
    EXPECT_EQ(h.box.NumberMark(), "不是数，按 9 计算");
    EXPECT_EQ(h.box.widget()->toolTip().toStdString(), "不是数，按 9 计算\n海拔高度");
    // The window's own tip and text colour stay the window's.
    EXPECT_EQ(h.box.ToolTipText(), "海拔高度");
    h.box.setForeColor(vbRed);
    EXPECT_EQ(h.box.ForeColor(), vbRed);

    h.box.userType("900");
    EXPECT_EQ(h.box.NumberMark(), "");
    EXPECT_FALSE(framedInRed(h.box));
    EXPECT_EQ(h.box.widget()->toolTip().toStdString(), "海拔高度");

    h.box.setSilently("7x5");
    EXPECT_EQ(h.box.NumberMark(), "不是数，按 7 计算");
    // A box that leaves the input colour is no longer one the engineer types into, and back again.
    h.box.setBackColor(vbButtonFace);
    EXPECT_EQ(h.box.NumberMark(), "");
    EXPECT_FALSE(framedInRed(h.box));
    h.box.setBackColor(kInputColor);
    EXPECT_TRUE(framedInRed(h.box));
    // A multi-line box keeps its mark across the change of widget.
    h.box.setMultiLine(true);
    EXPECT_EQ(h.box.NumberMark(), "不是数，按 7 计算");
    EXPECT_TRUE(framedInRed(h.box));

    Host host;
    TextBox result;
    result.place(host, 0, 0, 1500, 300);
    result.set("9OO");
    EXPECT_EQ(result.NumberMark(), "") << "a box the program writes is not the engineer's";
}

TEST(NumberEntry, TheDeclaredExceptionsHoldWhicheverComesFirst) {
    Host host;
    TextBox name, area, count;
    for (TextBox* box : {&name, &area, &count}) {
        box->place(host, 0, 0, 1500, 300);
    }
    Layout::entries({.texts = {&name}, .optionalNumbers = {&area}});
    Layout::inputs({&name, &area, &count});
    EXPECT_EQ(name.NumberMark(), "");
    EXPECT_EQ(area.NumberMark(), "");
    EXPECT_EQ(count.NumberMark(), "") << "nothing has read it empty yet";
    name.set("K10+000");
    area.set("65m2");
    EXPECT_EQ(name.NumberMark(), "");
    EXPECT_EQ(area.NumberMark(), "不是数，按 65 计算");
}

// An empty box is the engineer's to fill: it is marked once a calculation asked for in its window read
// it empty, and the mark goes when it holds a number. A window that opens or computes a preview marks
// nothing; a text that is not a number is marked at once.
TEST(NumberEntry, AnEmptyBoxIsMarkedOnlyOnceACalculationOfItsWindowReadIt) {
    Host1 h;
    TextBox other;
    other.place(h.host, 0, 800, 1500, 300);
    Layout::inputs({&other});
    h.box.Change = [&] { (void)other.Text(); };
    EXPECT_EQ(h.box.NumberMark(), "") << "opened empty";
    (void)h.box.Text();
    EXPECT_EQ(h.box.NumberMark(), "") << "read outside a calculation";
    h.box.userType("5");
    EXPECT_EQ(other.NumberMark(), "") << "typing one box computes no verdict on another";
    Host elsewhere;
    CommandButton open;
    open.place(elsewhere, 0, 0, 1500, 300);
    open.Click = [&] { (void)other.Text(); };
    elsewhere.Show();
    open.userClick();
    EXPECT_EQ(other.NumberMark(), "") << "another window's button opened it";
    h.compute.Click = [&] { (void)other.Text(); };
    h.compute.userClick();
    EXPECT_EQ(other.NumberMark(), "未填，按 0 计算");
    EXPECT_TRUE(framedInRed(other));
    other.userType("3");
    EXPECT_EQ(other.NumberMark(), "");
    other.set("");
    EXPECT_EQ(other.NumberMark(), "") << "emptied again, not yet read";
    h.box.userType("");
    EXPECT_EQ(h.box.NumberMark(), "") << "its window read it on no change of its own";
    other.userType("5O");
    EXPECT_EQ(other.NumberMark(), "不是数，按 5 计算");
}

// A box the engineer cannot reach is no omission and no typo of the engineer's: a list of names is never
// marked, and a box of a disabled frame shows its mark only once the frame is enabled again.
TEST(NumberEntry, OnlyABoxTheEngineerCanReachIsMarked) {
    Host1 h;
    Frame frame;
    frame.place(h.host, 0, 800, 3000, 1200);
    TextBox inside;
    ComboBox names;
    inside.place(frame, 100, 200, 1500, 300);
    names.place(h.host, 0, 2100, 1500, 300);
    Layout::inputs({&inside, &names});
    names.userType("隧道A");
    EXPECT_EQ(names.NumberMark(), "");
    frame.setEnabled(false);
    h.compute.Click = [&] { (void)inside.Text(); };
    h.compute.userClick();
    EXPECT_EQ(inside.NumberMark(), "") << "read empty while out of reach";
    inside.setSilently("9OO");
    EXPECT_EQ(inside.NumberMark(), "");
    EXPECT_FALSE(framedInRed(inside));
    frame.setEnabled(true);
    EXPECT_EQ(inside.NumberMark(), "不是数，按 9 计算");
    EXPECT_TRUE(framedInRed(inside));
}

TEST(NumberEntry, ABoxReadAsANumberIsMarkedWhateverItsColour) {
    Host host;
    TextBox size, result;
    size.place(host, 0, 0, 1500, 300);
    result.place(host, 0, 400, 1500, 300);
    Layout::entries({.numbers = {&size}});
    host.Show();
    size.userType("5O");
    result.set("5O");
    EXPECT_EQ(size.NumberMark(), "不是数，按 5 计算");
    EXPECT_TRUE(framedInRed(size));
    EXPECT_EQ(result.NumberMark(), "");
}

// The picture of a marked box beside an unmarked one, saved in ARIDANE_GRAB_DIR when it is set.
TEST(NumberEntry, PictureOfAMarkedBox) {
    Host host;
    Layout::window(host, "海拔", 3600, 1700);
    Layout layout;
    TextBox typo, number;
    ComboBox speed;
    layout.column(host, {.left = 120, .labelWidth = 1500, .boxWidth = 1500}, 120,
                  {{"海拔高度(m)", &typo}, {"海拔高度(m)", &number}, {"设计车速(km/h)", &speed}});
    Layout::inputs({&typo, &number, &speed});
    Layout::entries({.numberLists = {&speed}});
    typo.set("9OO");
    number.set("900");
    Layout::choices(speed, std::vector<std::string>{"80", "100"});
    host.Show();
    speed.userType("8O");
    EXPECT_TRUE(framedInRed(typo));
    EXPECT_FALSE(framedInRed(number));
    EXPECT_EQ(speed.NumberMark(), "不是数，按 8 计算");
    EXPECT_TRUE(framedInRed(speed));
    test_support::savePicture(*host.window(), "number_mark");
}

} // namespace
