// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace harukaze {

namespace {

class Converter
{
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (isOpen())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; on a byte sequence iconv cannot convert, `fallback(rest, out)` appends what
    // stands for it and returns how many input bytes it used (at least one).
    //
    // ASCII is the same in both encodings and makes up most of a plan file, so runs of it are copied
    // and only the rest of each line goes through iconv. That split is safe: an ASCII byte is never
    // a CP932 lead byte, and a line feed is never part of a multi-byte character in either encoding.
    /** False when the system's iconv has no CP932 (a missing gconv module). */
    bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    template <typename Fallback>
    std::string run(std::string_view input, Fallback fallback)
    {
        std::string out;
        if (!isOpen())
            return out;
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
            convert(input.substr(ascii, lineEnd - ascii), fallback, out);
            pos = lineEnd;
        }
        return out;
    }

private:
    template <typename Fallback>
    void convert(std::string_view input, Fallback fallback, std::string& out)
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
            const size_t n = std::min(inLeft, std::max<size_t>(1, fallback(std::string_view(in, inLeft), out)));
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

// Single bytes that Windows' code page 932 maps to characters of their own and glibc's CP932
// rejects. Keeping them makes a label round-trip byte for byte as it does on Windows.
struct SingleByteCharacter
{
    unsigned char byte;
    std::string_view utf8;
};
const SingleByteCharacter kWindowsSingleBytes[] = {
    { 0x80, "\xC2\x80" }, // U+0080
    { 0xA0, "\xEF\xA3\xB0" }, // U+F8F0
    { 0xFD, "\xEF\xA3\xB1" }, // U+F8F1
    { 0xFE, "\xEF\xA3\xB2" }, // U+F8F2
    { 0xFF, "\xEF\xA3\xB3" }, // U+F8F3
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

bool cp932Available(std::string* error)
{
    const Converter decoder("UTF-8", "CP932");
    const Converter encoder("CP932", "UTF-8");
    if (decoder.isOpen() && encoder.isOpen())
        return true;
    if (error)
        *error = std::string("CP932 conversion is not available: ") + std::strerror(errno);
    return false;
}

std::string cp932ToUtf8(std::string_view bytes)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.run(bytes, [](std::string_view rest, std::string& out) {
        for (const SingleByteCharacter& single : kWindowsSingleBytes) {
            if (static_cast<unsigned char>(rest[0]) == single.byte) {
                out.append(single.utf8);
                return size_t { 1 };
            }
        }
        out.append("\xEF\xBF\xBD");
        return size_t { 1 };
    });
}

std::string utf8ToCp932(std::string_view text)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.run(text, [](std::string_view rest, std::string& out) {
        const size_t length = utf8SequenceLength(rest);
        for (const SingleByteCharacter& single : kWindowsSingleBytes) {
            if (rest.substr(0, length) == single.utf8) {
                out.push_back(static_cast<char>(single.byte));
                return length;
            }
        }
        out.push_back('?');
        return length;
    });
}

} // namespace harukaze
