// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/FormWindow.h"
#include "platform/scripted.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPainter>
#include <QPen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <qdrawutil.h>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <cmath>
#include <utility>

namespace platform {
namespace {

constexpr int kTwipsPerPixel = 15;
int px(int twips) {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QColor toQColor(Color c, QPalette::ColorRole systemRole) {
    if ((c & 0x80000000u) != 0) {
        QPalette pal = QApplication::palette();
        switch (c & 0xFF) {
        case 0x0F:
            return pal.color(QPalette::Button);
        case 0x05:
            return pal.color(QPalette::Base);
        case 0x08:
            return pal.color(QPalette::Text);
        default:
            return pal.color(systemRole);
        }
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// A check box as the classic one cycles under the mouse: grayed or unchecked becomes checked.
class VbCheckBox : public QCheckBox {
protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

// An option button stays selected when clicked again; the exclusion is kept by OptionButton.
class VbRadioButton : public QRadioButton {
public:
    VbRadioButton() { setAutoExclusive(false); }
    bool wasChecked = false;

protected:
    void nextCheckState() override {
        wasChecked = isChecked();
        setChecked(true);
    }
};

// A frame without a border draws nothing of its own. Not a style sheet: that would take over the
// colours of every control inside it. A captioned frame runs its top line through the middle of its
// caption, as the windows' positions expect: a style that draws the caption above the line puts the
// line a whole text line down, across the first row of the controls placed inside.
class VbFrame : public QGroupBox {
public:
    bool borderless = false;

    /// How far below the frame's top its top line runs [pixels].
    int topLine() const { return title().isEmpty() ? 0 : fontMetrics().height() / 2; }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (borderless) {
            return;
        }
        if (title().isEmpty()) {
            QGroupBox::paintEvent(event);
            return;
        }
        const QFontMetrics metrics = fontMetrics();
        const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPad,
                            metrics.height());
        QPainter painter(this);
        // An etched line (a dark one with a light one inside), broken where the caption stands.
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(caption)));
        qDrawShadeRect(&painter, rect().adjusted(0, topLine(), 0, 0), palette(), true, 1, 0);
        painter.setClipping(false);
        style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }

private:
    static constexpr int kCaptionLeft = 6, kCaptionPad = 2;
};

// The tab strip: its row of tabs over a raised panel, on which the window lays its page frames.
class VbTabStrip : public QWidget {
public:
    VbTabStrip() : bar(new QTabBar(this)), panel(new QFrame(this)) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->lower();
    }
    QTabBar* bar;
    QFrame* panel;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        const int h = bar->sizeHint().height();
        bar->setGeometry(0, 0, width(), h);
        panel->setGeometry(0, h - 1, width(), std::max(0, height() - h + 1));
    }
};

// Runs an event's handler, if one is connected, with `args`; a handler that throws is a fault.
template <class... Params, class... Args>
void fireEvent(const std::function<void(Params...)>& event, Args&&... args) {
    if (!event) {
        return;
    }
    // A copy: the handler may replace the control's handler while it runs.
    auto handler = event;
    try {
        handler(std::forward<Args>(args)...);
    } catch (const std::exception& e) {
        scripted::fault(std::string("an event handler failed: ") + e.what());
    } catch (...) {
        scripted::fault("an event handler failed");
    }
}

const char* const kOptionProperty = "platformOption";
const char* const kDockProperty = "platformDock";

} // namespace

// Mouse watch of a control: the status-bar help and the clicks of controls without a click signal.
class MouseWatch : public QObject {
public:
    MouseWatch(Control* control, QObject* parent) : QObject(parent), control_(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Enter) {
            Control::fire(control_->MouseMove);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            control_->mouseReleased();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Control* control_;
};

// ---- Control ----------------------------------------------------------------------------------------

Control::Control(QWidget* widget, Color backColor) : widget_(widget), backColor_(backColor) {
    watchMouse();
}

Control::~Control() {
    if (widget_) {
        delete widget_.data();
    }
}

void Control::watchMouse() {
    widget_->installEventFilter(new MouseWatch(this, widget_));
}

void Control::place(Container& parent, int left, int top, int width, int height) {
    widget_->setParent(parent.containerWidget());
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
    widget_->setEnabled(enabled_);
    widget_->setVisible(visible_);
    placed();
}

void Control::replaceWidget(QWidget* widget) {
    QWidget* parent = widget_ ? widget_->parentWidget() : nullptr;
    delete widget_.data();
    widget_ = widget;
    applyTip();
    watchMouse();
    if (parent != nullptr) {
        widget_->setParent(parent);
        applyGeometry();
        widget_->setVisible(visible_);
    }
    widget_->setEnabled(enabled_);
    applyColors();
}

void Control::applyGeometry() {
    widget_->setGeometry(px(left_), px(top_), std::max(0, px(width_)), std::max(0, px(height_)));
}

void Control::setLeft(int twips) {
    left_ = twips;
    applyGeometry();
}
void Control::setTop(int twips) {
    top_ = twips;
    applyGeometry();
}
void Control::setWidth(int twips) {
    width_ = twips;
    applyGeometry();
}
void Control::setHeight(int twips) {
    height_ = twips;
    applyGeometry();
}

void Control::Move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    if (width >= 0) {
        width_ = width;
    }
    if (height >= 0) {
        height_ = height;
    }
    applyGeometry();
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    widget_->setEnabled(enabled);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    if (widget_->parentWidget() != nullptr) {
        widget_->setVisible(visible);
    }
}

void Control::setBackColor(Color color) {
    backColor_ = color;
    applyColors();
    backColorChanged();
}

void Control::setForeColor(Color color) {
    foreColor_ = color;
    applyColors();
}

void Control::applyColors() {
    QPalette pal = widget_->palette();
    const QColor back = toQColor(backColor_, QPalette::Window);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Window, back);
    const QColor fore = toQColor(foreColor_, QPalette::Text);
    pal.setColor(QPalette::Text, fore);
    pal.setColor(QPalette::WindowText, fore);
    widget_->setPalette(pal);
}

std::string Control::ToolTipText() const {
    return tip_;
}
void Control::setToolTipText(const std::string& text) {
    tip_ = text;
    applyTip();
}

void Control::setPlatformTip(const std::string& tip) {
    if (tip != platformTip_) {
        platformTip_ = tip;
        applyTip();
    }
}

void Control::applyTip() {
    const std::string shown = platformTip_.empty() ? tip_
                              : tip_.empty()       ? platformTip_
                                                   : platformTip_ + "\n" + tip_;
    widget_->setToolTip(qs(shown));
}

void Control::setFont(const std::string& family, double points, bool bold) {
    QFont font = widget_->font();
    if (!family.empty()) {
        font.setFamily(qs(family));
    }
    if (points > 0) {
        font.setPointSizeF(points);
    }
    font.setBold(bold);
    widget_->setFont(font);
}

void Control::SetFocus() {
    widget_->setFocus();
}

void Control::userMouseMove() {
    fire(MouseMove);
}

QWidget* Control::widget() const {
    return widget_;
}

bool Control::userCanAct(const char* action) const {
    bool reachable = enabled_ && visible_;
    for (QWidget* w = widget_->parentWidget(); reachable && w != nullptr; w = w->parentWidget()) {
        reachable = w->isEnabled() && (w->isWindow() || !w->isHidden());
    }
    if (!reachable) {
        scripted::fault(std::string("a user cannot ") + action + " a disabled or hidden control");
    }
    return reachable;
}

void Control::fire(const std::function<void()>& event) {
    fireEvent(event);
}

// ---- TextBox ----------------------------------------------------------------------------------------

