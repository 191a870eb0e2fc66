#pragma once

#include "shell/platform/cstring.h"

// Holds one localized text for as long as a handler needs it. The string is looked up
// under the English ID plus the current language offset; a missing or empty entry gives
// the English text the caller passes along. A caller that needs two texts at once (a
// message and its caption) uses two holders.
class LocalizedString {
public:
    const char* LoadLocalizedString(unsigned englishId, const char* fallback);

private:
    CString buffer_;
};
