#pragma once
// TControlBar: a tool bar of gadgets in a row. Button gadgets send their
// command identifiers to the bar's parent as menu items do, and show
// enabled or disabled as the parent's command enablers say; exclusive
// buttons stay down until another exclusive button of the bar is pressed;
// text gadgets show a text; separators leave room.

#include <memory>
#include <string>
#include <vector>

#include "platform/draw/bitmap.h"
#include "platform/draw/font.h"
#include "platform/window/window.h"

class TGadget {
 public:
  explicit TGadget(int id = 0) : id(id) {}
  virtual ~TGadget();
  TGadget(const TGadget&) = delete;
  TGadget& operator=(const TGadget&) = delete;

  int GetId() const { return id; }
  bool GetEnabled() const { return enabled; }
  // Where the bar placed the gadget, in the bar's client coordinates.
  const TRect& GetBounds() const { return bounds; }

 protected:
  friend class TControlBar;
  virtual TSize DesiredSize(TDC& dc) const = 0;
  virtual void Paint(TDC& dc) const;

  int id;
  bool enabled = true;
  TRect bounds;
};

// Room between gadgets: size in layout units across the bar.
class TSeparatorGadget : public TGadget {
 public:
  explicit TSeparatorGadget(int size = 6) : size(size) {}

 protected:
  TSize DesiredSize(TDC& dc) const override;

 private:
  int size;
};

class TTextGadget : public TGadget {
 public:
  enum TBorderStyle { None, Recessed };
  enum TAlign { Left, Center, Right };
  // numChars: the width in average characters of the bar's font.
  TTextGadget(int id, TBorderStyle border = Recessed, TAlign align = Left, int numChars = 10,
              const char* text = nullptr);
  // Windows-1251.
  void SetText(const char* text);
  const std::string& GetText() const { return text; }

 protected:
  TSize DesiredSize(TDC& dc) const override;
  void Paint(TDC& dc) const override;

 private:
  TBorderStyle border;
  TAlign align;
  int numChars;
  std::string text;
};

class TButtonGadget : public TGadget {
 public:
  enum TType { Command, Exclusive };
  enum TState { Up, Down };
  // The image is the program's bitmap resource bitmapId.
  TButtonGadget(TResId bitmapId, int id, TType type = Command, bool enabled = true, TState state = Up);
  TState GetButtonState() const { return state; }
  TType GetType() const { return type; }

 protected:
  friend class TControlBar;
  TSize DesiredSize(TDC& dc) const override;
  void Paint(TDC& dc) const override;

 private:
  TBitmap glyph;
  TType type;
  TState state;
  bool pressed = false;  // the mouse button went down on it and is still down
};

class TControlBar : public TWindow {
 public:
  // A horizontal bar; the font's height in points (not bold, not italic).
  explicit TControlBar(TWindow* parent, int fontPoints = 10);
  ~TControlBar() override;

  // The bar owns its gadgets; they show in the order inserted.
  void Insert(std::unique_ptr<TGadget> gadget);
  TGadget* GadgetWithId(int id) const;
  // Asks the parent's command enablers about every button and repaints
  // those that changed.
  void CommandEnable();
  // The height the gadgets need.
  int DesiredHeight();

 protected:
  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  void EvLButtonDown(UINT modKeys, const TPoint& point);
  void EvLButtonUp(UINT modKeys, const TPoint& point);

 private:
  void LayoutGadgets();
  TButtonGadget* ButtonAt(const TPoint& point) const;

  std::vector<std::unique_ptr<TGadget>> gadgets;
  TFont font;

  DECLARE_RESPONSE_TABLE(TControlBar);
};

// The program's bitmap resources for tool bar buttons (16 x 16); an invalid
// bitmap for an identifier that has none.
TBitmap LoadGadgetBitmap(TResId bitmapId);