namespace {
// A multi-line box keeps its line breaks as CR LF, as the classic one does.
QString toDisplay(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}
std::string fromDisplay(QString s) {
    s.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return s.toStdString();
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

/// `text` with every line longer than kShownLineLength cut there and ended by "…"; nullopt when no line
/// is that long.
std::optional<QString> BoundedLines(const QString& text) {
    if (text.size() <= kShownLineLength) {
        return std::nullopt;
    }
    QString shown;
    bool cut = false;
    const qsizetype n = text.size();
    for (qsizetype start = 0;;) {
        qsizetype end = start;
        while (end < n && !isLineEnd(text[end])) {
            ++end;
        }
        if (end - start > kShownLineLength) {
            qsizetype keep = kShownLineLength;
            // Never half a character outside the basic plane.
            if (text[start + keep - 1].isHighSurrogate()) {
                --keep;
            }
            shown += QStringView(text).mid(start, keep);
            shown += QChar(0x2026);
            cut = true;
        } else {
            shown += QStringView(text).mid(start, end - start);
        }
        if (end >= n) {
            break;
        }
        shown += text[end];
        start = end + 1;
    }
    if (!cut) {
        return std::nullopt;
    }
    return shown;
}

// The red frame of a box whose text is not a number: drawn over the box's own edge, it leaves the box's
// colours (and any warning colour a window gives its text) as they are, and lets every click through.
class NumberMarkFrame : public QWidget {
public:
    explicit NumberMarkFrame(QWidget* box) : QWidget(box) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(box->rect());
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            setGeometry(parentWidget()->rect());
        }
        return QWidget::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QColor(255, 0, 0), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

bool isBlankText(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Whether the number text `text` (worth `shown`) shows `value` at its own decimals, as a step formats the
// value it writes back ("5.00" shows 5, "1.23" shows 1.2345).
bool showsValue(const std::string& text, double shown, double value) {
    if (text.find_first_of("eEdD") != std::string::npos) {
        return std::fabs(shown - value) <= 1e-12 * std::fabs(value);
    }
    int decimals = 0;
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        while (point + 1 + decimals < text.size() &&
               std::isdigit(static_cast<unsigned char>(text[point + 1 + decimals]))) {
            ++decimals;
        }
    }
    return std::fabs(shown - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9);
}

// What the engineer asked a window to compute, for as long as it runs: a button of that window (every
// box counts that the calculation reads), or a box typed into (only that box itself counts: the
// window's other boxes are still to be filled). An empty box is marked once such a calculation has read
// it, not because a window opened with it empty or computed a preview from it.
struct Calculation {
    const QWidget* window = nullptr;
    const Control* only = nullptr;
};
Calculation g_calculation;
BoxReads* g_reads = nullptr;

class CalculationScope {
public:
    CalculationScope(const QWidget* window, const Control* only) : before_(g_calculation) {
        g_calculation = {window, only};
    }
    ~CalculationScope() { g_calculation = before_; }
    CalculationScope(const CalculationScope&) = delete;
    CalculationScope& operator=(const CalculationScope&) = delete;

private:
    Calculation before_;
};

// Runs `changed` whenever the widget's reach changes (it or a container above it enabled or disabled).
class ReachWatch : public QObject {
public:
    ReachWatch(QWidget* widget, std::function<void()> changed)
        : QObject(widget), changed_(std::move(changed)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) {
            changed_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> changed_;
};
} // namespace

namespace {
int g_quietReads = 0;
} // namespace

QuietReads::QuietReads() {
    ++g_quietReads;
}
QuietReads::~QuietReads() {
    --g_quietReads;
}

BoxReads::BoxReads() : before_(g_reads) {
    g_reads = this;
}
BoxReads::~BoxReads() {
    g_reads = before_;
}
void BoxReads::add(Control* box) {
    if (std::find(boxes_.begin(), boxes_.end(), box) == boxes_.end()) {
        boxes_.push_back(box);
    }
}

void NumberMarker::update(Control& box, const std::string& text) {
    std::string mark;
    const bool blank = isBlankText(text);
    if (!blank) {
        readEmpty_ = false;
    }
    const std::optional<double> value = blank ? std::nullopt : vb::StrictNumber(text);
    typoValue_.reset();
    // A rewrite of another value, or none, ends a typo's mark kept over the rewrite of its own.
    if (!usedMark_.empty() && (blank || (value && !showsValue(text, *value, usedValue_)))) {
        usedMark_.clear();
    }
    // A box the engineer cannot reach is no verdict on what was typed.
    if (box.widget()->isEnabled()) {
        if ((readAsNumber_ || (byColour_ && box.BackColor() == kInputColor)) && entry_ != Entry::Text) {
            // A step that refuses the text computes nothing from it, so the mark names no value.
            const bool refused = entry_ == Entry::RefusedNumber;
            if (blank) {
                if (readEmpty_ && entry_ != Entry::OptionalNumber) {
                    mark = refused ? "未填" : "未填，按 0 计算";
                }
            } else if (!value) {
                if (refused) {
                    mark = "不是数";
                } else {
                    typoValue_ = vb::Val(text);
                    mark = "不是数，按 " + vb::CStr(*typoValue_) + " 计算";
                }
            } else {
                mark = usedMark_;
            }
        }
        if (mark.empty() && rangeCheck_ && value) {
            mark = rangeCheck_(*value).value_or(std::string());
        }
    }
    mark_ = mark;
    box.setPlatformTip(mark);
    if (!mark.empty() && !frame_) {
        frame_ = new NumberMarkFrame(box.widget());
    }
    if (frame_) {
        frame_->setVisible(!mark.empty());
        frame_->raise();
    }
}

void NumberMarker::read(Control& box, const std::string& text) {
    if (g_quietReads > 0) {
        return;
    }
    // Whichever step reads a typo (another window driving this one included) computes with the value its
    // mark names; a refused text names none to keep. The text is the one the box last gave update, so
    // what it was read as is known without parsing it again: a box read at every point of a curve.
    if (typoValue_) {
        usedMark_ = mark_;
        usedValue_ = *typoValue_;
    }
    const Calculation& now = g_calculation;
    if (now.window == nullptr || box.widget()->window() != now.window) {
        return;
    }
    if (g_reads != nullptr) {
        g_reads->add(&box);
    }
    if (!readEmpty_ && (now.only == nullptr || now.only == &box) && isBlankText(text) &&
        box.widget()->isEnabled()) {
        readEmpty_ = true;
        update(box, text);
    }
}

TextBox::TextBox() : Control(new QLineEdit, vbWindowBackground) {
    build();
}

TextBox::~TextBox() = default;

void TextBox::setEntry(Entry entry) {
    marker_.setEntry(entry);
    checkNumber();
}

void TextBox::setReadAsNumber() {
    marker_.setReadAsNumber();
    checkNumber();
}

void TextBox::backColorChanged() {
    checkNumber();
}

void TextBox::setRangeCheck(std::function<std::optional<std::string>(double)> check) {
    marker_.setRangeCheck(std::move(check));
    checkNumber();
}

void TextBox::checkNumber() {
    marker_.update(*this, shown());
}

void TextBox::build() {
    QWidget* w = widget();
    new ReachWatch(w, [this] { checkNumber(); });
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        // Qt's line box would cut what it holds at 32,767 characters: a box keeps all it is given.
        line->setMaxLength(std::numeric_limits<int>::max());
        line->setReadOnly(locked_);
        line->setFrame(!borderless_);
        QObject::connect(line, &QLineEdit::textEdited, line, [this] { typed(); });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        edit->setReadOnly(locked_);
        edit->setFrameShape(borderless_ ? QFrame::NoFrame : QFrame::StyledPanel);
        edit->setVerticalScrollBarPolicy(borderless_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] { typed(); });
    }
}

std::string TextBox::Text() const {
    std::string text = shown();
    marker_.read(const_cast<TextBox&>(*this), text);
    return text;
}

std::string TextBox::shown() const {
    if (held_) {
        return *held_;
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        return line->text().toStdString();
    }
    return fromDisplay(static_cast<QPlainTextEdit*>(widget())->toPlainText());
}

void TextBox::setSilently(const std::string& text) {
    show(text);
    last_ = shown();
    checkNumber();
}

