#pragma once

#include <deque>
#include <optional>
#include <vector>

class QWidget;

#include "platform/qt/FileDialogs.h"

namespace ostra {

// Answers each dialog with the next queued reply (a path, or nothing for
// Cancel) and keeps every request it was opened with. With no reply
// queued it cancels.
class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> run(QWidget* owner, const FileDialogRequest& request) override
    {
        Requests.push_back(request);
        Owners.push_back(owner);
        if (Replies.empty() || !Replies.front().has_value()) {
            if (!Replies.empty())
                Replies.pop_front();
            return std::nullopt;
        }
        const QString reply = *Replies.front();
        Replies.pop_front();
        return reply;
    }

    std::deque<std::optional<QString>> Replies;
    std::vector<FileDialogRequest> Requests;
    std::vector<QWidget*> Owners;
};

} // namespace ostra
