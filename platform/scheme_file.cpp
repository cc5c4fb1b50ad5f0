// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scheme_file.h"

#include "platform/file_names.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"

#include <atomic>
#include <cmath>
#include <string_view>

namespace scheme {
namespace {

// The format has no escape for a double quote inside a text: written as is, it would end the text early
// and shift every later field of the file. It is written as the full-width quote, which GBK holds.
constexpr std::string_view kFullWidthQuote = "\xEF\xBC\x82"; // U+FF02

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

// Every field a reader has taken from its text, for FieldsRead.
std::atomic<std::size_t> fieldsRead{0};

} // namespace

void SchemeWriter::add(std::string field) {
    if (!recordOpen_) {
        records_.emplace_back();
        recordOpen_ = true;
    }
    records_.back().push_back(std::move(field));
}

SchemeWriter& SchemeWriter::Text(std::string_view utf8) {
    std::string field = "\"";
    for (char c : utf8) {
        if (c == '"') {
            field += kFullWidthQuote;
        } else {
            field.push_back(c);
        }
    }
    field.push_back('"');
    add(std::move(field));
    return *this;
}

SchemeWriter& SchemeWriter::Number(double value) {
    add(vb::CStr(value));
    return *this;
}

SchemeWriter& SchemeWriter::Whole(long long value) {
    add(std::to_string(value));
    return *this;
}

SchemeWriter& SchemeWriter::Boolean(bool value) {
    add(value ? "#TRUE#" : "#FALSE#");
    return *this;
}

SchemeWriter& SchemeWriter::Empty() {
    add(std::string());
    return *this;
}

SchemeWriter& SchemeWriter::EndRecord() {
    recordOpen_ = false;
    return *this;
}

SchemeWriter& SchemeWriter::ReserveRecords(int records, int fields) {
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < fields; ++f) {
            Text("");
        }
        EndRecord();
    }
    return *this;
}

std::string SchemeWriter::Bytes() const {
    std::string text;
    for (const auto& record : records_) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0) {
                text.push_back(',');
            }
            text += record[i];
        }
        text += "\r\n";
    }
    return textcodec::ToGbk(text);
}

std::vector<std::string> SchemeWriter::UnstorableTexts() const {
    std::vector<std::string> notes;
    for (const auto& record : records_) {
        for (const std::string& field : record) {
            // Only texts can hold such characters (numbers and Booleans are ASCII); a text is named by
            // itself.
            if (field.size() < 2 || field.front() != '"') {
                continue;
            }
            const std::string_view text = std::string_view(field).substr(1, field.size() - 2);
            if (auto note = platform::UnstorableTextNote("“" + std::string(text) + "”", text)) {
                notes.push_back(std::move(*note));
            }
        }
    }
    return notes;
}

bool SchemeWriter::Save(const std::string& path) const {
    try {
        return textfile::WriteAtomically(path, Bytes());
    } catch (...) {
        return false;
    }
}

bool SchemeReader::Open(const std::string& path) {
    Parse({});
    try {
        std::optional<std::string> bytes = textfile::ReadBytes(path);
        if (!bytes) {
            return false;
        }
        Parse(*bytes);
        return true;
    } catch (...) {
        Parse({});
        return false;
    }
}

void SchemeReader::Parse(std::string_view gbkBytes) {
    try {
        text_ = textcodec::FromGbk(gbkBytes);
    } catch (...) {
        text_.clear();
    }
    next_ = {};
    count_.reset();
}

bool SchemeReader::AtEnd() const {
    return next_.done || !(next_.at < text_.size() || next_.fieldDue);
}

std::size_t SchemeReader::FieldCount() const {
    if (!count_) {
        Cursor c;
        std::size_t n = 0;
        while (TakeField(text_, c, nullptr)) {
            ++n;
        }
        count_ = n;
    }
    return *count_;
}

