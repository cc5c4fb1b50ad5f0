// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTextDocument>
#include <QStyleOptionComboBox>
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractScrollArea>
#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace test_support {

/// The font the program runs with, for as long as the object lives: widths measured in the test
/// font of the stage would say nothing of what the engineer sees.
class ProgramFont {
public:
    ProgramFont() : before_(QApplication::font()) {
        QApplication::setFont(
            QFont(QString::fromUtf8(platform::kProgramFontFamily), platform::kProgramFontPoints));
    }
    ~ProgramFont() { QApplication::setFont(before_); }
    ProgramFont(const ProgramFont&) = delete;
    ProgramFont& operator=(const ProgramFont&) = delete;

private:
    QFont before_;
};

/// The width a combo box needs to show `text` whole: its advance plus frame, margins and arrow.
inline int comboWidthFor(const QComboBox& box, const std::string& text) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = box.isEditable();
    option.frame = box.hasFrame();
    const QFontMetrics metrics(box.font());
    const QSize content(metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height());
    return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, &box).width();
}

/// The width a list column needs to show a cell's `text` whole: a cell's text is inset by the
/// focus-frame margin on each side.
inline int cellWidthFor(const QTreeWidget& list, const std::string& text) {
    const int inset = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
    return QFontMetrics(list.font()).horizontalAdvance(QString::fromStdString(text)) + inset;
}

/// The headers of `list` narrower than their text, each with the width it has and the width it needs.
inline std::vector<std::string> cutHeaders(const QTreeWidget& list) {
    std::vector<std::string> cut;
    for (int column = 0; column < list.columnCount(); ++column) {
        const int needed = list.header()->sectionSizeHint(column);
        if (list.columnWidth(column) < needed) {
            cut.push_back(list.headerItem()->text(column).toStdString() + ": " +
                          std::to_string(list.columnWidth(column)) + " < " + std::to_string(needed));
        }
    }
    return cut;
}

/// Where a label's text stands in its parent: the part of the label its text covers, not its whole box.
inline QRect textRect(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QRect inside = label.contentsRect();
    const int flags = static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect text = metrics.boundingRect(inside, flags, label.text()).intersected(inside);
    return text.translated(label.pos());
}

/// Where a control draws in its parent: a caption its text, another control its box.
inline QRect drawnRect(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control); label != nullptr) {
        return label->pixmap().isNull() ? textRect(*label) : label->geometry();
    }
    return control.geometry();
}

/// Whether a control draws something of its own that a caption could cover.
inline bool drawsOwn(const QWidget& control) {
    if (control.isWindow() || control.width() <= 1 || control.height() <= 1) {
        return false;
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control); label != nullptr) {
        return !label->text().trimmed().isEmpty() || !label->pixmap().isNull();
    }
    return !control.inherits("QMenu");
}

/// The rectangle of the line a frame draws around itself, found by drawing the frame alone; empty when
/// it draws none.
inline QRect frameLine(const QGroupBox& frame) {
    const QRgb blank = qRgb(255, 0, 255);
    QImage image(frame.size(), QImage::Format_RGB32);
    image.fill(blank);
    const_cast<QGroupBox&>(frame).render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    const auto inkAt = [&](int x, int y) { return image.pixel(x, y) != blank; };
    const int midX = image.width() - std::min(image.width() / 4, 40);
    const int midY = image.height() / 2;
    QRect line;
    for (int y = 0; y < image.height(); ++y) {
        if (inkAt(midX, y)) {
            line.setTop(y);
            break;
        }
        if (y == image.height() - 1) {
            return {};
        }
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        if (inkAt(midX, y)) {
            line.setBottom(y);
            break;
        }
    }
    for (int x = 0; x < image.width(); ++x) {
        if (inkAt(x, midY)) {
            line.setLeft(x);
            break;
        }
    }
    for (int x = image.width() - 1; x >= 0; --x) {
        if (inkAt(x, midY)) {
            line.setRight(x);
            break;
        }
    }
    return line;
}

