// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"
#include "platform/scripted.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fit.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

struct Host : Form {};

} // namespace

TEST(TextBox, CodeAssignmentFiresChangeOnceAndOnlyWhenTheTextChanges) {
    Host host;
    TextBox box;
    box.place(host, 0, 0, 1200, 300);
    std::vector<std::string> seen;
    box.Change = [&] { seen.push_back(box.Text()); };

    box.set("12.5");
    box.set("12.5");
    box.set("");
    box.setSilently("7");
    box.set("7");

    EXPECT_EQ(seen, (std::vector<std::string>{"12.5", ""}));
    EXPECT_EQ(box.Text(), "7");
}

TEST(TextBox, UserTypingFiresChangeAndALockedOrDisabledBoxRefusesIt) {
    Host host;
    TextBox box;
    box.place(host, 0, 0, 1200, 300);
    int changes = 0;
    box.Change = [&] { ++changes; };

    box.userType("设计");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Text(), "设计");

    box.setLocked(true);
    box.userType("x");
    box.setLocked(false);
    box.setEnabled(false);
    box.userType("y");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Text(), "设计");
    EXPECT_EQ(scripted::takeFaults().size(), 2u);
}

TEST(TextBox, MultiLineKeepsCrLfLineBreaksAndSurvivesTheSwitch) {
    Host host;
    TextBox box;
    box.place(host, 0, 0, 1200, 900);
    box.setSilently("kept");
    box.setMultiLine(true);
    EXPECT_EQ(box.Text(), "kept");
    box.setSilently("项目名称:\r\n\r\n工程概况:");
    EXPECT_EQ(box.Text(), "项目名称:\r\n\r\n工程概况:");
    EXPECT_EQ(box.Left(), 0);
    EXPECT_EQ(box.Height(), 900);
}

TEST(CheckBox, CodeValueFiresClickWhenChangedAndTheUserToggles) {
    Host host;
    CheckBox box;
    box.place(host, 0, 0, 1200, 300);
    int clicks = 0;
    box.Click = [&] { ++clicks; };

    EXPECT_TRUE(box.set(1));
    EXPECT_TRUE(box.set(1));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.set(2));
    EXPECT_EQ(box.Value(), 2);
    EXPECT_FALSE(box.set(3));
    EXPECT_EQ(box.Value(), 2);
    box.userClick();
    EXPECT_EQ(box.Value(), 1);
    box.userClick();
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks, 4);
    box.setSilently(1);
    EXPECT_EQ(clicks, 4);
}

