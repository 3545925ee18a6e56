// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

class Converter
{
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; on a byte sequence it cannot convert it appends `replacement` and skips
    // `skip(rest)` bytes of the input.
    //
    // ASCII is the same in both encodings and makes up most of a plan file, so runs of it are copied
    // and only the rest of each line goes through iconv. That split is safe: an ASCII byte is never
    // a CP932 lead byte, and a line feed is never part of a multi-byte character in either encoding.
    template <typename Skip>
    std::string run(std::string_view input, std::string_view replacement, Skip skip)
    {
        std::string out;
        out.reserve(input.size() + input.size() / 2);
        size_t pos = 0;
        while (pos < input.size()) {
            size_t ascii = pos;
            while (ascii < input.size() && static_cast<unsigned char>(input[ascii]) < 0x80)
                ++ascii;
            out.append(input.substr(pos, ascii - pos));
            if (ascii == input.size())
                break;
            size_t lineEnd = input.find('\n', ascii);
            lineEnd = lineEnd == std::string_view::npos ? input.size() : lineEnd + 1;
            convert(input.substr(ascii, lineEnd - ascii), replacement, skip, out);
            pos = lineEnd;
        }
        return out;
    }

private:
    template <typename Skip>
    void convert(std::string_view input, std::string_view replacement, Skip skip, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[1024];
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof(buffer);
            const size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or incomplete sequence.
            out.append(replacement);
            const size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
            in += n;
            inLeft -= n;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* outPtr = buffer;
        size_t outLeft = sizeof(buffer);
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting the text, or 1 for a byte that cannot start one.
size_t utf8SequenceLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    if (length == 1 || rest.size() < length)
        return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

} // namespace

std::string cp932ToUtf8(std::string_view bytes)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.run(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string utf8ToCp932(std::string_view text)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.run(text, "?", utf8SequenceLength);
}
