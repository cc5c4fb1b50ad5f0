// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

namespace test_support {

/// The font the program runs with, for as long as the object lives: widths measured in the test
/// font of the stage would say nothing of what the engineer sees.
class ProgramFont {
public:
    ProgramFont() : before_(QApplication::font()) {
        QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
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

/// Every text of a window that its control cannot show whole in the control's font: a caption wider
/// than its label (and, wrapped, taller), a label lower than one line of its text, a column header
/// narrower than its text, a frame title, check box, option button or button caption wider than its
/// control. Each entry names the control's text and the widths (or heights) it has and needs. Hidden
/// controls count: a page not shown now is shown later.
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
        if (label->wordWrap() || text.contains(QLatin1Char('\n'))) {
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

} // namespace test_support
