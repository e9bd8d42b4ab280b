// A static text with its own colours and font, which can flash its text or its background
// and can open its text as a document when clicked.
#pragma once

#include "ui/SubclassedControl.h"

#include <windows.h>

#include <string>

// Setup sets only text, colours and font; the rest is the designed interface, kept unused.
class CLabelStatic : public ui::SubclassedControl {
 public:
  enum FlashMode { NoFlash = 0, TextFlash = 1, BackgroundFlash = 2 };
  static const UINT_PTR kFlashTimer = 1;
  static const UINT kFlashInterval = 500;

  CLabelStatic();
  ~CLabelStatic() override;

  CLabelStatic& SetText(const char* text);
  CLabelStatic& SetForeColor(COLORREF color);
  CLabelStatic& SetBackColor(COLORREF color);
  CLabelStatic& SetFontBold(bool bold);
  CLabelStatic& SetFontUnderline(bool underline);
  CLabelStatic& SetFontItalic(bool italic);
  CLabelStatic& SetFontSize(int size);
  CLabelStatic& SetFontName(const char* name);
  CLabelStatic& SetSunken(bool sunken);
  CLabelStatic& SetBorder(bool border);
  CLabelStatic& SetLink(bool link);
  CLabelStatic& SetLinkCursor(HCURSOR cursor);
  CLabelStatic& FlashText(bool flash);
  CLabelStatic& FlashBackground(bool flash);

  COLORREF ForeColor() const { return foreColor_; }
  const LOGFONTA& FontDescription() const { return fontDescription_; }
  HFONT Font() const { return font_; }
  int Mode() const { return flashMode_; }
  int Phase() const { return phase_; }
  bool IsLink() const { return link_ != 0; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void RebuildFont();
  void RedrawNow();
  void StopFlash();
  void ChangeStyle(int index, LONG_PTR bits, bool set);

  COLORREF foreColor_;
  HBRUSH backgroundBrush_;
  HBRUSH alternateBrush_;
  LOGFONTA fontDescription_;
  HFONT font_ = nullptr;
  std::string savedText_;
  int phase_ = 0;
  int timerRunning_ = 0;
  int link_ = 1;
  int flashMode_ = NoFlash;
  HCURSOR linkCursor_ = nullptr;
};
