// The image library's messages. There may be no screen and nobody to press
// OK, so a message is one line on standard error, led by its caption.
#include <cstdio>
#include <cstring>
#include <string>

#include "image/dib_internal.h"

void showImageMessage(const char* text) {
    if (!errorMessages)
        return;
    size_t length = std::strlen(text);
    bool hasLineEnd = length > 0 && text[length - 1] == '\n';
    std::fprintf(stderr, "%s: %s%s", imageMessageCaption, text, hasLineEnd ? "" : "\n");
    std::fflush(stderr);
}

// Sized to the name, so a name of any length appears in full.
void showDibOpenFailure(const char* fileName) {
    if (fileName == nullptr)
        fileName = "";
    int length = std::snprintf(nullptr, 0, dibOpenFailureText, fileName);
    if (length < 0)
        return;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), dibOpenFailureText, fileName);
    showImageMessage(text.c_str());
}
