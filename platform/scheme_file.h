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
    // Each field goes into the open record; the first field after EndRecord (or of the file) opens a new one.

    /// A text between double quotes, unchanged, except that a double quote inside it is written as the
    /// full-width quote U+FF02: the format has no escape, and a plain quote would end the text early and
    /// shift every later field. Characters that GBK cannot hold are written as '?'.
    SchemeWriter& Text(std::string_view utf8);
    /// Plain number text (vb::CStr); a value that is not finite is written as an empty field.
    SchemeWriter& Number(double value);
    SchemeWriter& Whole(long long value);
    SchemeWriter& Boolean(bool value);
    SchemeWriter& Empty(); ///< nothing between two commas
    /// Ends the open record; with no record open it does nothing (so no stray empty record is written).
    SchemeWriter& EndRecord();

    /// The file's bytes: GBK, CR LF after every record (an open record is ended first).
    std::string Bytes() const;
    /// One note (platform::UnstorableTextNote, the text itself in quotes as its name) for each text of the
    /// file that holds a character GBK cannot store, in file order; empty when GBK holds every text.
    std::vector<std::string> UnstorableTexts() const;
    /// Writes through textfile::WriteAtomically; false when the file could not be written.
    bool Save(const std::string& path) const;

private:
    std::vector<std::vector<std::string>> records_; // encoded UTF-8 fields
    bool recordOpen_ = false;
    void add(std::string field);
};

/// Reads a file as a stream of fields: a comma or a line end (CR LF, LF or CR) ends a field; a quoted field
/// runs to the next quote (commas and line breaks inside belong to it) and whatever follows the closing
/// quote up to the next comma or line end is passed over; any other field is trimmed of blanks and tabs.
/// A blank line is one empty field; a comma at the very end of the file is followed by one empty field;
/// a quoted field without its closing quote runs to the end of the file. Past the end every read fails.
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
    void ParseFields(const std::string& text);
};

} // namespace scheme
