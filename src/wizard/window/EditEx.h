// The licence text box: an edit control with its own colours, font, character filter and
// context menu.
#pragma once

#include "ui/SubclassedControl.h"

#include <windows.h>

// Answers whether a typed character is accepted.
class CharFilter {
 public:
  virtual ~CharFilter() = default;
  virtual bool Accepts(UINT character) const = 0;
};

// Setup only attaches it; the rest is the designed control's interface, kept though unused.
class CEditEx : public ui::SubclassedControl {
 public:
  // The class's run-time record: its name, its base class and a factory that builds an
  // instance by that name.
  struct ClassRecord {
    const char* name;
    const char* baseName;
    CEditEx* (*create)();
  };
  static const ClassRecord kClassRecord;
  // Builds an instance from the name of its record; null for any other name.
  static CEditEx* CreateByName(const char* name);

  CEditEx();
  ~CEditEx() override;

  COLORREF SetBackColor(COLORREF color);
  COLORREF SetForeColor(COLORREF color);
  void SetLogFont(const LOGFONTA* description);
  void SetFontSpec(LONG height, BYTE pitchAndFamily, const char* faceName);
  void CopyStyleFrom(const CEditEx& other);
  // Takes ownership of `filter` (null removes the filter).
  void SetCharFilter(CharFilter* filter);
  void SetContextMenu(int menuId) { contextMenuId_ = menuId; }

  COLORREF BackColor() const { return backColor_; }
  COLORREF ForeColor() const { return foreColor_; }
  HFONT Font() const { return font_; }
  HBRUSH BackgroundBrush() const { return backgroundBrush_; }

 protected:
  virtual void CreateBackgroundBrush();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Redraw();

  HBRUSH backgroundBrush_ = nullptr;
  COLORREF backColor_;
  COLORREF foreColor_;
  CharFilter* filter_ = nullptr;
  HFONT font_ = nullptr;
  int contextMenuId_ = 0;
};
