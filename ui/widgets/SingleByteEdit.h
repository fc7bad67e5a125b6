#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QLineEdit>

#include "ui/widgets/CodePage.h"

namespace ostra {

// A one-line edit box over a fixed-width text field of the record. Each
// character is one byte of the box's code page; a character typed, pasted
// or dropped that has no byte there is refused, never replaced.
//
// The record pads its texts with spaces to the field's width, so a box
// filled from a file is usually full. Trailing spaces therefore count as
// room: text typed or pasted into a full box takes the place of as many
// of them as it needs, instead of being refused. A box full of other
// characters refuses as any full box does.
//
// The padding cannot be seen, so a click, Home, End or an arrow key that
// would leave the cursor in it puts the cursor right after the last
// character seen: typing lands where the text is.
class SingleByteEdit : public QLineEdit {
    Q_OBJECT
public:
    SingleByteEdit(const CodePage& codePage, QWidget* parent);

    void SetBytes(std::string_view bytes);
    std::string Bytes() const;
    const CodePage& Page() const { return codePage_; }

    // A byte that, standing first before nothing but spaces, marks the
    // field as blank. It draws as a blank and counts as padding: the
    // first text typed or pasted takes its place.
    void SetBlankMarker(unsigned char byte);

    // Undo and Redo are the window's, not the box's own: their keys reach
    // the window, and its actions stand in the box's context menu.
    void UseHistory(QAction* undo, QAction* redo);

protected:
    bool event(QEvent* event) override;
    // Files dragged over the box are the window's to open, not text to
    // insert: the box lets them pass.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Inserts input at the cursor (over the selection) in the room that
    // the padding gives; false, having changed nothing, when the box needs
    // no such room or has none, so the line edit handles it as usual.
    bool insertIntoPadding(const QString& input);
    void pasteIntoPadding();

    bool holdsOnlyBlankMarker() const;
    // The length of the text without its padding.
    int visibleLength() const;
    void keepCursorOutOfPadding();

    bool isHistoryKey(const QKeyEvent& key) const;

    const CodePage codePage_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::optional<QChar> blankMarker_;
};

} // namespace ostra
