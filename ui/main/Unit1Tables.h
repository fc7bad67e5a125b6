#pragma once

// The main window's controls as data: where each one sits, what it says,
// which record field it shows. Creation, fill and gather all loop over
// these tables, so a control is described in one place.

#include <QRect>

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "ui/main/Unit1.h"

namespace ostra::unit1 {

// A control member together with its name, written once by CONTROL(name).
template <typename Control> struct Named {
    Control* TForm1::*Member;
    const char* Name;
};
#define CONTROL(name) {&TForm1::name, #name}

using NamedEdit = Named<SingleByteEdit>;
using NamedLabel = Named<QLabel>;

// Each frame outlines a group of controls; screen readers name the group
// after what it frames.
struct FrameSpec {
    Named<QFrame> Frame;
    QRect Rect;
    const char* GroupName;
};

inline constexpr FrameSpec kFrames[] = {
    {CONTROL(Bevel5), {4, 5, 281, 69}, "Unit description"},
    {CONTROL(Bevel6), {288, 5, 297, 69}, "Options"},
    {CONTROL(Bevel7), {292, 24, 169, 25}, "Normal screen mode"},
    {CONTROL(Bevel3), {4, 77, 281, 205}, "Custom source names"},
    {CONTROL(Bevel4), {288, 77, 297, 205}, "Custom zone names"},
    {CONTROL(Bevel1), {4, 285, 281, 153}, "Installer information"},
    {CONTROL(Bevel2), {288, 285, 233, 153}, "Remote zones and their wallplates"},
    {CONTROL(Bevel8), {524, 285, 61, 153}, "Main output"},
};

struct HeadingSpec {
    NamedLabel Label;
    const char* Caption;
    QRect Rect;
};

inline constexpr HeadingSpec kHeadings[] = {
    {CONTROL(Label1), "Description:", {8, 8, 69, 13}},
    {CONTROL(Label26), "Options", {296, 8, 44, 13}},
    {CONTROL(Label13), "Enter Custom Source Names", {10, 85, 162, 13}},
    {CONTROL(Label3), "#", {10, 109, 9, 13}},
    {CONTROL(Label4), kShortName.Label, {40, 109, 67, 13}},
    {CONTROL(Label12), kFullName.Label, {160, 109, 57, 13}},
    {CONTROL(Label25), "Enter Custom Zone Names", {296, 85, 151, 13}},
    {CONTROL(Label17), "#", {296, 109, 9, 13}},
    {CONTROL(Label18), kShortName.Label, {328, 109, 67, 13}},
    {CONTROL(Label24), kFullName.Label, {459, 109, 57, 13}},
    {CONTROL(Label11), "Enter Installer Information", {10, 293, 147, 13}},
    {CONTROL(Label5), "Remote Zones", {296, 293, 83, 13}},
    {CONTROL(Label15), kZoneWallplates.Label, {429, 293, 60, 13}},
    {CONTROL(Label14), kZoneMainOutput.Label, {532, 293, 28, 13}},
};

// A check box that shows a record field (see kFieldControls) has no
// caption here: it takes its field's label.
struct CheckBoxSpec {
    Named<QCheckBox> Box;
    const char* Caption;
    QRect Rect;
    int TabOrder;
};

inline constexpr CheckBoxSpec kCheckBoxes[] = {
    {CONTROL(CheckBox1), nullptr, {469, 28, 108, 17}, 19},
    {CONTROL(CheckBox2), nullptr, {296, 52, 116, 17}, 20},
    {CONTROL(CheckBox3), nullptr, {415, 52, 97, 17}, 21},
    {CONTROL(CheckBox4), nullptr, {516, 52, 64, 17}, 42},
    {CONTROL(CheckBox5), "Enable Advanced Save / Load Functionality", {232, 445, 241, 17}, 43},
};

struct ButtonSpec {
    Named<QPushButton> Button;
    const char* Caption;
    QRect Rect;
    int TabOrder;
    void (TForm1::*Click)();
};

inline constexpr ButtonSpec kButtons[] = {
    {CONTROL(Button4), "Clear", {233, 467, 84, 33}, 37, &TForm1::Button4Click},
    {CONTROL(Button2), "Load", {321, 467, 84, 33}, 38, &TForm1::Button2Click},
    {CONTROL(Button1), "Save", {409, 467, 84, 33}, 39, &TForm1::Button1Click},
    {CONTROL(Button3), "Help", {497, 467, 84, 33}, 40, &TForm1::Button3Click},
};

// The source and zone name panels: six rows of a number label, a short
// name and a full name each, laid out in columns. Row i shows the names of
// member i + 1 of the panel's group.
struct NameRow {
    NamedLabel Number;
    NamedEdit ShortName;
    NamedEdit FullName;
};

struct NamePanel {
    const FieldGroup* Group;
    NameRow Rows[6];
    int NumberLeft;
    int ShortLeft;
    int FullLeft;
    int FirstTabOrder;
    const char* RowNoun; // "Source 3 short name" for screen readers
};

inline constexpr NamePanel kSourcePanel = {
    &kSourceGroup,
    {{CONTROL(Label2), CONTROL(Edit2), CONTROL(Edit3)},
     {CONTROL(Label6), CONTROL(Edit4), CONTROL(Edit5)},
     {CONTROL(Label7), CONTROL(Edit6), CONTROL(Edit7)},
     {CONTROL(Label8), CONTROL(Edit8), CONTROL(Edit9)},
     {CONTROL(Label9), CONTROL(Edit10), CONTROL(Edit11)},
     {CONTROL(Label10), CONTROL(Edit12), CONTROL(Edit13)}},
    10, 40, 160, 1, "Source",
};

inline constexpr NamePanel kZonePanel = {
    &kZoneGroup,
    {{CONTROL(Label16), CONTROL(Edit18), CONTROL(Edit19)},
     {CONTROL(Label19), CONTROL(Edit20), CONTROL(Edit21)},
     {CONTROL(Label20), CONTROL(Edit22), CONTROL(Edit23)},
     {CONTROL(Label21), CONTROL(Edit24), CONTROL(Edit25)},
     {CONTROL(Label22), CONTROL(Edit26), CONTROL(Edit27)},
     {CONTROL(Label23), CONTROL(Edit28), CONTROL(Edit29)}},
    296, 328, 459, 22, "Zone",
};

inline constexpr int kNameRowTop = 129;
inline constexpr int kNameRowStep = 24;
inline constexpr int kShortNameEditWidth = 57;
inline constexpr int kFullNameEditWidth = 113;
inline constexpr int kEditHeight = 21;

static_assert(layout::kSourceCount == 6 && layout::kZoneCount == 6);

// The installer lines, top to bottom.
inline constexpr NamedEdit kInstallerLines[layout::kInstallerLineCount] = {
    CONTROL(Edit14), CONTROL(Edit15), CONTROL(Edit16), CONTROL(Edit17)};

// The record fields that show in a control of their own, by the fields'
// keys; the name panels and the installer lines above bind their rows to
// their groups' fields, and CheckListBox2 shows the zones' main outputs.
struct FieldControl {
    const char* Field;
    const char* Control;
};

inline constexpr FieldControl kFieldControls[] = {
    {"description", "Edit1"},
    {"mode", "RadioButton2"}, // the button that means Professional
    {"options.disable_autoselect", "CheckBox1"},
    {"options.disable_front_panel", "CheckBox2"},
    {"options.disable_front_ir", "CheckBox3"},
    {"options.blanking", "CheckBox4"},
    {"hardware_version", "Label27"},
    {"software_version", "Label28"},
};
inline constexpr const char* kMainOutputControl = "CheckListBox2";

inline constexpr int kListItemHeight = 16;

#undef CONTROL

} // namespace ostra::unit1