// A read-only box may show its text bounded, as a caption does; one the engineer types into shows all
// it holds, since what is typed replaces what is shown.
void TextBox::show(const std::string& text) {
    const QSignalBlocker block(widget());
    auto* line = qobject_cast<QLineEdit*>(widget());
    QString shown = line != nullptr ? QString::fromStdString(text) : toDisplay(text);
    held_.reset();
    if (locked_) {
        if (std::optional<QString> bounded = BoundedLines(shown)) {
            held_ = text;
            shown = std::move(*bounded);
        }
    }
    if (line != nullptr) {
        line->setText(shown);
        line->setCursorPosition(0);
    } else {
        static_cast<QPlainTextEdit*>(widget())->setPlainText(shown);
    }
}

void TextBox::set(const std::string& text) {
    if (text == shown()) {
        return;
    }
    setSilently(text);
    fire(Change);
}

void TextBox::typed() {
    const std::string now = shown();
    if (now != last_) {
        last_ = now;
        marker_.typed();
        checkNumber();
        const CalculationScope typing(widget()->window(), this);
        fire(Change);
    }
}

void TextBox::setLocked(bool locked) {
    const std::string text = shown();
    locked_ = locked;
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        line->setReadOnly(locked);
    } else {
        static_cast<QPlainTextEdit*>(widget())->setReadOnly(locked);
    }
    if (held_ || (locked && text.size() > static_cast<std::size_t>(kShownLineLength))) {
        show(text);
    }
}

void TextBox::setMultiLine(bool multiLine) {
    if (multiLine == multiLine_) {
        return;
    }
    const std::string text = shown();
    held_.reset();
    multiLine_ = multiLine;
    if (multiLine) {
        auto* edit = new QPlainTextEdit;
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        replaceWidget(edit);
    } else {
        replaceWidget(new QLineEdit);
    }
    build();
    setSilently(text);
}

void TextBox::setBorderless(bool borderless) {
    borderless_ = borderless;
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        line->setFrame(!borderless);
    } else {
        auto* edit = static_cast<QPlainTextEdit*>(widget());
        edit->setFrameShape(borderless ? QFrame::NoFrame : QFrame::StyledPanel);
        edit->setVerticalScrollBarPolicy(borderless ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    }
}

void TextBox::setSelStart(int start) {
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        line->setCursorPosition(start);
    } else {
        auto* edit = static_cast<QPlainTextEdit*>(widget());
        QTextCursor c = edit->textCursor();
        c.setPosition(std::clamp(start, 0, static_cast<int>(edit->toPlainText().size())));
        edit->setTextCursor(c);
    }
}

void TextBox::setSelLength(int length) {
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        const int start = line->cursorPosition();
        line->setSelection(start, length);
    } else {
        auto* edit = static_cast<QPlainTextEdit*>(widget());
        QTextCursor c = edit->textCursor();
        c.setPosition(std::min(c.position() + length, static_cast<int>(edit->toPlainText().size())),
                      QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
}

void TextBox::userType(const std::string& text) {
    if (!userCanAct("type into")) {
        return;
    }
    if (locked_) {
        scripted::fault("a user cannot type into a locked text box");
        return;
    }
    const std::string before = shown();
    marker_.typed();
    setSilently(text);
    if (shown() != before) {
        const CalculationScope typing(widget()->window(), this);
        fire(Change);
    }
}

// ---- Label, CommandButton, CheckBox, OptionButton ---------------------------------------------------

// A label and every kind of button show their caption in the property "text".
void ClickControl::setCaption(const std::string& caption) {
    caption_ = caption;
    QString shown = qs(caption);
    if (std::optional<QString> bounded = BoundedLines(shown)) {
        shown = std::move(*bounded);
    }
    widget()->setProperty("text", shown);
}

void ClickControl::userClick() {
    if (userCanAct("click")) {
        clicked();
    }
}

Label::Label() : ClickControl(new QLabel, vbButtonFace) {
    auto* label = static_cast<QLabel*>(widget());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setAlignment(int alignment) {
    Qt::Alignment a = Qt::AlignLeft;
    if (alignment == 1) {
        a = Qt::AlignRight;
    } else if (alignment == 2) {
        a = Qt::AlignHCenter;
    }
    static_cast<QLabel*>(widget())->setAlignment(a | Qt::AlignTop);
}

void Label::setWordWrap(bool wrap) {
    static_cast<QLabel*>(widget())->setWordWrap(wrap);
}
void Label::mouseReleased() {
    fire(Click);
}

CommandButton::CommandButton() : ClickControl(new QPushButton, vbButtonFace) {
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { clicked(); });
}

void CommandButton::clicked() {
    const CalculationScope calculating(widget()->window(), nullptr);
    fire(Click);
}

CheckBox::CheckBox() : ClickControl(new VbCheckBox, vbButtonFace) {
    auto* box = static_cast<QCheckBox*>(widget());
    QObject::connect(box, &QCheckBox::clicked, box, [this] { fire(Click); });
}

int CheckBox::Value() const {
    switch (static_cast<QCheckBox*>(widget())->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

bool CheckBox::setSilently(int value) {
    if (value < 0 || value > 2) {
        return false;
    }
    auto* box = static_cast<QCheckBox*>(widget());
    const QSignalBlocker block(box);
    box->setTristate(value == 2 || box->isTristate());
    box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    return true;
}

bool CheckBox::set(int value) {
    if (value == Value()) {
        return value >= 0 && value <= 2;
    }
    if (!setSilently(value)) {
        return false;
    }
    fire(Click);
    return true;
}

void CheckBox::clicked() {
    setSilently(Value() == 1 ? 0 : 1);
    fire(Click);
}

OptionButton::OptionButton() : ClickControl(new VbRadioButton, vbButtonFace) {
    auto* radio = static_cast<VbRadioButton*>(widget());
    radio->setProperty(kOptionProperty, QVariant::fromValue(static_cast<void*>(this)));
    QObject::connect(radio, &QRadioButton::clicked, radio, [this, radio] {
        apply(true);
        if (!radio->wasChecked) {
            fire(Click);
        }
    });
}

bool OptionButton::Value() const {
    return static_cast<QRadioButton*>(widget())->isChecked();
}

void OptionButton::apply(bool value) {
    auto* radio = static_cast<QRadioButton*>(widget());
    {
        const QSignalBlocker block(radio);
        radio->setChecked(value);
    }
    if (!value || radio->parentWidget() == nullptr) {
        return;
    }
    const auto siblings = radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* other : siblings) {
        if (other != radio && other->property(kOptionProperty).isValid()) {
            const QSignalBlocker block(other);
            other->setChecked(false);
        }
    }
}

void OptionButton::setSilently(bool value) {
    apply(value);
}

void OptionButton::set(bool value) {
    const bool was = Value();
    apply(value);
    if (value && !was) {
        fire(Click);
    }
}

void OptionButton::clicked() {
    set(true);
}

// ---- ComboBox ---------------------------------------------------------------------------------------

namespace {
QComboBox* combo(QWidget* w) {
    return static_cast<QComboBox*>(w);
}
} // namespace

ComboBox::ComboBox() : Control(new QComboBox, vbWindowBackground) {
    QComboBox* box = combo(widget());
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCurrentIndex(-1);
    QObject::connect(box, &QComboBox::activated, box, [this] {
        showFromStart();
        marker_.typed();
        checkNumber();
        const CalculationScope picking(widget()->window(), this);
        fire(Click);
    });
    connectEdit();
    // A pick by keyboard or wheel changes the text without an edit.
    QObject::connect(box, &QComboBox::currentTextChanged, box, [this] { checkNumber(); });
    new ReachWatch(box, [this] { checkNumber(); });
}

// The mark dies with the box: the widget's last signals reach no handler.
ComboBox::~ComboBox() {
    if (QWidget* w = widget()) {
        w->blockSignals(true);
    }
}

void ComboBox::showFromStart() {
    if (QLineEdit* line = combo(widget())->lineEdit()) {
        line->setCursorPosition(0);
    }
}

void ComboBox::connectEdit() {
    QComboBox* box = combo(widget());
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, box, [this] {
        marker_.typed();
        checkNumber();
        const CalculationScope typing(widget()->window(), this);
        fire(Change);
    });
}

void ComboBox::setEntry(Entry entry) {
    marker_.setEntry(entry);
    marker_.setReadAsNumber();
    checkNumber();
}

void ComboBox::backColorChanged() {
    checkNumber();
}

void ComboBox::checkNumber() {
    marker_.update(*this, combo(widget())->currentText().toStdString());
}

void ComboBox::setStyle(Style style) {
    QComboBox* box = combo(widget());
    {
        const QSignalBlocker block(box);
        const int index = box->currentIndex();
        style_ = style;
        box->setEditable(style == DropdownCombo);
        if (style == DropdownCombo) {
            box->setInsertPolicy(QComboBox::NoInsert);
            connectEdit();
        }
        box->setCurrentIndex(index);
    }
    checkNumber();
}

void ComboBox::AddItem(const std::string& item, int index) {
    QComboBox* box = combo(widget());
    const QSignalBlocker block(box);
    const int current = box->currentIndex();
    const QString text = box->currentText();
    const int at = (index < 0 || index > box->count()) ? box->count() : index;
    box->insertItem(at, QString::fromStdString(item));
    // Adding items never selects one, whatever Qt would prefer.
    if (current < 0) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) {
            box->setEditText(text);
        }
    }
    checkNumber();
}

