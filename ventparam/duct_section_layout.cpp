// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/duct_section_layout.h"

namespace ventparam {

int PlaceDuctSection(platform::Layout& layout, const DuctSectionBoxes& boxes,
                     const platform::Layout::Column& shape, int top) {
    const int below = layout.column(boxes.frame, shape, top,
                                    {{"面积(m^2):", &boxes.area},
                                     {"周长(m):", &boxes.perimeter},
                                     {"当量直径(m):", &boxes.diameter},
                                     {"平均壁面粗糙度(mm)", &boxes.roughness}});
    boxes.materials.place(boxes.frame, shape.left + shape.labelWidth + shape.boxWidth + 20,
                          top + 3 * shape.pitch, 300, shape.boxHeight);
    boxes.materials.setCaption("▼");
    return below;
}

} // namespace ventparam
