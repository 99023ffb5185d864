#include "app/startup.h"
#include "app/creation_handler.h"
#include "app/fatal_error.h"
#include "app/keyboard.h"
#include "app/main_window.h"
#include "app/run_directory.h"
#include "skin/skin_binding.h"
#include <ole2.h>

int RunApplication(HINSTANCE instance)
{
    OleInitialize(NULL);  // the embedded browser needs it
    FixRunDirectory();
    HWND window = LoadMainWindow(instance);
    if (!window) {
        ShowFatalError(LoadMainWindowFailed);
        OleUninitialize();
        return -1;
    }
    OnMainWindowCreated();
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (PreTranslateKey(message, window)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ReleaseSkinEngine();
    OleUninitialize();
    return 0;
}