void ComboBox::RemoveItem(int index) {
    QComboBox* box = combo(widget());
    if (index < 0 || index >= box->count()) {
        scripted::fault("ComboBox.RemoveItem: no item " + std::to_string(index));
        return;
    }
    const QSignalBlocker block(box);
    const int current = box->currentIndex();
    const QString text = box->currentText();
    box->removeItem(index);
    if (current == index) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) {
            box->setEditText(text);
        }
    }
    checkNumber();
}

void ComboBox::Clear() {
    QComboBox* box = combo(widget());
    const QSignalBlocker block(box);
    box->clear();
    if (box->isEditable()) {
        box->setEditText(QString());
    }
    checkNumber();
}

int ComboBox::ListCount() const {
    return combo(widget())->count();
}

std::string ComboBox::List(int index) const {
    QComboBox* box = combo(widget());
    return index >= 0 && index < box->count() ? box->itemText(index).toStdString() : std::string();
}

void ComboBox::setList(int index, const std::string& item) {
    QComboBox* box = combo(widget());
    if (index >= 0 && index < box->count()) {
        const QSignalBlocker block(box);
        box->setItemText(index, QString::fromStdString(item));
    }
    checkNumber();
}

int ComboBox::ListIndex() const {
    return combo(widget())->currentIndex();
}

bool ComboBox::setListIndexSilently(int index) {
    QComboBox* box = combo(widget());
    if (index < -1 || index >= box->count()) {
        return false;
    }
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(index);
        if (index < 0 && box->isEditable()) {
            box->setEditText(QString());
        }
        showFromStart();
    }
    checkNumber();
    return true;
}

bool ComboBox::setListIndex(int index) {
    if (index == ListIndex()) {
        return index >= -1 && index < ListCount();
    }
    if (!setListIndexSilently(index)) {
        return false;
    }
    fire(Click);
    return true;
}

std::string ComboBox::Text() const {
    std::string text = combo(widget())->currentText().toStdString();
    marker_.read(const_cast<ComboBox&>(*this), text);
    return text;
}

bool ComboBox::applyText(const std::string& text, bool fireEvents) {
    QComboBox* box = combo(widget());
    const int match = box->findText(QString::fromStdString(text), Qt::MatchExactly);
    if (!box->isEditable()) {
        if (match < 0) {
            return false;
        }
        return fireEvents ? setListIndex(match) : setListIndexSilently(match);
    }
    if (text == box->currentText().toStdString()) {
        return true;
    }
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(match);
        box->setEditText(QString::fromStdString(text));
        showFromStart();
    }
    checkNumber();
    if (fireEvents) {
        fire(Change);
    }
    return true;
}

bool ComboBox::setText(const std::string& text) {
    return applyText(text, true);
}
bool ComboBox::setTextSilently(const std::string& text) {
    return applyText(text, false);
}

void ComboBox::userSelect(int index) {
    if (!userCanAct("pick from")) {
        return;
    }
    if (index < 0 || index >= ListCount()) {
        scripted::fault("a user cannot pick item " + std::to_string(index) + " of a combo box");
        return;
    }
    marker_.typed();
    setListIndexSilently(index);
    const CalculationScope picking(widget()->window(), this);
    fire(Click);
}

void ComboBox::userType(const std::string& text) {
    if (!userCanAct("type into")) {
        return;
    }
    if (style_ != DropdownCombo) {
        scripted::fault("a user cannot type into a drop-down list");
        return;
    }
    marker_.typed();
    const CalculationScope typing(widget()->window(), this);
    applyText(text, true);
}

// ---- ListBox ----------------------------------------------------------------------------------------

namespace {
QListWidget* listw(QWidget* w) {
    return static_cast<QListWidget*>(w);
}
} // namespace

ListBox::ListBox() : Control(new QListWidget, vbWindowBackground) {
    QListWidget* list = listw(widget());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Only the user's changes reach these: code changes block the signals.
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] {
        if (!checkBoxes_) {
            fire(Click);
            fire(Change);
        }
    });
    QObject::connect(list, &QListWidget::itemChanged, list, [this] {
        if (checkBoxes_) {
            fire(Click);
            fire(Change);
        }
    });
}

void ListBox::setMultiSelect(int mode) {
    multiSelect_ = std::clamp(mode, 0, 2);
    static const QAbstractItemView::SelectionMode modes[] = {QAbstractItemView::SingleSelection,
                                                             QAbstractItemView::MultiSelection,
                                                             QAbstractItemView::ExtendedSelection};
    listw(widget())->setSelectionMode(checkBoxes_ ? QAbstractItemView::NoSelection : modes[multiSelect_]);
}

void ListBox::setCheckBoxStyle(bool checkBoxes) {
    checkBoxes_ = checkBoxes;
    QListWidget* list = listw(widget());
    const QSignalBlocker block(list);
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        item->setFlags(checkBoxes ? item->flags() | Qt::ItemIsUserCheckable
                                  : item->flags() & ~Qt::ItemIsUserCheckable);
        if (checkBoxes) {
            item->setCheckState(Qt::Unchecked);
        } else {
            item->setData(Qt::CheckStateRole, QVariant());
        }
    }
    setMultiSelect(multiSelect_);
}

void ListBox::AddItem(const std::string& item, int index) {
    QListWidget* list = listw(widget());
    const QSignalBlocker block(list);
    auto* entry = new QListWidgetItem(QString::fromStdString(item));
    if (checkBoxes_) {
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }
    const int at = (index < 0 || index > list->count()) ? list->count() : index;
    list->insertItem(at, entry);
}

void ListBox::RemoveItem(int index) {
    QListWidget* list = listw(widget());
    if (index < 0 || index >= list->count()) {
        scripted::fault("ListBox.RemoveItem: no item " + std::to_string(index));
        return;
    }
    const QSignalBlocker block(list);
    delete list->takeItem(index);
}

void ListBox::Clear() {
    QListWidget* list = listw(widget());
    const QSignalBlocker block(list);
    list->clear();
}

int ListBox::ListCount() const {
    return listw(widget())->count();
}

std::string ListBox::List(int index) const {
    QListWidget* list = listw(widget());
    return index >= 0 && index < list->count() ? list->item(index)->text().toStdString() : std::string();
}

void ListBox::setList(int index, const std::string& item) {
    QListWidget* list = listw(widget());
    if (index >= 0 && index < list->count()) {
        const QSignalBlocker block(list);
        list->item(index)->setText(QString::fromStdString(item));
    }
}

