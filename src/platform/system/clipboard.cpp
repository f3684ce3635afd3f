// The clipboard: the Windows calls over Qt's clipboard. What this program
// places on it goes to the desktop as one offer (a QMimeData) whose formats
// are rendered when a program asks for them.

#include "platform/system/clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/system/clipboard_formats.h"
#include "platform/system/clipboard_impl.h"
#include "platform/window/window_impl.h"

namespace {

struct TGlobalFree {
  void operator()(HGLOBAL mem) const { GlobalFree(mem); }
};
using TBlock = std::unique_ptr<HGLOBAL__, TGlobalFree>;

const QString kTextPlain = QStringLiteral("text/plain");
const QString kImagePng = QStringLiteral("image/png");
const QString kImageBmp = QStringLiteral("image/bmp");

UINT FormatOfMimeType(const QString& mimeType) {
  if (mimeType == kTextPlain) return CF_TEXT;
  if (mimeType == kImagePng || mimeType == kImageBmp) return CF_DIB;
  return 0;
}

// A block's bytes; text stops at its terminating NUL.
std::string BlockBytes(HGLOBAL mem, bool text) {
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  if (!bytes) return {};
  const SIZE_T size = GlobalSize(mem);
  std::string copy(bytes, text ? strnlen(bytes, size) : size);
  GlobalUnlock(mem);
  return copy;
}

class TOffer;

struct TClipboardState {
  bool open = false;
  HWND openedBy = nullptr;
  // Made by EmptyClipboard, handed to the desktop by CloseClipboard.
  std::unique_ptr<TOffer> building;
  // This program's offer on the desktop clipboard; Qt owns it and deletes
  // it when another offer, of this or another program, replaces it.
  TOffer* published = nullptr;
  // The offer whose owner is answering WM_RENDERFORMAT.
  const TOffer* rendering = nullptr;
  // Another program's text as CF_TEXT, until the clipboard is closed.
  TBlock foreignText;
};

// Never destroyed: offers may still be asked for data while the program ends.
TClipboardState& State() {
  static TClipboardState* state = new TClipboardState;
  return *state;
}

class TOffer : public QMimeData {
 public:
  explicit TOffer(HWND owner) : owner(owner) {}

  ~TOffer() override {
    TClipboardState& state = State();
    if (state.published == this) state.published = nullptr;
    if (state.rendering == this) state.rendering = nullptr;
  }

  QStringList formats() const override {
    QStringList list;
    if (entries.count(CF_TEXT)) list << kTextPlain;
    if (entries.count(CF_DIB)) list << kImagePng << kImageBmp;
    return list;
  }

  bool HasAnnounced() const {
    for (const auto& [format, block] : entries)
      if (!block) return true;
    return false;
  }

  // The owner is gone: what it never rendered cannot be had any more.
  void DropAnnounced() {
    std::erase_if(entries, [](const auto& entry) { return !entry.second; });
    owner = nullptr;
  }

  // The format's block, asking the owner to render it first if it was only
  // announced; null when the format is not offered or was not rendered.
  HGLOBAL Rendered(UINT format) const {
    if (!entries.count(format)) return nullptr;
    TClipboardState& state = State();
    if (!entries.at(format) && owner && !state.rendering) {
      state.rendering = this;
      SendMessageA(owner, WM_RENDERFORMAT, format, 0);
      if (state.rendering == this) state.rendering = nullptr;
    }
    const auto found = entries.find(format);
    return found != entries.end() ? found->second.get() : nullptr;
  }

  HWND owner;
  // The formats placed or announced (a null block); rendering fills them in
  // while Qt asks for data, hence mutable.
  mutable std::map<UINT, TBlock> entries;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
    QVariant result;
    // Qt asks from its event handling, where no exception may pass.
    GuardHandler([&] { result = Convert(mimeType, type); });
    return result;
  }

