#pragma once

#include <deque>
#include <vector>

#include "platform/qt/MessageBoxes.h"

namespace ostra {

// Records each box instead of showing it; questions take the next queued
// answer, or Discard (going on as if nobody asked) when none is queued.
// A question that goes on or stops takes Save or Discard as going on and
// Cancel as stopping.
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString Caption;
        QString Text;
        QWidget* Owner = nullptr;
        QString Detail;
    };

    using MessageBoxes::showError;
    void showError(QWidget* owner, const QString& caption, const QString& text, const QString& detail) override
    {
        Boxes.push_back({caption, text, owner, detail});
    }

    SaveChoice askToSave(QWidget* owner, const QString& caption, const QString& question) override
    {
        Questions.push_back({caption, question, owner, QString()});
        if (Answers.empty())
            return SaveChoice::Discard;
        const SaveChoice answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    SaveChoice askToReplace(QWidget* owner, const QString& caption, const QString& question) override
    {
        const SaveChoice answer = askToSave(owner, caption, question);
        return answer == SaveChoice::Discard ? SaveChoice::Save : answer;
    }

    bool askToProceed(QWidget* owner, const QString& caption, const QString& question,
                      ProceedButtons /*buttons*/) override
    {
        return askToSave(owner, caption, question) != SaveChoice::Cancel;
    }

    std::vector<Shown> Boxes;
    std::vector<Shown> Questions;
    std::deque<SaveChoice> Answers;
};

} // namespace ostra