TEST(OptionButton, OptionsOfOneContainerExcludeEachOtherButNotThoseOfAnother) {
    Host host;
    Frame frame;
    frame.place(host, 0, 0, 3000, 2000);
    OptionButton a, b, other;
    a.place(frame, 100, 200, 2000, 300);
    b.place(frame, 100, 600, 2000, 300);
    other.place(host, 0, 2500, 2000, 300);
    int clicksA = 0, clicksB = 0;
    a.Click = [&] { ++clicksA; };
    b.Click = [&] { ++clicksB; };

    other.setSilently(true);
    a.set(true);
    EXPECT_TRUE(a.Value());
    EXPECT_EQ(clicksA, 1);
    b.set(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_TRUE(other.Value());
    EXPECT_EQ(clicksB, 1);
    // Selecting the selected option again is no change.
    b.set(true);
    b.userClick();
    EXPECT_EQ(clicksB, 1);
    a.userClick();
    EXPECT_EQ(clicksA, 2);
    EXPECT_FALSE(b.Value());
}

TEST(ControlArray, TheHandlerReceivesTheIndexOfTheClickedElement) {
    Host host;
    ControlArray<OptionButton> opt;
    for (int i = 0; i < 3; ++i) {
        opt.add(i).place(host, 0, i * 400, 2000, 300);
    }
    std::vector<int> clicked;
    opt.on(&OptionButton::Click, [&](int i) { clicked.push_back(i); });

    opt(2).set(true);
    opt(0).userClick();
    EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
    EXPECT_FALSE(opt(2).Value());
    EXPECT_EQ(opt.UBound(), 2);
}

TEST(ComboBox, AddingItemsSelectsNothingAndListIndexFiresClick) {
    Host host;
    ComboBox box;
    box.place(host, 0, 0, 1200, 300);
    int clicks = 0, changes = 0;
    box.Click = [&] { ++clicks; };
    box.Change = [&] { ++changes; };
    for (const char* speed : {"100", "80", "70"}) {
        box.AddItem(speed);
    }
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.ListCount(), 3);

    EXPECT_TRUE(box.setListIndex(1));
    EXPECT_EQ(box.Text(), "80");
    EXPECT_TRUE(box.setListIndex(1));
    EXPECT_FALSE(box.setListIndex(3));
    EXPECT_EQ(box.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(box.setText("65"));
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_TRUE(box.setText("70"));
    EXPECT_EQ(box.ListIndex(), 2);
    EXPECT_EQ(changes, 2);

    box.userSelect(0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box.Text(), "100");
    EXPECT_EQ(box.List(5), "");

    // A name too long for the box reads from its start however it came there, as a text box's text does.
    box.AddItem("U办1120可逆射流风机");
    QLineEdit* line = static_cast<QComboBox*>(box.widget())->lineEdit();
    for (const std::function<void()>& set : std::vector<std::function<void()>>{
             [&] { box.setText("U办1120可逆射流风机"); }, [&] { box.setListIndex(3); },
             [&] { box.userSelect(3); }, [&] { emit static_cast<QComboBox*>(box.widget())->activated(3); }}) {
        box.setText("70");
        line->end(false);
        set();
        EXPECT_EQ(line->cursorPosition(), 0) << box.Text();
    }
}

TEST(ComboBox, ADropDownListRefusesTextThatIsNoItem) {
    Host host;
    ComboBox box;
    box.place(host, 0, 0, 1200, 300);
    box.setStyle(ComboBox::DropdownList);
    box.AddItem("高速公路");
    box.AddItem("二级公路");
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    EXPECT_FALSE(box.setText("五级公路"));
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_TRUE(box.setText("二级公路"));
    EXPECT_EQ(box.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);
    box.userType("x");
    EXPECT_EQ(scripted::takeFaults().size(), 1u);
}

TEST(ListBox, MultiSelectAndCheckBoxesKeepEachItemsMark) {
    Host host;
    ListBox list;
    list.place(host, 0, 0, 1200, 1200);
    list.setCheckBoxStyle(true);
    for (const char* c : {"1 小型货车", "2 中型货车", "3 大型货车"}) {
        list.AddItem(c);
    }
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    EXPECT_TRUE(list.setSelected(0, true));
    EXPECT_TRUE(list.setSelected(2, true));
    list.userClick(0);
    EXPECT_FALSE(list.Selected(0));
    EXPECT_FALSE(list.Selected(1));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_FALSE(list.setSelected(3, true));
    EXPECT_EQ(clicks, 3);

    ListBox single;
    single.place(host, 0, 1300, 1200, 1200);
    single.AddItem("纵向通风");
    single.AddItem("横向通风");
    EXPECT_EQ(single.ListIndex(), -1);
    single.setListIndex(1);
    single.setSelected(0, true);
    EXPECT_EQ(single.ListIndex(), 0);
    EXPECT_FALSE(single.Selected(1));
}

TEST(ListView, AFilledListHasItsFirstRowSelectedAndCodeSelectionFiresNoItemClick) {
    Host host;
    ListView list;
    list.place(host, 0, 0, 3000, 2000);
    list.ColumnHeaders.Add("桩号", 1200);
    list.ColumnHeaders.Add("坡度", 800);
    int clicks = 0;
    list.ItemClick = [&](ListItem&) { ++clicks; };
    EXPECT_EQ(list.SelectedItem(), nullptr);

    for (int i = 0; i < 3; ++i) {
        ListItem& row = list.ListItems.Add(std::to_string(1000 + i * 100));
        row.setSubItems(1, "0.5");
    }
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(list.SelectedItem()->Text(), "1000");
    EXPECT_TRUE(list.select(3));
    list.ListItems(2).setSelected(true);
    EXPECT_EQ(list.SelectedIndex(), 2);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.ColumnHeaders(1).Width(), 1200);
    EXPECT_EQ(list.ListItems(3).SubItems(1), "0.5");
}

