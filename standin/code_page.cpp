// Code page 932 text, as the program writes it for its message boxes, turned into
// UTF-8 for the front ends to draw. Uses the C library's iconv; a byte that is not
// valid code page 932 shows as U+FFFD rather than ending the text.
#include "standin/window_model.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

std::string TextFromCodePage932(const char* text) {
    std::string converted;
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text; // no converter: ASCII still reads right
    }
    std::size_t inLeft = std::strlen(text);
    char* in = const_cast<char*>(text); // iconv's interface is not const-correct
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        converted.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            converted += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return converted;
}
