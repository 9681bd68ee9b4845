#include <windows.h>

#include "app/Main.h"
#include "app/Splash.h"

using namespace purimo;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The windows of the program, in the order they are created; the main window comes first and
    // its closing ends the program.
    TMainForm mainForm(DefaultAppContext());
    mainForm.Create();
    TSplashForm splash;
    mainForm.SetSplash(&splash);
    mainForm.Show(showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
