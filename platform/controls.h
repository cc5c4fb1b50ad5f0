// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <QtCore/QPointer>

#include <concepts>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class QObject;
class QTreeWidgetItem;
class QAction;
class QMenu;

// The controls a window holds as members. Every control keeps its geometry in twips (15 twips = 1
// pixel), relative to its container. Events are std::function members that the window connects to its
// handlers in its connectEvents(). The control owns the firing: set...() fires the event only when the value
// changes, setSilently...() fires nothing, and user...() acts as a user would and fires what the user's
// action fires. Qt's own signals never reach window code directly.
namespace platform {

/// Connects a control's event to its handler in the window: `Connect(cmdOK.Click, this, &frmX::cmdOK_Click)`.
/// The handler may be a member of a base class of the window; its parameters are the event's.
template <class Window, class Owner, class... Args>
requires std::derived_from<Window, Owner>
void Connect(std::function<void(Args...)>& event, Window* window, void (Owner::*handler)(Args...)) {
    event = [window, handler](Args... args) { (window->*handler)(args...); };
}

/// A colour as the classic runtime keeps it: red + 256·green + 65536·blue; values with the top bit set
/// are system colours.
using Color = std::uint32_t;
constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | (static_cast<Color>(g & 0xFF) << 8) |
           (static_cast<Color>(b & 0xFF) << 16);
}
constexpr Color vbButtonFace = 0x8000000F;
constexpr Color vbWindowBackground = 0x80000005;
constexpr Color vbWindowText = 0x80000008;
constexpr Color vbWhite = 0xFFFFFF;
constexpr Color vbBlack = 0x000000;
constexpr Color vbRed = 0x0000FF;

/// The most characters of one line that a caption, a read-only text box or a list cell shows; the rest of
/// a longer line shows as "…". What the control holds, and hands back, is the whole text: only the
/// painting is bounded, so that a file with a line of a million characters opens as quickly as any other.
inline constexpr int kShownLineLength = 2000;
/// The light yellow of the boxes the engineer types into.
inline constexpr Color kInputColor = RGB(255, 255, 192);

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    /// Puts the control into its container at a position and size in twips.
    void place(Container& parent, int left, int top, int width, int height);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);

    /// The control's own Enabled and Visible: a control in a disabled frame keeps Enabled true, as in
    /// the classic runtime, but the user cannot reach it.
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    Color BackColor() const { return backColor_; }
    void setBackColor(Color color);
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color color);
    std::string ToolTipText() const;
    void setToolTipText(const std::string& text);
    void setFont(const std::string& family, double points, bool bold = false);
    void SetFocus();

    /// The mouse entered or moved over the control (status-bar help).
    std::function<void()> MouseMove;
    void userMouseMove();

    /// The widget behind the control (platform use only).
    QWidget* widget() const;

protected:
    Control(QWidget* widget, Color backColor);
    /// Swaps the widget for another kind, keeping container, geometry and state.
    void replaceWidget(QWidget* widget);
    /// True when a user could act on the control now; otherwise records a fault naming `action`.
    bool userCanAct(const char* action) const;
    static void fire(const std::function<void()>& event);
    /// Runs after place() (docked bars lay themselves out).
    virtual void placed() {}
    /// Runs after the back colour changed.
    virtual void backColorChanged() {}
    /// A tip the platform shows before the window's own (the number mark); "" for none.
    void setPlatformTip(const std::string& tip);
    /// The user released the mouse over the control.
    virtual void mouseReleased() {}

private:
    friend class NumberMarker;
    void applyGeometry();
    void applyColors();
    void applyTip();
    void watchMouse();
    friend class MouseWatch;

    QPointer<QWidget> widget_;
    int left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    bool enabled_ = true, visible_ = true;
    Color backColor_, foreColor_ = vbWindowText;
    std::string tip_;
    std::string platformTip_;
};

