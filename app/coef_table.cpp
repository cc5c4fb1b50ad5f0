// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/coef_table.h"

#include "platform/vb.h"

#include <cmath>
#include <cstddef>
#include <new>
#include <optional>

double CoefTable::X(int j) const {
    return (j >= 1 && j <= nx()) ? x[static_cast<std::size_t>(j - 1)] : 0.0;
}

double CoefTable::Y(int i) const {
    return (i >= 1 && i <= ny()) ? y[static_cast<std::size_t>(i - 1)] : 0.0;
}

double CoefTable::V(int i, int j) const {
    return modPublic::ValueAt(v, i, j);
}

namespace modPublic {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// ny and nx of a count line. Commas separate the two numbers, and so do blanks; each is a 16-bit whole
// number. nullopt when either is missing, is below 1, or the table would be absurdly large.
std::optional<std::pair<int, int>> ParseCounts(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t start = 0;
    while (tokens.size() < 2) {
        std::size_t comma = line.find(',', start);
        std::string_view piece =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        bool any = false;
        std::size_t i = 0;
        while (i < piece.size() && tokens.size() < 2) {
            while (i < piece.size() && IsBlank(piece[i])) {
                ++i;
            }
            std::size_t begin = i;
            while (i < piece.size() && !IsBlank(piece[i])) {
                ++i;
            }
            if (i > begin) {
                tokens.push_back(piece.substr(begin, i - begin));
                any = true;
            }
        }
        if (!any && tokens.size() < 2) {
            tokens.push_back(std::string_view{}); // an empty piece between commas counts 0
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (tokens.size() < 2) {
        return std::nullopt;
    }
    std::optional<vb::Integer> ny = vb::CInt(vb::Val(tokens[0]));
    std::optional<vb::Integer> nx = vb::CInt(vb::Val(tokens[1]));
    if (!ny || !nx || *ny < 1 || *nx < 1) {
        return std::nullopt;
    }
    if (static_cast<long long>(*ny) * static_cast<long long>(*nx) > kMaxTableValues) {
        return std::nullopt;
    }
    return std::pair<int, int>{*ny, *nx};
}

int Sign(double d) {
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}

// The bracketing key positions of `key`; nullopt for an empty axis, a NaN key, or a key that no pair
// brackets on an axis that is not monotonic.
std::optional<KeySpan> FindSpan(const std::vector<double>& keys, double key) {
    const int n = static_cast<int>(keys.size());
    if (n == 0 || std::isnan(key)) {
        return std::nullopt;
    }
    if (n == 1) {
        return KeySpan{1, 1};
    }
    auto k = [&keys](int i) { return keys[static_cast<std::size_t>(i - 1)]; };
    for (int i = 1; i <= n - 1; ++i) {
        if ((key - k(i)) * (key - k(i + 1)) <= 0) {
            return KeySpan{i, i + 1};
        }
    }
    if (Sign(key - k(1)) == Sign(k(1) - k(2))) {
        return KeySpan{1, 1};
    }
    if (Sign(key - k(n)) == Sign(k(n) - k(n - 1))) {
        return KeySpan{n, n};
    }
    return std::nullopt;
}

} // namespace

ParsedTable ParseTable(const std::vector<std::string>& lines, std::string_view key) {
    ParsedTable result;
    try {
        std::string section;
        section.reserve(key.size() + 2);
        section += '[';
        section += key;
        section += ']';
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != section) {
                continue;
            }
            // The first section with the key wins, whatever it holds.
            std::size_t next = i + 1;
            std::optional<std::pair<int, int>> counts;
            if (next < lines.size()) {
                counts = ParseCounts(lines[next++]);
            }
            if (!counts) {
                result.status = TableRead::BadCounts;
                return result;
            }
            const auto [ny, nx] = *counts;
            CoefTable table;
            table.x.assign(static_cast<std::size_t>(nx), 0.0);
            table.y.assign(static_cast<std::size_t>(ny), 0.0);
            table.v.assign(static_cast<std::size_t>(ny),
                           std::vector<double>(static_cast<std::size_t>(nx), 0.0));
            bool cut = false;
            auto take = [&](std::vector<double>& into) {
                if (cut || next >= lines.size()) {
                    cut = true;
                    return;
                }
                SplitNumbers(into, lines[next++]);
            };
            take(table.x);
            if (ny > 1) {
                take(table.y);
            }
            for (std::vector<double>& row : table.v) {
                take(row);
            }
            result.status = cut ? TableRead::CutShort : TableRead::Loaded;
            result.table = std::move(table);
            return result;
        }
    } catch (const std::bad_alloc&) {
        result = ParsedTable{TableRead::BadCounts, {}};
    }
    return result;
}

void SplitNumbers(std::vector<double>& values, std::string_view line) {
    std::size_t k = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = line.find(',', start);
        std::string_view piece =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        if (k < values.size()) {
            values[k] = vb::Val(piece);
        }
        ++k;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
}

double Interpolate1D(const std::vector<double>& x, const std::vector<std::vector<double>>& v, double key) {
    std::optional<KeySpan> s = FindSpan(x, key);
    if (!s) {
        return 0.0;
    }
    return AlongRow(x, v, 1, *s, key);
}

double Interpolate1D(const CoefTable& table, double key) {
    return Interpolate1D(table.x, table.v, key);
}

double Interpolate2D(const std::vector<double>& x, const std::vector<double>& y,
                     const std::vector<std::vector<double>>& v, double dx, double dy) {
    std::optional<KeySpan> sx = FindSpan(x, dx);
    std::optional<KeySpan> sy = FindSpan(y, dy);
    if (!sx || !sy) {
        return 0.0;
    }
    return InterpolateBetween(x, y, v, *sx, *sy, dx, dy);
}

double Interpolate2D(const CoefTable& table, double dx, double dy) {
    return Interpolate2D(table.x, table.y, table.v, dx, dy);
}

double MaxOf(double a, double b) {
    return a > b ? a : b;
}

double MinOf(double a, double b) {
    return a < b ? a : b;
}

} // namespace modPublic