TEST(ListView, UserClickFiresItemClickWithTheClickedRow) {
    Host host;
    ListView list;
    list.place(host, 0, 0, 3000, 2000);
    list.ColumnHeaders.Add("特征年", 1000);
    list.ListItems.Add("2020");
    list.ListItems.Add("2030");
    std::string clicked;
    list.ItemClick = [&](ListItem& item) { clicked = item.Text() + "@" + std::to_string(item.Index()); };
    list.userItemClick(2);
    EXPECT_EQ(clicked, "2030@2");
    EXPECT_EQ(list.SelectedIndex(), 2);
    list.ListItems(2).setForeColor(RGB(0, 0, 128));
    EXPECT_EQ(list.ListItems(2).ForeColor(), RGB(0, 0, 128));
    EXPECT_EQ(list.ListItems(1).ForeColor(), vbWindowText);
}

TEST(ListView, RemovingTheSelectedRowSelectsTheOneNowInItsPlace) {
    Host host;
    ListView list;
    list.place(host, 0, 0, 3000, 2000);
    list.ColumnHeaders.Add("桩号", 1200);
    for (const char* s : {"a", "b", "c"}) {
        list.ListItems.Add(s);
    }
    list.select(2);
    list.ListItems.Remove(2);
    EXPECT_EQ(list.SelectedItem()->Text(), "c");
    list.ListItems.Remove(2);
    EXPECT_EQ(list.SelectedItem()->Text(), "a");
    list.ListItems.Insert(1, "first");
    EXPECT_EQ(list.ListItems(1).Text(), "first");
    EXPECT_EQ(list.SelectedItem()->Text(), "a");
    list.ListItems.Clear();
    EXPECT_EQ(list.SelectedIndex(), 0);
    // A missing row is a fault of the caller, never a crash; writing to it changes no row.
    list.ListItems(5).setText("nowhere");
    EXPECT_EQ(list.ListItems.Count(), 0);
    EXPECT_EQ(scripted::takeFaults().size(), 1u);
}

TEST(ScrollBar, AValueOutsideTheRangeLeavesTheBarAsItWas) {
    Host host;
    ScrollBar bar;
    bar.place(host, 0, 0, 3000, 300);
    bar.setMin(10);
    bar.setMax(120);
    int changes = 0;
    bar.Change = [&] { ++changes; };
    EXPECT_TRUE(bar.set(80));
    EXPECT_TRUE(bar.set(80));
    EXPECT_FALSE(bar.set(130));
    EXPECT_EQ(bar.Value(), 80);
    EXPECT_EQ(changes, 1);
    bar.userSet(500);
    EXPECT_EQ(bar.Value(), 120);
    EXPECT_EQ(changes, 2);
}

TEST(TabStrip, CodeSelectionFiresClickOnChangeAndAUserClickAlways) {
    Host host;
    TabStrip tabs;
    tabs.place(host, 0, 0, 8900, 7200);
    for (const char* c : {"基本信息(&1)", "通风区段(&2)", "交通量分析(&3)"}) {
        tabs.Tabs.Add(c);
    }
    int clicks = 0;
    tabs.Click = [&] { ++clicks; };
    EXPECT_EQ(tabs.SelectedIndex(), 1);
    EXPECT_TRUE(tabs.set(3));
    EXPECT_TRUE(tabs.set(3));
    EXPECT_EQ(clicks, 1);
    tabs.userClick(3);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(tabs.Tabs(2).Caption(), "通风区段(&2)");
}

