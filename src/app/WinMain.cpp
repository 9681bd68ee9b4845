#include <windows.h>

#include "app/Main.h"
#include "app/Splash.h"
#include "entry/ComEdit.h"
#include "output/About.h"

using namespace purimo;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The windows of the program in the order they are created; the main window comes first and
    // its closing ends the program. The others stay hidden until they are used.
    TMainForm mainForm(DefaultAppContext());
    mainForm.Create();
    TAboutForm aboutForm(mainForm.Hwnd());
    TSplashForm splashForm;
    TComEditForm comEditForm(mainForm.Hwnd());
    mainForm.SetSplash(&splashForm);
    mainForm.SetMemoDialog(&comEditForm);
    mainForm.SetAbout(&aboutForm);
    mainForm.Show(showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