std::string ListBox::Text() const {
    return List(ListIndex());
}

int ListBox::ListIndex() const {
    QListWidget* list = listw(widget());
    if (multiSelect_ == 0 && !checkBoxes_) {
        const auto selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.first());
    }
    return list->currentRow();
}

bool ListBox::applyIndex(int index, bool fireEvents) {
    QListWidget* list = listw(widget());
    if (index < -1 || index >= list->count()) {
        return false;
    }
    if (index == ListIndex()) {
        return true;
    }
    {
        const QSignalBlocker block(list);
        if (multiSelect_ == 0 && !checkBoxes_) {
            list->clearSelection();
            list->setCurrentRow(index);
        } else {
            list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        }
    }
    if (fireEvents) {
        fire(Click);
        fire(Change);
    }
    return true;
}

bool ListBox::setListIndex(int index) {
    return applyIndex(index, true);
}
bool ListBox::setListIndexSilently(int index) {
    return applyIndex(index, false);
}

bool ListBox::Selected(int index) const {
    QListWidget* list = listw(widget());
    if (index < 0 || index >= list->count()) {
        return false;
    }
    QListWidgetItem* item = list->item(index);
    return checkBoxes_ ? item->checkState() == Qt::Checked : item->isSelected();
}

bool ListBox::applySelected(int index, bool selected, bool fireEvents) {
    QListWidget* list = listw(widget());
    if (index < 0 || index >= list->count()) {
        return false;
    }
    if (Selected(index) == selected) {
        return true;
    }
    {
        const QSignalBlocker block(list);
        QListWidgetItem* item = list->item(index);
        if (checkBoxes_) {
            item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
        } else if (multiSelect_ == 0) {
            list->clearSelection();
            if (selected) {
                list->setCurrentRow(index);
            }
        } else {
            item->setSelected(selected);
        }
    }
    if (fireEvents) {
        fire(Click);
        fire(Change);
    }
    return true;
}

bool ListBox::setSelected(int index, bool selected) {
    return applySelected(index, selected, true);
}
bool ListBox::setSelectedSilently(int index, bool selected) {
    return applySelected(index, selected, false);
}

void ListBox::userClick(int index) {
    if (!userCanAct("click")) {
        return;
    }
    QListWidget* list = listw(widget());
    if (index < 0 || index >= list->count()) {
        scripted::fault("a user cannot click item " + std::to_string(index) + " of a list box");
        return;
    }
    bool changed = false;
    {
        const QSignalBlocker block(list);
        if (checkBoxes_ || multiSelect_ == 1) {
            changed = true;
            if (checkBoxes_) {
                list->item(index)->setCheckState(Selected(index) ? Qt::Unchecked : Qt::Checked);
            } else {
                list->item(index)->setSelected(!Selected(index));
            }
            list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        } else {
            for (int i = 0; i < list->count(); ++i) {
                changed = changed || (Selected(i) != (i == index));
            }
            list->clearSelection();
            list->setCurrentRow(index);
        }
    }
    if (changed) {
        fire(Click);
        fire(Change);
    }
}

// ---- Frame, Image -----------------------------------------------------------------------------------

Frame::Frame() : Control(new VbFrame, vbButtonFace) {}

std::string Frame::Caption() const {
    return (static_cast<QGroupBox*>(widget())->title()).toStdString();
}
void Frame::setCaption(const std::string& caption) {
    static_cast<QGroupBox*>(widget())->setTitle(QString::fromStdString(caption));
}

void Frame::setBorderStyle(int style) {
    static_cast<VbFrame*>(widget())->borderless = style == 0;
    widget()->update();
}

QWidget* Frame::containerWidget() const {
    return widget();
}

namespace {

// An image box. A drawing is drawn again at every size of the box, so that its lines and texts stay sharp
// and keep their proportions whatever the window's layout gives the box. As on Windows, an image lies
// beneath the other controls of its container: a picture never hides a box that overlaps it.
class PictureLabel : public QLabel {
public:
    bool showDrawing(const QString& path) {
        auto renderer = std::make_unique<QSvgRenderer>(path);
        if (!renderer->isValid()) {
            return false;
        }
        drawing_ = std::move(renderer);
        draw();
        lower();
        return true;
    }
    void showBitmap(const QPixmap& pixmap) {
        drawing_.reset();
        setPixmap(pixmap);
        lower();
    }
    void clearPicture() {
        drawing_.reset();
        clear();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        if (drawing_) {
            draw();
        }
    }

private:
    void draw() {
        const QSizeF natural = drawing_->viewBoxF().size();
        const QSize box = size().isEmpty() ? natural.toSize() : size();
        if (box.isEmpty() || natural.isEmpty()) {
            return;
        }
        QPixmap pixmap(box);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QSizeF fitted = natural.scaled(QSizeF(box), Qt::KeepAspectRatio);
        drawing_->render(&painter, QRectF(QPointF((box.width() - fitted.width()) / 2.0,
                                                  (box.height() - fitted.height()) / 2.0),
                                          fitted));
        painter.end();
        setPixmap(pixmap);
    }

