// cards: the removable drives the card file browser offers, and the
// configuration files on each.
#include <algorithm>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/FieldText.h"
#include "platform/drives/RemovableDrives.h"

namespace ostra::cli {

namespace {

// Drives A and B were floppy drives and are never probed, removable or not.
constexpr char kFirstProbedLetter = 'C';
constexpr char kLastProbedLetter = 'Z';
constexpr const char* kConfigPattern = "*.cfg";
constexpr const char* kBlankDescription = "<Blank Config File>";
constexpr const char* kNoFiles = "No Files Found on Removeable Drive";
// Names shorter than this are right-aligned to it, as the browser lists them.
constexpr std::size_t kNameColumns = 13;

struct CardFile {
    std::string Name;
    std::string Path;
    bool Blank = false;
    std::string Description; // UTF-8
    std::string Error;       // the editor's message when the file cannot be read
};

struct Card {
    DriveInfo Drive;
    std::vector<CardFile> Files;
};

// "[" + the name right-aligned to 13 characters + "]   " + the description.
std::string listLine(const CardFile& file)
{
    const std::size_t length = characterCount(file.Name);
    const std::string padding(length < kNameColumns ? kNameColumns - length : 0, ' ');
    return "[" + padding + file.Name + "]   " + (file.Error.empty() ? file.Description : "(" + file.Error + ")");
}

CardFile readCardFile(CliContext& context, const std::filesystem::path& folder, const std::string& name)
{
    CardFile file;
    file.Name = name;
    file.Path = (folder / name).string();
    try {
        // A record of the listing's own, read as the browser reads it.
        const TConfigRecord record = readRecordFile(context, file.Path, FileAccess::ReadOnly);
        file.Blank = IsBlankConfig(record);
        file.Description = file.Blank ? kBlankDescription
                                      : decodeText(ReadConfigText(record, layout::kDescriptionOffset,
                                                                  layout::kDescriptionWidth),
                                                   CodePageId::Cp437);
    } catch (const EInOutError& error) {
        file.Error = error.Message;
    }
    return file;
}

// The drives C to Z that are removable and hold at least one plain .cfg
// file in their root, each with its files in the browser's sorted order.
std::vector<Card> scanCards(CliContext& context)
{
    RemovableDrives& drives = context.Drives;
    drives.Rescan();
    std::vector<Card> cards;
    for (char letter = kFirstProbedLetter; letter <= kLastProbedLetter; ++letter) {
        if (drives.DriveTypeOf(std::string{letter, ':', '\\'}) != DriveType::Removable)
            continue;
        const std::filesystem::path folder = drives.RootFolder(letter);
        const std::vector<std::string> names = drives.FindFiles(folder, kConfigPattern);
        if (names.empty())
            continue;
        Card card{*drives.FindDrive(letter), {}};
        for (const std::string& name : names)
            card.Files.push_back(readCardFile(context, folder, name));
        std::ranges::sort(card.Files, {}, listLine);
        cards.push_back(std::move(card));
    }
    return cards;
}

void listCardsAsText(std::ostream& out, const std::vector<Card>& cards)
{
    if (cards.empty())
        out << kNoFiles << '\n';
    for (const Card& card : cards) {
        out << card.Drive.Letter << ": " << terminalSafe(card.Drive.MountPath.string());
        if (!card.Drive.VolumeName.empty())
            out << " (" << terminalSafe(card.Drive.VolumeName) << ")";
        out << '\n';
        for (const CardFile& file : card.Files)
            out << terminalSafe(listLine(file)) << '\n';
    }
}

Json cardsAsJson(const std::vector<Card>& cards)
{
    Json drives = Json::array();
    for (const Card& card : cards) {
        Json files = Json::array();
        for (const CardFile& file : card.Files) {
            Json entry = {{"name", file.Name}, {"path", file.Path}};
            if (file.Error.empty()) {
                entry["blank"] = file.Blank;
                entry["description"] = file.Description;
            } else {
                entry["error"] = file.Error;
            }
            files.push_back(std::move(entry));
        }
        drives.push_back({{"letter", std::string(1, card.Drive.Letter)},
                          {"mount", card.Drive.MountPath.string()},
                          {"volume", card.Drive.VolumeName},
                          {"files", std::move(files)}});
    }
    return Json{{"drives", std::move(drives)}};
}

} // namespace

ExitStatus runCards(CliContext& context, const CommandOptions& options)
{
    const std::vector<Card> cards = scanCards(context);
    if (options.Json)
        context.Out << cardsAsJson(cards).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    else
        listCardsAsText(context.Out, cards);
    // Unlike the browser, which stops at the first unreadable file, every
    // file is listed; the unreadable ones are named on standard error too.
    ExitStatus status = ExitStatus::Done;
    for (const Card& card : cards)
        for (const CardFile& file : card.Files)
            if (!file.Error.empty()) {
                reportFileError(context, file.Path, file.Error);
                status = ExitStatus::FileFailed;
            }
    return status;
}

} // namespace ostra::cli