/// Captions that cover another control or a frame's line: a caption's text (as wide as it runs in its
/// font, not its whole box) over a sibling control's box, over a sibling caption's text or over a sibling
/// frame; and any control of a frame on or outside the frame's line. A hidden control counts where it can
/// show beside the others: a hidden caption (a note shown in its place); a hidden frame, list or panel is
/// shown instead of what it lies over.
template <class Note> void crowdedTexts(const QWidget& root, const Note& note) {
    const auto shownWith = [](const QWidget& control) {
        return !control.isHidden() || qobject_cast<const QLabel*>(&control) != nullptr;
    };
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        const QWidget* holder = label->parentWidget();
        if (label->text().trimmed().isEmpty() || !label->pixmap().isNull() || holder == nullptr ||
            !drawsOwn(*label) || !shownWith(*label) ||
            qobject_cast<const QAbstractScrollArea*>(holder) != nullptr || !holder->inherits("QWidget") ||
            holder->inherits("QAbstractSpinBox") || qobject_cast<const QComboBox*>(holder) != nullptr) {
            continue;
        }
        const QRect text = textRect(*label);
        for (const QObject* child : holder->children()) {
            const auto* other = qobject_cast<const QWidget*>(child);
            if (other == nullptr || other == label || !drawsOwn(*other) || !shownWith(*other) ||
                (label->isHidden() && other->isHidden())) {
                continue;
            }
            // Two captions of one place shown one at a time, and a note over its own caption's place.
            if (other->geometry() == label->geometry()) {
                continue;
            }
            // A frame is crossed where its line runs, not inside it; another container (a tab strip's
            // panel, a page) is what controls are laid on.
            const auto* frame = qobject_cast<const QGroupBox*>(other);
            if (frame == nullptr && !other->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()) {
                continue;
            }
            if (frame != nullptr) {
                const QRect line = frameLine(*frame);
                if (line.isEmpty() || line.adjusted(1, 1, -1, -1).translated(frame->pos()).contains(text)) {
                    continue;
                }
            }
            if (drawnRect(*other).intersects(text)) {
                QString what = other->property("text").toString();
                if (const auto* frame = qobject_cast<const QGroupBox*>(other)) {
                    what = frame->title();
                }
                if (what.trimmed().isEmpty()) {
                    what = QString::fromLatin1(other->metaObject()->className());
                }
                // Each pair once.
                if (qobject_cast<const QLabel*>(other) != nullptr && other < label) {
                    continue;
                }
                note(label->text() + QStringLiteral(" / ") + what, "over", text.bottom() + 1,
                     drawnRect(*other).top());
            }
        }
    }
    for (const QGroupBox* frame : root.findChildren<QGroupBox*>()) {
        if (frame->isWindow() || frame->width() <= 1) {
            continue;
        }
        const QRect line = frameLine(*frame);
        if (line.isEmpty()) {
            continue;
        }
        const QRect inside = line.adjusted(1, 1, -1, -1);
        for (const QObject* child : frame->children()) {
            const auto* control = qobject_cast<const QWidget*>(child);
            if (control == nullptr || !drawsOwn(*control) || !shownWith(*control)) {
                continue;
            }
            const QRect drawn = drawnRect(*control);
            if (!inside.contains(drawn)) {
                QString what = control->property("text").toString();
                if (const auto* inner = qobject_cast<const QGroupBox*>(control)) {
                    what = inner->title();
                }
                if (what.trimmed().isEmpty()) {
                    what = QString::fromLatin1(control->metaObject()->className());
                }
                note(what + QStringLiteral(" / ") + frame->title(), "frame line", drawn.top(), inside.top());
            }
        }
    }
}

