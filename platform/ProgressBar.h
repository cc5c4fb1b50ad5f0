// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

namespace platform {

/// The progress bar of the common controls: a range from Min to Max and the value shown in it. A value
/// outside the range is held at its nearer end, as the control holds it.
class ProgressBar : public Control {
public:
    ProgressBar();
    int Min() const { return min_; }
    int Max() const { return max_; }
    void setMin(int value);
    void setMax(int value);
    int Value() const { return value_; }
    void setValue(int value);

private:
    void apply();
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

} // namespace platform
