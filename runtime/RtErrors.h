// Typed run-time errors. Their what() is the run time's own text, which the error box shows
// as it stands; the one error guard (shell/vGlobal) catches them.
#pragma once

#include <stdexcept>
#include <string>

class ERunError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EZeroDivide : public ERunError {
  public:
    EZeroDivide() : ERunError("Floating point division by zero") {}
};

class EInvalidOp : public ERunError {
  public:
    EInvalidOp() : ERunError("Invalid floating point operation") {}
};

class EOverflow : public ERunError {
  public:
    EOverflow() : ERunError("Floating point overflow") {}
};

class EDivByZero : public ERunError {
  public:
    EDivByZero() : ERunError("Division by zero") {}
};

class EConvertError : public ERunError {
  public:
    using ERunError::ERunError;
};

// Input/output failure of the file layer; Code follows the run time's numbering
// (2 file not found, 3 path not found, 5 access denied, 38 read beyond end of file, ...).
class EInOutError : public ERunError {
  public:
    explicit EInOutError(int code);
    EInOutError(int code, const std::string& text) : ERunError(text), Code(code) {}
    int Code;

    static constexpr int FileNotFound = 2;
    static constexpr int PathNotFound = 3;
    static constexpr int AccessDenied = 5;
    static constexpr int ReadBeyondEnd = 38;
    static constexpr int DiskFull = 101;
    static constexpr int FileNameTooLong = 206;
};

// A write the user declined: the file that is there was kept and nothing was written. The error
// guard ends the action on it without a box, as a cancelled dialog ends it; it is no failure.
class EFileKept : public ERunError {
  public:
    explicit EFileKept(const std::string& path) : ERunError("Kept " + path), Path(path) {}
    std::string Path;
};
