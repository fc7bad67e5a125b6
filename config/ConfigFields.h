#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ByteCharacterSet.h"
#include "config/ConfigLayout.h"
#include "config/ConfigRecord.h"

namespace ostra {

// What a field holds and how it is stored.
enum class FieldKind {
    Text,          // a fixed-width text; Offset, Width, Page
    InstallerLine, // line Index of the installer information, read as one text
    Flag,          // one bit of the option byte or the main-output byte; Offset, Bit in Width
    ScreenMode,    // the Professional bit: "residential" or "professional"
    Wallplates,    // the 36 wallplate bits of zone Index
    Version,       // a two-part version text at Offset, parts Width wide; never set by hand
};

// The character set a text field is kept in: the description in the
// panel's code page 437, every other text in Windows-1252.
enum class CodePageId { Cp437, Cp1252 };

const ByteCharacterSet& CharacterSetOf(CodePageId page);

// One field of the record under every name it goes by. The editor's
// controls take their character set, length and caption from this one
// table, and ostra-cfg builds its keys, documents and listings from it, so
// a field is named, placed and limited in one place.
struct ConfigField {
    FieldKind Kind;
    std::string Key;     // the name ostra-cfg set takes: "zone.3.full"
    std::string Pointer; // its place in an exported document: "/zones/3/full"
    std::string Label;   // what show and the window call it: "Zone 3 Full Name"
    int Offset = 0;
    int Width = 0; // the longest text, or the bit of a flag
    int Index = 0; // source, zone or installer line, counted from 1
    CodePageId Page = CodePageId::Cp1252;
    bool Settable = true;
};

// Every field in the order show and export list them.
const std::vector<ConfigField>& ConfigFields();

// The field whose name of the given kind (&ConfigField::Key or ::Pointer)
// is name, or null.
const ConfigField* FindConfigField(std::string ConfigField::*kind, std::string_view name);

// A numbered group of fields: how keys and pointers name it, what one of
// it is called, and how many there are (numbered from 1).
struct FieldGroup {
    const char* KeyName;      // "zone"
    const char* DocumentName; // "zones"
    const char* Noun;         // "zone"
    int Count;
};

inline constexpr FieldGroup kSourceGroup = {"source", "sources", "source", layout::kSourceCount};
inline constexpr FieldGroup kZoneGroup = {"zone", "zones", "zone", layout::kZoneCount};
inline constexpr FieldGroup kInstallerGroup = {"installer", "installer", "installer line",
                                               layout::kInstallerLineCount};

std::span<const FieldGroup> FieldGroups();

// A field of each member of a group: how its key ends and what it is
// called after the member's number ("Zone 3" and "Full Name").
struct GroupMember {
    const char* KeyName;
    const char* Label;
};

// The two names of each source and zone, and a zone's other two fields.
inline constexpr GroupMember kShortName = {"short", "Short Name"};
inline constexpr GroupMember kFullName = {"full", "Full Name"};
inline constexpr GroupMember kZoneWallplates = {"wallplates", "Wallplates"};
inline constexpr GroupMember kZoneMainOutput = {"main", "Main"};

// The key of member `index` of a group: "zone.3.full" for member kFullName,
// "installer.2" without one.
std::string GroupFieldKey(const FieldGroup& group, int index, const GroupMember* member = nullptr);
// The field of member `index` of a group; the group and member must be the
// table's own, and index within the group's count.
const ConfigField& GroupField(const FieldGroup& group, int index, const GroupMember* member = nullptr);

// What the screen mode's two values are called where the window and show
// name them.
inline constexpr const char* kResidentialMode = "Residential";
inline constexpr const char* kProfessionalMode = "Professional";

// A text field's bytes as the editor fills its box: up to the first NUL,
// across the installer lines for a line of the installer information.
std::string ReadFieldText(const TConfigRecord& record, const ConfigField& field);
// Padded with spaces or cut to the field's width, as the editor gathers.
void WriteFieldText(TConfigRecord& record, const ConfigField& field, std::string_view bytes);

// A version as the window's label shows it after the field's label
// ("Hardware Version: 1.08"), in UTF-8: its parts as stored, joined by a
// full stop (ConfigVersionText). The window shows the bytes as they are,
// so a version never written reads "." and the software version a save
// stamps " 1.01". Every view of a version (the window, show, diff, the
// report) takes its text from here.
std::string VersionAsShown(const TConfigRecord& record, const ConfigField& field);
// The same for a version's two parts, given as bytes.
std::string VersionAsShown(const ConfigField& field, std::string_view major, std::string_view minor);

// A wallplate's name, "A1" to "F6" (six plates a letter), and its caption
// in the window's and ostra-cfg's lists, "A1 - 01"; wallplate counts from 1.
std::string WallplateName(int wallplate);
std::string WallplateCaption(int wallplate);
// The wallplate a name gives, either case of letter; nothing for another name.
std::optional<int> WallplateFromName(std::string_view name);

// Whether zone `zone` feeds wallplate `wallplate` (both counted from 1).
bool ZoneFeedsWallplate(const TConfigRecord& record, int zone, int wallplate);

// The bit of a flag or the screen mode (true: Professional).
bool ReadFieldBit(const TConfigRecord& record, const ConfigField& field);
void WriteFieldBit(TConfigRecord& record, const ConfigField& field, bool value);

} // namespace ostra
