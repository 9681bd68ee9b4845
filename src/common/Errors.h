#pragma once
// Errors that reach the application's error box. Messages are code page 932 bytes.
#include <stdexcept>
#include <string>

namespace purimo {

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

// A file operation failed; Code() is the system's or the file layer's error code.
class IoError : public AppError {
public:
    explicit IoError(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// The text shown for an I/O error code ("I/O エラー (%d)" for codes without a text of their own).
std::string IoErrorText(int code);

// The error box's text: the message with "." appended unless it already ends in "." or in a
// byte that sorts before it.
std::string ErrorBoxText(const std::string& message);

} // namespace purimo
