#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigFields.h"
#include "config/ConfigRecord.h"
#include "document/FileState.h"

namespace ostra {

// The unit being edited, without any window: its 2048 bytes as they stand
// now (every setting, main outputs included, as a save would gather them),
// the bytes of the file it came from, that file's path and identity,
// whether and where it differs from the file, and its history.
//
// After Clear the unit is a blank that no file holds yet: it is measured
// against the blank it was cleared to, and names no file, until the next
// open or save. Opening starts a new history; saving keeps it, so that
// after Undo past a save the unit differs from the file again.
//
// The history holds whole records (2 KB each), the state before and after
// each step, and compares them byte for byte. It keeps the last
// kHistoryLimit steps.
class UnitDocument {
public:
    static constexpr std::size_t kHistoryLimit = 1000;

    // The unit now.
    const TConfigRecord& Record() const { return state_.Record; }
    // What the unit is measured against: the file as last opened or saved,
    // or, after Clear, the blank it was cleared to.
    const TConfigRecord& Baseline() const;
    // The bytes of the file as last opened or saved (nothing before).
    const std::optional<TConfigRecord>& FileRecord() const { return fileRecord_; }
    // The file last opened or saved, as it was then: its path (which the
    // title names and a plain save writes to; empty when there is none),
    // content, identity and time.
    const FileState& File() const { return file_; }
    const std::string& FilePath() const { return file_.Path; }
    // Whether the unit shown is the file's unit (false since Clear, until
    // the next open or save): only then does a print name the file.
    bool ShowsFile() const { return !file_.Path.empty() && !Cleared(); }
    // The file could be read but not written, until a save succeeds.
    bool ReadOnly() const { return file_.ReadOnly; }
    // What Clear last put in the window, as gathered; a save keeps the
    // blank marker only while the unit is exactly that.
    const std::optional<TConfigRecord>& ClearedBlank() const { return clearedBlank_; }

    // Whether any setting differs from the baseline; the versions, which
    // a save stamps and no one edits, do not count.
    bool Modified() const;
    // Since Clear, until the next open or save.
    bool Cleared() const { return state_.Cleared; }
    // The fields whose values differ from the baseline, in field order.
    std::vector<const ConfigField*> ChangedFields() const;

    // A file was opened: its unit as the window shows it, a new history.
    void Opened(const FileState& file, const TConfigRecord& shown);
    // The unit shown was saved to file: the file holds it now.
    void Saved(const FileState& file, const TConfigRecord& shown);

    // One step of editing, named for menus ("Typing in Description"),
    // leaving the unit as after. Steps with the same burst key, one after
    // another, are one step (a burst of typing in one box) until
    // EndBurst; a step that changes nothing is none.
    void Edit(const std::string& name, const TConfigRecord& after, const void* burst = nullptr);
    void EndBurst() { burstOpen_ = false; }
    // Clear as one step: the unit becomes blank, measured against blank.
    void Clear(const TConfigRecord& blank);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The name of the step Undo or Redo would take back or do again.
    std::string UndoName() const { return CanUndo() ? undo_.back().Name : std::string(); }
    std::string RedoName() const { return CanRedo() ? redo_.back().Name : std::string(); }
    // Takes back the last step, or does the last undone one again;
    // answers the fields that step changed (none when there was none).
    std::vector<const ConfigField*> Undo();
    std::vector<const ConfigField*> Redo();
    std::size_t UndoDepth() const { return undo_.size(); }

private:
    struct State {
        TConfigRecord Record{};
        bool Cleared = false;
        friend bool operator==(const State&, const State&) = default;
    };
    struct Step {
        std::string Name;
        State Before;
        State After;
        const void* Burst = nullptr;
    };

    void push(Step step);
    std::vector<const ConfigField*> travel(std::deque<Step>& from, std::deque<Step>& to, State Step::*arrive);
    std::vector<const ConfigField*> changedBetween(const TConfigRecord& a, const TConfigRecord& b) const;

    State state_;
    std::optional<TConfigRecord> fileRecord_;
    std::optional<TConfigRecord> clearedBlank_;
    FileState file_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    bool burstOpen_ = false;
};

// Whether field holds another value in now than in then. Versions, which
// no one edits, never count as changed.
bool FieldChanged(const TConfigRecord& then, const TConfigRecord& now, const ConfigField& field);

// record with every text padded with spaces to its field's width, as the
// window gathers it: a file's record compared with the window's unit then
// differs only where a value does (a text ended by a NUL reads the same).
TConfigRecord WithTextsPadded(const TConfigRecord& record);

// record with field's value taken from `from`, every other byte as it was:
// what Revert makes of the unit.
TConfigRecord WithFieldFrom(const TConfigRecord& record, const TConfigRecord& from, const ConfigField& field);

} // namespace ostra
