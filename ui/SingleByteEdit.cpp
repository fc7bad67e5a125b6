#include "ui/SingleByteEdit.h"

#include <QValidator>

#include "ui/CodePage.h"

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

} // namespace ostra
