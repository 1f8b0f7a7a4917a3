#include "message_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

// Layout of the thread dialog, in pixels of its client area.
constexpr int kDialogWidth = 570;
constexpr int kDialogInitialHeight = 600;
constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kIconSpacing = 10;
constexpr int kFontPointSize = 12;
const QColor kTextColour(255, 255, 255);
const QColor kBackColour(255, 128, 32);

const QStringList& buttonCaptions()
{
    static const QStringList captions { QStringLiteral("Принято") };
    return captions;
}

// The buttons' geometry: one row below the text, each as high as its text
// plus 15. The search thread centres each button by its own width; the job
// thread gives all one width (at least 100) and spreads them evenly.
void placeButtons(const std::vector<QPushButton*>& buttons, const QString& threadClass, int top)
{
    const int n = static_cast<int>(buttons.size());
    int commonWidth = 100;
    for (QPushButton* button : buttons)
        commonWidth = std::max(commonWidth, button->fontMetrics().horizontalAdvance(button->text()) + 20);
    for (int l = 0; l < n; ++l) {
        QPushButton* button = buttons[static_cast<size_t>(l)];
        const QFontMetrics metrics = button->fontMetrics();
        const int height = metrics.height() + 15;
        if (threadClass == QLatin1String("TMainThread")) {
            const int left = (kDialogWidth - n * commonWidth) * (l + 1) / (n + 1) + l * commonWidth;
            button->setGeometry(left, top, commonWidth, height);
        } else {
            const int width = metrics.horizontalAdvance(button->text()) + 20;
            button->setGeometry((kDialogWidth - width) / 2, top, width, height);
        }
    }
}

QMessageBox::Icon boxIcon(platform::MessageIcon icon)
{
    switch (icon) {
    case platform::MessageIcon::Information:
        return QMessageBox::Information;
    case platform::MessageIcon::Error:
        return QMessageBox::Critical;
    case platform::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

platform::MessageResult showMessageBox(const platform::MessageRequest& request, QWidget* owner)
{
    const bool question = request.buttons == platform::MessageButtons::YesNo;
    QMessageBox box(boxIcon(request.icon), request.caption, request.text,
        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    const int answer = box.exec();
    if (!question)
        return platform::MessageResult::Ok;
    return answer == QMessageBox::Yes ? platform::MessageResult::Yes : platform::MessageResult::No;
}

} // namespace

std::unique_ptr<QDialog> buildThreadMessageDialog(const platform::MessageRequest& request, const QRect& ownerGeometry)
{
    auto dialog = std::make_unique<QDialog>();
    dialog->setObjectName(QStringLiteral("ThreadMessageDialog"));
    dialog->setWindowTitle(request.caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont font = dialog->font();
    font.setPointSize(kFontPointSize);
    dialog->setFont(font);
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, kBackColour);
    palette.setColor(QPalette::WindowText, kTextColour);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    dialog->resize(kDialogWidth, kDialogInitialHeight);

    auto* icon = new QLabel(dialog.get());
    icon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(kIconSize, kIconSize));
    icon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);

    // The text fills the width right of the icon and wraps; its height
    // follows from the text.
    auto* text = new QLabel(request.text, dialog.get());
    text->setObjectName(QStringLiteral("ThreadMessageText"));
    text->setWordWrap(true);
    const int textLeft = kMargin + kIconSize + kIconSpacing;
    const int textWidth = kDialogWidth - textLeft - kMargin;
    text->setGeometry(textLeft, kMargin, textWidth, text->heightForWidth(textWidth));

    std::vector<QPushButton*> buttons;
    for (const QString& caption : buttonCaptions()) {
        auto* button = new QPushButton(caption, dialog.get());
        button->setObjectName(QStringLiteral("ThreadMessageButton"));
        QObject::connect(button, &QPushButton::clicked, dialog.get(), &QDialog::accept);
        buttons.push_back(button);
    }
    placeButtons(buttons, request.threadClass, text->geometry().bottom() + 1 + 10);
    buttons.front()->setDefault(true);

    const QRect last = buttons.back()->geometry();
    dialog->setFixedSize(kDialogWidth, last.top() + last.height() + 10);
    dialog->move(ownerGeometry.left() + (ownerGeometry.width() - dialog->width()) / 2,
        ownerGeometry.top() + (ownerGeometry.height() - dialog->height()) / 2);
    return dialog;
}

platform::MessagePresenter makeDialogPresenter(std::function<QWidget*()> owner)
{
    return [owner = std::move(owner)](const platform::MessageRequest& request) {
        QWidget* window = owner ? owner() : nullptr;
        if (request.threadClass.isEmpty())
            return showMessageBox(request, window);
        QRect anchor = window ? window->frameGeometry() : QRect();
        if (anchor.isEmpty() && QGuiApplication::primaryScreen())
            anchor = QGuiApplication::primaryScreen()->availableGeometry();
        std::unique_ptr<QDialog> dialog = buildThreadMessageDialog(request, anchor);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->exec();
        return platform::MessageResult::Ok;
    };
}