/// Every text of a window that its control cannot show whole in the control's font: a caption wider
/// than its label (and, wrapped, taller), a label lower than one line of its text, a line of a label box
/// wider than the box or below its bottom, a column header
/// narrower than its text, a frame title, check box, option button or button caption wider than its
/// control, a caption over another control or a frame's line (see crowdedTexts). Each entry names the
/// control's text and the widths (or heights, or places) it has and needs. Hidden controls count: a page
/// not shown now is shown later.
inline std::vector<std::string> cutTexts(const QWidget& root) {
    std::vector<std::string> cut;
    const auto note = [&cut](const QString& text, const char* what, int has, int needs) {
        cut.push_back(text.simplified().toStdString() + " (" + what + " " + std::to_string(has) + " < " +
                      std::to_string(needs) + ")");
    };
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.trimmed().isEmpty() || label->width() <= 1 || !label->pixmap().isNull()) {
            continue;
        }
        const QFontMetrics metrics(label->font());
        const QRect inside = label->contentsRect();
        const int oneLine = metrics.horizontalAdvance(text);
        // A caption laid out for one line keeps its text on it: wrapped, its end stands below, over what
        // comes next.
        if (label->wordWrap() && !text.contains(QLatin1Char('\n')) && oneLine > inside.width() &&
            inside.height() < 2 * metrics.height()) {
            note(text, "wrapped", inside.width(), oneLine);
        } else if (label->wordWrap() || text.contains(QLatin1Char('\n'))) {
            const int needs = label->heightForWidth(inside.width());
            if (needs > inside.height() + 1) {
                note(text, "height", inside.height(), needs);
            }
        } else if (oneLine > inside.width()) {
            note(text, "width", inside.width(), oneLine);
        } else if (metrics.height() > inside.height() + 2) {
            note(text, "height", inside.height(), metrics.height());
        }
    }
    // A label box (a read-only text box without scroll bar) shows each of its lines whole, and all of
    // them: a line wider than the box wraps and pushes the entries below out of line with their boxes.
    for (const QPlainTextEdit* box : root.findChildren<QPlainTextEdit*>()) {
        if (!box->isReadOnly() || box->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ||
            box->toPlainText().trimmed().isEmpty() || box->width() <= 1) {
            continue;
        }
        const QFontMetrics metrics(box->font());
        const int margin = 2 * static_cast<int>(std::ceil(box->document()->documentMargin()));
        const int room = box->viewport()->width() - margin;
        const QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            if (metrics.horizontalAdvance(line) > room) {
                note(line, "line", room, metrics.horizontalAdvance(line));
            }
        }
        const int needs = static_cast<int>(lines.size()) * metrics.lineSpacing() + margin;
        if (needs > box->viewport()->height() + 1) {
            note(lines.back(), "lines", box->viewport()->height(), needs);
        }
    }
    for (const QTreeWidget* list : root.findChildren<QTreeWidget*>()) {
        // A column that runs past the list's right edge is cut until the engineer scrolls: the columns
        // together fit the list.
        int right = 0;
        const int visible = list->viewport()->width();
        for (int column = 0; column < list->columnCount(); ++column) {
            const int width = list->columnWidth(column);
            if (width <= 0 || list->isColumnHidden(column)) {
                continue;
            }
            const QString header = list->headerItem()->text(column);
            right += width;
            // Only a wide record table (ten columns or more) is meant to be scrolled across.
            if (right > visible + 1 && list->columnCount() < 10) {
                note(header, "list", visible, right);
            }
            if (!list->isHeaderHidden() && width < list->header()->sectionSizeHint(column)) {
                note(header, "column", width, list->header()->sectionSizeHint(column));
            }
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                const QString cell = list->topLevelItem(row)->text(column);
                const int needs = cellWidthFor(*list, cell.toStdString());
                if (width < needs) {
                    note(cell, "cell", width, needs);
                }
            }
        }
    }
    for (const QTabBar* bar : root.findChildren<QTabBar*>()) {
        for (int tab = 0; tab < bar->count(); ++tab) {
            const QRect rect = bar->tabRect(tab);
            const QString text = QString(bar->tabText(tab)).remove(QLatin1Char('&'));
            const int needs = QFontMetrics(bar->font()).horizontalAdvance(text) +
                              bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            if (rect.width() < needs || rect.right() > bar->width()) {
                note(bar->tabText(tab), "tab", std::min(rect.width(), bar->width() - rect.left()), needs);
            }
        }
    }
    for (const QGroupBox* frame : root.findChildren<QGroupBox*>()) {
        const int needs = QFontMetrics(frame->font()).horizontalAdvance(frame->title()) + 16;
        if (!frame->title().isEmpty() && frame->width() < needs) {
            note(frame->title(), "frame", frame->width(), needs);
        }
    }
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        const QString text = button->text();
        if (text.trimmed().isEmpty() || button->width() <= 1 ||
            !(qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button) ||
              qobject_cast<const QPushButton*>(button))) {
            continue;
        }
        const bool push = qobject_cast<const QPushButton*>(button) != nullptr;
        // A push button's caption needs its advance and a little room on each side; a check box or
        // option button needs its indicator too, which its size hint holds.
        const int needs =
            push ? QFontMetrics(button->font()).horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 4
                 : button->sizeHint().width();
        if (button->width() < needs) {
            note(text, push ? "button" : "box", button->width(), needs);
        }
    }
    crowdedTexts(root, note);
    // A control that runs past the edge of what holds it is cut there (a caption below a window's
    // bottom, a box beyond its frame).
    for (const QWidget* control : root.findChildren<QWidget*>()) {
        const QWidget* holder = control->parentWidget();
        const auto* label = qobject_cast<const QLabel*>(control);
        const bool ours =
            (label != nullptr && !label->text().trimmed().isEmpty()) ||
            qobject_cast<const QPushButton*>(control) || qobject_cast<const QCheckBox*>(control) ||
            qobject_cast<const QRadioButton*>(control) || qobject_cast<const QLineEdit*>(control) ||
            qobject_cast<const QComboBox*>(control) || qobject_cast<const QTreeWidget*>(control) ||
            qobject_cast<const QGroupBox*>(control);
        if (!ours || holder == nullptr || control->isWindow() || control->width() <= 1 ||
            qobject_cast<const QAbstractScrollArea*>(holder) != nullptr ||
            holder->inherits("QAbstractSpinBox") || qobject_cast<const QComboBox*>(holder) != nullptr) {
            continue;
        }
        const QRect inside = holder->rect().adjusted(-1, -1, 1, 1);
        if (!inside.contains(control->geometry())) {
            QString text = control->property("text").toString();
            if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
                text = frame->title();
            }
            const QRect g = control->geometry();
            note(text.isEmpty() ? QString::fromLatin1(control->metaObject()->className()) : text, "edge",
                 g.right() > inside.right() ? holder->width() : holder->height(),
                 g.right() > inside.right() ? g.right() + 1 : g.bottom() + 1);
        }
    }
    return cut;
}