bool SchemeReader::TakeField(const std::string& text, Cursor& c, std::string* field) {
    const std::size_t n = text.size();
    if (c.done || !(c.at < n || c.fieldDue)) {
        return false;
    }
    c.fieldDue = false;
    const std::size_t i = c.at;
    std::size_t b = i;
    while (b < n && IsBlank(text[b])) {
        ++b;
    }
    std::size_t end = i; // position of the comma or line end that closes the field
    if (b < n && text[b] == '"') {
        const std::size_t close = text.find('"', b + 1);
        if (close == std::string::npos) {
            // A quoted text cut off by the end of the file keeps what is there.
            if (field != nullptr) {
                field->assign(text, b + 1, n - b - 1);
            }
            c.done = true;
            return true;
        }
        if (field != nullptr) {
            field->assign(text, b + 1, close - b - 1);
        }
        // Anything between the closing quote and the next comma or line end is passed over.
        end = close + 1;
        while (end < n && text[end] != ',' && !IsLineEnd(text[end])) {
            ++end;
        }
    } else {
        while (end < n && text[end] != ',' && !IsLineEnd(text[end])) {
            ++end;
        }
        if (field != nullptr) {
            *field = vb::Trim(std::string_view(text).substr(i, end - i));
        }
    }
    if (end >= n) {
        c.done = true;
    } else if (text[end] == ',') {
        // After a comma another field always follows, even an empty one at the end of the file; after a
        // line end the file may end.
        c.fieldDue = true;
        c.at = end + 1;
    } else {
        c.at = end + ((text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ? 2 : 1);
    }
    return true;
}

std::optional<std::string> SchemeReader::NextText() {
    std::string field;
    if (!TakeField(text_, next_, &field)) {
        return std::nullopt;
    }
    fieldsRead.fetch_add(1, std::memory_order_relaxed);
    return field;
}

std::optional<std::string> SchemeReader::PeekText() const {
    Cursor at = next_;
    std::string field;
    if (!TakeField(text_, at, &field)) {
        return std::nullopt;
    }
    return field;
}

std::optional<long long> SchemeReader::NextWhole() {
    std::optional<std::string> field = NextText();
    if (!field) {
        return std::nullopt;
    }
    std::optional<double> value = vb::StrictNumber(*field);
    if (!value) {
        return std::nullopt;
    }
    const double r = vb::RoundHalfEven(*value);
    // Beyond +-2^63 a whole number does not fit: the field fails like any text that is not a number.
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) {
        return std::nullopt;
    }
    return static_cast<long long>(r);
}

std::optional<double> SchemeReader::NextNumber() {
    std::optional<std::string> field = NextText();
    if (!field) {
        return std::nullopt;
    }
    return vb::StrictNumber(*field);
}

std::optional<double> SchemeReader::NextLeading() {
    std::optional<std::string> field = NextText();
    if (!field) {
        return std::nullopt;
    }
    return vb::Val(*field);
}

std::optional<bool> SchemeReader::NextBoolean() {
    std::optional<std::string> field = NextText();
    if (!field) {
        return std::nullopt;
    }
    if (EqualsNoCase(*field, "#TRUE#")) {
        return true;
    }
    if (EqualsNoCase(*field, "#FALSE#")) {
        return false;
    }
    std::optional<double> value = vb::StrictNumber(*field);
    if (!value || std::isnan(*value)) {
        return std::nullopt;
    }
    return *value != 0.0;
}

void SchemeReader::Skip(std::size_t n) {
    for (std::size_t k = 0; k < n && TakeField(text_, next_, nullptr); ++k) {
        fieldsRead.fetch_add(1, std::memory_order_relaxed);
    }
}

std::size_t FieldsRead() {
    return fieldsRead.load(std::memory_order_relaxed);
}

std::optional<SchemeReader> WholeRecordsReader(std::string_view gbk) {
    // No byte of a GBK character after its first is a line end, so the last one ends a record.
    const std::size_t lineEnd = gbk.find_last_of("\r\n");
    const std::string_view whole = gbk.substr(0, lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
    if (whole.size() == gbk.size()) {
        return std::nullopt;
    }
    SchemeReader kept;
    kept.Parse(whole);
    return kept;
}

} // namespace scheme