 private:
  QVariant Convert(const QString& mimeType, QMetaType type) const {
    const UINT format = FormatOfMimeType(mimeType);
    if (format == 0) return {};
    const HGLOBAL mem = Rendered(format);
    if (!mem) return {};
    if (format == CF_TEXT) {
      const std::string utf8 = DesktopTextFromCfText(BlockBytes(mem, true));
      const QByteArray bytes(utf8.data(), static_cast<qsizetype>(utf8.size()));
      if (type.id() == QMetaType::QString) return QString::fromUtf8(bytes);
      return bytes;
    }
    const std::string bmp = BmpFileFromDib(BlockBytes(mem, false));
    if (bmp.empty()) return {};
    const QByteArray bmpBytes(bmp.data(), static_cast<qsizetype>(bmp.size()));
    if (mimeType == kImageBmp) return bmpBytes;
    QImage image;
    if (!image.loadFromData(bmpBytes, "BMP")) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
  }
};

// What the clipboard holds for this program: the offer being built since
// EmptyClipboard, else the published one; null while another program's
// content is on the clipboard.
TOffer* Current() {
  TClipboardState& state = State();
  return state.building ? state.building.get() : state.published;
}

QClipboard* DesktopClipboard() {
  EnsureQtApplication();
  return QGuiApplication::clipboard();
}

}  // namespace

BOOL OpenClipboard(HWND newOwner) {
  TClipboardState& state = State();
  if (state.open && state.openedBy != newOwner) return FALSE;
  state.open = true;
  state.openedBy = newOwner;
  return TRUE;
}

BOOL CloseClipboard() {
  TClipboardState& state = State();
  if (!state.open) return FALSE;
  state.open = false;
  state.openedBy = nullptr;
  state.foreignText.reset();
  if (state.building) {
    // Published first: the offer that Qt deletes now must not think it was
    // the current one.
    state.published = state.building.release();
    DesktopClipboard()->setMimeData(state.published);
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  TClipboardState& state = State();
  if (!state.open) return FALSE;
  state.foreignText.reset();
  state.building = std::make_unique<TOffer>(state.openedBy);
  return TRUE;
}

HWND GetClipboardOwner() {
  const TOffer* current = Current();
  return current ? current->owner : nullptr;
}

HWND GetOpenClipboardWindow() {
  const TClipboardState& state = State();
  return state.open ? state.openedBy : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (const TOffer* current = Current()) return current->entries.count(format) ? TRUE : FALSE;
  if (format != CF_TEXT) return FALSE;
  const QMimeData* data = DesktopClipboard()->mimeData();
  return data && data->hasText() ? TRUE : FALSE;
}

HGLOBAL GetClipboardData(UINT format) {
  TClipboardState& state = State();
  if (!state.open) return nullptr;
  if (const TOffer* current = Current()) return current->Rendered(format);
  if (format != CF_TEXT) return nullptr;
  if (!state.foreignText) {
    const QMimeData* data = DesktopClipboard()->mimeData();
    if (!data || !data->hasText()) return nullptr;
    const QByteArray utf8 = data->text().toUtf8();
    const std::string text =
        CfTextFromDesktopText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    TBlock block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    char* bytes = static_cast<char*>(GlobalLock(block.get()));
    if (!bytes) return nullptr;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.get());
    state.foreignText = std::move(block);
  }
  return state.foreignText.get();
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL mem) {
  TClipboardState& state = State();
  const TOffer* target = nullptr;
  if (state.rendering) {
    if (!mem) return nullptr;
    target = state.rendering;
  } else if (state.open && state.building) {
    target = state.building.get();
  } else if (state.open && state.published && state.openedBy && state.published->owner == state.openedBy) {
    target = state.published;
  }
  // Announcing a format needs an owner to render it later.
  if (!target || (!mem && !target->owner)) return nullptr;
  target->entries[format] = TBlock(mem);
  return mem;
}

void ClipboardWindowGoes(HWND hWnd) {
  TClipboardState& state = State();
  const TOffer* current = Current();
  if (current && current->owner == hWnd && current->HasAnnounced()) SendMessageA(hWnd, WM_RENDERALLFORMATS, 0, 0);
  if (state.open && state.openedBy == hWnd) CloseClipboard();
  for (TOffer* offer : {state.building.get(), state.published})
    if (offer && offer->owner == hWnd) offer->DropAnnounced();
}

TClipboard::TClipboard(HWND hWnd) : open(OpenClipboard(hWnd) != FALSE) {}

TClipboard::~TClipboard() { CloseClipboard(); }

void TClipboard::CloseClipboard() {
  if (!open) return;
  open = false;
  ::CloseClipboard();
}
