#pragma once

#include <QString>

#include "report/UnitReport.h"

namespace ostra {

// The windows the editor opens beside its own: their titles, which also
// name the commands that open them, and the keys of those commands; and
// the print, whose preview is such a window too.
inline constexpr const char* kZoneOverviewTitle = report::kOverviewTitle;
inline constexpr const char* kZoneOverviewKeys = "Ctrl+G";
inline constexpr const char* kReviewChangesTitle = "Review Changes";
inline constexpr const char* kReviewChangesKeys = "Ctrl+D";
inline constexpr const char* kPrintCommand = "Print...";
inline constexpr const char* kPrintKeys = "Ctrl+P";
inline constexpr const char* kPrintPreviewTitle = "Print Preview";

// The keys of the main window's commands that the windows beside it
// answer too (ui/EditorKeys.h).
inline constexpr const char* kOpenKeys = "Ctrl+O";
inline constexpr const char* kSaveKeys = "Ctrl+S";
inline constexpr const char* kHelpKeys = "F1";

// Undo and Redo, named in menus with their step, and their keys: the
// desktop's standard ones, Ctrl+Y for Redo as well.
inline constexpr const char* kUndoCommand = "Undo";
inline constexpr const char* kRedoCommand = "Redo";
inline constexpr const char* kUndoKeys = "Ctrl+Z";
inline constexpr const char* kRedoKeys = "Ctrl+Shift+Z";
inline constexpr const char* kOtherRedoKeys = "Ctrl+Y";

// A menu entry with its keys after a tab, where menus show keys: the
// window's own shortcut runs the command, so the entry binds none.
inline QString MenuEntryText(const char* command, const char* keys)
{
    return QString::fromLatin1(command) + QLatin1Char('\t') + QString::fromLatin1(keys);
}

} // namespace ostra
