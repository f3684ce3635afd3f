// TModule and TApplication: the Qt application object, the main window and
// the message loops.

#include "platform/window/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/window/framewindow.h"
#include "platform/text/locale.h"
#include "platform/window/window_impl.h"

namespace {

TApplication* applicationObject = nullptr;

// The Qt application made for tests lives as long as the process: Qt's own
// globals are gone by the time static objects are destroyed. The one made
// for an application object ends when its Run does.
QApplication* qtApplication = nullptr;

// What Qt says while the application object is made is held back: when no
// display can be opened Qt ends the process with a fatal message, and the
// user gets one line of ours instead of Qt's hints and a core dump.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs("gridwork: cannot open the display\n", stderr);
    std::_Exit(1);
  }
  heldMessages.emplace_back(type, text);
}

// Qt's own dialogs (file, colour, print, page setup) speak the user's language.
void LoadQtTranslations() {
  if (GetUserMessagesLCID() != LCID_RU_RU) return;
  static QTranslator translator;
  if (translator.load(QStringLiteral("qt_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator);
}

void MakeApplicationObject(int& argc, char** argv) {
  const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  qtApplication = new QApplication(argc, argv);
  qInstallMessageHandler(previous);
  for (const auto& [type, text] : std::exchange(heldMessages, {})) qt_message_output(type, QMessageLogContext(), text);
  LoadQtTranslations();
}

}  // namespace

bool EnsureQtApplication() {
  if (QCoreApplication::instance()) return false;
  static int argc = 1;
  static char name[] = "gridwork";
  static char* argv[] = {name, nullptr};
  MakeApplicationObject(argc, argv);
  return true;
}

void MakeQtApplication(int& argc, char** argv) {
  if (!QCoreApplication::instance()) MakeApplicationObject(argc, argv);
}

TModule::TModule(const char* name) : name(name ? name : "") {}

TModule::~TModule() = default;

struct TApplication::TModal {
  QEventLoop loop;
  int result = 0;
  bool ended = false;
  TModal* outer = nullptr;
  TWindow* window = nullptr;
};

TApplication::TApplication(const char* name) : TModule(name), ownsQtApplication(EnsureQtApplication()) {
  applicationObject = this;
}

TApplication::~TApplication() {
  mainWindow.reset();
  int unused = 0;
  msgqueue::TakeQuit(unused);  // the closing of the main window ends nothing more
  if (applicationObject == this) applicationObject = nullptr;
}

TApplication* GetApplicationObject() { return applicationObject; }

void TApplication::InitMainWindow() { SetMainWindow(std::make_unique<TFrameWindow>(nullptr, GetName())); }

void TApplication::SetMainWindow(std::unique_ptr<TFrameWindow> window) { mainWindow = std::move(window); }

int TApplication::Run() {
  InitMainWindow();
  if (!mainWindow || (!mainWindow->IsWindow() && !mainWindow->Create())) return 1;
  mainWindow->ShowWindow(SW_SHOWNORMAL);
  msgqueue::RethrowStashed();
  int exitCode = 0;
  if (!msgqueue::TakeQuit(exitCode)) {
    QEventLoop loop;
    msgqueue::PushLoop(&loop);
    loop.exec();
    msgqueue::PopLoop();
    msgqueue::RethrowStashed();
    msgqueue::TakeQuit(exitCode);
  }
  // Ending the Qt application hands what the program leaves on the desktop
  // clipboard to the clipboard manager, if one runs; the offer answers it
  // from the blocks rendered when the owner window went. No widget may
  // outlive the Qt application, so the main window goes first.
  if (ownsQtApplication && qtApplication) {
    mainWindow.reset();
    delete qtApplication;
    qtApplication = nullptr;
  }
  return exitCode;
}

bool TApplication::ProcessAppMsg(MSG& msg) { return PreProcessWindowMessage(msg); }

int TApplication::BeginModal(TWindow* window, int) {
  // A modal window holds the others off itself; without one, every top-level
  // window is disabled meanwhile.
  QWidget* own = window && window->Impl()->outer ? window->Impl()->outer->window() : nullptr;
  const bool madeModal = own && !own->isModal();
  SetApplicationModal(own, true);
  std::vector<QPointer<QWidget>> disabled;
  if (!own) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (HandleOfWidget(top) && top->isEnabled()) {
        top->setEnabled(false);
        disabled.emplace_back(top);
      }
    }
  }
  const QPointer<QWidget> modalWindow = own;
  TModal modalLoop;
  modalLoop.outer = modal;
  modalLoop.window = window;
  modal = &modalLoop;
  msgqueue::PushLoop(&modalLoop.loop);
  if (!msgqueue::QuitPending()) modalLoop.loop.exec();
  msgqueue::PopLoop();
  modal = modalLoop.outer;
  if (madeModal && modalWindow) SetApplicationModal(modalWindow, false);
  for (const QPointer<QWidget>& top : disabled)
    if (top) top->setEnabled(true);
  msgqueue::RethrowStashed();
  return modalLoop.result;
}

TWindow* TApplication::GetModalWindow() const { return modal ? modal->window : nullptr; }

void TApplication::EndModal(int result) {
  if (!modal) return;
  modal->result = result;
  modal->ended = true;
  modal->loop.exit(result);
}

void TApplication::ModalWindowGoes(TWindow* window) {
  for (TModal* loop = modal; loop; loop = loop->outer) {
    if (loop->window != window) continue;
    loop->window = nullptr;
    if (loop->ended) continue;
    loop->result = IDCANCEL;
    loop->ended = true;
    loop->loop.exit(IDCANCEL);
  }
}

int TApplication::MessageBox(HWND wnd, const char* text, const char* caption, UINT type) {
  return MessageBoxA(wnd, text, caption ? caption : GetName(), type);
}
