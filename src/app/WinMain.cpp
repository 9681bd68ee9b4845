#include <windows.h>

#include <optional>

#include "app/Main.h"
#include "widgets/MessageLoop.h"
#include "app/SingleInstance.h"
#include "app/Splash.h"
#include "entry/ComEdit.h"
#include "output/About.h"

using namespace purimo;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The main window comes first and its closing ends the program; the wait window is made with
    // it. The others are hidden until they are used and made then, and are destroyed before the
    // main window.
    AppContext context = DefaultAppContext();
    // A second start of the same diary shows the running window instead of a second writer.
    DiaryInstance instance(context.programFolder + L"client");
    if (instance.HandedToRunningProgram())
        return 0;
    TMainForm mainForm(context);
    mainForm.Create();
    // Without its window (no desktop to be had) the program would wait unseen for a message that
    // never comes, and each new start would leave one more such process behind.
    if (mainForm.Hwnd() == nullptr)
        return 1;
    instance.Publish(mainForm.Hwnd());
    std::optional<TAboutForm> aboutForm;
    std::optional<TComEditForm> comEditForm;
    TSplashForm splashForm;
    mainForm.SetSplash(&splashForm);
    mainForm.SetMemoDialogMaker([&] { return &comEditForm.emplace(mainForm.Hwnd()); });
    mainForm.SetAboutMaker([&] { return &aboutForm.emplace(mainForm.Hwnd()); });
    mainForm.Show(showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchThroughPreview(msg);
    }
    return 0;
}
