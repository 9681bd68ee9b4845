#pragma once
// One program per diary: a second start from the same folder brings the running window to the front
// instead of opening a second writer of the same month files. A copy in another folder is another
// diary.
#include <windows.h>

#include <string>

#include "widgets/Handles.h"

namespace purimo {

// The name of the diary's mutex and window mapping: made from the data folder's full path,
// upper-cased and hashed, since a name may not hold backslashes.
std::wstring DiaryInstanceName(const std::wstring& dataFolder);

class DiaryInstance {
public:
    explicit DiaryInstance(const std::wstring& dataFolder);
    ~DiaryInstance();
    DiaryInstance(const DiaryInstance&) = delete;
    DiaryInstance& operator=(const DiaryInstance&) = delete;

    // True when another program of this diary runs and its window was brought to the front: this
    // one ends. Waits up to 5 s for a program that has no window yet, and for one that is closing
    // until it has ended.
    bool HandedToRunningProgram();
    // Lets the next start find the window.
    void Publish(HWND window);

private:
    HWND PublishedWindow() const;

    std::wstring name_;
    // Kernel handles, closed like a file's.
    FileHandle mutex_;
    FileHandle mapping_;
    bool owner_ = false;
};

} // namespace purimo