/// What a box the engineer types a number into holds: a box in the input colour is read by its leading
/// number ("9OO" as 9), so such a box holding a text that is not a number is framed in red with a tip
/// naming the value used, as soon as the text is there and for as long as it stays. An empty box is
/// framed only once a calculation the engineer asked for (a button of its window, or typing into the box
/// itself) has read it empty, until it holds text again: a window that opens with empty boxes, or one
/// that computes a box, shows no mark. A box the engineer cannot reach (disabled, or in a disabled frame)
/// carries no mark, and a calculation that reads it there marks nothing. A window declares its other
/// boxes: names and descriptions (Text, never marked), boxes that may be left empty (OptionalNumber:
/// marked only for text that is not a number), boxes a step refuses when they are not a number
/// (RefusedNumber: the mark names no value, as the step computes none), and boxes read as a number
/// outside the input colour (setReadAsNumber). A combo box is marked as a text box once its window
/// declares what it holds; until then it is a list of names and never marked. A typo that a step read
/// keeps its mark when the step writes the value it used back into the box ("5O00" read as 5, written
/// "5.00"), for as long as the box shows that value and until the engineer types into it again: the
/// rewrite would otherwise hide that the number was never typed.
class NumberMarker {
public:
    enum class Entry { Number, OptionalNumber, Text, RefusedNumber };

    /// `byColour`: the input colour alone makes the box a number box (a text box), or only a declaration
    /// does (a combo box).
    explicit NumberMarker(bool byColour) : byColour_(byColour) {}
    NumberMarker(const NumberMarker&) = delete;
    NumberMarker& operator=(const NumberMarker&) = delete;

    Entry entry() const { return entry_; }
    void setEntry(Entry entry) { entry_ = entry; }
    void setReadAsNumber() { readAsNumber_ = true; }
    void setRangeCheck(std::function<std::optional<std::string>(double)> check) {
        rangeCheck_ = std::move(check);
    }
    const std::string& mark() const { return mark_; }

    /// The box holds `text` now: its mark, tip and frame follow.
    void update(Control& box, const std::string& text);
    /// The window reads `text` from the box, the text the box last gave update: within a calculation the
    /// engineer asked for, an empty box is marked from then on; a typo's mark is kept over a rewrite of
    /// the value it was read as.
    void read(Control& box, const std::string& text);
    /// The engineer types or picks into the box: a typo's mark kept over a rewrite ends.
    void typed() { usedMark_.clear(); }

private:
    std::function<std::optional<std::string>(double)> rangeCheck_;
    std::string mark_;
    Entry entry_ = Entry::Number;
    bool byColour_;
    bool readAsNumber_ = false;
    /// A calculation read the box while it was empty (reset once it holds text).
    bool readEmpty_ = false;
    /// The mark of a typo a step read, and the value it was read as; empty when none is kept.
    std::string usedMark_;
    double usedValue_ = 0;
    /// The value the box's text is read as while it is a typo its mark names a value for, worked out
    /// once by update for that text; nullopt for any other text.
    std::optional<double> typoValue_;
    QPointer<QWidget> frame_;
};

/// While it lives, what the program reads of the boxes is no calculation of them: a comparison of what the
/// boxes show (a hint line) neither marks an empty box nor counts as a step's read of a typo.
class QuietReads {
public:
    QuietReads();
    ~QuietReads();
    QuietReads(const QuietReads&) = delete;
    QuietReads& operator=(const QuietReads&) = delete;
};

/// Lists the text boxes and combo boxes whose text a calculation the engineer asked for reads in the
/// box's own window while the object lives, each once in the order first read: the way a check finds
/// every box a step reads.
class BoxReads {
public:
    BoxReads();
    ~BoxReads();
    BoxReads(const BoxReads&) = delete;
    BoxReads& operator=(const BoxReads&) = delete;
    const std::vector<Control*>& boxes() const { return boxes_; }
    void add(Control* box);

private:
    BoxReads* before_;
    std::vector<Control*> boxes_;
};

/// A box the engineer types into (see NumberMarker for its mark).
class TextBox : public Control {
public:
    using Entry = NumberMarker::Entry;

