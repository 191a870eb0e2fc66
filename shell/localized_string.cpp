#include "shell/localized_string.h"

#include "shell/rolvan_app.h"

const char* LocalizedString::LoadLocalizedString(unsigned englishId, const char* fallback) {
    if (buffer_.LoadString(englishId + LanguageOffset()) && !buffer_.IsEmpty()) {
        return buffer_;
    }
    return fallback;
}
