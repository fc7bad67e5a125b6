#include "platform/InOutError.h"

#include <cerrno>
#include <utility>

namespace ostra {

std::string_view inOutErrorMessage(InOutErrorCode code)
{
    switch (code) {
    case InOutErrorCode::FileNotFound: return "File not found";
    case InOutErrorCode::InvalidFilename: return "Invalid filename";
    case InOutErrorCode::TooManyOpenFiles: return "Too many open files";
    case InOutErrorCode::FileAccessDenied: return "File access denied";
    case InOutErrorCode::ReadBeyondEndOfFile: return "Read beyond end of file";
    case InOutErrorCode::DiskFull: return "Disk full";
    case InOutErrorCode::InvalidNumericInput: return "Invalid numeric input";
    }
    return {};
}

EInOutError::EInOutError(InOutErrorCode code)
    : EInOutError(static_cast<int>(code), std::string(inOutErrorMessage(code)))
{
}

EInOutError::EInOutError(int errorCode, std::string message)
    : Exception(std::move(message)), ErrorCode(errorCode)
{
}

EInOutError::~EInOutError() = default;

EInOutError EInOutError::platformError(int errorNumber)
{
    return EInOutError(errorNumber, "I/O error " + std::to_string(errorNumber));
}

EInOutError inOutErrorFromErrno(int errorNumber, bool folderExists)
{
    switch (errorNumber) {
    case ENOENT:
        return EInOutError(folderExists ? InOutErrorCode::FileNotFound : InOutErrorCode::InvalidFilename);
    case ENOTDIR:
        return EInOutError(InOutErrorCode::InvalidFilename);
    case EMFILE:
    case ENFILE:
        return EInOutError(InOutErrorCode::TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: // a folder opened as a file
        return EInOutError(InOutErrorCode::FileAccessDenied);
    case ENOSPC:
    case EDQUOT:
        return EInOutError(InOutErrorCode::DiskFull);
    default:
        return EInOutError::platformError(errorNumber);
    }
}

} // namespace ostra