    TextBox();
    ~TextBox() override;
    std::string Text() const;
    /// Assigns the text; fires Change when it differs from the current text.
    void set(const std::string& text);
    void setSilently(const std::string& text);
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    bool MultiLine() const { return multiLine_; }
    /// A multi-line box wraps its text and has a vertical scroll bar.
    void setMultiLine(bool multiLine);
    /// A borderless box (the label boxes of the main window).
    void setBorderless(bool borderless);
    void setSelStart(int start);
    void setSelLength(int length);

    std::function<void()> Change;

    /// The user replaces the text by typing `text`: Change fires once when the text changed.
    void userType(const std::string& text);

    /// What the box holds when it is one the engineer types into; a number unless the window says not.
    void setEntry(Entry entry);
    Entry entry() const { return marker_.entry(); }
    /// The window reads the box as a number whatever its colour: it is marked as an input box is.
    void setReadAsNumber();
    /// The tip of the red frame ("不是数，按 9 计算"), "" when the box is not marked.
    std::string NumberMark() const { return marker_.mark(); }
    /// A check of the number the box holds once it is one (a station within range): the reason it cannot
    /// be used, shown as the box's red mark whatever the box's colour, or nullopt when it can.
    void setRangeCheck(std::function<std::optional<std::string>(double)> check);

protected:
    void backColorChanged() override;

private:
    void build();
    void typed();
    void checkNumber();
    void show(const std::string& text);
    /// The text as it stands, without counting as a read.
    std::string shown() const;
    std::string last_;
    /// The whole text of a read-only box whose display was bounded; empty while it shows all it holds.
    std::optional<std::string> held_;
    mutable NumberMarker marker_{true};
    bool locked_ = false, multiLine_ = false, borderless_ = false;
};

/// A control with a caption that the user clicks: label, command button, check box, option button.
class ClickControl : public Control {
public:
    std::string Caption() const { return caption_; }
    void setCaption(const std::string& caption);
    std::function<void()> Click;
    /// The user clicks the control: it does what a click does (see each control) and fires Click.
    void userClick();

protected:
    using Control::Control;
    /// What a user's click does to the control, Click included.
    virtual void clicked() { fire(Click); }

private:
    std::string caption_;
};

class Label : public ClickControl {
public:
    Label();
    /// 0 left, 1 right, 2 centre.
    void setAlignment(int alignment);
    void setWordWrap(bool wrap);

protected:
    void mouseReleased() override;
};

class CommandButton : public ClickControl {
public:
    CommandButton();

protected:
    /// A click asks the window to compute: an empty box its handler reads is marked from then on.
    void clicked() override;
};

class CheckBox : public ClickControl {
public:
    CheckBox();
    /// 0 unchecked, 1 checked, 2 grayed.
    int Value() const;
    /// Fires Click when the value changes. A value outside 0..2 is refused (false).
    bool set(int value);
    bool setSilently(int value);

protected:
    /// Unchecked or grayed becomes checked, checked becomes unchecked; Click fires.
    void clicked() override;
};

/// Option buttons with the same container exclude each other.
class OptionButton : public ClickControl {
public:
    OptionButton();
    bool Value() const;
    /// Setting true clears the other options of the container and fires Click on this one when it was
    /// not selected; setting false only clears it.
    void set(bool value);
    void setSilently(bool value);

protected:
    /// The user picks this option: Click fires when it was not selected.
    void clicked() override;

private:
    void apply(bool value);
};

class ComboBox : public Control {
public:
    enum Style { DropdownCombo = 0, DropdownList = 2 };
    ComboBox();
    ~ComboBox() override;
    void setStyle(Style style);
    Style getStyle() const { return style_; }

    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    /// Item `index` (0-based); "" outside the list.
    std::string List(int index) const;
    void setList(int index, const std::string& item);

    /// 0-based position of the selected item, -1 for none.
    int ListIndex() const;
    /// Selects an item (-1 none); fires Click when the position changes. False (nothing changes) when
    /// the position is outside the list.
    bool setListIndex(int index);
    bool setListIndexSilently(int index);

    std::string Text() const;
    /// Editable box: shows the text (selecting the item it equals) and fires Change when the text
    /// changes. Drop-down list: selects the item with that text, firing Click; a text that is no item
    /// is refused (false).
    bool setText(const std::string& text);
    bool setTextSilently(const std::string& text);

