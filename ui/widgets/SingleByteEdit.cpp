#include "ui/widgets/SingleByteEdit.h"

#include <algorithm>
#include <optional>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QValidator>

#include "ui/widgets/CodePage.h"

namespace ostra {

namespace {

// Refuses any edit that would leave a character without a byte: the line
// edit then undoes the keystroke, paste or drop as a whole.
class CodePageValidator final : public QValidator {
public:
    CodePageValidator(const CodePage& codePage, QObject* parent)
        : QValidator(parent), codePage_(codePage)
    {
    }

    State validate(QString& input, int& /*position*/) const override
    {
        for (QChar character : input)
            if (!codePage_.CanEncode(character))
                return Invalid;
        return Acceptable;
    }

private:
    const CodePage& codePage_;
};

struct Insertion {
    QString Text;
    int Cursor;
    bool TookPadding;
};

qsizetype trailingSpaces(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text.at(text.size() - 1 - count) == QLatin1Char(' '))
        ++count;
    return count;
}

// The text after inserting input over [start, start + removed). When the
// input only fits by dropping trailing spaces, they go from the end:
//
//   "SAT " + "E" at 3 or 4, width 4  ->  "SATE"
//   "AB  " + "X" at 1, width 4       ->  "AXB "
//   "    " + "H" at 4, width 4       ->  "H   "
//
// The padding cannot be seen, so a cursor at the very end of the text
// stands at the end of what is seen: the input follows the last other
// character. Input that still does not fit is cut, as the line edit cuts
// a paste into a box with some room.
Insertion insertion(QString text, int start, int removed, const QString& input, int maxLength)
{
    text.remove(start, removed);
    qsizetype at = start;
    const qsizetype excess = text.size() + input.size() - maxLength;
    const qsizetype padding = trailingSpaces(text);
    const bool tookPadding = excess > 0 && padding > 0;
    if (tookPadding) {
        if (at == text.size())
            at -= padding;
        text.chop(std::min(padding, excess));
        at = std::min(at, text.size());
    }
    const QString fitting = input.left(std::max<qsizetype>(0, maxLength - text.size()));
    text.insert(at, fitting);
    return {text, static_cast<int>(at + fitting.size()), tookPadding};
}

// The keys that only move the cursor, on every platform's key bindings.
const QKeySequence::StandardKey kCursorMoves[] = {
    QKeySequence::MoveToStartOfLine,     QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
    QKeySequence::MoveToNextChar,        QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextWord,        QKeySequence::MoveToPreviousWord,
};

bool movesCursor(const QKeyEvent* event)
{
    return std::any_of(std::begin(kCursorMoves), std::end(kCursorMoves),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

bool isPrintable(const QString& input)
{
    return !input.isEmpty() && std::all_of(input.begin(), input.end(), [](QChar c) { return c.isPrint(); });
}

} // namespace

SingleByteEdit::SingleByteEdit(const CodePage& codePage, QWidget* parent)
    : QLineEdit(parent), codePage_(codePage)
{
    setValidator(new CodePageValidator(codePage_, this));
}

void SingleByteEdit::SetBytes(std::string_view bytes)
{
    setText(codePage_.Decode(bytes));
    // Show a text longer than the box from its start, not its end.
    setCursorPosition(0);
}

std::string SingleByteEdit::Bytes() const
{
    // The validator keeps every character encodable; text set from code is
    // decoded from bytes, so the fallback below is never taken in use.
    return codePage_.Encode(text()).value_or(std::string());
}

void SingleByteEdit::SetBlankMarker(unsigned char byte)
{
    blankMarker_ = codePage_.Decode(std::string(1, static_cast<char>(byte))).at(0);
}

bool SingleByteEdit::holdsOnlyBlankMarker() const
{
    const QString shown = text();
    return blankMarker_ && !shown.isEmpty() && shown.at(0) == *blankMarker_
           && trailingSpaces(shown) == shown.size() - 1;
}

int SingleByteEdit::visibleLength() const
{
    if (holdsOnlyBlankMarker())
        return 0;
    return static_cast<int>(text().size() - trailingSpaces(text()));
}

// Called after a click or a key that moves the cursor, not on every move:
// a space just typed at the end of the text is padding too, and the next
// character must follow it. A selection is left as made.
void SingleByteEdit::keepCursorOutOfPadding()
{
    if (!hasSelectedText() && cursorPosition() > visibleLength())
        setCursorPosition(visibleLength());
}

bool SingleByteEdit::insertIntoPadding(const QString& input)
{
    if (isReadOnly() || !isPrintable(input) || !codePage_.Encode(input))
        return false;
    // A blank marker is padding: the input takes its place, as it would a
    // space's, wherever in the blank box it goes.
    const bool dropsMarker = holdsOnlyBlankMarker();
    QString current = text();
    if (dropsMarker)
        current[0] = QLatin1Char(' ');
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const Insertion result =
        insertion(current, start, static_cast<int>(selectedText().size()), input, maxLength());
    if (!result.TookPadding && !dropsMarker)
        return false;
    // One replacement of the whole text: a single step to undo, and the
    // same textEdited signal as typing.
    selectAll();
    insert(result.Text);
    setCursorPosition(result.Cursor);
    return true;
}

void SingleByteEdit::pasteIntoPadding()
{
    if (!insertIntoPadding(QGuiApplication::clipboard()->text()))
        paste();
}

void SingleByteEdit::UseHistory(QAction* undo, QAction* redo)
{
    undo_ = undo;
    redo_ = redo;
}

bool SingleByteEdit::isHistoryKey(const QKeyEvent& key) const
{
    return undo_ != nullptr &&
           (key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
            QKeySequence(key.keyCombination()) == QKeySequence(Qt::CTRL | Qt::Key_Y));
}

// The line edit claims its undo keys before shortcuts are looked for; left
// unclaimed, they reach the window's Undo and Redo.
bool SingleByteEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isHistoryKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void SingleByteEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void SingleByteEdit::keyPressEvent(QKeyEvent* event)
{
    if (isHistoryKey(*event)) {
        event->ignore();
        return;
    }
    const bool typed = !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (event->matches(QKeySequence::Paste)) {
        pasteIntoPadding();
        event->accept();
        return;
    }
    if (typed && insertIntoPadding(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (movesCursor(event))
        keepCursorOutOfPadding();
}

// A click has put the cursor where it landed. A middle click pastes the
// window system's selection there, as the line edit does, with the
// padding counting as room.
void SingleByteEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        deselect();
        keepCursorOutOfPadding();
        if (insertIntoPadding(clipboard->text(QClipboard::Selection))) {
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        keepCursorOutOfPadding();
}

void SingleByteEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* pasteAction = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(pasteAction, &QAction::triggered, nullptr, nullptr);
        connect(pasteAction, &QAction::triggered, this, &SingleByteEdit::pasteIntoPadding);
    }
    const std::pair<const char*, QAction*> history[] = {{"edit-undo", undo_}, {"edit-redo", redo_}};
    for (const auto& [name, own] : history) {
        QAction* boxes = menu->findChild<QAction*>(QString::fromLatin1(name));
        if (boxes == nullptr || own == nullptr)
            continue;
        menu->insertAction(boxes, own);
        menu->removeAction(boxes);
    }
    menu->popup(event->globalPos());
}

} // namespace ostra
