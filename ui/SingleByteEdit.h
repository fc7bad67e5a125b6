#pragma once

#include <string>
#include <string_view>

#include <QLineEdit>

namespace ostra {

class CodePage;

// A one-line edit box over a fixed-width text field of the record. Each
// character is one byte of the box's code page; a character typed, pasted
// or dropped that has no byte there is refused, never replaced.
class SingleByteEdit : public QLineEdit {
    Q_OBJECT
public:
    SingleByteEdit(const CodePage& codePage, QWidget* parent);

    void SetBytes(std::string_view bytes);
    std::string Bytes() const;
    const CodePage& Page() const { return codePage_; }

private:
    const CodePage& codePage_;
};

} // namespace ostra
