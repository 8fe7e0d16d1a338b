// A static control that works as a hyperlink: blue until the shell has opened its target once, purple
// after, underlined, with a hand cursor; a click opens the target (the control's text when the
// target is empty) and beeps when the shell cannot.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"
#include "framework/subclass.h"

class CStaticLink : public fw::SubclassedWindow {
 public:
  static constexpr COLORREF kUnvisitedColor = RGB(0, 0, 255);
  static constexpr COLORREF kVisitedColor = RGB(128, 0, 128);
  static constexpr WORD kHandCursorId = 1056;

  // A link with autoDelete deletes itself when its window is destroyed; create it with new.
  explicit CStaticLink(const char* target = nullptr, bool autoDelete = false);
  ~CStaticLink() override;

  const std::string& Target() const { return target_; }
  COLORREF TextColor() const { return color_; }

  // What a failed open sounds like; returns the previous one. Default: MessageBeep(MB_OK).
  using FailureBeep = void (*)();
  static FailureBeep SetFailureBeep(FailureBeep beep);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

 private:
  // Null for static styles other than plain left, centred and right text.
  HBRUSH OnControlColor(HDC dc);
  void OpenLink();
  bool SetHandCursor();

  std::string target_;
  COLORREF color_ = kUnvisitedColor;
  fw::GdiObject underlinedFont_;
  bool autoDelete_;
};