    std::unique_ptr<QSvgRenderer> drawing_;
};

bool isDrawing(const std::string& path) {
    return QString::fromStdString(path).endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

} // namespace

Image::Image() : Control(new PictureLabel, vbButtonFace) {
    static_cast<QLabel*>(widget())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool Image::setPicture(const std::string& path) {
    auto* label = static_cast<PictureLabel*>(widget());
    if (path.empty()) {
        picture_.clear();
        label->clearPicture();
        return true;
    }
    bool shown = false;
    if (isDrawing(path)) {
        shown = label->showDrawing(qs(path));
    } else if (QPixmap pixmap; pixmap.load(qs(path))) {
        label->showBitmap(pixmap);
        shown = true;
    } else if (!std::filesystem::exists(path)) {
        const std::string drawing =
            textfile::ResolveCaseInsensitive(std::filesystem::path(path).replace_extension(".svg").string());
        shown = label->showDrawing(qs(drawing));
    }
    if (shown) {
        picture_ = path;
    }
    return shown;
}

bool Image::setInstalledPicture(const std::string& name) {
    return setPicture(ResolvePath(AppPath() + "\\ConfigFiles\\图片\\" + name));
}

void Image::setStretch(bool stretch) {
    stretch_ = stretch;
    static_cast<QLabel*>(widget())->setScaledContents(stretch);
}

// ---- ScrollBar, UpDown ------------------------------------------------------------------------------

namespace {
QScrollBar* bar(QWidget* w) {
    return static_cast<QScrollBar*>(w);
}
} // namespace

ScrollBar::ScrollBar(Orientation orientation)
    : Control(new QScrollBar(orientation == Horizontal ? Qt::Horizontal : Qt::Vertical), vbButtonFace) {
    QScrollBar* b = bar(widget());
    // Change comes when the box is let go, as in the classic control.
    b->setTracking(false);
    b->setSingleStep(1);
    b->setPageStep(1);
    applyRange();
    QObject::connect(b, &QScrollBar::valueChanged, b, [this] { fire(Change); });
}

void ScrollBar::applyRange() {
    QScrollBar* b = bar(widget());
    const QSignalBlocker block(b);
    // Min may exceed Max: the values then run the other way along the bar.
    b->setRange(std::min(min_, max_), std::max(min_, max_));
    b->setInvertedAppearance(min_ > max_);
    b->setInvertedControls(min_ > max_);
}

int ScrollBar::Min() const {
    return min_;
}
int ScrollBar::Max() const {
    return max_;
}
void ScrollBar::setMin(int value) {
    min_ = value;
    applyRange();
}
void ScrollBar::setMax(int value) {
    max_ = value;
    applyRange();
}
int ScrollBar::SmallChange() const {
    return bar(widget())->singleStep();
}
int ScrollBar::LargeChange() const {
    return bar(widget())->pageStep();
}
void ScrollBar::setSmallChange(int value) {
    bar(widget())->setSingleStep(value);
}
void ScrollBar::setLargeChange(int value) {
    bar(widget())->setPageStep(value);
}
int ScrollBar::Value() const {
    return bar(widget())->value();
}

bool ScrollBar::apply(int value, bool fireEvents) {
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        return false;
    }
    if (value == Value()) {
        return true;
    }
    {
        const QSignalBlocker block(widget());
        bar(widget())->setValue(value);
    }
    if (fireEvents) {
        fire(Change);
    }
    return true;
}

bool ScrollBar::set(int value) {
    return apply(value, true);
}
bool ScrollBar::setSilently(int value) {
    return apply(value, false);
}

void ScrollBar::userSet(int value) {
    if (userCanAct("move")) {
        apply(std::clamp(value, std::min(min_, max_), std::max(min_, max_)), true);
    }
}

UpDown::UpDown() : Control(new QWidget, vbButtonFace) {
    auto* layout = new QVBoxLayout(widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton;
    auto* down = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    QObject::connect(up, &QToolButton::clicked, widget(),
                     [this] { apply(std::min(value_ + increment_, max_), true); });
    QObject::connect(down, &QToolButton::clicked, widget(),
                     [this] { apply(std::max(value_ - increment_, min_), true); });
}

bool UpDown::apply(int value, bool fireEvents) {
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        return false;
    }
    if (value == value_) {
        return true;
    }
    value_ = value;
    if (buddy_ != nullptr) {
        if (fireEvents) {
            buddy_->set(std::to_string(value));
        } else {
            buddy_->setSilently(std::to_string(value));
        }
    }
    if (fireEvents) {
        fire(Change);
    }
    return true;
}

bool UpDown::set(int value) {
    return apply(value, true);
}
bool UpDown::setSilently(int value) {
    return apply(value, false);
}

void UpDown::userUp() {
    if (userCanAct("click")) {
        apply(std::min(value_ + increment_, std::max(min_, max_)), true);
    }
}

void UpDown::userDown() {
    if (userCanAct("click")) {
        apply(std::max(value_ - increment_, std::min(min_, max_)), true);
    }
}

// ---- ListView ---------------------------------------------------------------------------------------

namespace {
QTreeWidget* tree(const ListView* view) {
    return static_cast<QTreeWidget*>(view->widget());
}

/// Gives column `column` (0-based) the asked width, or the width its header text needs when that is
/// more: a cut header ("需风量Qreq(m…") hides the unit of the numbers below it.
void fitColumn(QTreeWidget* t, int column, int twips) {
    t->setColumnWidth(column, std::max(px(twips), t->header()->sectionSizeHint(column)));
}

class ViewportWatch : public QObject {
public:
    ViewportWatch(bool* mouseDown, QObject* parent) : QObject(parent), mouseDown_(mouseDown) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            *mouseDown_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            *mouseDown_ = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool* mouseDown_;
};

// A cell whose shown text is bounded keeps its whole text beside it.
void setCell(QTreeWidgetItem* item, int column, const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (std::optional<QString> bounded = BoundedLines(shown)) {
        item->setData(column, Qt::UserRole, QByteArray::fromStdString(text));
        shown = std::move(*bounded);
    } else if (item->data(column, Qt::UserRole).isValid()) {
        item->setData(column, Qt::UserRole, QVariant());
    }
    item->setText(column, shown);
}

std::string cellText(const QTreeWidgetItem* item, int column) {
    const QVariant whole = item->data(column, Qt::UserRole);
    return whole.isValid() ? whole.toByteArray().toStdString() : item->text(column).toStdString();
}
} // namespace

std::string ListItem::Text() const {
    return cellText(item_, 0);
}
void ListItem::setText(const std::string& text) {
    ++owner_->revision_;
    const QSignalBlocker block(item_->treeWidget());
    setCell(item_, 0, text);
}

std::string ListItem::SubItems(int i) const {
    return i >= 1 ? cellText(item_, i) : std::string();
}

void ListItem::setSubItems(int i, const std::string& text) {
    if (i < 1) {
        scripted::fault("ListItem.SubItems: no cell " + std::to_string(i));
        return;
    }
    ++owner_->revision_;
    const QSignalBlocker block(item_->treeWidget());
    setCell(item_, i, text);
}

int ListItem::Index() const {
    return owner_->indexOf(item_);
}
bool ListItem::Selected() const {
    return item_->isSelected();
}

void ListItem::setSelected(bool selected) {
    // A list with rows keeps one selected: only selecting means something.
    if (selected && Index() > 0) {
        owner_->select(Index());
    }
}

Color ListItem::ForeColor() const {
    const QBrush brush = item_->foreground(0);
    if (brush.style() == Qt::NoBrush) {
        return vbWindowText;
    }
    const QColor c = brush.color();
    return RGB(c.red(), c.green(), c.blue());
}
void ListItem::setForeColor(Color color) {
    const QSignalBlocker block(item_->treeWidget());
    item_->setForeground(0, QBrush(toQColor(color, QPalette::Text)));
}

std::string ColumnHeader::Text() const {
    return tree(owner_)->headerItem()->text(index_ - 1).toStdString();
}
void ColumnHeader::setText(const std::string& text) {
    tree(owner_)->headerItem()->setText(index_ - 1, QString::fromStdString(text));
    fitColumn(tree(owner_), index_ - 1, width_);
}
int ColumnHeader::Width() const {
    return width_;
}
void ColumnHeader::setWidth(int twips) {
    width_ = twips;
    fitColumn(tree(owner_), index_ - 1, twips);
}

ColumnHeader& ColumnHeaders::Add(const std::string& text, int widthTwips) {
    QTreeWidget* t = tree(owner_);
    const int n = static_cast<int>(parts_.size());
    t->setColumnCount(n + 1);
    t->headerItem()->setText(n, QString::fromStdString(text));
    t->header()->setVisible(true);
    fitColumn(t, n, widthTwips);
    parts_.push_back(std::unique_ptr<ColumnHeader>(new ColumnHeader(owner_, n + 1, widthTwips)));
    return *parts_.back();
}

void ColumnHeaders::Clear() {
    QTreeWidget* t = tree(owner_);
    parts_.clear();
    t->setColumnCount(1);
    t->headerItem()->setText(0, QString());
    t->header()->setVisible(false);
}

ListItem& ListItems::Insert(int index, const std::string& text) {
    QTreeWidget* t = tree(owner_);
    if (index < 1 || index > Count() + 1) {
        scripted::fault("ListItems.Add: no position " + std::to_string(index));
        return detached();
    }
    ++owner_->revision_;
    const bool wasEmpty = items_.empty();
    auto* row = new QTreeWidgetItem;
    setCell(row, 0, text);
    {
        const QSignalBlocker block(t);
        t->insertTopLevelItem(index - 1, row);
    }
    items_.insert(items_.begin() + (index - 1), std::unique_ptr<ListItem>(new ListItem(owner_, row)));
    if (wasEmpty) {
        owner_->select(1);
    }
    return *items_[static_cast<std::size_t>(index - 1)];
}

ListItem& ListItems::Add(const std::string& text) {
    return Insert(Count() + 1, text);
}

int ListItems::Count() const {
    return static_cast<int>(items_.size());
}

ListItem& ListItems::operator()(int i) {
    if (i >= 1 && i <= Count()) {
        return *items_[static_cast<std::size_t>(i - 1)];
    }
    scripted::fault("ListItems: no row " + std::to_string(i) + " of " + std::to_string(Count()));
    return detached();
}

ListItem& ListItems::detached() {
    // A row in no list, so that a statement on a missing row changes nothing.
    static QTreeWidgetItem* const spare = new QTreeWidgetItem;
    for (int c = 0; c < std::max(1, spare->columnCount()); ++c) {
        setCell(spare, c, std::string());
    }
    nowhere_.reset(new ListItem(owner_, spare));
    return *nowhere_;
}

void ListItems::Remove(int i) {
    if (i < 1 || i > Count()) {
        scripted::fault("ListItems.Remove: no row " + std::to_string(i));
        return;
    }
    ++owner_->revision_;
    QTreeWidget* t = tree(owner_);
    const int selected = owner_->SelectedIndex();
    {
        const QSignalBlocker block(t);
        delete t->takeTopLevelItem(i - 1);
    }
    items_.erase(items_.begin() + (i - 1));
    if (!items_.empty() && (selected == i || owner_->SelectedIndex() == 0)) {
        owner_->select(std::min(i, Count()));
    }
}

void ListItems::Clear() {
    ++owner_->revision_;
    QTreeWidget* t = tree(owner_);
    const QSignalBlocker block(t);
    t->clear();
    items_.clear();
}

ListView::ListView() : Control(new QTreeWidget, vbWindowBackground), ColumnHeaders(this), ListItems(this) {
    QTreeWidget* t = tree(this);
    t->setRootIsDecorated(false);
    t->setItemsExpandable(false);
    t->setUniformRowHeights(true);
    t->setAllColumnsShowFocus(true);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setSortingEnabled(false);
    t->header()->setStretchLastSection(false);
    t->header()->setSectionsMovable(false);
    t->setColumnCount(1);
    t->headerItem()->setText(0, QString());
    t->header()->setVisible(false);
    t->viewport()->installEventFilter(new ViewportWatch(&mouseDown_, t));
    // Code changes block the signals, so what arrives here is the user's: a click, or the arrow keys.
    QObject::connect(t, &QTreeWidget::itemClicked, t,
                     [this](QTreeWidgetItem* item) { fireItemClick(indexOf(item)); });
    QObject::connect(t, &QTreeWidget::currentItemChanged, t, [this](QTreeWidgetItem* item) {
        if (!mouseDown_ && item != nullptr) {
            fireItemClick(indexOf(item));
        }
    });
}

ListView::~ListView() {
    QTreeWidget* t = tree(this);
    if (t != nullptr) {
        const QSignalBlocker block(t);
        ListItems.items_.clear();
        t->clear();
    }
}

int ListView::indexOf(const QTreeWidgetItem* item) const {
    return tree(this)->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) + 1;
}

