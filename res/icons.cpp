// The program's icon (resource 128): a corner of the board with a tile, a Home square
// and the ball, in the default colours.

#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

// clang-format off
constexpr const char* kMainIconRows[] = {
    "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww",
    "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww",
    "wwllllllllllllllllllllllllllllww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlgggggggglgggggggglhhhhhhhhlww",
    "wwlllllllllGGGGGGGGGGlllllllllww",
    "wwlggggggggGbbbyybbbGggrrrggglww",
    "wwlggggggggGbbbyybbbGgrrrrrgglww",
    "wwlggggggggGbbbyybbbGrrrrrrrglww",
    "wwlggggggggGyyyyyyyyGrrrrrrrglww",
    "wwlggggggggGyyyyyyyyGrrrrrrrglww",
    "wwlggggggggGbbbyybbbGgrrrrrgglww",
    "wwlggggggggGbbbyybbbGggrrrggglww",
    "wwlggggggggGbbbyybbbGgggggggglww",
    "wwlllllllllGGGGGGGGGGlllllllllww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwlgggggggglgggggggglgggggggglww",
    "wwllllllllllllllllllllllllllllww",
    "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww",
    "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww",
};
// clang-format on

constexpr char kMainIconKeys[] = "wglbyGhr";
constexpr COLORREF kMainIconColours[] = {
    RGB(0, 128, 128),  // window background
    RGB(0, 128, 64),   // grid background
    RGB(128, 0, 0),    // grid lines
    RGB(0, 0, 255),    // tile background
    RGB(255, 255, 0),  // tile lines
    RGB(0, 255, 0),    // tile border
    RGB(128, 0, 128),  // Home square
    RGB(255, 0, 0),    // ball
};

constexpr IconTemplate kMainIcon = {IDR_MAINFRAME, 32, kMainIconRows, kMainIconKeys,
                                    kMainIconColours};

}  // namespace

const IconTemplate* FindIconTemplate(unsigned id) {
    return id == kMainIcon.id ? &kMainIcon : nullptr;
}
