#pragma once

// The stored layout on the application's settings store, section "Settings".

#include "editor/layout_storage.h"

class ProfileLayoutStore : public LayoutStore {
public:
    int ReadInt(const std::string& name, int defaultValue) override;
    bool WriteInt(const std::string& name, int value) override;
    std::string ReadString(const std::string& name, const std::string& defaultValue) override;
    bool WriteString(const std::string& name, const std::string& text) override;
    void DeleteValue(const std::string& name) override;
    void HoldWrites() override;
    bool WriteHeld() override;
};
