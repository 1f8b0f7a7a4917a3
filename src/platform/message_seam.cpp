#include "platform/message_seam.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {
MessagePresenter& currentPresenter()
{
    static MessagePresenter presenter;
    return presenter;
}
} // namespace

MessageResult showMessage(const MessageRequest& request)
{
    const MessagePresenter presenter = currentPresenter();
    if (presenter)
        return presenter(request);
    std::fprintf(stderr, "%s: %s\n", request.caption.toLocal8Bit().constData(), request.text.toLocal8Bit().constData());
    return request.buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
}

MessageResult showMessage(const QString& text, const QString& caption, MessageIcon icon, MessageButtons buttons)
{
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.icon = icon;
    request.buttons = buttons;
    return showMessage(request);
}

MessagePresenter setMessagePresenter(MessagePresenter presenter)
{
    return std::exchange(currentPresenter(), std::move(presenter));
}

} // namespace platform
