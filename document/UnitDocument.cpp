#include "document/UnitDocument.h"

#include "config/ConfigLayout.h"

namespace ostra {

namespace {

const TConfigRecord kNoFile{};

bool sameWallplates(const TConfigRecord& a, const TConfigRecord& b, int zone)
{
    for (int wallplate = 1; wallplate <= layout::kWallplateCount; ++wallplate)
        if (ZoneFeedsWallplate(a, zone, wallplate) != ZoneFeedsWallplate(b, zone, wallplate))
            return false;
    return true;
}

} // namespace

bool FieldChanged(const TConfigRecord& then, const TConfigRecord& now, const ConfigField& field)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return ReadFieldText(then, field) != ReadFieldText(now, field);
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        return ReadFieldBit(then, field) != ReadFieldBit(now, field);
    case FieldKind::Wallplates:
        return !sameWallplates(then, now, field.Index);
    case FieldKind::Version:
        return false;
    }
    return false;
}

TConfigRecord WithTextsPadded(const TConfigRecord& record)
{
    TConfigRecord padded = record;
    for (const ConfigField& field : ConfigFields())
        if (field.Kind == FieldKind::Text || field.Kind == FieldKind::InstallerLine)
            WriteFieldText(padded, field, ReadFieldText(record, field));
    return padded;
}

TConfigRecord WithFieldFrom(const TConfigRecord& record, const TConfigRecord& from, const ConfigField& field)
{
    TConfigRecord result = record;
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        WriteFieldText(result, field, ReadFieldText(from, field));
        break;
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        WriteFieldBit(result, field, ReadFieldBit(from, field));
        break;
    case FieldKind::Wallplates:
        for (int wallplate = 1; wallplate <= layout::kWallplateCount; ++wallplate)
            SetConfigBit(result, layout::wallplateByteOffset(field.Index, wallplate), layout::wallplateBit(wallplate),
                         ZoneFeedsWallplate(from, field.Index, wallplate));
        break;
    case FieldKind::Version:
        break;
    }
    return result;
}

const TConfigRecord& UnitDocument::Baseline() const
{
    if (state_.Cleared && clearedBlank_)
        return *clearedBlank_;
    return fileRecord_ ? *fileRecord_ : kNoFile;
}

std::vector<const ConfigField*> UnitDocument::changedBetween(const TConfigRecord& a, const TConfigRecord& b) const
{
    std::vector<const ConfigField*> changed;
    for (const ConfigField& field : ConfigFields())
        if (FieldChanged(a, b, field))
            changed.push_back(&field);
    return changed;
}

bool UnitDocument::Modified() const
{
    const TConfigRecord& baseline = Baseline();
    for (const ConfigField& field : ConfigFields())
        if (FieldChanged(baseline, Record(), field))
            return true;
    return false;
}

std::vector<const ConfigField*> UnitDocument::ChangedFields() const
{
    return changedBetween(Baseline(), Record());
}

void UnitDocument::Opened(const FileState& file, const TConfigRecord& shown)
{
    state_ = {shown, false};
    fileRecord_ = shown;
    clearedBlank_.reset();
    file_ = file;
    undo_.clear();
    redo_.clear();
    burstOpen_ = false;
}

// The file holds this unit now: the unit is no longer a cleared blank, in
// the state shown or in any the history leads back or forward to, since
// each of them is now measured against this file.
void UnitDocument::Saved(const FileState& file, const TConfigRecord& shown)
{
    state_ = {shown, false};
    fileRecord_ = shown;
    file_ = file;
    for (Step& step : undo_)
        step.Before.Cleared = step.After.Cleared = false;
    for (Step& step : redo_)
        step.Before.Cleared = step.After.Cleared = false;
    burstOpen_ = false;
}

void UnitDocument::Edit(const std::string& name, const TConfigRecord& after, const void* burst)
{
    const State next{after, state_.Cleared};
    if (next == state_)
        return;
    if (burst != nullptr && burstOpen_ && !undo_.empty() && undo_.back().Burst == burst && redo_.empty()) {
        undo_.back().After = next;
        state_ = next;
        return;
    }
    push({name, state_, next, burst});
    burstOpen_ = burst != nullptr;
}

void UnitDocument::Clear(const TConfigRecord& blank)
{
    clearedBlank_ = blank;
    push({"Clear", state_, {blank, true}, nullptr});
    burstOpen_ = false;
}

void UnitDocument::push(Step step)
{
    state_ = step.After;
    redo_.clear();
    undo_.push_back(std::move(step));
    if (undo_.size() > kHistoryLimit)
        undo_.pop_front();
}

std::vector<const ConfigField*> UnitDocument::Undo()
{
    return travel(undo_, redo_, &Step::Before);
}

std::vector<const ConfigField*> UnitDocument::Redo()
{
    return travel(redo_, undo_, &Step::After);
}

// The last step of `from` moves to `to`, leaving the unit in the step's
// state `arrive` (before it, or after it).
std::vector<const ConfigField*> UnitDocument::travel(std::deque<Step>& from, std::deque<Step>& to, State Step::*arrive)
{
    burstOpen_ = false;
    if (from.empty())
        return {};
    Step step = std::move(from.back());
    from.pop_back();
    state_ = step.*arrive;
    std::vector<const ConfigField*> changed = changedBetween(step.Before.Record, step.After.Record);
    to.push_back(std::move(step));
    return changed;
}

} // namespace ostra
