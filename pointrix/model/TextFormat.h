#pragma once

#include <initializer_list>
#include <string>

// Formats the "%d"/"%s" texts of pointrix. The format strings come from
// language.ini, so they are outside input: each conversion takes the next
// argument only when its kind matches, and anything else is kept literally
// (no printf, so a stray "%s" or "%n" in a translation cannot crash).
namespace pointrix {

class TextArg {
 public:
  TextArg(int value) : isNumber_(true), number_(value) {}
  TextArg(long long value) : isNumber_(true), number_(value) {}
  TextArg(const std::wstring& text) : isNumber_(false), text_(text) {}
  TextArg(const wchar_t* text) : isNumber_(false), text_(text ? text : L"") {}

  bool IsNumber() const { return isNumber_; }
  long long Number() const { return number_; }
  const std::wstring& Text() const { return text_; }

 private:
  bool isNumber_;
  long long number_ = 0;
  std::wstring text_;
};

// Conversions: %d %i %u (number), %s %ls %S (text), %% (percent sign).
// A conversion without a matching argument is left in the text as written.
std::wstring FormatText(const std::wstring& format, std::initializer_list<TextArg> args);

}  // namespace pointrix
