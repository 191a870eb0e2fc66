#pragma once

// The IDs of the program's resources, commands and controls. German resources have the
// English ID plus 1000 (the language offset).

// Menu, icon and document string of the main frame.
constexpr unsigned IDR_MAINFRAME = 128;
constexpr unsigned IDR_MAINFRAME_GERMAN = 1128;

// Dialog templates.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDD_SCORES = 136;
constexpr unsigned IDD_BALLSPEED = 137;
constexpr unsigned IDD_GRIDSIZE = 147;
constexpr unsigned IDD_ABOUTBOX_GERMAN = 1100;
constexpr unsigned IDD_SCORES_GERMAN = 1136;
constexpr unsigned IDD_BALLSPEED_GERMAN = 1137;
constexpr unsigned IDD_GRIDSIZE_GERMAN = 1147;

constexpr int LANGUAGE_OFFSET_GERMAN = 1000;

// Menu commands.
constexpr unsigned ID_MOVES_TOPSQUARE = 32772;
constexpr unsigned ID_MOVES_MIDDLESQUARE = 32773;
constexpr unsigned ID_MOVES_BOTTOMSQUARE = 32774;
constexpr unsigned ID_COLOURS_WINDOWBACKGROUND = 32775;
constexpr unsigned ID_COLOURS_GRIDBACKGROUND = 32776;
constexpr unsigned ID_COLOURS_GRIDLINES = 32777;
constexpr unsigned ID_COLOURS_TILEBACKGROUND = 32778;
constexpr unsigned ID_COLOURS_TILEBORDER = 32779;
constexpr unsigned ID_COLOURS_TILELINES = 32780;
constexpr unsigned ID_COLOURS_BALLCOLOUR = 32781;
constexpr unsigned ID_COLOURS_HOMESQUARE = 32782;
constexpr unsigned ID_LEVEL_ONE = 32783;
constexpr unsigned ID_LEVEL_TWO = 32784;
constexpr unsigned ID_LEVEL_THREE = 32785;
constexpr unsigned ID_LEVEL_FOUR = 32786;
constexpr unsigned ID_FILE_SHOWSCORES = 32788;
constexpr unsigned ID_FILE_RESETSCORES = 32789;
constexpr unsigned ID_BALL_SPEED = 32792;
constexpr unsigned ID_EDIT_EDITGRID = 32793;
constexpr unsigned ID_EDIT_SAVEGRID = 32796;
constexpr unsigned ID_EDIT_CANCEL = 32797;
constexpr unsigned ID_EDIT_RESETGRID = 32798;
constexpr unsigned ID_LANGUAGE_ENGLISH = 32800;
constexpr unsigned ID_LANGUAGE_DEUTSCH = 32801;
constexpr unsigned ID_GRID_SIZE = 32804;
// The framework's own commands.
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_CONTEXT_HELP = 57669;
constexpr unsigned ID_HELP = 57670;

// Controls of the dialogs.
constexpr int IDC_RESET = 1000;
constexpr int IDC_COMPUTER_SCORE = 1012;
constexpr int IDC_YOUR_SCORE = 1013;
constexpr int IDC_SPEED_SLIDER = 1016;
constexpr int IDC_DEFAULT = 1024;
constexpr int IDC_XSIZE = 1025;
constexpr int IDC_YSIZE = 1026;
constexpr int IDC_XSIZE_LABEL = 1027;
constexpr int IDC_YSIZE_LABEL = 1028;

// The editor's push buttons, children of the view.
constexpr unsigned IDC_SAVE_GRID = 7000;
constexpr unsigned IDC_RESET_GRID = 7001;
constexpr unsigned IDC_CANCEL_GRID = 7002;

// Strings. 61204 to 61208 (the layout storage messages) have no entry in either
// language, so their callers always show the English text they pass along.
constexpr unsigned AFX_IDS_APP_TITLE = 57344;
constexpr unsigned IDS_SAVE_BUTTON = 61209;
constexpr unsigned IDS_RESET_BUTTON = 61210;
constexpr unsigned IDS_CANCEL_BUTTON = 61211;
constexpr unsigned IDS_RESET_SCORES_QUESTION = 61223;
constexpr unsigned IDS_ABANDON_CHANGES_QUESTION = 61224;
constexpr unsigned IDS_PROTECTED_SQUARE = 61225;
constexpr unsigned IDS_PROTECTED_SQUARE_CAPTION = 61226;
// What assistive technology says of the board and the tile buttons. %1, %2, ... stand for
// the values put in.
constexpr unsigned IDS_BOARD_NAME = 61300;
constexpr unsigned IDS_BOARD_STATE = 61301;
constexpr unsigned IDS_BOARD_BALL_GONE = 61302;
constexpr unsigned IDS_BOARD_EDITING = 61303;
constexpr unsigned IDS_MOVING_UP = 61304;
constexpr unsigned IDS_MOVING_RIGHT = 61305;
constexpr unsigned IDS_MOVING_DOWN = 61306;
constexpr unsigned IDS_MOVING_LEFT = 61307;
constexpr unsigned IDS_LEFT_TILE_DESCRIPTION = 61308;
constexpr unsigned IDS_CENTRE_TILE_DESCRIPTION = 61309;
constexpr unsigned IDS_RIGHT_TILE_DESCRIPTION = 61310;
// A square of the board read by a screen reader: what lies on it, where, and the ball.
constexpr unsigned IDS_SQUARE_NAME = 61311;
constexpr unsigned IDS_SQUARE_BALL = 61312;
constexpr unsigned IDS_SQUARE_EMPTY = 61313;
constexpr unsigned IDS_SQUARE_HOME = 61314;
constexpr unsigned IDS_SQUARE_BORDER = 61315;
constexpr unsigned IDS_SQUARE_LEFT_TILE = 61316;
constexpr unsigned IDS_SQUARE_CENTRE_TILE = 61317;
constexpr unsigned IDS_SQUARE_RIGHT_TILE = 61318;
// What a screen reader says after every roll and at a new game.
constexpr unsigned IDS_HUMAN_LAID = 61319;
constexpr unsigned IDS_COMPUTER_LAID = 61320;
constexpr unsigned IDS_LEFT_TILE_LAID = 61321;
constexpr unsigned IDS_CENTRE_TILE_LAID = 61322;
constexpr unsigned IDS_RIGHT_TILE_LAID = 61323;
constexpr unsigned IDS_BALL_STOPS = 61324;
constexpr unsigned IDS_BALL_HOME = 61325;
constexpr unsigned IDS_BALL_BORDER = 61326;
constexpr unsigned IDS_BALL_LEAVES = 61327;
constexpr unsigned IDS_HUMAN_SCORES = 61328;
constexpr unsigned IDS_COMPUTER_SCORES = 61329;
constexpr unsigned IDS_YOUR_MOVE = 61330;
constexpr unsigned IDS_COMPUTERS_MOVE = 61331;
constexpr unsigned IDS_NEW_GAME = 61332;
constexpr unsigned IDS_COMPUTER_OPENS = 61333;
