// One save recorded for the crash-state explorer: the host runs the machine
// with its card behind QEMU's blklogwrites driver, and the save's block
// requests are those between the "begin" and "end" marks. The sync after
// the save brings in what the kernel would write back later on its own.
#include <unistd.h>

#include "Generation.h"
#include "GuestMachine.h"
#include "Scenarios.h"

namespace ostra::cardtest {

namespace {

void recordSave(ScenarioContext& context, const std::filesystem::path& file)
{
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
