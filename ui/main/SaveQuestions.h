#pragma once

#include <string>

#include <QString>

class QWidget;

namespace ostra {

class FileApi;
class MessageBoxes;

// The questions a save asks before it writes anything, in this order after
// the question about unsaved edits: whether to shorten a file longer than
// a record, then whether to replace an existing file (saves to a file the
// user chose). Each asks above owner only when it applies and answers
// whether to go on; stopping at any of them stops the whole save.
bool ConfirmShortening(MessageBoxes& boxes, FileApi& files, QWidget* owner, const std::string& path);
bool ConfirmReplacing(MessageBoxes& boxes, FileApi& files, QWidget* owner, const std::string& path,
                      const QString& dialogTitle);

} // namespace ostra
