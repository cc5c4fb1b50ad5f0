// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/step2_inputs.h"

#include "platform/vb.h"

#include <array>
#include <iterator>
#include <string_view>
#include <vector>

namespace ventparam {

namespace {

struct Named {
    Step2Input Input;
    const char* Name;
    std::string Step2Inputs::*Field;
    bool Number;
};

constexpr std::array<Named, 8> kTexts = {{
    {kStep2Case, "交通工况", &Step2Inputs::Case, false},
    {kStep2Qreq, "设计需风量Qreq", &Step2Inputs::Qreq, true},
    {kStep2Exchange, "按换气需风量控制", &Step2Inputs::Exchange, false},
    {kStep2ZetaE, "隧道入口损失系数ζe", &Step2Inputs::ZetaE, true},
    {kStep2Lambda, "隧道壁面摩阻系数λr", &Step2Inputs::Lambda, true},
    {kStep2Vn, "隧道内自然风速vn", &Step2Inputs::Vn, true},
    {kStep2Am, "车辆等效阻抗面积Am(单向)", &Step2Inputs::Am, true},
    {kStep2Am2, "车辆等效阻抗面积Am(双向)", &Step2Inputs::Am2, true},
}};

std::string Shown(const Named& n, const std::string& text) {
    if (n.Field == &Step2Inputs::Exchange) {
        return text == "1" ? "是" : "否";
    }
    return text.empty() ? std::string("空") : text;
}

bool SameLosses(const std::vector<ZetaRow>& a, const std::vector<ZetaRow>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (vb::Val(a[i].Pile) != vb::Val(b[i].Pile) || vb::Val(a[i].Zeta) != vb::Val(b[i].Zeta)) {
            return false;
        }
    }
    return true;
}

std::string LossesText(const std::vector<ZetaRow>& rows) {
    if (rows.empty()) {
        return "空";
    }
    std::string text;
    for (const ZetaRow& row : rows) {
        text += (text.empty() ? "" : "、") + row.Pile + ":" + row.Zeta;
    }
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

} // namespace

std::string Step2ChangeHint(const Step2Inputs& stored, const Step2Inputs& now, unsigned compared) {
    std::string changes;
    const auto add = [&changes](const std::string& name, const std::string& was, const std::string& is) {
        changes += (changes.empty() ? "" : "，") + name + "已由" + was + "变为" + is;
    };
    for (const Named& n : kTexts) {
        if ((compared & n.Input) == 0) {
            continue;
        }
        const std::string& was = stored.*n.Field;
        const std::string& is = now.*n.Field;
        if (n.Number ? vb::Val(was) != vb::Val(is) : was != is) {
            add(n.Name, Shown(n, was), Shown(n, is));
        }
    }
    if ((compared & kStep2Losses) != 0 && !SameLosses(stored.Losses, now.Losses)) {
        add("局部压力损失", LossesText(stored.Losses), LossesText(now.Losses));
    }
    return changes.empty() ? changes : changes + "，原计算结果已清空，请重新计算。";
}

bool IsStep2InputsField(const std::optional<std::string>& field) {
    return field && field->starts_with(kStep2InputsTitle);
}

std::optional<Step2Inputs> ReadStep2Inputs(scheme::SchemeReader& in) {
    if (!IsStep2InputsField(in.PeekText())) {
        return std::nullopt;
    }
    const std::string field = in.NextText()->substr(std::string_view(kStep2InputsTitle).size());
    const std::vector<std::string> parts = Split(field, '|');
    Step2Inputs s;
    std::string* const texts[] = {&s.Case, &s.Qreq, &s.Exchange, &s.ZetaE, &s.Lambda, &s.Vn, &s.Am, &s.Am2};
    if (parts.size() != std::size(texts) + 1) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        *texts[i] = parts[i];
    }
    if (!parts.back().empty()) {
        for (const std::string& row : Split(parts.back(), ';')) {
            const std::vector<std::string> cells = Split(row, ':');
            if (cells.size() != 2) {
                return std::nullopt;
            }
            s.Losses.push_back({cells[0], cells[1]});
        }
    }
    return s;
}

void WriteStep2Inputs(scheme::SchemeWriter& out, const std::optional<Step2Inputs>& inputs) {
    if (!inputs) {
        return;
    }
    const Step2Inputs& s = *inputs;
    std::string field = kStep2InputsTitle;
    for (const std::string* text :
         {&s.Case, &s.Qreq, &s.Exchange, &s.ZetaE, &s.Lambda, &s.Vn, &s.Am, &s.Am2}) {
        field += *text + "|";
    }
    for (std::size_t i = 0; i < s.Losses.size(); ++i) {
        field += (i == 0 ? "" : ";") + s.Losses[i].Pile + ":" + s.Losses[i].Zeta;
    }
    out.Text(field).EndRecord();
}

} // namespace ventparam