/// Whether `character` leaves a mark when drawn in `font` (with the fallbacks the painter would use): a
/// font may list a character in its map and still draw it empty.
inline bool drawsInk(const QFont& font, const QString& character) {
    static std::map<std::pair<QString, QString>, bool> known;
    const auto key = std::make_pair(font.key(), character);
    if (const auto found = known.find(key); found != known.end()) {
        return found->second;
    }
    const QFontMetrics metrics(font);
    QImage image(std::max(8, 3 * metrics.height()), std::max(8, 2 * metrics.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(metrics.height() / 2, metrics.ascent() + metrics.height() / 2, character);
    }
    bool ink = false;
    for (int y = 0; y < image.height() && !ink; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width() && !ink; ++x) {
            ink = qGray(line[x]) < 200;
        }
    }
    known.emplace(key, ink);
    return ink;
}

/// Every character of a window's texts that draws nothing in the font of the control that shows it:
/// captions, frame titles, buttons, tabs, column headers and cells, list and combo items, boxes, menus
/// and toolbar buttons. Blanks and line breaks are meant to draw nothing. Each entry names the
/// character's code and the text it stands in.
inline std::vector<std::string> blankCharacters(const QWidget& root) {
    std::vector<std::string> blank;
    std::set<std::pair<QString, uint>> noted;
    const auto check = [&](const QFont& font, const QString& text) {
        for (const uint code : text.toUcs4()) {
            const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            if (QChar::isSpace(code) || QChar::category(code) == QChar::Other_Control ||
                QChar::category(code) == QChar::Other_Format || drawsInk(font, character) ||
                !noted.emplace(font.key(), code).second) {
                continue;
            }
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", code);
            blank.push_back(std::string(hex) + " in \"" + text.simplified().toStdString() + "\"");
        }
    };
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        check(label->font(), label->text());
    }
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        check(button->font(), QString(button->text()).remove(QLatin1Char('&')));
    }
    for (const QGroupBox* frame : root.findChildren<QGroupBox*>()) {
        check(frame->font(), frame->title());
    }
    for (const QTabBar* bar : root.findChildren<QTabBar*>()) {
        for (int tab = 0; tab < bar->count(); ++tab) {
            check(bar->font(), QString(bar->tabText(tab)).remove(QLatin1Char('&')));
        }
    }
    for (const QTreeWidget* list : root.findChildren<QTreeWidget*>()) {
        for (int column = 0; column < list->columnCount(); ++column) {
            check(list->header()->font(), list->headerItem()->text(column));
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                check(list->font(), list->topLevelItem(row)->text(column));
            }
        }
    }
    for (const QListWidget* list : root.findChildren<QListWidget*>()) {
        for (int row = 0; row < list->count(); ++row) {
            check(list->font(), list->item(row)->text());
        }
    }
    for (const QComboBox* box : root.findChildren<QComboBox*>()) {
        check(box->font(), box->currentText());
        for (int i = 0; i < box->count(); ++i) {
            check(box->font(), box->itemText(i));
        }
    }
    for (const QLineEdit* box : root.findChildren<QLineEdit*>()) {
        check(box->font(), box->text());
    }
    for (const QPlainTextEdit* box : root.findChildren<QPlainTextEdit*>()) {
        check(box->font(), box->toPlainText());
    }
    for (const QMenuBar* bar : root.findChildren<QMenuBar*>()) {
        for (const QAction* action : bar->actions()) {
            check(bar->font(), QString(action->text()).remove(QLatin1Char('&')));
        }
    }
    for (const QMenu* menu : root.findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions()) {
            check(menu->font(), QString(action->text()).remove(QLatin1Char('&')));
        }
    }
    for (const QToolBar* bar : root.findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            check(bar->font(), QString(action->text()).remove(QLatin1Char('&')));
        }
    }
    return blank;
}

} // namespace test_support