TEST(UpDown, StepsWithinItsRangeAndWritesItsBuddy) {
    Host host;
    TextBox buddy;
    buddy.place(host, 0, 0, 800, 300);
    UpDown spin;
    spin.place(host, 800, 0, 255, 300);
    spin.setMin(1);
    spin.setMax(3);
    spin.setBuddy(&buddy);
    int buddyChanges = 0;
    buddy.Change = [&] { ++buddyChanges; };
    spin.setSilently(2);
    spin.userUp();
    spin.userUp();
    EXPECT_EQ(spin.Value(), 3);
    EXPECT_EQ(buddy.Text(), "3");
    EXPECT_EQ(buddyChanges, 1);
}

TEST(Toolbar, ButtonClickNamesTheButtonAndADisabledButtonCannotBeClicked) {
    Host host;
    Toolbar bar;
    bar.place(host, 0, 0, 0, 0);
    bar.AddButton("New", "新建");
    bar.AddButton("", "", ToolbarButton::Style::Separator);
    bar.AddButton("Open", "打开");
    std::string clicked;
    bar.ButtonClick = [&](ToolbarButton& b) { clicked = b.Key(); };
    bar.userClick("Open");
    EXPECT_EQ(clicked, "Open");
    bar.Button("New")->setEnabled(false);
    bar.userClick("New");
    EXPECT_EQ(clicked, "Open");
    EXPECT_EQ(scripted::takeFaults().size(), 1u);
}

TEST(StatusBar, PanelsAreOneBasedAndKeepTheirText) {
    Host host;
    StatusBar bar;
    bar.place(host, 0, 0, 0, 0);
    bar.AddPanel("状态");
    bar.AddPanel("", Panel::Style::Date, 1500);
    bar.AddPanel("", Panel::Style::Time, 1200);
    bar.Panels(1).setText("请输入隧道起点桩号");
    EXPECT_EQ(bar.Panels(1).Text(), "请输入隧道起点桩号");
    EXPECT_EQ(bar.PanelCount(), 3);
}

TEST(Menu, ADisabledEntryOrOneUnderADisabledMenuCannotBeChosen) {
    Host host;
    Menu file, open, sep, exit;
    file.create(host, "文件(&F)");
    open.create(file, "打开(&O)...");
    sep.create(file, "-");
    exit.create(file, "退出(&X)");
    int opened = 0;
    open.Click = [&] { ++opened; };
    open.userClick();
    EXPECT_EQ(opened, 1);
    open.setEnabled(false);
    open.userClick();
    open.setEnabled(true);
    file.setEnabled(false);
    open.userClick();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(scripted::takeFaults().size(), 2u);
    exit.setChecked(true);
    EXPECT_TRUE(exit.Checked());
}

TEST(Control, GeometryIsKeptInTwipsExactly) {
    Host host;
    Frame frame;
    frame.place(host, 200, 800, 8700, 6800);
    frame.Move(210, 790);
    EXPECT_EQ(frame.Left(), 210);
    EXPECT_EQ(frame.Top(), 790);
    EXPECT_EQ(frame.Width(), 8700);
    frame.setVisible(false);
    EXPECT_FALSE(frame.Visible());
}

TEST(Control, AnExceptionOutOfAHandlerIsAFaultNotACrash) {
    Host host;
    CommandButton button;
    button.place(host, 0, 0, 1200, 400);
    button.Click = [] { throw std::runtime_error("boom"); };
    button.userClick();
    const auto faults = scripted::takeFaults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("boom"), std::string::npos);
}