    std::function<void()> Click;
    std::function<void()> Change;

    /// The user picks item `index` from the list: Click fires (as it does for every pick).
    void userSelect(int index);
    /// The user types into an editable box: Change fires once when the text changed.
    void userType(const std::string& text);

    /// What the box holds; declaring it makes it marked as a text box is (a number list such as the
    /// design speeds), or never (Text: a list of names).
    using Entry = NumberMarker::Entry;
    void setEntry(Entry entry);
    Entry entry() const { return marker_.entry(); }
    /// The tip of the red frame, "" when the box is not marked.
    std::string NumberMark() const { return marker_.mark(); }

protected:
    void backColorChanged() override;

private:
    bool applyText(const std::string& text, bool fireEvents);
    /// A text too long for the box reads from its start, as a text box shows it.
    void showFromStart();
    void connectEdit();
    void checkNumber();
    Style style_ = DropdownCombo;
    mutable NumberMarker marker_{false};
};

class ListBox : public Control {
public:
    ListBox();
    /// 0 single, 1 simple (a click toggles), 2 extended.
    void setMultiSelect(int mode);
    int MultiSelect() const { return multiSelect_; }
    /// Items with a check box; Selected(i) is then the check mark.
    void setCheckBoxStyle(bool checkBoxes);

    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    void setList(int index, const std::string& item);
    /// The text of the item at ListIndex, "" for none.
    std::string Text() const;

    /// 0-based current item, -1 for none.
    int ListIndex() const;
    /// Makes an item current (and selected in a single-select list); fires Click and Change when it
    /// changes. False when outside the list.
    bool setListIndex(int index);
    bool setListIndexSilently(int index);

    bool Selected(int index) const;
    /// Fires Click and Change when the selection changes; false outside the list.
    bool setSelected(int index, bool selected);
    bool setSelectedSilently(int index, bool selected);

    std::function<void()> Click;
    std::function<void()> Change;

    /// The user clicks item `index`: selects it (toggles it in a multi-select or check-box list).
    void userClick(int index);

private:
    bool applyIndex(int index, bool fireEvents);
    bool applySelected(int index, bool selected, bool fireEvents);
    bool checkable() const { return checkBoxes_; }
    int multiSelect_ = 0;
    bool checkBoxes_ = false;
};

class Frame : public Control, public Container {
public:
    Frame();
    std::string Caption() const;
    void setCaption(const std::string& caption);
    /// 0 none, 1 a line with the caption.
    void setBorderStyle(int style);
    QWidget* containerWidget() const override;
};

class Image : public Control {
public:
    Image();
    /// Loads a picture from a file; false (picture unchanged) when it cannot be read. "" clears it.
    /// A drawing (.svg) is drawn at the size of the box, its proportions kept; a bitmap name that is
    /// missing shows the drawing of the same name beside it, so an office may still put its own bitmap there.
    bool setPicture(const std::string& path);
    /// A picture of the installation: the file `name` in the program's ConfigFiles\图片 folder.
    bool setInstalledPicture(const std::string& name);
    std::string Picture() const { return picture_; }
    void setStretch(bool stretch);

private:
    std::string picture_;
    bool stretch_ = false;
};

class ScrollBar : public Control {
public:
    enum Orientation { Horizontal, Vertical };
    explicit ScrollBar(Orientation orientation = Horizontal);
    int Min() const;
    int Max() const;
    void setMin(int value);
    void setMax(int value);
    int SmallChange() const;
    int LargeChange() const;
    void setSmallChange(int value);
    void setLargeChange(int value);
    int Value() const;
    /// Fires Change when the value changes; a value outside Min..Max is refused (false).
    bool set(int value);
    bool setSilently(int value);
    std::function<void()> Change;
    /// The user drags the box to `value` (clamped to the range); Change fires when it moved.
    void userSet(int value);

private:
    bool apply(int value, bool fireEvents);
    void applyRange();
    int min_ = 0, max_ = 32767;
};

class TextBox;

