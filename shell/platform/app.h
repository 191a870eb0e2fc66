#pragma once

// CWinApp: the application object. It wraps the QApplication (AfxWinMain creates one
// when none exists), owns the document template and the main window, holds the
// program's title and reaches the settings store.

#include <memory>
#include <vector>

#include "shell/platform/cmdtarget.h"
#include "shell/platform/cstring.h"
#include "shell/platform/windef.h"

class CWnd;
class CDocTemplate;
class ProfileStore;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing };
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    // lpszAppName null takes the title from string 57344.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // Runs the message loop until the main window closes, then ExitInstance.
    virtual int Run();
    virtual int ExitInstance();

    // The application title, "Rolvan": caption of the framework's message boxes, the
    // application name in the settings store and the class of its X11 windows (WM_CLASS).
    CString m_pszAppName;
    // The launcher's ID, by which desktops tell the program's windows (set by SetAppID).
    CString m_pszAppID;
    CString m_pszRegistryKey;
    CString m_pszProfileName;
    // The main window; the application deletes it at the end of Run or with itself.
    CWnd* m_pMainWnd = nullptr;

    // Settings go to organisation lpszRegistryKey, application m_pszProfileName.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // The ID of the program's launcher (its desktop file without ".desktop"), which a
    // Wayland desktop takes as the app ID of its windows. Call it before the first window.
    void SetAppID(LPCTSTR lpszAppID);
    // There is no recent-file list; the call only exists for the start-up sequence.
    void LoadStdProfileSettings(UINT nMaxMRU = 4) { (void)nMaxMRU; }
    // Dialog controls look the platform's way; nothing to switch on.
    BOOL Enable3dControlsStatic() { return TRUE; }
    // The application takes ownership.
    void AddDocTemplate(CDocTemplate* pTemplate);
    // Arguments are ignored: the program has no command-line options and no files.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew creates document, frame and view and shows the frame.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Section lpszSection, value lpszEntry. A value that is missing or not a 32-bit
    // integer reads as nDefault.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null lpszValue deletes the value; a null lpszEntry deletes the whole section.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The profile writes from here to the matching EndProfileWrites reach the store as one
    // write, whole or not at all: until then each write succeeds and the reads see it. Pairs
    // nest; the outermost end writes. FALSE when that write failed: then none of the writes
    // is stored, and the reads give what the store holds.
    void BeginProfileWrites();
    BOOL EndProfileWrites();

    // Exit: asks the main window to close.
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    ProfileStore& Profile();

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<ProfileStore> m_profileStore;
};

// The one application object, or null when none exists.
CWinApp* AfxGetApp();

// The program's entry: makes the QApplication if there is none, named after the
// application title, then InitInstance and Run on the application object. Returns the exit
// code. The windows go before the QApplication; a process that ends through exit() from
// inside Qt (which is what Qt does when it loses the display) leaves them to the system.
int AfxWinMain(int argc, char* argv[]);

// Modal message box owned by the main window (if any), captioned with the application
// title.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);

// Milliseconds of a steady clock, wrapping at 32 bits; take differences as signed.
DWORD GetTickCount();

// The locale that governs the user's messages (LC_ALL, else LC_MESSAGES, else LANG) as a
// classic locale identifier: German gives primary language 7 (0x0407, 0x0807 for
// Switzerland, 0x0C07 for Austria, ...), English 0x0409.
LCID GetSystemDefaultLCID();

// The language of the platform's own texts: the standard buttons of message boxes, the
// validation messages' box, the colour picker. LANG_GERMAN installs Debian's German
// translation of Qt, any other language takes it away again. Without the translation the
// texts stay English and nothing is reported.
void AfxSetPlatformLanguage(WORD primaryLanguage);
