// One save recorded for the crash-state explorer, and the next save on the
// states a crash may have left. For the recording the host runs the machine
// with its card behind QEMU's blklogwrites driver, and the save's block
// requests are those between the "begin" and "end" marks. The sync after
// the save brings in what the kernel would write back later on its own.
//
// The host lays out a FAT card with mtools; an exFAT card, which it cannot
// write, is laid out here before the begin mark (ostra.prepare=MODE on the
// kernel command line), and the explorer lays those writes on the card it
// started from.
#include <sys/statvfs.h>
#include <unistd.h>

#include <vector>

#include "Generation.h"
#include "GuestMachine.h"
#include "Scenarios.h"

namespace ostra::cardtest {

namespace {

void putFile(ScenarioContext& context, const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    context.report.check(writeWholeFile(file, bytes), "laid out " + file.string());
}

// The card before the save, as the host lays out a FAT card:
//   rewrite            A.CFG holding generation 0
//   rewrite-full-root  the same, its entry set ending the folder's first
//                      sector (the label, bitmap and upcase entries, then
//                      sets of 3, 3 and 4 entries before A.CFG's 3), so
//                      that the temporary's set falls in the next sector
//   rewrite-straddle   the same with sets of 3, 3 and 3 entries before
//                      A.CFG's, so that the temporary's set of 4 begins in
//                      the first sector's last slot
//   new-file           the empty folder NEW
void prepareCard(ScenarioContext& context, const std::string& mode)
{
    if (mode == "rewrite-full-root") {
        for (const char* filler : {"F0001.DAT", "F0002.DAT", "F0003-LONG-NAME.DAT"})
            putFile(context, context.card / filler, {});
    }
    if (mode == "rewrite-straddle") {
        for (const char* filler : {"F0001.DAT", "F0002.DAT", "F0003.DAT"})
            putFile(context, context.card / filler, {});
    }
    if (mode == "new-file")
        context.report.check(std::filesystem::create_directory(context.card / "NEW"), "laid out NEW");
    else
        putFile(context, context.card / "A.CFG", generationRecord(0));
}

void recordSave(ScenarioContext& context, const std::filesystem::path& file)
{
    if (const auto mode = kernelParameter("ostra.prepare"))
        prepareCard(context, *mode);
    ::sync();
    writeCardMark("ostra-mark begin");
    const bool saved = saveGeneration(context, file, 1);
    ::sync();
    writeCardMark("ostra-mark end");
    if (saved)
        checkGeneration(context, file, 1);
}

} // namespace

// The card holds A.CFG with generation 0: a save over an existing file.
void recordRewrite(ScenarioContext& context)
{
    recordSave(context, context.card / "A.CFG");
}

// The card holds the empty folder NEW: a save that creates its file.
void recordNewFile(ScenarioContext& context)
{
    recordSave(context, context.card / "NEW" / newFileName(1));
}

} // namespace ostra::cardtest

namespace ostra::cardtest {

namespace {

// The disks after the first, each a card a crash left in one state.
std::vector<std::string> stateDisks()
{
    std::vector<std::string> disks;
    for (char letter = 'b'; letter <= 'z'; ++letter) {
        const std::string device = std::string("/dev/vd") + letter;
        if (std::filesystem::exists(device))
            disks.push_back(device);
    }
    return disks;
}

// What the recorded save was: generation 0 replaced by 1, or a new file
// holding 1, which a crash may have left out.
struct RecordedSave {
    std::filesystem::path relative;
    std::uint32_t before;
    bool mayBeAbsent;
};

// The file a crash left, read through the kernel: the old or the new
// generation, or, for a new file, nothing.
void checkReadsOldOrNew(ScenarioContext& context, const std::string& device, const std::filesystem::path& file,
                        const RecordedSave& save)
{
    const std::string what = device + ": the kernel reads " + file.string();
    if (!std::filesystem::exists(file)) {
        context.report.check(save.mayBeAbsent, what + ": absent");
        return;
    }
    const auto bytes = readWholeFile(file);
    const ContentVerdict verdict = bytes ? judgeContent(*bytes, save.before, 1) : ContentVerdict::Neither;
    context.report.check(verdict == ContentVerdict::Old || verdict == ContentVerdict::New,
                         what + " as the old or the new generation");
}

// The next save on one crash state: the file must read as the old or the
// new generation, and the save must succeed, leave the new generation and
// no temporary file, and keep the card writable.
void nextSaveOn(ScenarioContext& context, const std::string& device, const RecordedSave& save)
{
    const std::filesystem::path mountPoint = "/state";
    try {
        mountDisk(device, mountPoint, "");
    } catch (const std::exception& error) {
        context.report.check(false, device + " mounts: " + error.what());
        return;
    }
    const std::filesystem::path file = mountPoint / save.relative;
    checkReadsOldOrNew(context, device, file, save);
    if (saveGeneration(context, file, 2))
        checkGeneration(context, file, 2);
    ::sync();
    checkNoLeftovers(context, file.parent_path());
    struct statvfs status {};
    context.report.check(::statvfs(mountPoint.c_str(), &status) == 0 && (status.f_flag & ST_RDONLY) == 0,
                         device + " is still writable after the save");
    try {
        unmountCard(mountPoint);
    } catch (const std::exception& error) {
        context.report.check(false, device + " unmounts: " + error.what());
    }
}

void nextSaves(ScenarioContext& context, const RecordedSave& save)
{
    // A temporary file younger than two minutes may be another save's at
    // work, and is left alone; the crash was seconds ago in this machine's
    // time, but a card is saved again later.
    moveClockForward(std::chrono::minutes(3));
    // The host names the recordings whose states may have lost a file
    // that was saved over (see run-crash-states.sh).
    RecordedSave expected = save;
    expected.mayBeAbsent = expected.mayBeAbsent || kernelParameter("ostra.may-be-absent") == "1";
    const std::vector<std::string> disks = stateDisks();
    context.report.check(!disks.empty(), "crash states attached: " + std::to_string(disks.size()));
    for (const std::string& device : disks)
        nextSaveOn(context, device, expected);
}

} // namespace

void nextSaveRewrite(ScenarioContext& context)
{
    nextSaves(context, {"A.CFG", 0, false});
}

void nextSaveNewFile(ScenarioContext& context)
{
    nextSaves(context, {std::filesystem::path("NEW") / newFileName(1), 1, true});
}

} // namespace ostra::cardtest