class UpDown : public Control {
public:
    UpDown();
    int Min() const { return min_; }
    int Max() const { return max_; }
    void setMin(int value) { min_ = value; }
    void setMax(int value) { max_ = value; }
    int Increment() const { return increment_; }
    void setIncrement(int value) { increment_ = value; }
    int Value() const { return value_; }
    /// Fires Change when the value changes; outside Min..Max is refused (false).
    bool set(int value);
    bool setSilently(int value);
    /// A text box that shows the value (its Change fires when the text changes).
    void setBuddy(TextBox* buddy) { buddy_ = buddy; }
    std::function<void()> Change;
    void userUp();
    void userDown();

private:
    bool apply(int value, bool fireEvents);
    int min_ = 0, max_ = 10, increment_ = 1, value_ = 0;
    TextBox* buddy_ = nullptr;
};

class ListView;
class TabStrip;
class MultiPage;

class ListItem {
public:
    /// 1-based position in the list.
    int Index() const;
    std::string Text() const;
    void setText(const std::string& text);
    /// Cell `i` (1-based, the columns after the first); "" when it has none.
    std::string SubItems(int i) const;
    void setSubItems(int i, const std::string& text);
    bool Selected() const;
    /// Selecting in code never fires ItemClick.
    void setSelected(bool selected);
    /// Text colour of the row's first cell; vbWindowText until one is set.
    Color ForeColor() const;
    void setForeColor(Color color);

private:
    friend class ListView;
    friend class ListItems;
    ListItem(ListView* owner, QTreeWidgetItem* item) : owner_(owner), item_(item) {}
    ListView* owner_;
    QTreeWidgetItem* item_;
};

/// A column shows at least its header text whole, however narrow the width asked for; Width() is the
/// width asked for.
class ColumnHeader {
public:
    std::string Text() const;
    void setText(const std::string& text);
    int Width() const;
    void setWidth(int twips);
    int Index() const { return index_; }

private:
    friend class ColumnHeaders;
    ColumnHeader(ListView* owner, int index, int width) : owner_(owner), index_(index), width_(width) {}
    ListView* owner_;
    int index_;
    int width_;
};

/// The parts a control numbers from 1: the columns of a list view, the tabs of a tab strip.
template <class Owner, class Part> class NumberedParts {
public:
    int Count() const { return static_cast<int>(parts_.size()); }
    /// Part `i`, 1-based.
    Part& operator()(int i) { return *parts_.at(static_cast<std::size_t>(i - 1)); }

protected:
    explicit NumberedParts(Owner* owner) : owner_(owner) {}
    Owner* owner_;
    std::vector<std::unique_ptr<Part>> parts_;
};

class ColumnHeaders : public NumberedParts<ListView, ColumnHeader> {
public:
    /// Adds a column; the classic default width is 1440 twips.
    ColumnHeader& Add(const std::string& text, int widthTwips = 1440);
    void Clear();

private:
    friend class ListView;
    explicit ColumnHeaders(ListView* owner) : NumberedParts(owner) {}
};

class ListItems {
public:
    /// Appends a row. The first row added to an empty list becomes the selected one.
    ListItem& Add(const std::string& text = "");
    /// Inserts a row at 1-based position `index` (Count()+1 appends).
    ListItem& Insert(int index, const std::string& text = "");
    int Count() const;
    /// Row `i`, 1-based. Outside the list: a fault is recorded and a detached empty row returned.
    ListItem& operator()(int i);
    /// Removes row `i`; the selection moves to the row now at that place (or the last).
    void Remove(int i);
    void Clear();

private:
    friend class ListView;
    friend class ListItem;
    explicit ListItems(ListView* owner) : owner_(owner) {}
    ListItem& detached();
    ListView* owner_;
    std::vector<std::unique_ptr<ListItem>> items_;
    std::unique_ptr<ListItem> nowhere_;
};

/// A list view in report view. A list that holds rows always has a selected row.
class ListView : public Control {
public:
    ListView();
    ~ListView() override;

    platform::ColumnHeaders ColumnHeaders;
    platform::ListItems ListItems;

