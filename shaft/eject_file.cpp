// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/eject_file.h"

#include <initializer_list>
#include <string_view>
#include <variant>

namespace shaft {

namespace {

/// One field of the file: a section title, a run of boxes, a reserve field, the model flag; or the end of
/// a record.
struct Title {
    std::string_view text;
};
/// The boxes from `first` to `last` in their stored order.
struct Boxes {
    SeBox first, last;
};
struct Reserve {};
struct ModelFlag {};
struct EndRecord {};
using Field = std::variant<Title, Boxes, Reserve, ModelFlag, EndRecord>;

// Section I keeps its reserve fields after v1, section II after v2, so both records hold the traffic force
// and the pressures after them.
const std::initializer_list<Field> kLayout = {
    Title{"[计算行车速度vt(m/s)]"},
    EndRecord{},
    Boxes{kSe_v_t, kSeShaftPile},
    EndRecord{},
    Title{"[第I区段]"},
    EndRecord{},
    Boxes{kSeDeltap_g1, kSe_v_1},
    Reserve{},
    Reserve{},
    Boxes{kSeDeltap_t1, kSeP_tot1},
    EndRecord{},
    Title{"[第II区段]"},
    EndRecord{},
    Boxes{kSeDeltap_g2, kSe_v_2},
    Reserve{},
    Reserve{},
    Boxes{kSeDeltap_t2, kSeP_tot23},
    EndRecord{},
    Title{"[压力模式]"},
    EndRecord{},
    ModelFlag{},
    EndRecord{},
    Title{"[竖井]"},
    EndRecord{},
    Boxes{kSeShaftAA_r, kSeP_tot3a},
    EndRecord{},
    Title{"[计算结果]"},
    EndRecord{},
    Boxes{kSeP_tot, kSeSS_tot},
    EndRecord{},
};

} // namespace

SeFileContents ReadSeFile(scheme::SchemeReader& in) {
    SeFileContents se;
    for (const Field& f : kLayout) {
        if (const Boxes* run = std::get_if<Boxes>(&f)) {
            for (std::size_t box = run->first; box <= run->last; ++box) {
                se.Boxes[box] = in.NextText();
            }
        } else if (std::holds_alternative<ModelFlag>(f)) {
            se.Merge = in.NextBoolean();
        } else if (!std::holds_alternative<EndRecord>(f)) {
            in.Skip();
        }
    }
    se.Step2 = ventparam::ReadStep2Inputs(in);
    return se;
}

scheme::SchemeWriter WriteSeFile(const SeFileContents& se) {
    scheme::SchemeWriter out;
    for (const Field& f : kLayout) {
        if (const Boxes* run = std::get_if<Boxes>(&f)) {
            for (std::size_t box = run->first; box <= run->last; ++box) {
                out.Text(se.Boxes[box].value_or(""));
            }
        } else if (const Title* title = std::get_if<Title>(&f)) {
            out.Text(title->text);
        } else if (std::holds_alternative<Reserve>(f)) {
            out.Text("");
        } else if (std::holds_alternative<ModelFlag>(f)) {
            out.Boolean(se.Merge.value_or(false));
        } else {
            out.EndRecord();
        }
    }
    ventparam::WriteStep2Inputs(out, se.Step2);
    return out;
}

void KeepTemplateInputs(SeFileContents& se, bool shaftFlowTyped) {
    se.Boxes[kSeShaftPile] = std::string();
    ForgetResults(se, shaftFlowTyped);
    se.Step2.reset();
}

void ForgetResults(SeFileContents& se, bool shaftFlowTyped) {
    for (const SeBox box : kSeFlowResults) {
        se.Boxes[box] = std::string();
    }
    for (const SeBox box : kSePressureResults) {
        se.Boxes[box] = std::string();
    }
    if (!shaftFlowTyped) {
        se.Boxes[kSeQQ_r3] = std::string();
    }
}

} // namespace shaft
