// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textcodec.h"

#include <cerrno>
#include <iconv.h>

namespace textcodec {
namespace {

// One conversion descriptor per thread and direction: iconv descriptors keep state and must not be shared.
class Converter {
public:
    Converter(const char* to, const char* from) {
        cd_ = iconv_open(to, from);
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // Some C libraries know the code page only under its other name.
            const char* alt = std::string_view(to) == "CP936" ? "GBK" : to;
            const char* altFrom = std::string_view(from) == "CP936" ? "GBK" : from;
            cd_ = iconv_open(alt, altFrom);
        }
    }
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; a sequence that cannot be converted is replaced by `replacement` and passed over:
    // `skip` tells how many input bytes to pass over at the faulty position.
    template <typename Skip> std::string Run(std::string_view in, std::string_view replacement, Skip skip) {
        std::string out;
        if (!ok()) {
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buf[4096];
        while (srcLeft > 0) {
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (r != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ (no such character) or EINVAL (a sequence cut off at the end): replace and go on.
            out += replacement;
            std::size_t n = skip(std::string_view(src, srcLeft));
            src += n;
            srcLeft -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 character (or of the faulty bytes) at the start of `s`, at least 1.
std::size_t Utf8Length(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    unsigned char c = static_cast<unsigned char>(s[0]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    std::size_t i = 1;
    while (i < n && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) {
        ++i;
    }
    return i;
}

} // namespace

std::string ToGbk(std::string_view utf8) {
    thread_local Converter conv("CP936", "UTF-8");
    return conv.Run(utf8, "?", Utf8Length);
}

std::optional<std::string> FirstNotInGbk(std::string_view utf8) {
    thread_local Converter conv("CP936", "UTF-8");
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t n = Utf8Length(utf8.substr(i));
        const std::string_view c = utf8.substr(i, n);
        // Plain ASCII always converts; anything else that comes out as the replacement was not held.
        if (static_cast<unsigned char>(c[0]) >= 0x80 && conv.Run(c, "?", Utf8Length) == "?") {
            return std::string(c);
        }
        i += n;
    }
    return std::nullopt;
}

std::string FromGbk(std::string_view gbk) {
    thread_local Converter conv("UTF-8", "CP936");
    // Only the faulty byte is passed over, so a quote, comma or line end after a broken lead byte survives.
    return conv.Run(gbk, "\xEF\xBF\xBD", [](std::string_view s) { return s.empty() ? 0 : std::size_t{1}; });
}

} // namespace textcodec
