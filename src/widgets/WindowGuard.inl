#pragma once
#include <exception>
#include <new>

#include "common/Errors.h"

namespace purimo {

template <class F> bool Guarded(F&& fn) {
    try {
        fn();
        return true;
    } catch (const std::bad_alloc&) {
        ReportError("メモリが不足しています");
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("予期しないエラーが発生しました");
    }
    return false;
}

} // namespace purimo
