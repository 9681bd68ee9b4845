#include <windows.h>

#include <optional>

#include "app/Main.h"
#include "app/Splash.h"
#include "entry/ComEdit.h"
#include "output/About.h"

using namespace purimo;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The main window comes first and its closing ends the program; the wait window is made with
    // it. The others are hidden until they are used and made then, and are destroyed before the
    // main window.
    TMainForm mainForm(DefaultAppContext());
    mainForm.Create();
    std::optional<TAboutForm> aboutForm;
    std::optional<TComEditForm> comEditForm;
    TSplashForm splashForm;
    mainForm.SetSplash(&splashForm);
    mainForm.SetMemoDialogMaker([&] { return &comEditForm.emplace(mainForm.Hwnd()); });
    mainForm.SetAboutMaker([&] { return &aboutForm.emplace(mainForm.Hwnd()); });
    mainForm.Show(showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