ListItem* ListView::SelectedItem() {
    const int i = SelectedIndex();
    return i > 0 ? &ListItems(i) : nullptr;
}

int ListView::SelectedIndex() const {
    const auto selected = tree(this)->selectedItems();
    return selected.isEmpty() ? 0 : indexOf(selected.first());
}

bool ListView::select(int i) {
    QTreeWidget* t = tree(this);
    if (i < 1 || i > ListItems.Count()) {
        return false;
    }
    const QSignalBlocker block(t);
    QTreeWidgetItem* row = t->topLevelItem(i - 1);
    t->setCurrentItem(row);
    t->clearSelection();
    row->setSelected(true);
    t->scrollToItem(row);
    return true;
}

void ListView::setGridLines(bool gridLines) {
    // Once a style sheet draws the rows, the selected row of a window that is not active would get white
    // text on a pale highlight; the selection is given readable colours of its own.
    tree(this)->setStyleSheet(gridLines ? QStringLiteral("QTreeView::item { border: 1px solid #d0d0d0; }"
                                                         "QTreeView::item:selected { background: #cce8ff; "
                                                         "color: black; }")
                                        : QString());
}

void ListView::fireItemClick(int i) {
    if (i >= 1 && i <= ListItems.Count()) {
        fireEvent(ItemClick, ListItems(i));
    }
}

void ListView::userItemClick(int i) {
    if (!userCanAct("click")) {
        return;
    }
    if (!select(i)) {
        scripted::fault("a user cannot click row " + std::to_string(i) + " of a list view");
        return;
    }
    fireItemClick(i);
}

// ---- TabStrip, MultiPage ----------------------------------------------------------------------------

namespace {
QTabBar* tabbar(const TabStrip* strip) {
    return static_cast<VbTabStrip*>(strip->widget())->bar;
}
} // namespace

std::string Tab::Caption() const {
    return tabbar(owner_)->tabText(index_ - 1).toStdString();
}
void Tab::setCaption(const std::string& caption) {
    tabbar(owner_)->setTabText(index_ - 1, QString::fromStdString(caption));
}

Tab& Tabs::Add(const std::string& caption) {
    QTabBar* bar = tabbar(owner_);
    const QSignalBlocker block(bar);
    bar->addTab(QString::fromStdString(caption));
    parts_.push_back(std::unique_ptr<Tab>(new Tab(owner_, static_cast<int>(parts_.size()) + 1)));
    return *parts_.back();
}

void Tabs::Clear() {
    QTabBar* bar = tabbar(owner_);
    const QSignalBlocker block(bar);
    while (bar->count() > 0) {
        bar->removeTab(0);
    }
    parts_.clear();
}

TabStrip::TabStrip() : Control(new VbTabStrip, vbButtonFace), Tabs(this) {
    QTabBar* bar = tabbar(this);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(false);
    bar->setDrawBase(true);
    QObject::connect(bar, &QTabBar::currentChanged, bar, [this] { fire(Click); });
    // A click on the selected tab changes nothing in Qt, but it is a click all the same.
    QObject::connect(bar, &QTabBar::tabBarClicked, bar, [this, bar](int index) {
        if (index >= 0 && index == bar->currentIndex()) {
            fire(Click);
        }
    });
}

TabStrip::~TabStrip() = default;

int TabStrip::SelectedIndex() const {
    return tabbar(this)->currentIndex() + 1;
}

bool TabStrip::setSilently(int index) {
    if (index < 1 || index > Tabs.Count()) {
        return false;
    }
    const QSignalBlocker block(tabbar(this));
    tabbar(this)->setCurrentIndex(index - 1);
    return true;
}

bool TabStrip::set(int index) {
    if (index == SelectedIndex()) {
        return index >= 1;
    }
    if (!setSilently(index)) {
        return false;
    }
    fire(Click);
    return true;
}

void TabStrip::userClick(int i) {
    if (!userCanAct("click")) {
        return;
    }
    if (!setSilently(i)) {
        scripted::fault("a user cannot click tab " + std::to_string(i));
        return;
    }
    fire(Click);
}

std::string Page::Caption() const {
    auto* tabs = static_cast<QTabWidget*>(owner_->widget());
    return tabs->tabText(tabs->indexOf(widget_)).toStdString();
}

void Page::setCaption(const std::string& caption) {
    auto* tabs = static_cast<QTabWidget*>(owner_->widget());
    tabs->setTabText(tabs->indexOf(widget_), QString::fromStdString(caption));
}

MultiPage::MultiPage() : Control(new QTabWidget, vbButtonFace) {
    auto* tabs = static_cast<QTabWidget*>(widget());
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this] { fire(Change); });
}

Page& MultiPage::AddPage(const std::string& caption) {
    auto* tabs = static_cast<QTabWidget*>(widget());
    const QSignalBlocker block(tabs);
    auto* page = new QWidget;
    tabs->addTab(page, QString::fromStdString(caption));
    pages_.push_back(std::unique_ptr<Page>(new Page(this, page, static_cast<int>(pages_.size()))));
    return *pages_.back();
}

Page& MultiPage::Pages(int i) {
    return *pages_.at(static_cast<std::size_t>(i));
}
int MultiPage::Value() const {
    return static_cast<QTabWidget*>(widget())->currentIndex();
}

bool MultiPage::setSilently(int index) {
    if (index < 0 || index >= PageCount()) {
        return false;
    }
    const QSignalBlocker block(widget());
    static_cast<QTabWidget*>(widget())->setCurrentIndex(index);
    return true;
}

bool MultiPage::set(int index) {
    if (index == Value()) {
        return true;
    }
    if (!setSilently(index)) {
        return false;
    }
    fire(Change);
    return true;
}

void MultiPage::userClick(int index) {
    if (!userCanAct("click")) {
        return;
    }
    if (index < 0 || index >= PageCount()) {
        scripted::fault("a user cannot click page " + std::to_string(index));
        return;
    }
    set(index);
}

