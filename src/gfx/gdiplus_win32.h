// GDI+ for the drawing toolkit: the headers in the order mingw-w64 and MSVC both accept, and the
// library's start and end for the process (the application starts it before the first image).
#pragma once

#include <windows.h>

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

namespace gm::gfx {

// Starts GDI+ on construction and shuts it down on destruction.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool started() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace gm::gfx