// A font may claim "℃" and draw it empty: the sign must reach the screen in the program's font, while
// every control hands its text back exactly as it was given.
TEST(Label, TheCelsiusSignIsDrawnAndEveryControlKeepsItsText) {
    const test_support::ProgramFont font;
    Host host;
    Label label;
    label.place(host, 0, 0, 3000, 300);
    label.setCaption("环境温度t1(℃)");
    EXPECT_EQ(label.Caption(), "环境温度t1(℃)");

    QWidget* w = label.widget();
    QImage image(w->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    w->render(&image);
    const QFontMetrics metrics(w->font());
    const int left = w->contentsRect().left();
    const int from = left + metrics.horizontalAdvance(QStringLiteral("环境温度t1("));
    const int to = left + metrics.horizontalAdvance(QStringLiteral("环境温度t1(℃"));
    int ink = 0;
    for (int x = from; x < to; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 4) << "the sign's cell is blank";

    ListView list;
    list.place(host, 0, 400, 3000, 2000);
    list.ColumnHeaders.Add("风机处环境温度t1(℃)", 1600);
    ListItem& row = list.ListItems.Add("20℃");
    row.setSubItems(1, "-273℃");
    Frame frame;
    frame.place(host, 0, 2500, 3000, 1000);
    frame.setCaption("温度(℃)");
    EXPECT_EQ(list.ColumnHeaders(1).Text(), "风机处环境温度t1(℃)");
    EXPECT_EQ(row.Text(), "20℃");
    EXPECT_EQ(row.SubItems(1), "-273℃");
    EXPECT_EQ(frame.Caption(), "温度(℃)");
}

// A caption stands clear of what lies beside it: its text (not its whole box) off another control, a
// hidden note counted where it shows, a hidden panel not (it is shown instead); a frame's first row below
// the line the frame draws through its caption.
TEST(Label, ACaptionIsCrowdedOnlyWhereItsTextMeetsAnotherControlOrAFramesLine) {
    const test_support::ProgramFont font;
    struct Case {
        const char* what;
        int boxTop;       // a box in a captioned frame [twips from its top]
        int captionWidth; // "风机效率η" beside the box
        bool noteHidden;  // a red note over the caption's end
        bool panel;       // a hidden panel over the caption
        const char* found;
    };
    const Case cases[] = {
        {"clear", 240, 1000, false, false, nullptr},
        {"box on the frame's line", 90, 1000, false, false, "frame line"},
        {"caption box wider than its text", 240, 3000, false, false, nullptr},
        {"caption wrapped", 240, 500, false, false, "wrapped"},
        {"hidden note over the caption", 240, 1000, true, false, "over"},
        {"hidden panel over the caption", 240, 1000, false, true, nullptr},
    };
    for (const Case& c : cases) {
        Host host;
        host.setWidth(8000);
        host.setHeight(3000);
        Frame frame;
        frame.place(host, 0, 0, 6000, 1500);
        frame.setCaption("风机功率计算");
        Label caption;
        caption.place(frame, 120, c.boxTop + 30, c.captionWidth, 255);
        caption.setCaption("风机效率η");
        TextBox box;
        box.place(frame, 2400, c.boxTop, 1000, 300);
        Label note;
        note.place(frame, 600, c.boxTop + 30, 1000, 255);
        note.setCaption(c.noteHidden ? "b以L/kg计" : "");
        note.setVisible(false);
        Frame panel;
        panel.place(frame, c.panel ? 300 : 4000, c.boxTop, 1500, 900);
        panel.setVisible(false);
        const std::vector<std::string> found = test_support::cutTexts(*host.window());
        const bool any = !found.empty();
        EXPECT_EQ(any, c.found != nullptr) << c.what << ": " << (any ? found.front() : "");
        if (c.found != nullptr && any) {
            EXPECT_NE(found.front().find(c.found), std::string::npos) << c.what << ": " << found.front();
        }
    }
}

// ---- Image ----

namespace {

class ImagePicture : public test_support::TempFolderTest {
protected:
    /// A drawing of `w` × `h` units: a black square filling its left half on white.
    void drawing(const std::string& name, int w, int h) {
        std::ofstream(path(name)) << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << w << ' '
                                  << h << "\"><rect width=\"" << w << "\" height=\"" << h
                                  << "\" fill=\"#ffffff\"/><rect width=\"" << w / 2 << "\" height=\"" << h
                                  << "\" fill=\"#000000\"/></svg>";
    }
    void bitmap(const std::string& name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(QString::fromStdString(path(name)), "BMP"));
    }
    QPixmap shown() const { return static_cast<QLabel*>(image.widget())->pixmap(); }

    Host host;
    Image image;
};

} // namespace

