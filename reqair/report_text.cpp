// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/report_text.h"

#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <cmath>
#include <cstddef>

namespace reqair {

std::string StationText(double station) {
    if (!std::isfinite(station)) {
        return "";
    }
    // Rounding the station before dividing put 12999.6 into kilometre 13 with -0.4 m; the whole kilometres
    // passed keep the metres between 0 and 1000.
    const double km = vb::Int(station / 1000.0);
    return "K" + vb::CStr(km) + "+" + vb::CStr(station - 1000.0 * km);
}

ReportText& ReportText::Add(std::string_view item) {
    open_ += item;
    return *this;
}

ReportText& ReportText::Col(int n) {
    const int next = vb::DisplayWidth(open_) + 1;
    if (next > n) {
        EndLine();
        open_.assign(static_cast<std::size_t>(n > 1 ? n - 1 : 0), ' ');
    } else {
        open_.append(static_cast<std::size_t>(n - next), ' ');
    }
    return *this;
}

ReportText& ReportText::EndLine() {
    lines_.push_back(std::move(open_));
    open_.clear();
    return *this;
}

ReportText& ReportText::Line(std::string_view text) {
    return Add(text).EndLine();
}

ReportText& ReportText::EmptyLine() {
    return EndLine();
}

std::vector<std::string> ReportText::Lines() const {
    std::vector<std::string> lines = lines_;
    if (!open_.empty()) {
        lines.push_back(open_);
    }
    return lines;
}

std::string VehicleCompositionHeader(const std::array<std::string, 9>& captions) {
    // Blanks before each caption, as the table has always been laid out.
    static constexpr std::array<int, 9> kGaps = {5, 12, 10, 10, 8, 10, 7, 7, 7};
    std::string line;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        line.append(static_cast<std::size_t>(kGaps[i]), ' ');
        line += captions[i];
    }
    return line;
}

std::string VehicleCompositionRow(std::string_view rowText, const std::array<std::string, 8>& cells) {
    static constexpr std::array<const char*, 8> kPatterns = {"0.0000",   "00.0000",  "000.0000", "0.0000",
                                                             "000.0000", "000.0000", "000.0000", "000.0000"};
    std::string line(rowText);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line.append(10, ' ');
        line += vb::Format(vb::Val(cells[i]), kPatterns[i]);
    }
    return line;
}

namespace {

// Reads one list's count and its flags; false when the count could not be read.
bool readList(scheme::SchemeReader& reader, std::vector<std::optional<bool>>& flags) {
    const std::optional<long long> count = reader.NextWhole();
    if (!count) {
        return false;
    }
    for (long long i = 0; i < *count && !reader.AtEnd(); ++i) {
        flags.push_back(reader.NextBoolean());
    }
    return true;
}

} // namespace

StoredReportOptions ParseReportOptions(std::string_view gbkBytes) {
    StoredReportOptions stored;
    scheme::SchemeReader reader;
    reader.Parse(gbkBytes);
    if (!readList(reader, stored.Years) || !readList(reader, stored.Cases) ||
        !readList(reader, stored.Speeds)) {
        return stored;
    }
    stored.OutputSegment = reader.NextBoolean();
    stored.OpenReport = reader.NextBoolean();
    return stored;
}

std::string ReportOptionsBytes(const std::vector<bool>& years, const std::vector<bool>& cases,
                               const std::vector<bool>& speeds, bool outputSegment, bool openReport) {
    scheme::SchemeWriter writer;
    for (const std::vector<bool>* list : {&years, &cases, &speeds}) {
        writer.Whole(static_cast<long long>(list->size())).EndRecord();
        for (const bool selected : *list) {
            writer.Boolean(selected).EndRecord();
        }
    }
    writer.Boolean(outputSegment).EndRecord();
    writer.Boolean(openReport).EndRecord();
    return writer.Bytes();
}

} // namespace reqair
