#pragma once
#include <exception>
#include <new>

#include "common/Errors.h"

namespace purimo {

template <class F> bool Guarded(HWND hwnd, F&& fn) {
    try {
        fn();
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(hwnd, "メモリが不足しています");
    } catch (const std::exception& e) {
        ReportError(hwnd, e.what());
    } catch (...) {
        ReportError(hwnd, "予期しないエラーが発生しました");
    }
    return false;
}

} // namespace purimo
