// The view's side of the stored layout: the settings store and the message boxes.

#include "editor/layout_storage.h"
#include "editor/profile_layout_store.h"
#include "shell/localized_string.h"
#include "shell/rolvan_view.h"
#include "shell/stored_values.h"

int ProfileLayoutStore::ReadInt(const std::string& name, int defaultValue) {
    return static_cast<int>(
        AfxGetApp()->GetProfileInt(kSettingsSection, name.c_str(), defaultValue));
}

bool ProfileLayoutStore::WriteInt(const std::string& name, int value) {
    return AfxGetApp()->WriteProfileInt(kSettingsSection, name.c_str(), value);
}

std::string ProfileLayoutStore::ReadString(const std::string& name,
                                           const std::string& defaultValue) {
    return AfxGetApp()
        ->GetProfileString(kSettingsSection, name.c_str(), defaultValue.c_str())
        .str();
}

bool ProfileLayoutStore::WriteString(const std::string& name, const std::string& text) {
    return AfxGetApp()->WriteProfileString(kSettingsSection, name.c_str(), text.c_str());
}

void ProfileLayoutStore::DeleteValue(const std::string& name) {
    AfxGetApp()->WriteProfileString(kSettingsSection, name.c_str(), nullptr);
}

void ProfileLayoutStore::HoldWrites() {
    AfxGetApp()->BeginProfileWrites();
}

bool ProfileLayoutStore::WriteHeld() {
    return AfxGetApp()->EndProfileWrites() != FALSE;
}

namespace {

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
