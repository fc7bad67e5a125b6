#pragma once

#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace ostra {

// The codes a failed file operation reports. 2 to 5 keep the numbers the
// device's tools have always shown; 100, 101 and 106 are the editor's own.
enum class InOutErrorCode : int {
    FileNotFound = 2,
    InvalidFilename = 3,
    TooManyOpenFiles = 4,
    FileAccessDenied = 5,
    ReadBeyondEndOfFile = 100,
    DiskFull = 101,
    InvalidNumericInput = 106,
};

std::string_view inOutErrorMessage(InOutErrorCode code);

// A failed file operation: the message is what the user sees, ErrorCode the
// number behind it.
class EInOutError : public Exception {
public:
    explicit EInOutError(InOutErrorCode code);
    ~EInOutError() override;

    // "I/O error N" for an error number the table does not name. N may equal
    // a table code (EIO is 5), so the message never comes from the table.
    static EInOutError platformError(int errorNumber);

    int ErrorCode;

private:
    EInOutError(int errorCode, std::string message);
};

// The error to raise for a request that failed with errorNumber. ENOENT
// alone cannot tell a missing file from a missing folder: folderExists says
// whether the folder the path names exists.
EInOutError inOutErrorFromErrno(int errorNumber, bool folderExists = true);

} // namespace ostra
