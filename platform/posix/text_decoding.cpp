// Text in code page 932 or UTF-16 turned into UTF-8 through the C library's iconv
// (glibc's "CP932" is code page 932 as Windows has it). Used by kivo6-check --fix.
#include "platform/text_decoding.h"

#include <cerrno>
#include <iconv.h>

namespace {

constexpr char REPLACEMENT[] = "\xEF\xBF\xBD";

const char* IconvName(ForeignEncoding encoding) {
    switch (encoding) {
    case ForeignEncoding::CodePage932:
        return "CP932";
    case ForeignEncoding::Utf16LittleEndian:
        return "UTF-16LE";
    case ForeignEncoding::Utf16BigEndian:
        break;
    }
    return "UTF-16BE";
}

} // namespace

std::string DecodeToUtf8(std::string_view bytes, ForeignEncoding encoding) {
    std::string text;
    iconv_t converter = iconv_open("UTF-8", IconvName(encoding));
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(bytes); // no converter: ASCII still reads right
    }
    // One unit to step over a sequence iconv cannot convert: a byte, or a UTF-16 unit.
    const std::size_t unit = encoding == ForeignEncoding::CodePage932 ? 1 : 2;
    char* in = const_cast<char*>(bytes.data()); // iconv's interface is not const-correct
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        text.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            text += REPLACEMENT;
            const std::size_t skip = inLeft < unit ? inLeft : unit;
            in += skip;
            inLeft -= skip;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return text;
}
