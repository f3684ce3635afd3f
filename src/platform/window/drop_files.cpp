// Dropped files: Qt's drop events with file URLs become WM_DROPFILES.

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/window/shellapi.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

struct HDROP__ {
  std::vector<std::string> files;
};

namespace {

std::set<HDROP>& LiveDrops() {
  static std::set<HDROP> drops;
  return drops;
}

// The local files among the dropped URLs, in the system's encoding; other
// URLs (web pages, remote files) are not files to open.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return files;
}

// Takes the drag and drop events of a window's client widget that accepts files.
class TFileDropTarget : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const HWND hWnd = HandleOfWidget(object);
    const std::vector<std::string> files = LocalFiles(drop->mimeData());
    // A window that a modal one holds off takes no drop, as it takes no input.
    if (!hWnd || files.empty() || !TakesInput(static_cast<QWidget*>(object))) {
      drop->ignore();
      return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
      auto info = std::make_unique<HDROP__>();
      info->files = files;
      HDROP handle = info.release();
      LiveDrops().insert(handle);
      // Posted, as the window system does: the drop ends before the window
      // acts on it, and whatever it asks the user does not hold the source.
      if (!PostMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0)) DragFinish(handle);
    }
    return true;
  }
};

TFileDropTarget& DropTarget() {
  static TFileDropTarget* target = new TFileDropTarget;
  return *target;
}

}  // namespace

void DragAcceptFiles(HWND hWnd, BOOL accept) {
  TWindow* window = GetWindowPtr(hWnd);
  QWidget* client = window ? window->Impl()->client.data() : nullptr;
  if (!client) return;
  client->setAcceptDrops(accept);
  if (accept)
    client->installEventFilter(&DropTarget());
  else
    client->removeEventFilter(&DropTarget());
}

UINT DragQueryFileA(HDROP drop, UINT iFile, char* file, UINT cch) {
  if (!LiveDrops().count(drop)) return 0;
  if (iFile == 0xFFFFFFFF) return static_cast<UINT>(drop->files.size());
  if (iFile >= drop->files.size()) return 0;
  const std::string& path = drop->files[iFile];
  if (!file) return static_cast<UINT>(path.size());
  if (cch == 0) return 0;
  const std::size_t copied = std::min<std::size_t>(path.size(), cch - 1);
  std::memcpy(file, path.data(), copied);
  file[copied] = '\0';
  return static_cast<UINT>(copied);
}

void DragFinish(HDROP drop) {
  if (LiveDrops().erase(drop)) delete drop;
}

bool SimulateFileDrop(HWND hWnd, const std::vector<std::string>& paths, const TPoint& point) {
  TWindow* window = GetWindowPtr(hWnd);
  QWidget* client = window ? window->Impl()->client.data() : nullptr;
  QWindow* native = client ? client->window()->windowHandle() : nullptr;
  if (!native) return false;
  QList<QUrl> urls;
  for (const std::string& path : paths) urls.push_back(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
  QMimeData data;
  data.setUrls(urls);
  // The window system's drag reaches the native window, which passes it on
  // to the widget under the point.
  const QPoint at = client->mapTo(client->window(), QPoint(point.x, point.y));
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &drop);
  const bool taken = drop.isAccepted();
  ProcessPendingMessages();
  return taken;
}
