#include "cli/CommandSupport.h"

namespace ostra::cli {

namespace {

// The editor's reasons for a save it could not make, for every command
// that writes; each adds its own way out.
constexpr std::string_view kWriteProtectedReasons =
    "the card or the file is write-protected, or you may not write to its folder: ";

// The error's code alone is not enough: an unnamed error number shares it
// ("I/O error 5"), so the message must be the table's too.
bool isAccessDenied(const EInOutError& error)
{
    constexpr InOutErrorCode denied = InOutErrorCode::FileAccessDenied;
    return error.ErrorCode == static_cast<int>(denied) && error.Message == inOutErrorMessage(denied);
}

} // namespace

FileFailure writeProtected(const std::string& path, std::string_view remedy)
{
    std::string advice(kWriteProtectedReasons);
    advice += remedy;
    return FileFailure(path, EInOutError(InOutErrorCode::FileAccessDenied), std::move(advice));
}

FileFailure writeFailure(const std::string& path, const EInOutError& error, std::string_view remedy)
{
    return isAccessDenied(error) ? writeProtected(path, remedy) : FileFailure(path, error);
}

} // namespace ostra::cli
