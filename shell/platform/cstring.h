#pragma once

// The framework's text type: UTF-8 text that converts to the plain C string the
// framework's functions take.

#include <string>

#include "shell/platform/windef.h"

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}

    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Replaces the text with string resource id; FALSE, and the text emptied, when the
    // string table has no such entry.
    BOOL LoadString(UINT id);
    // printf-style formatting, replacing the text.
    void Format(LPCTSTR format, ...) __attribute__((format(printf, 2, 3)));

    CString& operator=(const char* text) {
        m_text = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& more) {
        m_text += more.m_text;
        return *this;
    }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }

private:
    std::string m_text;
};
