#pragma once
// A small window that shows how far a long operation has come: a text, a bar
// with the percentage done and, when the operation may be given up, an
// "Отмена" button. It appears only once the operation has lasted a moment;
// from then on each update keeps the program's windows painted, while the
// owner's frame takes no input, until the window goes with the object.

#include <chrono>
#include <cstdint>
#include <memory>

class TWindow;

class TProgressWindow {
 public:
  // How long an operation runs before the window appears.
  static constexpr std::chrono::milliseconds kDelay{500};

  // text is Windows-1251; the caption is the application's name.
  TProgressWindow(TWindow& owner, const char* text, bool cancellable);
  ~TProgressWindow();
  TProgressWindow(const TProgressWindow&) = delete;
  TProgressWindow& operator=(const TProgressWindow&) = delete;

  // done of total units (total 0: unknown). False once "Отмена" has been
  // pressed.
  bool Update(std::uint64_t done, std::uint64_t total);
  bool IsShown() const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl;
};

// Progress windows appear at their first update, however soon it comes: for
// tests, and for the program when the environment variable
// GRIDWORK_PROGRESS_AT_ONCE is set to 1.
void SetProgressAtOnce(bool atOnce);
