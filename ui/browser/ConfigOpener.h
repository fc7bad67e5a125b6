#pragma once

#include <string>

class QWidget;

namespace ostra {

// How the card file browser opens files in the editor: the editor's two
// open commands, without the browser knowing the editor's window.
class ConfigOpener {
public:
    virtual ~ConfigOpener() = default;

    // Opens the card file at path (its exact bytes); when it was read,
    // plain Save writes to it from then on.
    virtual void OpenConfigFromCard(const std::string& path) = 0;
    // Advanced Load, its file dialog and any error box above dialogOwner.
    virtual void OpenConfigMap(QWidget* dialogOwner) = 0;
    // Before a card file replaces what the editor shows: asks, above owner,
    // whether to save unsaved edits; false when the user chose to stay.
    virtual bool SettleUnsavedEdits(QWidget* owner) = 0;
};

} // namespace ostra
