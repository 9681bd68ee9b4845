#pragma once
// What the output commands keep for the rest of a program run: the printer chosen in the set-up
// dialog, the name of the last saved bitmap and whether a page is being handed to the spooler.
#include <windows.h>

#include <string>
#include <utility>

#include "widgets/Handles.h"

namespace purimo {

// Movable global memory as the printer dialog takes and returns it (DEVMODE, DEVNAMES).
class GlobalBlock {
public:
    GlobalBlock() = default;
    explicit GlobalBlock(HGLOBAL h) : h_(h) {
        if (h_ != nullptr)
            detail::CountHandle(1);
    }
    ~GlobalBlock() { Reset(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }
    HGLOBAL Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset() {
        if (h_ != nullptr) {
            GlobalFree(h_);
            detail::CountHandle(-1);
        }
        h_ = nullptr;
    }
    // Hands the block to a call that takes it over (the printer dialog frees what it replaces).
    HGLOBAL Release() {
        if (h_ != nullptr)
            detail::CountHandle(-1);
        return std::exchange(h_, nullptr);
    }
    // A copy of the block's bytes in a block of its own; empty when there is none.
    GlobalBlock Copy() const;

private:
    HGLOBAL h_ = nullptr;
};

// The current printer of this run: empty until the set-up dialog's first OK, meaning the system's
// default printer.
struct PrinterChoice {
    GlobalBlock devMode;
    GlobalBlock devNames;
};

struct OutputState {
    PrinterChoice printer;
    std::wstring lastSaveName;
    bool printing = false;
};

} // namespace purimo