TEST_F(ImagePicture, ADrawingFillsItsBoxAndABitmapNameFallsBackToTheDrawingBesideIt) {
    image.place(host, 0, 0, 200 * 15, 100 * 15);
    image.setStretch(true);
    drawing("scheme.svg", 400, 200);
    drawing("lateral.svg", 400, 200);
    bitmap("own.bmp", 30, 20);
    drawing("own.svg", 400, 200);
    std::ofstream(path("broken.svg")) << "<svg";

    struct Case {
        std::string file;
        bool shown;
        QSize size; // of the picture shown
    };
    const Case cases[] = {
        {"scheme.svg", true, {200, 100}},
        {"lateral.bmp", true, {200, 100}}, // no bitmap: the drawing of the same name
        {"own.bmp", true, {30, 20}},       // an office's own bitmap comes first
        {"missing.bmp", false, {30, 20}},  // nothing: the previous picture stays
        {"broken.svg", false, {30, 20}},
    };
    for (const Case& c : cases) {
        const std::string file = path(c.file);
        EXPECT_EQ(image.setPicture(file), c.shown) << c.file;
        EXPECT_EQ(shown().size(), c.size) << c.file;
        if (c.shown) {
            EXPECT_EQ(image.Picture(), file);
        }
    }
    EXPECT_TRUE(image.setPicture(""));
    EXPECT_TRUE(shown().isNull());
    EXPECT_EQ(image.Picture(), "");
}

TEST_F(ImagePicture, ADrawingKeepsItsProportionsAndIsDrawnAgainAtEverySize) {
    drawing("scheme.svg", 400, 200);
    image.place(host, 0, 0, 300 * 15, 100 * 15);
    ASSERT_TRUE(image.setPicture(path("scheme.svg")));
    // A 2:1 drawing in a 3:1 box: 200 × 100 in the middle, the black half from x 50 to 150.
    QImage shownImage = shown().toImage();
    ASSERT_EQ(shownImage.size(), QSize(300, 100));
    EXPECT_EQ(qAlpha(shownImage.pixel(20, 50)), 0);
    EXPECT_EQ(qGray(shownImage.pixel(60, 50)), 0);
    EXPECT_EQ(qGray(shownImage.pixel(180, 50)), 255);
    EXPECT_EQ(qAlpha(shownImage.pixel(280, 50)), 0);

    host.window()->show(); // a hidden window hands its controls their new sizes when it is shown
    image.Move(0, 0, 100 * 15, 50 * 15);
    shownImage = shown().toImage();
    ASSERT_EQ(shownImage.size(), QSize(100, 50));
    EXPECT_EQ(qGray(shownImage.pixel(25, 25)), 0);
    EXPECT_EQ(qGray(shownImage.pixel(75, 25)), 255);
}

TEST_F(ImagePicture, APictureLiesBeneathTheControlsItOverlaps) {
    TextBox box;
    box.place(host, 0, 0, 1200, 300);
    drawing("scheme.svg", 400, 200);
    image.place(host, 0, 0, 200 * 15, 100 * 15);
    ASSERT_TRUE(image.setPicture(path("scheme.svg")));
    // Sibling widgets are stacked in the order of their parent's children, the first at the bottom.
    const QObjectList& stack = image.widget()->parentWidget()->children();
    ASSERT_EQ(box.widget()->parentWidget(), image.widget()->parentWidget());
    EXPECT_LT(stack.indexOf(image.widget()), stack.indexOf(box.widget()));
}
