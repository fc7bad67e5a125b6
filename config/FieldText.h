#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "config/FieldValue.h"

namespace ostra {

// A value's text, in UTF-8: as the window shows it and as ostra-cfg set
// takes it. The window's review of changes and its Zone Overview,
// ostra-cfg show, diff, export and set, and the report with its CSV all
// take a value's text from here, so no two of them can tell one value
// differently.

// A value that a field cannot take. The message says what is wrong; the
// caller knows the place (a document path or a command-line argument).
// SubPlace, when set, narrows the place inside the value (a document path
// such as "/2" for the third item of a list).
class FieldValueError : public std::runtime_error {
public:
    explicit FieldValueError(const std::string& reason, std::string subPlace = {})
        : std::runtime_error(reason), SubPlace(std::move(subPlace))
    {
    }

    std::string SubPlace;
};

// How long a text may be: the field's width, or any length when the caller
// allows texts to be cut to it.
enum class OverlongText { Refuse, Truncate };

// As the window shows it: a text decoded through its field's character set
// up to its first NUL, without the spaces that pad it to its width (a
// leading space stays); "on" or "off" for a flag; the screen mode's name
// (kResidentialMode, kProfessionalMode); a zone's wallplates by their
// captions in the zone editor's list, "A1 - 01, B2 - 08" (empty for none);
// a version as VersionAsShown gives it. Control characters stay as they
// are: a terminal and a printed page each make them safe in their own way.
std::string ValueAsShown(const ConfigField& field, const FieldValue& value);
std::string ValueAsShown(const TConfigRecord& record, const ConfigField& field);

// As ostra-cfg set takes it, so that the text given back to set stores the
// same value: a text as shown (set pads it again), "on" or "off",
// "residential" or "professional", wallplates by name, "A1,B2,F6" (empty
// for none). A version, which set never takes, reads as shown.
std::string ValueAsSet(const ConfigField& field, const FieldValue& value);
std::string ValueAsSet(const TConfigRecord& record, const ConfigField& field);

// set's VALUE for the field: a text as it is, "on" or "off" ("true" and
// "false" too) for a flag, "residential" or "professional", wallplate names
// separated by commas (spaces around a name allowed, empty for none).
// Raises FieldValueError with the reason; a version is refused.
FieldValue ValueFromSet(const ConfigField& field, std::string_view text, OverlongText overlong);

// The field's bytes for a text given in UTF-8, no longer than the field
// unless it may be cut. Raises FieldValueError for a text that is not
// UTF-8, a character without a byte in the field's character set, or a
// text too long.
std::string FieldBytesOf(const ConfigField& field, std::string_view utf8, OverlongText overlong);

// The wallplate a name stands for, "A1" to "F6" in either case. Raises
// FieldValueError, narrowed to subPlace, for any other name.
int WallplateOfName(std::string_view name, const std::string& subPlace = {});

// A zone's heading where zones are columns (the Zone Overview, the
// report's grid and summary): its number and its full name as shown,
// "3 Kitchen", or the number alone, "3", for a zone without a name. zone
// counts from 1.
std::string ZoneHeadingAsShown(const TConfigRecord& record, int zone);

} // namespace ostra
