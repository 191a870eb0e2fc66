// Presses keys on KWin as a keyboard would, through KWin's fake input protocol, for
// tests/display/kwin.sh:
//
//   kwin_keys KEY...     alt+s, g, Escape, Return, ...: each pressed and let go in turn
//
// KWin lets any client use the protocol when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <linux/input-event-codes.h>

namespace {

// The requests of org_kde_kwin_fake_input version 4, in the protocol's order; only
// authenticate and keyboard_key are sent.
const wl_interface* kNoTypes[4] = {nullptr, nullptr, nullptr, nullptr};
const wl_message kFakeInputRequests[] = {
    {"authenticate", "ss", kNoTypes},  {"pointer_motion", "ff", kNoTypes},
    {"button", "uu", kNoTypes},        {"axis", "uf", kNoTypes},
    {"touch_down", "2uff", kNoTypes},  {"touch_motion", "2uff", kNoTypes},
    {"touch_up", "2u", kNoTypes},      {"touch_cancel", "2", kNoTypes},
    {"touch_frame", "2", kNoTypes},    {"pointer_motion_absolute", "3ff", kNoTypes},
    {"keyboard_key", "4uu", kNoTypes},
};
const wl_interface kFakeInputInterface = {"org_kde_kwin_fake_input", 4, 11,
                                          kFakeInputRequests,        0, nullptr};
constexpr uint32_t kAuthenticate = 0;
constexpr uint32_t kKeyboardKey = 10;

wl_proxy* g_fakeInput = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    if (std::strcmp(interface, kFakeInputInterface.name) == 0 && version >= 4) {
        g_fakeInput =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kFakeInputInterface, 4));
    }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

// Linux input key codes of the keys the tests press (a US layout).
int KeyCode(const std::string& name) {
    static const struct {
        const char* name;
        int code;
    } kKeys[] = {{"Escape", KEY_ESC},      {"Return", KEY_ENTER}, {"Tab", KEY_TAB},
                 {"space", KEY_SPACE},     {"alt", KEY_LEFTALT},  {"ctrl", KEY_LEFTCTRL},
                 {"shift", KEY_LEFTSHIFT}, {"Left", KEY_LEFT},    {"Right", KEY_RIGHT},
                 {"Up", KEY_UP},           {"Down", KEY_DOWN}};
    for (const auto& key : kKeys) {
        if (name == key.name)
            return key.code;
    }
    static const char kLetters[] = "qwertyuiopasdfghjklzxcvbnm";
    static const int kLetterCodes[] = {
        KEY_Q, KEY_W, KEY_E, KEY_R, KEY_T, KEY_Y, KEY_U, KEY_I, KEY_O, KEY_P, KEY_A, KEY_S, KEY_D,
        KEY_F, KEY_G, KEY_H, KEY_J, KEY_K, KEY_L, KEY_Z, KEY_X, KEY_C, KEY_V, KEY_B, KEY_N, KEY_M};
    if (name.size() == 1) {
        if (const char* letter = std::strchr(kLetters, name[0]); letter != nullptr && *letter)
            return kLetterCodes[letter - kLetters];
        if (name[0] >= '1' && name[0] <= '9')
            return KEY_1 + (name[0] - '1');
        if (name[0] == '0')
            return KEY_0;
    }
    return -1;
}

void Send(wl_display* display, int code, bool pressed) {
    wl_proxy_marshal(g_fakeInput, kKeyboardKey, static_cast<uint32_t>(code), pressed ? 1u : 0u);
    wl_display_roundtrip(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

}  // namespace

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "kwin_keys: no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (g_fakeInput == nullptr) {
        std::fprintf(stderr, "kwin_keys: the compositor offers no fake input\n");
        return 1;
    }
    wl_proxy_marshal(g_fakeInput, kAuthenticate, "rolvan tests", "keys of a display test");
    wl_display_roundtrip(display);
    for (int i = 1; i < argc; ++i) {
        std::vector<int> codes;
        std::stringstream chord(argv[i]);
        std::string part;
        while (std::getline(chord, part, '+')) {
            const int code = KeyCode(part);
            if (code < 0) {
                std::fprintf(stderr, "kwin_keys: no key called %s\n", part.c_str());
                return 2;
            }
            codes.push_back(code);
        }
        for (int code : codes)
            Send(display, code, true);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            Send(display, *code, false);
        // Time for the menu a key opens to show before the next key arrives.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    wl_display_disconnect(display);
    return 0;
}
