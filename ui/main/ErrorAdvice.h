#pragma once

#include <string>

#include <QString>

namespace ostra {

class Exception;

// What the editor was doing when a file operation failed.
enum class FileTask { Open, Save };

// The detail under an error box: the path concerned and one plain
// sentence on what to check, for the error that stopped task.
QString ErrorAdvice(const Exception& error, FileTask task, const std::string& path);

} // namespace ostra
