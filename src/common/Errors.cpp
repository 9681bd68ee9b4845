#include "common/Errors.h"

namespace purimo {

IoError::IoError(int code) : AppError(IoErrorText(code)), code_(code) {}

std::string IoErrorText(int code) {
    switch (code) {
    case 2:
        return "ファイルが見つかりません";
    case 3:
        return "不正なファイル名です";
    case 4:
        return "オープンしたファイルが多すぎます";
    case 5:
        return "ファイルへのアクセスが拒否されました";
    case 100:
        return "ファイルの末尾以降を読み込みました";
    case 101:
        return "ディスクがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
    default:
        return "I/O エラー (" + std::to_string(code) + ")";
    }
}

std::string ErrorBoxText(const std::string& message) {
    if (message.empty() || static_cast<unsigned char>(message.back()) <= static_cast<unsigned char>('.'))
        return message;
    return message + ".";
}

} // namespace purimo
