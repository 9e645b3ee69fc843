// Code page 932 text, as the program writes it for its message boxes, turned into
// UTF-8 for the front ends to draw, by the platform's decoding: a byte that is not
// valid code page 932 shows as U+FFFD rather than ending the text.
#include "standin/window_model.h"

#include "platform/text_decoding.h"

std::string TextFromCodePage932(const char* text) {
    return DecodeToUtf8(text, ForeignEncoding::CodePage932);
}