    /// The selected row, nullptr only for an empty list.
    ListItem* SelectedItem();
    /// 1-based position of the selected row, 0 for none.
    int SelectedIndex() const;
    /// Selects row `i` in code (no ItemClick); false outside the list.
    bool select(int i);
    void setGridLines(bool gridLines);

    std::function<void(ListItem&)> ItemClick;

    /// The user clicks row `i`: it becomes selected and ItemClick fires.
    void userItemClick(int i);

    /// Counts every change of the rows' texts (a row added, inserted or removed, the list cleared, a cell
    /// set), so that a reader can keep what it parsed from the rows until they change.
    unsigned long long Revision() const { return revision_; }

private:
    friend class ListItem;
    friend class ListItems;
    friend class ColumnHeader;
    friend class platform::ColumnHeaders;
    int indexOf(const QTreeWidgetItem* item) const;
    void fireItemClick(int i);
    bool mouseDown_ = false;
    unsigned long long revision_ = 0;
};

class Tab {
public:
    std::string Caption() const;
    void setCaption(const std::string& caption);
    int Index() const { return index_; }

private:
    friend class Tabs;
    Tab(TabStrip* owner, int index) : owner_(owner), index_(index) {}
    TabStrip* owner_;
    int index_;
};

class Tabs : public NumberedParts<TabStrip, Tab> {
public:
    Tab& Add(const std::string& caption);
    void Clear();

private:
    friend class TabStrip;
    explicit Tabs(TabStrip* owner) : NumberedParts(owner) {}
};

/// A row of tabs; the pages are frames the window shows and hides itself.
class TabStrip : public Control {
public:
    TabStrip();
    ~TabStrip() override;
    platform::Tabs Tabs;
    /// 1-based selected tab, 0 for none.
    int SelectedIndex() const;
    /// Selects a tab; fires Click when the selection changes. False outside the tabs.
    bool set(int index);
    bool setSilently(int index);
    std::function<void()> Click;
    /// The user clicks tab `i`: it becomes selected and Click fires (also on the selected tab).
    void userClick(int i);

private:
    friend class platform::Tabs;
};

class Page : public Container {
public:
    std::string Caption() const;
    void setCaption(const std::string& caption);
    int Index() const { return index_; }
    QWidget* containerWidget() const override { return widget_; }

private:
    friend class MultiPage;
    Page(MultiPage* owner, QWidget* widget, int index) : owner_(owner), widget_(widget), index_(index) {}
    MultiPage* owner_;
    QWidget* widget_;
    int index_;
};

/// Pages with tabs, each page a container.
class MultiPage : public Control {
public:
    MultiPage();
    Page& AddPage(const std::string& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    /// Page `i`, 0-based.
    Page& Pages(int i);
    /// 0-based selected page.
    int Value() const;
    /// Fires Change when the page changes; false outside the pages.
    bool set(int index);
    bool setSilently(int index);
    std::function<void()> Change;
    void userClick(int index);

private:
    std::vector<std::unique_ptr<Page>> pages_;
};

class Panel {
public:
    enum class Style { Text, Date, Time };
    static constexpr Style sbrText = Style::Text;
    static constexpr Style sbrDate = Style::Date;
    static constexpr Style sbrTime = Style::Time;
    std::string Text() const;
    void setText(const std::string& text);
    void setStyle(Style style);
    /// Width in twips; 0 lets the panel take the spare room.
    void setWidth(int twips);

private:
    friend class StatusBar;
    Panel(QWidget* label) : label_(label) {}
    QWidget* label_;
    std::string text_;
    Style style_ = Style::Text;
};

/// A bar along an edge of its container: the status bar and the tool bar.
class DockedBar : public Control {
public:
    /// Lays itself along its edge of the container (after place or a resize of the form).
    void dock();

protected:
    /// `edge`: "top" or "bottom".
    DockedBar(QWidget* widget, const char* edge);
    void placed() override { dock(); }
};

/// The status bar along the bottom of the form, with its panels.
class StatusBar : public DockedBar {
public:
    StatusBar();
    ~StatusBar() override;
    Panel& AddPanel(const std::string& text = "", Panel::Style style = Panel::Style::Text,
                    int widthTwips = 0);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    /// Panel `i`, 1-based.
    Panel& Panels(int i);

private:
    void tick();
    std::vector<std::unique_ptr<Panel>> panels_;
    QObject* timer_ = nullptr;
};

/// What the user chooses from a bar or a menu: a tool-bar button or a menu entry.
class ActionItem {
public:
    std::string Caption() const;
    void setCaption(const std::string& caption);
    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);

protected:
    QPointer<QAction> action_;
};

