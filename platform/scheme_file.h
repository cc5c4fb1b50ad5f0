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

    /// Each text of `texts` (texts or optional texts, an empty text for a missing one), then ends the
    /// record.
    template <class Texts> SchemeWriter& TextRecord(const Texts& texts) {
        for (const auto& text : texts) {
            Text(textOf(text));
        }
        return EndRecord();
    }
    /// A record of `columns` texts for each row, in order; a row with fewer cells gets empty texts for the
    /// missing ones, so that the rows after it stay in place.
    template <class Row> SchemeWriter& TextRows(const std::vector<Row>& rows, std::size_t columns) {
        for (const Row& row : rows) {
            for (std::size_t c = 0; c < columns; ++c) {
                Text(c < row.size() ? std::string_view(row[c]) : std::string_view());
            }
            EndRecord();
        }
        return *this;
    }
    /// `records` reserve records of `fields` empty texts each, kept free for later fields.
    SchemeWriter& ReserveRecords(int records, int fields);

    /// The file's bytes: GBK, CR LF after every record (an open record is ended first).
    std::string Bytes() const;
    /// One note (platform::UnstorableTextNote, the text itself in quotes as its name) for each text of the
    /// file that holds a character GBK cannot store, in file order; empty when GBK holds every text.
    std::vector<std::string> UnstorableTexts() const;
    /// Writes through textfile::WriteAtomically; false when the file could not be written.
    bool Save(const std::string& path) const;

private:
    static std::string_view textOf(const std::string& text) { return text; }
    static std::string_view textOf(const std::optional<std::string>& text) {
        return text ? std::string_view(*text) : std::string_view();
    }

    std::vector<std::vector<std::string>> records_; // encoded UTF-8 fields
    bool recordOpen_ = false;
    void add(std::string field);
};

/// Reads a file as a stream of fields: a comma or a line end (CR LF, LF or CR) ends a field; a quoted field
/// runs to the next quote (commas and line breaks inside belong to it) and whatever follows the closing
/// quote up to the next comma or line end is passed over; any other field is trimmed of blanks and tabs.
/// A blank line is one empty field; a comma at the very end of the file is followed by one empty field;
/// a quoted field without its closing quote runs to the end of the file. Past the end every read fails.
/// A field is taken from the text only when it is read, so that a reading that stops early (at a count
/// over its limit) spends nothing on the rows after it.
class SchemeReader {
public:
    /// Loads a file; false (and an empty stream) when it cannot be opened.
    bool Open(const std::string& path);
    /// Reads from bytes already in memory (GBK).
    void Parse(std::string_view gbkBytes);

    bool AtEnd() const;
    /// The number of fields of the whole text, read or not.
    std::size_t FieldCount() const;

    /// The next field as text (quotes removed); nullopt at the end of the file.
    std::optional<std::string> NextText();
    /// The field NextText would give, left unread.
    std::optional<std::string> PeekText() const;
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
    /// Reads the next fields as texts into `fields` (optional texts), in order; past the end they are
    /// nullopt.
    template <class Fields> void NextTexts(Fields& fields) {
        for (auto& field : fields) {
            field = NextText();
        }
    }
    /// Reads up to `count` rows of texts into `rows`, each row a copy of `blank` (a fixed array, or a
    /// vector of as many empty texts as a row has cells) with its cells filled in order. A row cut off by
    /// the end of the file is dropped and ends the reading: false then. A negative count reads no row.
    template <class Row> bool NextTextRows(long long count, const Row& blank, std::vector<Row>& rows) {
        for (long long i = 0; i < count; ++i) {
            Row row = blank;
            for (std::string& cell : row) {
                std::optional<std::string> text = NextText();
                if (!text) {
                    return false;
                }
                cell = std::move(*text);
            }
            rows.push_back(std::move(row));
        }
        return true;
    }

private:
    /// Where the next field starts, whether a comma asks for one more, and whether the text has ended.
    struct Cursor {
        std::size_t at = 0;
        bool fieldDue = false;
        bool done = false;
    };
    /// Takes the field at `c` into `field` (when given) and moves `c` past it; false past the end.
    static bool TakeField(const std::string& text, Cursor& c, std::string* field);

    std::string text_; // UTF-8
    Cursor next_;
    mutable std::optional<std::size_t> count_;
};

/// The number of fields all readers have taken so far (read or passed over): a test sees with it how much
/// of a file a window read.
std::size_t FieldsRead();

/// For a file cut short (its bytes, GBK): a reader of the records that were written whole, those up to its
/// last line end, so that the file is read again without a field cut in two taken for another value;
/// nullopt when the file ends on a line end, which a second reading would read alike.
std::optional<SchemeReader> WholeRecordsReader(std::string_view gbk);

} // namespace scheme
