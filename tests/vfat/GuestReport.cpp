#include "GuestReport.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace ostra::cardtest {

GuestReport::GuestReport(const char* device)
    : fd_(::open(device, O_WRONLY | O_NOCTTY | O_CLOEXEC)), ownsFd_(fd_ >= 0)
{
    if (fd_ < 0) {
        fd_ = STDOUT_FILENO;
        return;
    }
    // Raw output: no "\r" added before each "\n".
    termios settings{};
    if (::tcgetattr(fd_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
}

GuestReport::~GuestReport()
{
    if (ownsFd_)
        ::close(fd_);
}

void GuestReport::line(const std::string& text)
{
    const std::string whole = text + "\n";
    std::size_t done = 0;
    while (done < whole.size()) {
        const ssize_t written = ::write(fd_, whole.data() + done, whole.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
    // Waits until the port has sent it; stdout is no terminal, so nothing
    // waits there.
    ::tcdrain(fd_);
}

bool GuestReport::check(bool ok, const std::string& what)
{
    if (!ok)
        ++failures_;
    line((ok ? "ok " : "FAIL ") + what);
    return ok;
}

void GuestReport::figure(const std::string& name, long long value)
{
    line("figure " + name + " " + std::to_string(value));
}

} // namespace ostra::cardtest