class ToolbarButton : public ActionItem {
public:
    enum class Style { Default, Check, Separator };
    static constexpr Style tbrDefault = Style::Default;
    static constexpr Style tbrCheck = Style::Check;
    static constexpr Style tbrSeparator = Style::Separator;
    std::string Key() const { return key_; }
    /// Pressed state of a Check button.
    bool Value() const;
    void setValue(bool pressed);
    void setToolTipText(const std::string& text);
    /// An icon from a picture file; false when it cannot be read.
    bool setImage(const std::string& path);
    int Index() const { return index_; }

private:
    friend class Toolbar;
    ToolbarButton(QAction* action, std::string key, int index);
    std::string key_;
    int index_;
};

/// The tool bar along the top of the form.
class Toolbar : public DockedBar {
public:
    Toolbar();
    ~Toolbar() override;
    ToolbarButton& AddButton(const std::string& key, const std::string& caption,
                             ToolbarButton::Style style = ToolbarButton::Style::Default);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    /// Button `i`, 1-based.
    ToolbarButton& Buttons(int i);
    /// The button with this key, nullptr when none has it.
    ToolbarButton* Button(const std::string& key);
    std::function<void(ToolbarButton&)> ButtonClick;
    /// The user clicks the button with this key: ButtonClick fires when it is enabled.
    void userClick(const std::string& key);

private:
    void clicked(ToolbarButton& button);
    std::vector<std::unique_ptr<ToolbarButton>> buttons_;
};

/// An entry of the form's menu bar or of a menu: a caption "-" makes a separator. An entry that
/// receives entries becomes a submenu.
class Menu : public ActionItem {
public:
    Menu();
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    /// A menu of the menu bar.
    void create(Form& form, const std::string& caption);
    /// An entry of `parent`.
    void create(Menu& parent, const std::string& caption);

    bool Checked() const;
    void setChecked(bool checked);
    /// Keyboard shortcut such as "Ctrl+O".
    void setShortcut(const std::string& keys);

    std::function<void()> Click;
    /// The user chooses the entry: Click fires when it and its parents are enabled.
    void userClick();

private:
    QMenu* submenu();
    QPointer<QMenu> menu_;
    Menu* parent_ = nullptr;
};

/// Controls sharing a name and an event handler, told apart by an index (optCrMehthod(0..2)).
template <class T> class ControlArray {
public:
    /// Creates element `index` (it keeps the handlers connected so far).
    T& add(int index) {
        auto& slot = items_[index];
        slot = std::make_unique<T>();
        for (auto& connect : connections_) {
            connect(index, *slot);
        }
        return *slot;
    }
    T& operator()(int index) { return *items_.at(index); }
    const T& operator()(int index) const { return *items_.at(index); }
    bool exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

    /// Connects an event of every element to one handler that receives the element's index:
    /// `optCrMehthod.on(&OptionButton::Click, [this](int i) { optCrMehthod_Click(i); });`
    void on(std::function<void()> T::*event, std::function<void(int)> handler) {
        auto connect = [event, handler](int index, T& control) {
            control.*event = [handler, index] { handler(index); };
        };
        for (auto& [index, control] : items_) {
            connect(index, *control);
        }
        connections_.push_back(connect);
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::map<int, std::unique_ptr<T>> items_;
    std::vector<std::function<void(int, T&)>> connections_;
};

/// Adds each of `items` to a list or combo box, in order.
template <class Box, class Items> void AddItems(Box& box, const Items& items) {
    for (const auto& item : items) {
        box.AddItem(item);
    }
}

} // namespace platform
