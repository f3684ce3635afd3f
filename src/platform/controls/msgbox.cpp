// Message boxes: Qt message boxes with the Windows buttons, icons and
// answers, or the test program's answers.

#include "platform/controls/msgbox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/text/codepage.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}

std::function<void(const std::string&)>& Reporter() {
  static std::function<void(const std::string&)> reporter;
  return reporter;
}

std::function<void(const TMessageBoxInfo&)>& ShownBoxAction() {
  static std::function<void(const TMessageBoxInfo&)> action;
  return action;
}

// Whether the box may be closed without a choice (Escape, its close box):
// only when it has a Cancel button or is a plain OK box. A Yes/No question
// must be answered.
bool CanCloseWithoutChoice(UINT type) {
  const UINT buttons = type & MB_TYPEMASK;
  return buttons != MB_YESNO && buttons != MB_ABORTRETRYIGNORE;
}

// Keeps a box that must be answered open: Escape and close requests (its
// close box, Alt+F4 from the window manager) do nothing until a button has
// been pressed.
class TAnswerRequired : public QObject {
 public:
  explicit TAnswerRequired(QMessageBox& box) : box(box) {}

  bool eventFilter(QObject* object, QEvent* event) override {
    if (object != &box || box.clickedButton()) return false;
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress)
      return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    return false;
  }

 private:
  QMessageBox& box;
};

// The answer of a box that is closed without a choice.
int CancelAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_YESNO:
      return IDNO;
    default:
      return IDCANCEL;
  }
}

struct TBoxButton {
  QMessageBox::StandardButton button;
  int answer;
  const char* text;  // UTF-8
};

std::vector<TBoxButton> ButtonsOf(UINT type) {
  const TBoxButton ok{QMessageBox::Ok, IDOK, "ОК"};
  const TBoxButton cancel{QMessageBox::Cancel, IDCANCEL, "Отмена"};
  // As in Windows, the letter of Yes or No answers the question.
  const TBoxButton yes{QMessageBox::Yes, IDYES, "&Да"};
  const TBoxButton no{QMessageBox::No, IDNO, "&Нет"};
  const TBoxButton abort{QMessageBox::Abort, IDABORT, "Прервать"};
  const TBoxButton retry{QMessageBox::Retry, IDRETRY, "Повтор"};
  const TBoxButton ignore{QMessageBox::Ignore, IDIGNORE, "Пропустить"};
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {ok, cancel};
    case MB_ABORTRETRYIGNORE:
      return {abort, retry, ignore};
    case MB_YESNOCANCEL:
      return {yes, no, cancel};
    case MB_YESNO:
      return {yes, no};
    case MB_RETRYCANCEL:
      return {retry, cancel};
    default:
      return {ok};
  }
}

QMessageBox::Icon IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONASTERISK:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int ShowBox(const TMessageBoxInfo& info) {
  EnsureQtApplication();
  TWindow* owner = GetWindowPtr(info.owner);
  QWidget* parent = owner && owner->Impl()->outer ? owner->Impl()->outer->window() : nullptr;
  QMessageBox box(IconOf(info.type), QStringFrom1251(info.caption.c_str()), QStringFrom1251(info.text.c_str()),
                  QMessageBox::NoButton, parent);
  box.setWindowModality(Qt::ApplicationModal);
  const std::vector<TBoxButton> buttons = ButtonsOf(info.type);
  std::vector<std::pair<QAbstractButton*, int>> answers;
  for (const TBoxButton& kind : buttons) {
    QPushButton* button = box.addButton(kind.button);
    button->setText(QString::fromUtf8(kind.text));
    answers.emplace_back(button, kind.answer);
  }
  const std::size_t defaultIndex = (info.type & MB_DEFMASK) >> 8;
  if (defaultIndex < answers.size()) box.setDefaultButton(static_cast<QPushButton*>(answers[defaultIndex].first));
  TAnswerRequired answerRequired(box);
  if (!CanCloseWithoutChoice(info.type)) {
    // The window manager is asked for a title bar without a close box; one
    // that shows it anyway, like every other way to close the box, is
    // ignored.
    box.setWindowFlags((box.windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
    box.installEventFilter(&answerRequired);
  }
  if (ShownBoxAction()) {
    // The test acts from inside the box's loop, as the user would.
    QTimer::singleShot(0, &box, [&box, &info, &answers] {
      ProcessPendingMessages();
      ShownBoxAction()(info);
      // A button pressed by its letter lets itself go a moment later.
      const auto pressing = [&answers] {
        return std::any_of(answers.begin(), answers.end(), [](const auto& answer) { return answer.first->isDown(); });
      };
      while (box.isVisible() && pressing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      if (box.isVisible()) {
        ReportUnansweredPrompt("message box \"" + Cp1251ToUtf8(info.caption) + "\" was left open");
        box.done(0);
      }
    });
  }
  // Without a window manager nothing hands the keyboard to a new window: the
  // box asks for it, so that Enter and Escape reach it and not the window
  // that was active before.
  box.show();
  box.activateWindow();
  box.exec();
  ActivateOwner(OwnerToActivate(&box));
  for (const auto& [button, answer] : answers)
    if (box.clickedButton() == button) return answer;
  return CancelAnswer(info.type);
}

}  // namespace

void ReportUnansweredPrompt(const std::string& description) {
  if (Reporter()) {
    Reporter()(description);
    return;
  }
  std::fprintf(stderr, "unanswered in a test: %s\n", description.c_str());
  std::abort();
}

void SetMessageBoxHandler(TMessageBoxHandler handler) { Handler() = std::move(handler); }

void SetShownMessageBoxAction(std::function<void(const TMessageBoxInfo&)> action) {
  ShownBoxAction() = std::move(action);
}

void SetUnansweredPromptReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

int MessageBoxExA(HWND hWnd, const char* text, const char* caption, UINT type, WORD languageId) {
  TMessageBoxInfo info;
  info.owner = hWnd;
  info.text = text ? text : "";
  info.caption = caption ? caption : "Error";
  info.type = type;
  info.languageId = languageId;
  if (Handler()) return Handler()(info);
  if (msgqueue::TestMode() && !ShownBoxAction()) {
    ReportUnansweredPrompt("message box \"" + Cp1251ToUtf8(info.caption) + "\": " + Cp1251ToUtf8(info.text));
    return CancelAnswer(type);
  }
  return ShowBox(info);
}

int MessageBoxA(HWND hWnd, const char* text, const char* caption, UINT type) {
  return MessageBoxExA(hWnd, text, caption, type, 0);
}
