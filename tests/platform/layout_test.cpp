// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"
#include "platform/layout.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct Host : Form {};

} // namespace

TEST(Layout, RowsButtonsAndABoxButtonStandWhereTheWindowsExpectThem) {
    Host host;
    Layout layout;
    TextBox first, second;
    Label named;
    CommandButton inBox, wide, narrow, up, down;

    // A named caption takes the row's place and text; the layout makes a caption only for the other.
    const Layout::Column rows{.left = 120, .labelWidth = 2000, .boxWidth = 1300, .pitch = 390};
    const int bottom = layout.column(host, rows, 280, {{"起点:", &first}, {"终点:", &second, &named}});
    EXPECT_EQ(bottom, 280 + 2 * 390);
    ASSERT_EQ(layout.captions().size(), 1u);
    EXPECT_EQ(layout.captions()[0]->Caption(), "起点:");
    EXPECT_EQ(named.Caption(), "终点:");
    EXPECT_EQ(named.Left(), 120);
    EXPECT_EQ(named.Top(), 280 + 390 + rows.labelDrop);
    EXPECT_EQ(second.Left(), 2120);
    EXPECT_EQ(second.Top(), 280 + 390);

    // Moved rows keep the pitch and heights and take the new left and widths.
    const Layout::Column moved = rows.at(4000, 1000, 800);
    EXPECT_EQ(moved.left, 4000);
    EXPECT_EQ(moved.labelWidth, 1000);
    EXPECT_EQ(moved.boxWidth, 800);
    EXPECT_EQ(moved.pitch, 390);

    // The small button ends where the box ended, and the box stops short of it.
    Layout::buttonInBox(host, second, inBox, "...");
    EXPECT_EQ(inBox.Left() + inBox.Width(), 2120 + 1300);
    EXPECT_LT(second.Left() + second.Width(), inBox.Left());
    EXPECT_EQ(inBox.Top(), second.Top());
    EXPECT_EQ(inBox.Height(), second.Height());
    EXPECT_EQ(inBox.Caption(), "...");

    // A button with its own width pushes the next one along by that width.
    Layout::buttons(host, 120, 3000, 1500, 450, 80,
                    {{&wide, "求各区段压力平衡长度", 2120}, {&narrow, "计算"}});
    EXPECT_EQ(wide.Width(), 2120);
    EXPECT_EQ(narrow.Left(), 120 + 2120 + 80);
    EXPECT_EQ(narrow.Width(), 1500);

    Layout::buttonColumn(host, 5000, 240, 1500, 450, 150, {{&up, "计算"}, {&down, "关闭"}});
    EXPECT_EQ(down.Top(), 240 + 450 + 150);
    EXPECT_EQ(down.Left(), 5000);
    EXPECT_EQ(down.Caption(), "关闭");

    Frame& group = layout.group(host, "升压力计算", 120, 240, 3700, 3000);
    EXPECT_EQ(group.Caption(), "升压力计算");
    EXPECT_EQ(group.Width(), 3700);
}
