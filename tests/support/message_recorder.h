#pragma once
// Installs a presenter behind the message seam that records every message and
// answers at once, for as long as the recorder lives.

#include "platform/message_seam.h"

#include <QStringList>
#include <functional>
#include <vector>

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<platform::MessageRequest>& messages() const { return messages_; }
    QStringList texts() const;
    bool empty() const { return messages_.empty(); }
    void clear() { messages_.clear(); }
    // Answer given to Yes/No questions (Yes by default).
    void answerQuestionsWith(platform::MessageResult answer) { answer_ = answer; }
    // Runs while a message is shown, before it is answered: what happens
    // while a dialog stays open.
    void whileShown(std::function<void(const platform::MessageRequest&)> action) { whileShown_ = std::move(action); }

private:
    std::vector<platform::MessageRequest> messages_;
    platform::MessageResult answer_ = platform::MessageResult::Yes;
    platform::MessagePresenter previous_;
    std::function<void(const platform::MessageRequest&)> whileShown_;
};
