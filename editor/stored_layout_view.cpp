// The view's side of the stored layout: the settings store and the message boxes.

#include "editor/layout_storage.h"
#include "shell/localized_string.h"
#include "shell/rolvan_view.h"
#include "shell/stored_values.h"

namespace {

class ProfileLayoutStore : public LayoutStore {
public:
    int ReadInt(const std::string& name, int defaultValue) override {
        return static_cast<int>(
            AfxGetApp()->GetProfileInt(kSettingsSection, name.c_str(), defaultValue));
    }
    bool WriteInt(const std::string& name, int value) override {
        return AfxGetApp()->WriteProfileInt(kSettingsSection, name.c_str(), value);
    }
    std::string ReadString(const std::string& name, const std::string& defaultValue) override {
        return AfxGetApp()
            ->GetProfileString(kSettingsSection, name.c_str(), defaultValue.c_str())
            .str();
    }
    bool WriteString(const std::string& name, const std::string& text) override {
        return AfxGetApp()->WriteProfileString(kSettingsSection, name.c_str(), text.c_str());
    }
    void DeleteValue(const std::string& name) override {
        AfxGetApp()->WriteProfileString(kSettingsSection, name.c_str(), nullptr);
    }
};

class ViewLayoutMessages : public LayoutMessages {
public:
    explicit ViewLayoutMessages(CWnd& view) : view_(view) {}

    void ShowLayoutMessage(unsigned stringId, const char* englishText, const std::string& caption,
                           bool ownedByView) override {
        LocalizedString text;
        const char* shown = text.LoadLocalizedString(stringId, englishText);
        if (ownedByView) {
            view_.MessageBox(shown, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
        } else {
            CWnd noOwner;
            noOwner.MessageBox(shown, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
        }
    }

private:
    CWnd& view_;
};

}  // namespace

void CRolvanView::SaveLayout() {
    ProfileLayoutStore store;
    ViewLayoutMessages messages(*this);
    ::SaveLayout(board, store, messages);
}

void CRolvanView::LoadLayout() {
    ProfileLayoutStore store;
    ViewLayoutMessages messages(*this);
    ::LoadLayout(board, store, messages);
}
