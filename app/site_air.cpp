// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/site_air.h"

#include "app/coef_table.h"
#include "platform/vb.h"

#include <cctype>
#include <cmath>

namespace app {

namespace {

// Whether the leading-number rule finds a number at all, so that an empty or wordy year box can be told
// from a year 0.
bool has_leading_number(std::string_view text) {
    std::string packed;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            packed.push_back(c);
        }
    }
    std::size_t i = 0;
    if (i < packed.size() && (packed[i] == '+' || packed[i] == '-')) {
        ++i;
    }
    if (i < packed.size() && packed[i] == '.') {
        ++i;
    }
    return i < packed.size() && std::isdigit(static_cast<unsigned char>(packed[i])) != 0;
}

} // namespace

VehicleConditionCoefficients road_class_coefficients(int roadClassIndex) {
    VehicleConditionCoefficients c;
    if (roadClassIndex >= 2 && roadClassIndex <= 4) {
        c.f_a = 1.15;
        c.f_a_vi = 1.35;
    }
    c.f_a_text = vb::Format(c.f_a, "0.00");
    c.f_a_vi_text = vb::Format(c.f_a_vi, "0.00");
    return c;
}

DesignSpeedValue design_speed(std::string_view cmbvtText) {
    DesignSpeedValue d;
    d.speed = vb::Val(cmbvtText);
    d.workv_t_text = vb::CStr(d.speed);
    return d;
}

AltitudeCoefficients altitude_coefficients(double elevation) {
    AltitudeCoefficients c;
    if (!(elevation < kAltitudeThreshold)) {
        c.f_h = (elevation + 1400.0) / 1800.0;
        c.f_h_vi = (elevation - 400.0) * 0.62 / 1800.0 + 1.0;
    }
    c.f_h_text = vb::Format(c.f_h, "0.00");
    c.f_h_vi_text = vb::Format(c.f_h_vi, "0.00");
    return c;
}

double site_pressure(const CoefTable& daqiya, double elevation) {
    return modPublic::Interpolate1D(daqiya, elevation);
}

std::string site_pressure_text(const CoefTable& daqiya, double elevation) {
    return vb::CStr(site_pressure(daqiya, elevation));
}

EmissionAtYear emission_at_year(const EmissionDeclineInput& in) {
    EmissionAtYear out;
    if (!has_leading_number(in.Year) || !has_leading_number(in.DescYear)) {
        return out;
    }
    const double rate = vb::Val(in.DescRatio);
    if (rate > kMaxDescRatio) {
        return out;
    }
    const double years = vb::Val(in.Year) - vb::Val(in.DescYear);
    if (years < 0) {
        // Before the reduction starts the base factors hold exactly as typed.
        out.q_co_text = in.q_co;
        out.q_vi_text = in.q_vi;
    } else {
        const double factor = std::pow(1.0 - rate * 0.01, years);
        const double co = vb::Val(in.q_co) * factor;
        const double vi = vb::Val(in.q_vi) * factor;
        if (!std::isfinite(co) || !std::isfinite(vi)) {
            return out;
        }
        // Every later step reads the four-decimal text back, so the demand follows the shown factor.
        out.q_co_text = vb::Format(co, "0.0000");
        out.q_vi_text = vb::Format(vi, "0.0000");
    }
    out.q_co = vb::Val(out.q_co_text);
    out.q_vi = vb::Val(out.q_vi_text);
    return out;
}

PublishedValues publish_project_values(const PublicationInput& in) {
    PublishedValues v;
    v.DesignSpeed = vb::Val(in.DesignSpeed);
    v.Elevation = vb::Val(in.Elevation);
    v.DesignTraffic = vb::Val(in.DesignTraffic);
    v.p = vb::Val(in.p);
    v.p0 = 101.325;
    v.T0 = 273;
    v.TunnelLength = in.TunnelLength.value_or(in.PreviousTunnelLength);
    v.StartPile = vb::Val(in.StartPile);
    // A start too large to be a number ("1e400") is marked in its box; nothing is computed from it.
    if (!std::isfinite(v.StartPile)) {
        v.StartPile = 0;
    }
    v.EndPile = v.StartPile + v.TunnelLength;
    v.rho = vb::Val(in.rho);
    v.PileDirection = in.RightLine ? 1 : -1;
    v.TT = vb::Val(in.TT);
    return v;
}

ResultMembers read_result_members(const ResultTexts& b) {
    ResultMembers m;
    m.delta = vb::Val(b.delta);
    m.KK = vb::Val(b.KK);
    m.QQ_CO = vb::Val(b.QQ_CO);
    m.q_CO = vb::Val(b.q_CO);
    m.f_a = vb::Val(b.f_a);
    m.f_d = vb::Val(b.f_d);
    m.QQ_req_CO = vb::Val(b.QQ_req_CO);
    m.f_h = vb::Val(b.f_h);
    m.f_iv = vb::Val(b.f_iv);
    m.q_vi = vb::Val(b.q_vi);
    m.f_a_vi = vb::Val(b.f_a_vi);
    m.f_h_vi = vb::Val(b.f_h_vi);
    m.f_iv_VI = vb::Val(b.f_iv_VI);
    m.QQ_VI = vb::Val(b.QQ_VI);
    m.QQ_req_VI = vb::Val(b.QQ_req_VI);
    return m;
}

ResultTexts format_result_members(const ResultMembers& m) {
    ResultTexts b;
    b.delta = vb::Format(m.delta, "0.00");
    b.KK = vb::Format(m.KK, "0.0000");
    b.QQ_CO = vb::Format(m.QQ_CO, "0.00000000");
    b.q_CO = vb::Format(m.q_CO, "0.00");
    b.f_a = vb::Format(m.f_a, "0.00");
    b.f_d = vb::Format(m.f_d, "0.00");
    b.QQ_req_CO = vb::Format(m.QQ_req_CO, "0.000");
    b.f_h = vb::Format(m.f_h, "0.00");
    b.f_iv = vb::Format(m.f_iv, "0.00");
    b.q_vi = vb::Format(m.q_vi, "0.00");
    b.f_a_vi = vb::Format(m.f_a_vi, "0.00");
    b.f_h_vi = vb::Format(m.f_h_vi, "0.00");
    b.f_iv_VI = vb::Format(m.f_iv_VI, "0.00");
    b.QQ_VI = vb::Format(m.QQ_VI, "0.00");
    b.QQ_req_VI = vb::Format(m.QQ_req_VI, "0.000");
    return b;
}

} // namespace app
