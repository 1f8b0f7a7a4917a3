#include "support/message_recorder.h"

MessageRecorder::MessageRecorder()
{
    previous_ = platform::setMessagePresenter([this](const platform::MessageRequest& request) {
        messages_.push_back(request);
        if (whileShown_)
            whileShown_(request);
        if (request.buttons == platform::MessageButtons::YesNo)
            return answer_;
        return platform::MessageResult::Ok;
    });
}

MessageRecorder::~MessageRecorder()
{
    platform::setMessagePresenter(previous_);
}

QStringList MessageRecorder::texts() const
{
    QStringList result;
    for (const auto& m : messages_)
        result << m.text;
    return result;
}
