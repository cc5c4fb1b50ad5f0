// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgressBar.h"

#include <QtWidgets/QProgressBar>

#include <algorithm>

namespace platform {

ProgressBar::ProgressBar() : Control(new QProgressBar, vbButtonFace) {
    static_cast<QProgressBar*>(widget())->setTextVisible(false);
    apply();
}

void ProgressBar::setMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    apply();
}

void ProgressBar::setMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    apply();
}

void ProgressBar::setValue(int value) {
    value_ = value;
    apply();
}

void ProgressBar::apply() {
    value_ = std::clamp(value_, min_, max_);
    auto* bar = static_cast<QProgressBar*>(widget());
    bar->setRange(min_, max_);
    bar->setValue(value_);
}

} // namespace platform
