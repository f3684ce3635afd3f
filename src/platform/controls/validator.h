#pragma once
// Validators of edit controls: they decide which texts the user may type or
// paste into the control.

#include <bitset>
#include <string_view>

// A set of Windows-1251 characters, written as the characters themselves
// with ranges "a-z"; a '-' at the start or end stands for itself.
class TCharSet {
 public:
  TCharSet() = default;
  explicit TCharSet(std::string_view chars);

  bool Has(char c) const { return bits.test(static_cast<unsigned char>(c)); }
  TCharSet& operator+=(char c);

 private:
  std::bitset<256> bits;
};

class TValidator {
 public:
  virtual ~TValidator() = default;
  // Whether the text may stand in the control while the user edits it.
  virtual bool IsValidInput(std::string_view text) const = 0;
  // Whether the finished text is acceptable.
  virtual bool IsValid(std::string_view text) const { return IsValidInput(text); }
};

// Accepts texts made only of the characters of its set.
class TFilterValidator : public TValidator {
 public:
  explicit TFilterValidator(const TCharSet& validChars) : validChars(validChars) {}
  bool IsValidInput(std::string_view text) const override;

 private:
  TCharSet validChars;
};
