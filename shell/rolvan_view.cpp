#include "shell/rolvan_view.h"

#include <iterator>

#include "ai/move_search.h"
#include "render/tile_buttons.h"
#include "shell/stored_values.h"

BEGIN_MESSAGE_MAP(CRolvanView, CView)
    ON_COMMAND(ID_MOVES_TOPSQUARE, OnTopSquare)
    ON_COMMAND(ID_MOVES_MIDDLESQUARE, OnMiddleSquare)
    ON_COMMAND(ID_MOVES_BOTTOMSQUARE, OnBottomSquare)
    ON_COMMAND(ID_FILE_SHOWSCORES, OnShowScores)
    ON_COMMAND(ID_FILE_RESETSCORES, ResetScoresCommand)
    ON_COMMAND(ID_LEVEL_ONE, OnLevelOne)
    ON_COMMAND(ID_LEVEL_TWO, OnLevelTwo)
    ON_COMMAND(ID_LEVEL_THREE, OnLevelThree)
    ON_COMMAND(ID_LEVEL_FOUR, OnLevelFour)
    ON_COMMAND(ID_COLOURS_WINDOWBACKGROUND, OnWindowBackgroundColour)
    ON_COMMAND(ID_COLOURS_GRIDBACKGROUND, OnGridBackgroundColour)
    ON_COMMAND(ID_COLOURS_GRIDLINES, OnGridLineColour)
    ON_COMMAND(ID_COLOURS_TILEBACKGROUND, OnTileBackgroundColour)
    ON_COMMAND(ID_COLOURS_TILEBORDER, OnTileBorderColour)
    ON_COMMAND(ID_COLOURS_TILELINES, OnTileLineColour)
    ON_COMMAND(ID_COLOURS_HOMESQUARE, OnHomeSquareColour)
    ON_COMMAND(ID_COLOURS_BALLCOLOUR, OnBallColour)
    ON_COMMAND(ID_BALL_SPEED, OnBallSpeed)
    ON_COMMAND(ID_GRID_SIZE, OnGridSize)
    ON_COMMAND(ID_EDIT_EDITGRID, OnEditGrid)
    ON_COMMAND(ID_EDIT_SAVEGRID, OnSaveGrid)
    ON_COMMAND(ID_EDIT_RESETGRID, OnResetGrid)
    ON_COMMAND(ID_EDIT_CANCEL, OnCancelGrid)
    ON_COMMAND(IDC_SAVE_GRID, OnSaveGrid)
    ON_COMMAND(IDC_RESET_GRID, OnResetGrid)
    ON_COMMAND(IDC_CANCEL_GRID, OnCancelGrid)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnHelp)
    ON_UPDATE_COMMAND_UI(ID_MOVES_TOPSQUARE, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_MOVES_MIDDLESQUARE, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_MOVES_BOTTOMSQUARE, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_FILE_SHOWSCORES, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_FILE_RESETSCORES, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_ONE, OnUpdateLevelOne)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_TWO, OnUpdateLevelTwo)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_THREE, OnUpdateLevelThree)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_FOUR, OnUpdateLevelFour)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_WINDOWBACKGROUND, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_GRIDBACKGROUND, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_GRIDLINES, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_TILEBACKGROUND, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_TILEBORDER, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_TILELINES, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_HOMESQUARE, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_BALLCOLOUR, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_BALL_SPEED, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_GRID_SIZE, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_EDIT_EDITGRID, OnUpdateNotEditing)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SAVEGRID, OnUpdateOnlyEditing)
    ON_UPDATE_COMMAND_UI(ID_EDIT_RESETGRID, OnUpdateOnlyEditing)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CANCEL, OnUpdateOnlyEditing)
END_MESSAGE_MAP()

namespace {

CWinApp* App() {
    return AfxGetApp();
}

int ReadSetting(const char* name, int defaultValue) {
    return static_cast<int>(App()->GetProfileInt(kSettingsSection, name, defaultValue));
}

void WriteSetting(const char* name, int value) {
    // A failed write is not reported: the view already holds the new value for the run.
    App()->WriteProfileInt(kSettingsSection, name, value);
}

// The colour fields in the order of kColourSettings.
constexpr COLORREF CRolvanView::*kColourFields[] = {
    &CRolvanView::WindowBackgroundColour, &CRolvanView::GridBackgroundColour,
    &CRolvanView::GridLineColour,         &CRolvanView::TileBackgroundColour,
    &CRolvanView::TileBorderColour,       &CRolvanView::TileLineColour,
    &CRolvanView::HomeSquareColour,       &CRolvanView::BallColour,
};
static_assert(std::size(kColourFields) == std::size(kColourSettings));

}  // namespace

// The settings are read in this order, once per run: grid size, then the board is
// built, colours and the ball brush, the first game (the human opens it, so nothing is
// painted or searched yet), level, ball speed.
CRolvanView::CRolvanView() {
    reportInternalError_ = [](const char* text) { AfxMessageBox(text, MB_OK); };
    SetAccessibleGrid(this);
    LoadGridSize();
    board.BuildBoard();
    LoadColours();
    NewGame(false);
    LoadLevel();
    LoadBallSpeed();
}

CRolvanView::~CRolvanView() {
    // The board goes first: a screen reader must not read it any more.
    SetAccessibleGrid(nullptr);
    leftButton.reset();
    centreButton.reset();
    rightButton.reset();
    saveGridButton.reset();
    resetGridButton.reset();
    cancelGridButton.reset();
    ballMaskBitmap.reset();
    ballMaskDC.reset();
    ballBrush.reset();
    board.FreeRows();
}

void CRolvanView::LoadGridSize() {
    board.columns = GridSizeFromStore(ReadSetting("XGridSize", kDefaultColumns));
    board.rows = GridSizeFromStore(ReadSetting("YGridSize", kDefaultRows));
}

void CRolvanView::SaveGridSize() {
    // Both values in one write: a board of the new width and the old height is none the
    // player chose.
    App()->BeginProfileWrites();
    WriteSetting("XGridSize", board.columns);
    WriteSetting("YGridSize", board.rows);
    App()->EndProfileWrites();
}

void CRolvanView::LoadColours() {
    for (std::size_t i = 0; i < std::size(kColourSettings); ++i) {
        const ColourSetting& setting = kColourSettings[i];
        const CString text = App()->GetProfileString(
            kSettingsSection, setting.name, FormatColourText(setting.defaultValue).c_str());
        this->*kColourFields[i] = ParseColourText(text.str());
    }
    ballBrush = std::make_unique<CBrush>(BallColour);
}

void CRolvanView::StoreColour(COLORREF colour, const char* valueName) {
    App()->WriteProfileString(kSettingsSection, valueName, FormatColourText(colour).c_str());
}

void CRolvanView::LoadLevel() {
    level = LevelFromStore(ReadSetting("Level", kDefaultLevel));
}

void CRolvanView::SaveLevel() {
    WriteSetting("Level", level);
}

void CRolvanView::LoadBallSpeed() {
    ballDelay = BallSpeedFromStore(ReadSetting("BallSpeed", kDefaultBallSpeed));
}

void CRolvanView::SaveBallSpeed() {
    WriteSetting("BallSpeed", ballDelay);
}

// F1 and context help: the program has no help.
void CRolvanView::OnHelp() {}

void CRolvanView::OnUpdateNotEditing(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!editing);
}

void CRolvanView::OnUpdateOnlyEditing(CCmdUI* pCmdUI) {
    pCmdUI->Enable(editing);
}
