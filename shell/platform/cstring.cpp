#include "shell/platform/cstring.h"

#include <cstdarg>
#include <cstdio>

#include "res/resource_tables.h"

BOOL CString::LoadString(UINT id) {
    const char* text = FindStringResource(id);
    m_text = text ? text : "";
    return text != nullptr ? TRUE : FALSE;
}

void CString::Format(LPCTSTR format, ...) {
    if (format == nullptr) {
        m_text.clear();
        return;
    }
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        m_text.clear();
    } else {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<std::size_t>(length));
        m_text = std::move(text);
    }
    va_end(args);
}
