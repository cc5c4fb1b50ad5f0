// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// Files on disk are in the GBK code page (CP936); inside the program strings are UTF-8.
namespace textcodec {

/// UTF-8 to GBK bytes. A character that GBK cannot hold becomes '?'.
std::string ToGbk(std::string_view utf8);

/// The first character of `utf8` that GBK cannot hold (as UTF-8), or nullopt when GBK holds them all.
std::optional<std::string> FirstNotInGbk(std::string_view utf8);

/// GBK bytes to UTF-8. A byte sequence that is not valid GBK becomes U+FFFD, never an error.
std::string FromGbk(std::string_view gbk);

} // namespace textcodec
