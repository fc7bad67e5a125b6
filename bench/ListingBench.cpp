// ostra-listing-bench: the card browser's listing against the least any
// listing must do, a raw loop of opendir/readdir plus open/read/close of
// each file, measured in the same run over the same temporary folder.
//
//   ostra-listing-bench [rounds]
//
// For 1,000 and 10,000 files it times, in interleaved rounds, the raw loop,
// the drive layer's listing (scan and reads, no widgets) and the browser's
// Refresh (TForm2 on offscreen Qt), and prints each median and its ratio to
// the raw loop's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QPushButton>

#include "config/CardFiles.h"
#include "fakes/FakeRemovableDrives.h"
#include "ui/browser/ConfigOpener.h"
#include "ui/widgets/ListBox.h"
#include "ui/browser/Unit2.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRounds = 15;
constexpr std::size_t kFileCounts[] = {1000, 10000};
constexpr std::size_t kRecordSize = 2048;

class NoEditor : public ostra::ConfigOpener {
public:
    void OpenConfigFromCard(const std::string&) override {}
    void OpenConfigMap(QWidget*) override {}
    bool SettleUnsavedEdits(QWidget*) override { return true; }
};

// The least work a listing of the folder can do; returns the files read so
// that the loop cannot be dropped.
std::size_t rawLoop(const std::string& folder)
{
    std::size_t read = 0;
    char buffer[kRecordSize];
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string path = folder + '/' + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::read(fd, buffer, sizeof buffer) == static_cast<ssize_t>(sizeof buffer))
            ++read;
        ::close(fd);
    }
    ::closedir(dir);
    return read;
}

std::size_t driveListing(const std::filesystem::path& folder)
{
    ostra::CardFolderListing listing(ostra::systemFileApi(), folder, ostra::kConfigCardFiles.Pattern,
                                     ostra::kConfigCardFiles.HeadSize);
    std::size_t read = 0;
    while (const std::optional<ostra::CardFile> file = listing.next())
        read += file->Failure ? 0 : 1;
    return read;
}

void makeCard(const std::filesystem::path& folder, std::size_t files)
{
    std::filesystem::create_directories(folder);
    std::string record(kRecordSize, '\0');
    for (std::size_t i = 0; i < files; ++i) {
        const std::string name = "CFG" + std::to_string(i) + ".CFG";
        const std::string description = "Card file " + std::to_string(i);
        std::fill(record.begin(), record.end(), '\0');
        record.replace(0, description.size(), description);
        const int fd = ::open((folder / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size())) {
            std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
            std::exit(1);
        }
        ::close(fd);
    }
}

double seconds(const std::function<void()>& run)
{
    const Clock::time_point start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool benchOneSize(const std::filesystem::path& root, std::size_t files, int rounds)
{
    const std::filesystem::path card = root / ("card" + std::to_string(files));
    makeCard(card, files);

    NoEditor editor;
    ostra::FakeRemovableDrives drives;
    drives.plugIn('E', card);
    ostra::TForm2 browser(editor, drives, ostra::systemFileApi());
    browser.show();
    QApplication::processEvents();

    std::vector<double> raw, listing, refresh;
    std::size_t checked = 0;
    for (int round = 0; round < rounds; ++round) {
        raw.push_back(seconds([&] { checked += rawLoop(card.string()); }));
        listing.push_back(seconds([&] { checked += driveListing(card); }));
        refresh.push_back(seconds([&] { browser.Button3->click(); }));
        checked += static_cast<std::size_t>(browser.ListBox1->count());
    }
    if (checked != 3 * files * static_cast<std::size_t>(rounds)) {
        std::fprintf(stderr, "%zu files: a pass did not list every file\n", files);
        return false;
    }
    const double rawMedian = median(raw);
    std::printf("%6zu files  raw %8.2f ms  listing %8.2f ms (%.2fx)  refresh %8.2f ms (%.2fx)\n", files,
                rawMedian * 1e3, median(listing) * 1e3, median(listing) / rawMedian, median(refresh) * 1e3,
                median(refresh) / rawMedian);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    QApplication app(argc, argv);
    char pattern[] = "/tmp/ostra-listing-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path root = pattern;
    std::printf("%d interleaved rounds, medians; ratios to the raw loop\n", rounds);
    bool ok = true;
    for (std::size_t files : kFileCounts)
        ok = benchOneSize(root, files, rounds) && ok;
    std::filesystem::remove_all(root);
    return ok ? 0 : 1;
}