// ---- ActionItem ------------------------------------------------------------------------------------

// A menu entry not yet created has no action: it shows nothing and ignores what is set.
std::string ActionItem::Caption() const {
    return action_ ? action_->text().toStdString() : std::string();
}
void ActionItem::setCaption(const std::string& caption) {
    if (action_) {
        action_->setText(QString::fromStdString(caption));
    }
}
bool ActionItem::Enabled() const {
    return action_ && action_->isEnabled();
}
void ActionItem::setEnabled(bool enabled) {
    if (action_) {
        action_->setEnabled(enabled);
    }
}
bool ActionItem::Visible() const {
    return action_ && action_->isVisible();
}
void ActionItem::setVisible(bool visible) {
    if (action_) {
        action_->setVisible(visible);
    }
}

// ---- StatusBar, Toolbar -----------------------------------------------------------------------------

std::string Panel::Text() const {
    return text_;
}

void Panel::setText(const std::string& text) {
    text_ = text;
    if (style_ == Style::Text) {
        static_cast<QLabel*>(label_)->setText(QString::fromStdString(text));
    }
}

void Panel::setStyle(Style style) {
    style_ = style;
    auto* label = static_cast<QLabel*>(label_);
    if (style == Style::Date) {
        label->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    } else if (style == Style::Time) {
        label->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
    } else {
        label->setText(QString::fromStdString(text_));
    }
}

void Panel::setWidth(int twips) {
    auto* layout = static_cast<QHBoxLayout*>(label_->parentWidget()->layout());
    if (twips > 0) {
        label_->setFixedWidth(px(twips));
        layout->setStretchFactor(label_, 0);
    } else {
        label_->setMinimumWidth(0);
        label_->setMaximumWidth(QWIDGETSIZE_MAX);
        layout->setStretchFactor(label_, 1);
    }
}

DockedBar::DockedBar(QWidget* widget, const char* edge) : Control(widget, vbButtonFace) {
    widget->setProperty(kDockProperty, QString::fromLatin1(edge));
}

void DockedBar::dock() {
    if (widget()->parentWidget() != nullptr) {
        FormWindow::dockChildren(widget()->parentWidget());
    }
}

StatusBar::StatusBar() : DockedBar(new QWidget, "bottom") {
    auto* layout = new QHBoxLayout(widget());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    auto* timer = new QTimer(widget());
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, widget(), [this] { tick(); });
    timer->start();
    timer_ = timer;
}

StatusBar::~StatusBar() = default;

Panel& StatusBar::AddPanel(const std::string& text, Panel::Style style, int widthTwips) {
    auto* label = new QLabel;
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    static_cast<QHBoxLayout*>(widget()->layout())->addWidget(label, widthTwips > 0 ? 0 : 1);
    panels_.push_back(std::unique_ptr<Panel>(new Panel(label)));
    Panel& panel = *panels_.back();
    panel.setText(text);
    panel.setStyle(style);
    panel.setWidth(widthTwips);
    return panel;
}

Panel& StatusBar::Panels(int i) {
    return *panels_.at(static_cast<std::size_t>(i - 1));
}

void StatusBar::tick() {
    for (auto& panel : panels_) {
        if (panel->style_ != Panel::Style::Text) {
            panel->setStyle(panel->style_);
        }
    }
}

ToolbarButton::ToolbarButton(QAction* action, std::string key, int index)
    : key_(std::move(key)), index_(index) {
    action_ = action;
}

bool ToolbarButton::Value() const {
    return action_->isChecked();
}
void ToolbarButton::setValue(bool pressed) {
    const QSignalBlocker block(action_);
    action_->setChecked(pressed);
}
void ToolbarButton::setToolTipText(const std::string& text) {
    action_->setToolTip(QString::fromStdString(text));
}

bool ToolbarButton::setImage(const std::string& path) {
    QPixmap pixmap;
    if (!pixmap.load(qs(path))) {
        return false;
    }
    action_->setIcon(QIcon(pixmap));
    return true;
}

Toolbar::Toolbar() : DockedBar(new QToolBar, "top") {
    auto* bar = static_cast<QToolBar*>(widget());
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

Toolbar::~Toolbar() = default;

ToolbarButton& Toolbar::AddButton(const std::string& key, const std::string& caption,
                                  ToolbarButton::Style style) {
    auto* bar = static_cast<QToolBar*>(widget());
    QAction* action = style == ToolbarButton::Style::Separator
                          ? bar->addSeparator()
                          : bar->addAction(QString::fromStdString(caption));
    action->setCheckable(style == ToolbarButton::Style::Check);
    buttons_.push_back(std::unique_ptr<ToolbarButton>(
        new ToolbarButton(action, key, static_cast<int>(buttons_.size()) + 1)));
    ToolbarButton* button = buttons_.back().get();
    QObject::connect(action, &QAction::triggered, bar, [this, button] { clicked(*button); });
    return *button;
}

ToolbarButton& Toolbar::Buttons(int i) {
    return *buttons_.at(static_cast<std::size_t>(i - 1));
}

ToolbarButton* Toolbar::Button(const std::string& key) {
    for (auto& b : buttons_) {
        if (b->key_ == key) {
            return b.get();
        }
    }
    return nullptr;
}

void Toolbar::clicked(ToolbarButton& button) {
    fireEvent(ButtonClick, button);
}

void Toolbar::userClick(const std::string& key) {
    if (!userCanAct("click")) {
        return;
    }
    ToolbarButton* button = Button(key);
    if (button == nullptr || !button->Enabled() || !button->Visible()) {
        scripted::fault("a user cannot click the tool-bar button \"" + key + "\"");
        return;
    }
    if (button->action_->isCheckable()) {
        button->setValue(!button->Value());
    }
    clicked(*button);
}

// ---- Menu -------------------------------------------------------------------------------------------

Menu::Menu() = default;

Menu::~Menu() {
    if (menu_ && parent_ == nullptr) {
        delete menu_.data();
    } else if (action_) {
        delete action_.data();
        if (menu_) {
            delete menu_.data();
        }
    }
}

void Menu::create(Form& form, const std::string& caption) {
    QMenuBar* bar = static_cast<FormWindow*>(form.window())->menuBar();
    menu_ = bar->addMenu(QString::fromStdString(caption));
    action_ = menu_->menuAction();
    parent_ = nullptr;
    // A menu of the bar fires Click as it opens, so that its entries can be set up.
    QObject::connect(menu_.data(), &QMenu::aboutToShow, menu_.data(), [this] { fireEvent(Click); });
}

void Menu::create(Menu& parent, const std::string& caption) {
    parent_ = &parent;
    QMenu* owner = parent.submenu();
    if (caption == "-") {
        action_ = owner->addSeparator();
        return;
    }
    action_ = owner->addAction(QString::fromStdString(caption));
    QObject::connect(action_.data(), &QAction::triggered, action_.data(), [this] { fireEvent(Click); });
}

QMenu* Menu::submenu() {
    if (!menu_) {
        menu_ = new QMenu;
        action_->setMenu(menu_.data());
        QObject::connect(menu_.data(), &QMenu::aboutToShow, menu_.data(), [this] { fireEvent(Click); });
    }
    return menu_;
}

bool Menu::Checked() const {
    return action_ && action_->isChecked();
}
void Menu::setChecked(bool checked) {
    if (action_) {
        const QSignalBlocker block(action_.data());
        action_->setCheckable(true);
        action_->setChecked(checked);
    }
}
void Menu::setShortcut(const std::string& keys) {
    if (action_) {
        action_->setShortcut(QKeySequence(qs(keys)));
    }
}

void Menu::userClick() {
    for (const Menu* m = this; m != nullptr; m = m->parent_) {
        if (!m->Enabled() || !m->Visible()) {
            scripted::fault("a user cannot choose the menu entry \"" + Caption() + "\"");
            return;
        }
    }
    fireEvent(Click);
}

} // namespace platform
