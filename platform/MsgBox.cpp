// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MsgBox.h"

#include "platform/scripted.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <deque>

namespace platform {
namespace {

std::deque<int>& queue() {
    static std::deque<int> answers;
    return answers;
}

bool& autoAnswer() {
    static bool on = false;
    return on;
}

std::vector<msgbox::Shown>& shown() {
    static std::vector<msgbox::Shown> boxes;
    return boxes;
}

/// The answers a box offers, in button order.
std::vector<int> answersOf(int buttons) {
    switch (buttons & 0x0F) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

/// The button of an answer; the answers are numbered vbOK (1) to vbNo (7) in this order.
QMessageBox::StandardButton standardButton(int answer) {
    static constexpr QMessageBox::StandardButton kButtons[] = {QMessageBox::Ok,     QMessageBox::Cancel,
                                                               QMessageBox::Abort,  QMessageBox::Retry,
                                                               QMessageBox::Ignore, QMessageBox::Yes};
    return answer >= vbOK && answer <= vbYes ? kButtons[answer - vbOK] : QMessageBox::No;
}

int showReal(const std::string& prompt, int buttons, const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(QString::fromStdString(prompt));
    box.setWindowTitle(title.empty() ? QApplication::applicationDisplayName()
                                     : QString::fromStdString(title));
    // The icon flags are vbCritical (16), vbQuestion (32), vbExclamation (48) and vbInformation (64).
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Critical, QMessageBox::Question,
                                                   QMessageBox::Warning, QMessageBox::Information};
    if (const int icon = (buttons & 0x70) / vbCritical; icon >= 1 && icon <= 4) {
        box.setIcon(kIcons[icon - 1]);
    }
    const std::vector<int> answers = answersOf(buttons);
    for (int answer : answers) {
        box.addButton(standardButton(answer));
    }
    box.setDefaultButton(standardButton(DefaultAnswer(buttons)));
    // Escape answers Cancel where the box has it, else its only button.
    if (std::find(answers.begin(), answers.end(), vbCancel) != answers.end()) {
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (answers.size() == 1) {
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (int answer : answers) {
        if (clicked == box.button(standardButton(answer))) {
            return answer;
        }
    }
    return DefaultAnswer(buttons);
}

} // namespace

int DefaultAnswer(int buttons) {
    const std::vector<int> answers = answersOf(buttons);
    std::size_t which = 0;
    if ((buttons & vbDefaultButton3) != 0) {
        which = 2;
    } else if ((buttons & vbDefaultButton2) != 0) {
        which = 1;
    }
    return answers[std::min(which, answers.size() - 1)];
}

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (!scripted::active()) {
        return showReal(prompt, buttons, title);
    }
    int answer = DefaultAnswer(buttons);
    if (queue().empty()) {
        if (!autoAnswer()) {
            scripted::fault("a message box nobody scripted: \"" + prompt + "\" (title \"" + title + "\")");
        }
    } else {
        answer = queue().front();
        queue().pop_front();
        const std::vector<int> offered = answersOf(buttons);
        if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
            scripted::fault("the scripted answer " + std::to_string(answer) + " is no button of the box \"" +
                            prompt + "\"");
            answer = DefaultAnswer(buttons);
        }
    }
    shown().push_back({prompt, title, buttons, answer});
    return answer;
}

namespace msgbox {
void script(int answer) {
    queue().push_back(answer);
}
const std::vector<Shown>& log() {
    return shown();
}
int pending() {
    return static_cast<int>(queue().size());
}
void reset() {
    queue().clear();
    shown().clear();
    autoAnswer() = false;
}
void setAutoAnswer(bool on) {
    autoAnswer() = on;
}
} // namespace msgbox

} // namespace platform

namespace platform {

bool CountWithinLimit(long long count, long long limit, const std::string& what) {
    if (count <= limit) {
        return true;
    }
    MsgBox(what + "的数量 " + std::to_string(count) + " 超过上限 " + std::to_string(limit) +
               "，请检查输入或文件。",
           vbOKOnly | vbExclamation, "出错");
    return false;
}

bool RoomForAnotherRow(long long count, long long limit, const std::string& what) {
    if (count < limit) {
        return true;
    }
    MsgBox(what + "的数量已达上限 " + std::to_string(limit) + "，不能再添加。", vbOKOnly | vbExclamation,
           "出错");
    return false;
}

bool ConfirmUnstorableTexts(const std::vector<std::string>& notes) {
    if (notes.empty()) {
        return true;
    }
    std::string list;
    for (const std::string& note : notes) {
        list += "\r\n" + note;
    }
    return MsgBox("以下内容含有 GBK 无法保存的字符，保存后将变为“?”：" + list + "\r\n是否以“?”代替后保存?",
                  vbYesNo + vbQuestion + vbDefaultButton2, "保存提示！") == vbYes;
}

} // namespace platform
