#include "ui/main/ErrorAdvice.h"

#include "platform/InOutError.h"
#include "ui/widgets/DisplayText.h"

namespace ostra {

namespace {

struct Advice {
    InOutErrorCode Code;
    const char* WhenOpening;
    const char* WhenSaving;
};

const Advice kAdvice[] = {
    {InOutErrorCode::FileNotFound, "The file is not there: it may have been moved, renamed or deleted, or the card taken out.",
     "The file's folder is not there: it may have been moved or deleted, or the card taken out."},
    {InOutErrorCode::InvalidFilename, "Check that the folder exists and that the name is a file's name.",
     "Check that the folder exists and that the name is a valid file name."},
    {InOutErrorCode::TooManyOpenFiles, "Too many files are open: close other programs and try again.",
     "Too many files are open: close other programs and try again."},
    {InOutErrorCode::FileAccessDenied,
     "You may not read this file: check its permissions.",
     "The card or the file is write-protected, or you may not write to its folder: Advanced Save can write "
     "the settings elsewhere, or unlock the card and save again."},
    {InOutErrorCode::ReadBeyondEndOfFile,
     "The file is shorter than a configuration file (2048 bytes): it is not one, or it is damaged.",
     "The file ended sooner than expected: check the card and try again."},
    {InOutErrorCode::DiskFull, "The card or disk is full.", "The card or disk is full: make room on it and save again."},
};

constexpr const char* kOtherFailure =
    "The system reported an error while using the file: check the card and its connection, then try again.";

const char* sentenceFor(const Exception& error, FileTask task)
{
    if (const auto* inOut = dynamic_cast<const EInOutError*>(&error))
        for (const Advice& row : kAdvice)
            if (static_cast<int>(row.Code) == inOut->ErrorCode && error.Message == inOutErrorMessage(row.Code))
                return task == FileTask::Open ? row.WhenOpening : row.WhenSaving;
    return kOtherFailure;
}

} // namespace

QString ErrorAdvice(const Exception& error, FileTask task, const std::string& path)
{
    return DisplayName(path) + QLatin1Char('\n') + QString::fromUtf8(sentenceFor(error, task));
}

} // namespace ostra
