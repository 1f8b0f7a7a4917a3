#pragma once
// The one seam every message box of the program goes through: the application
// message box, the Yes/No confirmations and the worker threads' dialog. The
// window installs a presenter that shows real dialogs; tests install one that
// records the request and answers at once, so no test ever blocks on a dialog.

#include <QString>
#include <functional>

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Error };
enum class MessageResult { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // Set for the worker threads' dialog: the class name of the thread
    // ("TInitAndConfigThread" or "TMainThread"), which decides its layout.
    QString threadClass;
};

using MessagePresenter = std::function<MessageResult(const MessageRequest&)>;

// Shows the message through the installed presenter (on the user-interface
// thread). Without a presenter the text goes to standard error and the answer
// is Ok (No for a Yes/No question).
MessageResult showMessage(const MessageRequest& request);
MessageResult showMessage(const QString& text, const QString& caption, MessageIcon icon = MessageIcon::None,
    MessageButtons buttons = MessageButtons::Ok);

// Installs `presenter` and returns the one it replaces.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

} // namespace platform
