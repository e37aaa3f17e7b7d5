#pragma once

#include "editor/core/UserDialogs.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The user's answers for a test, given in advance; every question and message is recorded.
// A question or dialog that the script did not expect fails the test loudly.
class ScriptedDialogs final : public verbaria::UserDialogs
{
public:
    std::deque<bool> Answers;
    std::deque<std::optional<std::string>> OpenChoices;
    std::deque<std::optional<std::string>> SaveChoices;
    std::deque<std::optional<std::string>> TextAnswers;

    std::vector<std::string> Questions;
    std::vector<std::string> Messages;
    std::vector<std::string> Errors;
    std::vector<verbaria::FileDialogState> OpenDialogsShown;
    std::vector<verbaria::FileDialogState> SaveDialogsShown;
    std::vector<std::string> TextsAskedFor; // the texts the dialog showed

    bool AskYesNo(const std::string &question) override
    {
        Questions.push_back(question);
        if (Answers.empty())
            throw std::logic_error("unexpected question: " + question);
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Inform(const std::string &message) override { Messages.push_back(message); }
    void ReportError(const std::string &message) override { Errors.push_back(message); }
    std::optional<std::string> ChooseFileToOpen(const verbaria::FileDialogState &dialog) override
    {
        OpenDialogsShown.push_back(dialog);
        if (OpenChoices.empty())
            throw std::logic_error("unexpected open dialog");
        auto choice = OpenChoices.front();
        OpenChoices.pop_front();
        return choice;
    }
    std::optional<std::string> ChooseFileToSave(const verbaria::FileDialogState &dialog) override
    {
        SaveDialogsShown.push_back(dialog);
        if (SaveChoices.empty())
            throw std::logic_error("unexpected save dialog");
        auto choice = SaveChoices.front();
        SaveChoices.pop_front();
        return choice;
    }
    std::optional<std::string> AskText(const std::string &question, const std::string &text) override
    {
        TextsAskedFor.push_back(text);
        if (TextAnswers.empty())
            throw std::logic_error("unexpected text asked for: " + question);
        auto answer = TextAnswers.front();
        TextAnswers.pop_front();
        return answer;
    }
};
