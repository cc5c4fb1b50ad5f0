// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted.h"

#include <QtGlobal>

namespace platform::scripted {
namespace {
bool g_active = false;
std::vector<std::string> g_faults;
} // namespace

void setActive(bool active) {
    g_active = active;
}
bool active() {
    return g_active;
}

void fault(const std::string& what) {
    if (g_active) {
        g_faults.push_back(what);
    } else {
        qWarning("%s", what.c_str());
    }
}

std::vector<std::string> takeFaults() {
    std::vector<std::string> faults;
    faults.swap(g_faults);
    return faults;
}

} // namespace platform::scripted
