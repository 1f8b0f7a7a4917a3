#pragma once
// The dialogs behind the message seam: the application message box, the
// Yes/No confirmation and the worker threads' message dialog.

#include "platform/message_seam.h"

#include <QRect>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

// The worker-thread dialog for `request` (its threadClass set), laid out and
// centred over `ownerGeometry` but not shown. Its text label is named
// "ThreadMessageText", its one button "ThreadMessageButton".
std::unique_ptr<QDialog> buildThreadMessageDialog(const platform::MessageRequest& request, const QRect& ownerGeometry);

// A presenter that shows real, modal dialogs over the window `owner` returns
// (null before the window exists).
platform::MessagePresenter makeDialogPresenter(std::function<QWidget*()> owner);
