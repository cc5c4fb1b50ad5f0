// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace platform {

// Buttons, icon and default-button flags of a message box, added together.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

/// Shows a message box and returns the button pressed. An empty title shows the program's name.
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "");

/// The answer a box gives when nobody picks one: its default button.
int DefaultAnswer(int buttons);

/// Guards a count that a file or a box asks for (groups, lamps, grid points, rows…) before anything is
/// built for it, so that a typing slip or a damaged file cannot freeze a window or exhaust memory. A count
/// above the limit shows one OK box titled "出错" naming what was counted, the count and the limit, and
/// gives false; a count within it gives true and shows nothing.
bool CountWithinLimit(long long count, long long limit, const std::string& what);
/// Guards adding one more row to a list whose file reads at most `limit` rows: a list that holds `limit`
/// already would be saved as a file that is refused when opened again. A full list shows one OK box titled
/// "出错" naming what is listed and the limit, and gives false; otherwise true and nothing is shown.
bool RoomForAnotherRow(long long count, long long limit, const std::string& what);

/// Texts GBK cannot store would become "?" on disk without a word: one "保存提示！" box lists `notes`
/// (each a field or text and its first such character, see UnstorableTextNote) and asks whether to save with
/// "?" instead. True when there is nothing to list or the answer is Yes.
bool ConfirmUnstorableTexts(const std::vector<std::string>& notes);

/// The test side: scripted answers, and a log of every box.
namespace msgbox {

struct Shown {
    std::string prompt;
    std::string title;
    int buttons = 0;
    int answer = 0;
};

/// Queues the answer of the next box.
void script(int answer);
/// Every box shown since the last reset, in order.
const std::vector<Shown>& log();
/// Answers still queued.
int pending();
/// Forgets the queue and the log, and ends auto-answering.
void reset();
/// While on, a box with no scripted answer takes its default button and is logged, not a fault (for
/// random-input tests that cannot know which boxes their actions raise). Scripted side only.
void setAutoAnswer(bool on);

} // namespace msgbox
} // namespace platform
