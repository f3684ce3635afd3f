// The progress window: a Qt dialog over the owner's frame, which is disabled
// while the window shows.

#include "platform/controls/progress.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/testing.h"
#include "platform/window/window.h"
#include "platform/window/window_impl.h"

namespace {

bool& AtOnce() {
  static bool atOnce = [] {
    const char* value = std::getenv("GRIDWORK_PROGRESS_AT_ONCE");
    return value && std::strcmp(value, "1") == 0;
  }();
  return atOnce;
}

TProgressHandler& Handler() {
  static TProgressHandler handler;
  return handler;
}

// Pending paint and input are delivered at most this often: often enough
// for the frame to stay painted and the button to answer.
constexpr qint64 kDeliverEveryMs = 40;
constexpr qint64 kExposeWaitMs = 500;

}  // namespace

void SetProgressAtOnce(bool atOnce) { AtOnce() = atOnce; }

void SetProgressHandler(TProgressHandler handler) { Handler() = std::move(handler); }

struct TProgressWindow::TImpl {
  QPointer<QWidget> frame;
  std::string text;  // Windows-1251
  bool cancellable;
  QElapsedTimer started;
  QElapsedTimer delivered;
  std::unique_ptr<QDialog> dialog;
  QProgressBar* bar = nullptr;
  bool cancelled = false;
  bool frameDisabled = false;

  void Show() {
    // Not a child of the frame, which is disabled while the window shows
    // and would disable the window's button too; it belongs to the frame
    // for the window system only.
    dialog = std::make_unique<QDialog>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const TApplication* app = GetApplicationObject();
    dialog->setWindowTitle(QStringFrom1251(app ? app->GetName() : ""));
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(new QLabel(QStringFrom1251(text.c_str()), dialog.get()));
    bar = new QProgressBar(dialog.get());
    bar->setRange(0, 100);
    bar->setMinimumWidth(300);
    layout->addWidget(bar);
    if (cancellable) {
      auto* cancel = new QPushButton(QStringFrom1251(u8"Отмена"_cp), dialog.get());
      QObject::connect(cancel, &QPushButton::clicked, [this] { cancelled = true; });
      layout->addWidget(cancel, 0, Qt::AlignHCenter);
    }
    // Escape gives the operation up where that is possible; the window
    // stays until the operation ends.
    QObject::connect(dialog.get(), &QDialog::rejected, [this] {
      if (cancellable) cancelled = true;
      dialog->show();
    });
    if (frame && frame->isEnabled()) {
      frame->setEnabled(false);
      frameDisabled = true;
    }
    dialog->adjustSize();
    if (frame) {
      dialog->winId();
      if (frame->windowHandle()) dialog->windowHandle()->setTransientParent(frame->windowHandle());
      dialog->move(frame->geometry().center() - dialog->rect().center());
    }
    dialog->show();
    // The window is painted once the window system shows it; until then
    // the operation waits a little, so that the window never stays blank
    // while the operation is busy or waits for its input.
    QElapsedTimer waiting;
    waiting.start();
    while (!(dialog->windowHandle() && dialog->windowHandle()->isExposed()) && waiting.elapsed() < kExposeWaitMs) {
      msgqueue::DeliverPending();
      QThread::msleep(5);
    }
    delivered.invalidate();
  }
};

TProgressWindow::TProgressWindow(TWindow& owner, const char* text, bool cancellable) : impl(std::make_unique<TImpl>()) {
  if (owner.Impl() && owner.Impl()->outer) impl->frame = owner.Impl()->outer->window();
  impl->text = text;
  impl->cancellable = cancellable;
  impl->started.start();
}

TProgressWindow::~TProgressWindow() {
  // The frame takes the keyboard back, as it does after a dialog it owns.
  const QWidget* active = QApplication::activeWindow();
  const bool giveBack = impl->dialog && impl->frame && (!active || active == impl->dialog.get());
  impl->dialog.reset();
  if (impl->frameDisabled && impl->frame) impl->frame->setEnabled(true);
  if (giveBack) ActivateOwner(impl->frame);
}

bool TProgressWindow::IsShown() const { return impl->dialog != nullptr; }

bool TProgressWindow::Update(std::uint64_t done, std::uint64_t total) {
  if (!impl->dialog) {
    if (!AtOnce() && !Handler() && impl->started.elapsed() < kDelay.count()) return true;
    impl->Show();
  }
  if (Handler() && Handler()(impl->text, done, total) && impl->cancellable) impl->cancelled = true;
  if (impl->delivered.isValid() && impl->delivered.elapsed() < kDeliverEveryMs) return !impl->cancelled;
  if (total == 0) {
    impl->bar->setRange(0, 0);
  } else {
    impl->bar->setRange(0, 100);
    impl->bar->setValue(static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total));
  }
  msgqueue::DeliverPending();
  impl->delivered.start();
  return !impl->cancelled;
}
