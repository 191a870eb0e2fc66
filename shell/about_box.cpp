#include "shell/about_box.h"

#include "shell/rolvan_app.h"

CAboutBoxDlg::CAboutBoxDlg() : CDialog(IDD_ABOUTBOX + LanguageOffset()) {}
