#include "runtime/RtErrors.h"

namespace {
std::string InOutText(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Path not found";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 38:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    case 206:
        return "File name too long";
    default:
        return "I/O error " + std::to_string(code);
    }
}
} // namespace

EInOutError::EInOutError(int code) : ERunError(InOutText(code)), Code(code) {}
