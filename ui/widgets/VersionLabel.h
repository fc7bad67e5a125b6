#pragma once

#include <QString>

class QLabel;

namespace ostra {

enum class VersionLabelAnchor { Left, Right };

// Sets a label's caption and sizes the label to its text, keeping either
// its left edge or its right edge where it was.
void SetVersionCaption(QLabel& label, const QString& caption, VersionLabelAnchor anchor);

} // namespace ostra
