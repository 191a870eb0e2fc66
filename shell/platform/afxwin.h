#pragma once

// The whole framework layer for the program's own classes.

#include "res/resource.h"
#include "shell/platform/app.h"
#include "shell/platform/button.h"
#include "shell/platform/cmdtarget.h"
#include "shell/platform/colordialog.h"
#include "shell/platform/cstring.h"
#include "shell/platform/dc.h"
#include "shell/platform/dialog.h"
#include "shell/platform/document.h"
#include "shell/platform/frame.h"
#include "shell/platform/menu.h"
#include "shell/platform/view.h"
#include "shell/platform/windef.h"
#include "shell/platform/wnd.h"
