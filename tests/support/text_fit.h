// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>

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

} // namespace test_support
