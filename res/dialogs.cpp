// The dialog templates in both languages. Positions and sizes are in dialog units; the
// controls stand in template order, which is also the tab order.

#include <iterator>

#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kButton = WS_TABSTOP;
constexpr DWORD kNotifyButton = WS_TABSTOP | BS_NOTIFY;
constexpr DWORD kScoreEdit = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kSizeEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kSlider =
    TBS_HORZ | TBS_TOP | TBS_AUTOTICKS | TBS_ENABLESELRANGE | WS_BORDER | WS_TABSTOP;

constexpr ControlTemplate kAboutEnglish[] = {
    {ControlKind::Icon, IDC_STATIC, nullptr, 11, 19, 21, 20, SS_ICON, IDR_MAINFRAME},
    {ControlKind::Static, IDC_STATIC, "Rolvan Version 2.2", 40, 10, 119, 8, SS_LEFT | SS_NOPREFIX,
     0},
    {ControlKind::DefPushButton, IDOK, "OK", 178, 7, 32, 14, kButton | WS_GROUP, 0},
};

constexpr ControlTemplate kAboutGerman[] = {
    {ControlKind::Icon, IDC_STATIC, nullptr, 11, 18, 20, 20, SS_ICON, IDR_MAINFRAME},
    {ControlKind::Static, IDC_STATIC, "Rolvan Version 2.2", 40, 10, 119, 8, SS_LEFT | SS_NOPREFIX,
     0},
    {ControlKind::DefPushButton, IDOK, "OK", 178, 7, 32, 14, kButton | WS_GROUP, 0},
};

constexpr ControlTemplate kScoresEnglish[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Cancel", 129, 33, 50, 14, kButton, 0},
    {ControlKind::Static, IDC_STATIC, "Computer Score : ", 11, 21, 70, 10, SS_LEFT, 0},
    {ControlKind::Static, IDC_STATIC, "Your Score : ", 11, 50, 70, 10, SS_LEFT, 0},
    {ControlKind::PushButton, IDC_RESET, "Reset", 129, 59, 50, 14, kNotifyButton, 0},
    {ControlKind::Edit, IDC_COMPUTER_SCORE, nullptr, 85, 18, 30, 15, kScoreEdit, 0},
    {ControlKind::Edit, IDC_YOUR_SCORE, nullptr, 85, 47, 30, 15, kScoreEdit, 0},
};

constexpr ControlTemplate kScoresGerman[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Abbruch", 129, 33, 50, 14, kButton, 0},
    {ControlKind::Static, IDC_STATIC, "Computer Punkte : ", 11, 21, 70, 10, SS_LEFT, 0},
    {ControlKind::Static, IDC_STATIC, "Eigene Punkte : ", 11, 50, 70, 10, SS_LEFT, 0},
    {ControlKind::PushButton, IDC_RESET, "Löschen", 129, 59, 50, 14, kNotifyButton, 0},
    {ControlKind::Edit, IDC_COMPUTER_SCORE, nullptr, 85, 18, 30, 15, kScoreEdit, 0},
    {ControlKind::Edit, IDC_YOUR_SCORE, nullptr, 85, 47, 30, 15, kScoreEdit, 0},
};

constexpr ControlTemplate kBallSpeedEnglish[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 20, 70, 50, 15, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Cancel", 115, 70, 50, 15, kButton, 0},
    {ControlKind::Static, IDC_STATIC, "Select graphics speed", 52, 14, 83, 10, SS_CENTER, 0},
    {ControlKind::Slider, IDC_SPEED_SLIDER, nullptr, 20, 36, 145, 23, kSlider, 0},
    {ControlKind::Static, IDC_STATIC, "Slow", 23, 24, 20, 10, SS_LEFT, 0},
    {ControlKind::Static, IDC_STATIC, "Fast", 142, 24, 20, 10, SS_RIGHT, 0},
};

constexpr ControlTemplate kBallSpeedGerman[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 20, 70, 50, 15, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Abbruch", 116, 70, 49, 15, kButton, 0},
    {ControlKind::Static, IDC_STATIC, "Geschwindigkeit", 48, 14, 89, 10, SS_CENTER, 0},
    {ControlKind::Slider, IDC_SPEED_SLIDER, nullptr, 20, 36, 145, 23, kSlider, 0},
    {ControlKind::Static, IDC_STATIC, "Langsam", 23, 24, 34, 10, SS_LEFT, 0},
    {ControlKind::Static, IDC_STATIC, "Schnell", 130, 24, 32, 10, SS_RIGHT, 0},
};

constexpr ControlTemplate kGridSizeEnglish[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Cancel", 129, 41, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDC_DEFAULT, "Default", 129, 75, 50, 14, kNotifyButton, 0},
    {ControlKind::Edit, IDC_XSIZE, nullptr, 80, 23, 30, 15, kSizeEdit, 0},
    {ControlKind::Edit, IDC_YSIZE, nullptr, 80, 58, 30, 15, kSizeEdit, 0},
    {ControlKind::Static, IDC_XSIZE_LABEL, "Horizontal (X)", 15, 25, 60, 10, SS_RIGHT, 0},
    {ControlKind::Static, IDC_YSIZE_LABEL, "Vertical (Y)", 15, 61, 60, 10, SS_RIGHT, 0},
};

constexpr ControlTemplate kGridSizeGerman[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDCANCEL, "Abbruch", 129, 41, 50, 14, kButton, 0},
    {ControlKind::PushButton, IDC_DEFAULT, "Default", 129, 75, 50, 14, kNotifyButton, 0},
    {ControlKind::Edit, IDC_XSIZE, nullptr, 80, 23, 30, 15, kSizeEdit, 0},
    {ControlKind::Edit, IDC_YSIZE, nullptr, 80, 58, 30, 15, kSizeEdit, 0},
    {ControlKind::Static, IDC_XSIZE_LABEL, "Waagerecht (X)", 15, 25, 60, 10, SS_RIGHT, 0},
    {ControlKind::Static, IDC_YSIZE_LABEL, "Senkrecht (Y)", 15, 61, 60, 10, SS_RIGHT, 0},
};

template <int N>
constexpr DialogTemplate Dialog(unsigned id, const char* title, int pointSize, int cx, int cy,
                                const ControlTemplate (&controls)[N]) {
    return {id, title, "MS Sans Serif", pointSize, cx, cy, kDialogStyle, controls, N};
}

constexpr DialogTemplate kDialogs[] = {
    Dialog(IDD_ABOUTBOX, "About rolvan", 8, 217, 58, kAboutEnglish),
    Dialog(IDD_ABOUTBOX_GERMAN, "Über Rolvan", 8, 217, 58, kAboutGerman),
    Dialog(IDD_SCORES, "Current Scores", 10, 186, 85, kScoresEnglish),
    Dialog(IDD_SCORES_GERMAN, "Aktueller Stand", 10, 186, 85, kScoresGerman),
    Dialog(IDD_BALLSPEED, "Graphics Speed", 12, 186, 95, kBallSpeedEnglish),
    Dialog(IDD_BALLSPEED_GERMAN, "Grafikgeschwindigkeit", 12, 186, 95, kBallSpeedGerman),
    Dialog(IDD_GRIDSIZE, "Grid Size", 10, 186, 96, kGridSizeEnglish),
    Dialog(IDD_GRIDSIZE_GERMAN, "Gittergröße", 10, 186, 96, kGridSizeGerman),
};

}  // namespace

const DialogTemplate* FindDialogTemplate(unsigned id) {
    for (const DialogTemplate& dialog : kDialogs) {
        if (dialog.id == id)
            return &dialog;
    }
    return nullptr;
}
