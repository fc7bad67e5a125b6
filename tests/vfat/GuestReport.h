#pragma once

#include <string>

namespace ostra::cardtest {

// The lines the host reads from the test machine, one per event:
//
//   ack 42                      save 42 completed (power-cut runs)
//   ok <what> / FAIL <what>     one check
//   figure <name> <value>       a count for the summary
//   end <scenario> passed       the scenario ran to its end (or "failed")
//
// Each line is on the wire before the call returns, so the host never sees
// an acknowledgement later than the save it reports on.
class GuestReport {
public:
    // Writes to the given serial port, raw, or to stdout where it cannot.
    explicit GuestReport(const char* device);
    ~GuestReport();
    GuestReport(const GuestReport&) = delete;
    GuestReport& operator=(const GuestReport&) = delete;

    void line(const std::string& text);
    // Reports the check and returns ok, so a caller can stop early.
    bool check(bool ok, const std::string& what);
    void figure(const std::string& name, long long value);
    // Failed checks reported through this object (not through copies of it
    // in other processes).
    int failures() const { return failures_; }

private:
    int fd_;
    bool ownsFd_;
    int failures_ = 0;
};

} // namespace ostra::cardtest
