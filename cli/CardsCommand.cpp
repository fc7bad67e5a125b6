// cards: the removable drives the card file browser offers, and the
// configuration files on each.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/FieldText.h"
#include "config/CardFileLine.h"
#include "config/CardFiles.h"

namespace ostra::cli {

namespace {

struct CardFile {
    std::string Name;
    std::string Path;
    bool Blank = false;
    std::string Description; // UTF-8
    std::string Error;       // the editor's message when the file cannot be read
    std::string Line;        // as cards lists it, an unreadable file's error in angle brackets
};

struct Card {
    DriveInfo Drive;
    std::vector<CardFile> Files;
};

CardFile readCardFile(const std::filesystem::path& folder, const ostra::CardFile& listed)
{
    CardFile file;
    file.Name = listed.Name;
    file.Path = (folder / listed.Name).string();
    file.Error = FailureMessage(listed);
    file.Line = ListedCardFileLine(listed);
    if (file.Error.empty()) {
        const TConfigRecord record = CardFileRecord(listed);
        file.Blank = IsBlankConfig(record);
        file.Description = CardFileDescription(record, CardLineScreen::Terminal);
    }
    return file;
}

// The drives the browser offers, each with all its files in the browser's
// sorted order. Files are read for reading only: listing never writes.
std::vector<Card> scanCards(CliContext& context)
{
    CardScan scan(context.Drives, context.Files, FileAccess::ReadOnly, kConfigCardFiles);
    scan.rescan();
    std::vector<Card> cards;
    while (std::optional<CardDrive> drive = scan.nextDrive()) {
        Card card{drive->Drive, {}};
        const std::filesystem::path& folder = drive->Listing.folder();
        for (std::optional<ostra::CardFile> listed = std::move(drive->First); listed; listed = drive->Listing.next())
            card.Files.push_back(readCardFile(folder, *listed));
        SortCardFiles(card.Files, &CardFile::Line);
        cards.push_back(std::move(card));
    }
    return cards;
}

void listCardsAsText(std::ostream& out, const std::vector<Card>& cards)
{
    if (cards.empty())
        out << kNoCardFilesMessage << '\n';
    for (const Card& card : cards) {
        out << card.Drive.Letter << ": " << terminalSafe(card.Drive.MountPath.string());
        if (!card.Drive.VolumeName.empty())
            out << " (" << terminalSafe(card.Drive.VolumeName) << ")";
        out << '\n';
        for (const CardFile& file : card.Files)
            out << terminalSafe(file.Line) << '\n';
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
    // Every file is listed, as in the browser; the unreadable ones are
    // named on standard error too.
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
