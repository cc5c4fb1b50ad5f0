// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The record-line format of every project file: texts in double quotes, numbers as plain number text,
/// Booleans #TRUE#/#FALSE#, fields separated by one comma, records ended by CR LF, GBK on disk.
namespace scheme {

/// Builds a file record by record, then writes it atomically.
class SchemeWriter {
public:
    /// Starts a new record (the first field of a record needs no call).
    SchemeWriter& Text(std::string_view utf8);
    SchemeWriter& Number(double value); ///< plain number text (vb::CStr)
    SchemeWriter& Whole(long long value);
    SchemeWriter& Boolean(bool value);
    SchemeWriter& Empty(); ///< nothing between two commas
    SchemeWriter& EndRecord();

    /// The file's bytes: GBK, CR LF after every record (an open record is ended first).
    std::string Bytes() const;
    /// Writes through textfile::WriteAtomically; false when the file could not be written.
    bool Save(const std::string& path) const;

private:
    std::vector<std::vector<std::string>> records_; // encoded UTF-8 fields
    bool recordOpen_ = false;
    void add(std::string field);
};

/// Reads a file as a stream of fields: a comma or a line end ends a field; a quoted field runs to the next
/// quote (commas and line breaks inside belong to it). Past the end every read fails (nullopt / false).
class SchemeReader {
public:
    /// Loads a file; false (and an empty stream) when it cannot be opened.
    bool Open(const std::string& path);
    /// Reads from bytes already in memory (GBK).
    void Parse(std::string_view gbkBytes);

    bool AtEnd() const { return pos_ >= fields_.size(); }
    std::size_t FieldCount() const { return fields_.size(); }

    /// The next field as text (quotes removed); nullopt at the end of the file.
    std::optional<std::string> NextText();
    /// The next field as a whole number, halves to even; nullopt when it is not a number or at the end.
    /// The field is consumed either way.
    std::optional<long long> NextWhole();
    /// The next field as a strict number; nullopt when it is not a number or at the end.
    std::optional<double> NextNumber();
    /// The next field's leading number (0 when it has none); nullopt only at the end.
    std::optional<double> NextLeading();
    /// #TRUE#/#FALSE#, or a number (true when not 0); nullopt for any other text or at the end.
    std::optional<bool> NextBoolean();
    /// Passes over n fields.
    void Skip(std::size_t n = 1);

private:
    std::vector<std::string> fields_; // UTF-8
    std::size_t pos_ = 0;
};

} // namespace scheme
