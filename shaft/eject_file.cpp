// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/eject_file.h"

#include <initializer_list>
#include <string_view>
#include <variant>

namespace shaft {

namespace {

/// One field of the file: a section title, a box, a reserve field, the model flag; or the end of a record.
struct Title {
    std::string_view text;
};
struct Reserve {};
struct ModelFlag {};
struct EndRecord {};
using Field = std::variant<Title, SeBox, Reserve, ModelFlag, EndRecord>;

// Section I keeps its reserve fields after v1, section II after v2, so both records hold the traffic force
// and the pressures after them.
const std::initializer_list<Field> kLayout = {
    Title{"[计算行车速度vt(m/s)]"},
    EndRecord{},
    kSe_v_t,
    kSeShaftPile,
    EndRecord{},
    Title{"[第I区段]"},
    EndRecord{},
    kSeDeltap_g1,
    kSeZeta_13,
    kSeZeta_12,
    kSeQQ_req1,
    kSeQQ_r1,
    kSe_v_1,
    Reserve{},
    Reserve{},
    kSeDeltap_t1,
    kSeP_tot1,
    EndRecord{},
    Title{"[第II区段]"},
    EndRecord{},
    kSeDeltap_g2,
    kSeZeta_23,
    kSeQQ_req2,
    kSeQQ_r2,
    kSe_v_2,
    Reserve{},
    Reserve{},
    kSeDeltap_t2,
    kSeP_tot21,
    kSeP_tot22,
    kSeP_tot23,
    EndRecord{},
    Title{"[压力模式]"},
    EndRecord{},
    ModelFlag{},
    EndRecord{},
    Title{"[竖井]"},
    EndRecord{},
    kSeShaftAA_r,
    kSeShaftPP_r,
    kSeShaftDD_r,
    kSeQQ_r3,
    kSe_v_3,
    kSeDeltap_d,
    kSeP_tot3,
    kSeP_tot3a,
    EndRecord{},
    Title{"[计算结果]"},
    EndRecord{},
    kSeP_tot,
    kSeAA_tot,
    kSeEta,
    kSeSS_tot,
    EndRecord{},
};

} // namespace

SeFileContents ReadSeFile(scheme::SchemeReader& in) {
    SeFileContents se;
    for (const Field& f : kLayout) {
        if (const SeBox* box = std::get_if<SeBox>(&f)) {
            se.Boxes[*box] = in.NextText();
        } else if (std::holds_alternative<ModelFlag>(f)) {
            se.Merge = in.NextBoolean();
        } else if (!std::holds_alternative<EndRecord>(f)) {
            in.Skip();
        }
    }
    return se;
}

scheme::SchemeWriter WriteSeFile(const SeFileContents& se) {
    scheme::SchemeWriter out;
    for (const Field& f : kLayout) {
        if (const SeBox* box = std::get_if<SeBox>(&f)) {
            out.Text(se.Boxes[*box].value_or(""));
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
    return out;
}

} // namespace shaft
