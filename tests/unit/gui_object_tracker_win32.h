// Counts the GDI and USER objects the program's own code holds, for leak checks. Wine answers
// GetGuiResources with 0, so the counts come from the calls themselves: the test program's
// import table is patched so that every call of ours that creates or frees such an object
// goes through a counter first (objects that GDI+ or the common controls make for themselves
// are theirs and not counted). Windows of the thread are counted by enumeration.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

namespace gm::test {

struct GuiObjectCounts {
  std::size_t gdiObjects =
      0;  // bitmaps, DCs made by CreateCompatibleDC, brushes, pens, fonts, regions
  std::size_t windowDcs = 0;  // GetDC / GetWindowDC not yet released
  std::size_t menus = 0;
  std::size_t icons = 0;  // icons and cursors of our own (shared ones are the system's)
  std::size_t hooks = 0;
  std::size_t windows = 0;  // windows of the calling thread, child windows included
  DWORD systemGdi = 0;      // GetGuiResources, where the system keeps count (not Wine)
  DWORD systemUser = 0;
  friend bool operator==(const GuiObjectCounts&, const GuiObjectCounts&) = default;
};

class GuiObjectTracker {
 public:
  // Patches the import table once; later calls only return the tracker.
  static GuiObjectTracker& Instance() {
    static GuiObjectTracker tracker;
    return tracker;
  }

  GuiObjectCounts Counts() {
    GuiObjectCounts counts;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      counts.gdiObjects = gdi_.size();
      counts.windowDcs = dcs_.size();
      counts.menus = menus_.size();
      counts.icons = icons_.size();
      counts.hooks = hooks_.size();
    }
    counts.windows = ThreadWindows();
    counts.systemGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.systemUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return counts;
  }
  // Whether calls of the function are counted (the program imports it).
  bool patched(const std::string& name) const { return patched_.count(name) != 0; }

 private:
  GuiObjectTracker() { PatchImports(); }

  static std::size_t ThreadWindows() {
    std::size_t count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM total) -> BOOL {
          auto& n = *reinterpret_cast<std::size_t*>(total);
          ++n;
          EnumChildWindows(
              window,
              [](HWND, LPARAM inner) -> BOOL {
                ++*reinterpret_cast<std::size_t*>(inner);
                return TRUE;
              },
              total);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  }

  template <typename Set, typename Handle>
  static Handle Add(Set& set, Handle handle) {
    if (handle != nullptr) {
      std::lock_guard<std::mutex> lock(Instance().mutex_);
      set.insert(reinterpret_cast<void*>(handle));
    }
    return handle;
  }
  template <typename Set>
  static void Remove(Set& set, void* handle) {
    std::lock_guard<std::mutex> lock(Instance().mutex_);
    const auto found = set.find(handle);
    if (found != set.end()) set.erase(found);
  }
  static GuiObjectTracker& T() { return Instance(); }

  // The originals, filled by PatchImports.
  static inline decltype(&CreateCompatibleDC) createCompatibleDC_ = nullptr;
  static inline decltype(&CreateCompatibleBitmap) createCompatibleBitmap_ = nullptr;
  static inline decltype(&CreateDIBSection) createDIBSection_ = nullptr;
  static inline decltype(&CreateBitmap) createBitmap_ = nullptr;
  static inline decltype(&CreateSolidBrush) createSolidBrush_ = nullptr;
  static inline decltype(&CreatePen) createPen_ = nullptr;
  static inline decltype(&CreateFontW) createFontW_ = nullptr;
  static inline decltype(&CreateFontIndirectW) createFontIndirectW_ = nullptr;
  static inline decltype(&CreateRectRgn) createRectRgn_ = nullptr;
  static inline decltype(&DeleteObject) deleteObject_ = nullptr;
  static inline decltype(&DeleteDC) deleteDC_ = nullptr;
  static inline decltype(&GetDC) getDC_ = nullptr;
  static inline decltype(&GetWindowDC) getWindowDC_ = nullptr;
  static inline decltype(&ReleaseDC) releaseDC_ = nullptr;
  static inline decltype(&CreateMenu) createMenu_ = nullptr;
  static inline decltype(&CreatePopupMenu) createPopupMenu_ = nullptr;
  static inline decltype(&LoadMenuW) loadMenuW_ = nullptr;
  static inline decltype(&DestroyMenu) destroyMenu_ = nullptr;
  static inline decltype(&CreateIconIndirect) createIconIndirect_ = nullptr;
  static inline decltype(&DestroyIcon) destroyIcon_ = nullptr;
  static inline decltype(&SetWindowsHookExW) setWindowsHookExW_ = nullptr;
  static inline decltype(&UnhookWindowsHookEx) unhookWindowsHookEx_ = nullptr;

  static HDC WINAPI MyCreateCompatibleDC(HDC dc) { return Add(T().gdi_, createCompatibleDC_(dc)); }
  static HBITMAP WINAPI MyCreateCompatibleBitmap(HDC dc, int w, int h) {
    return Add(T().gdi_, createCompatibleBitmap_(dc, w, h));
  }
  static HBITMAP WINAPI MyCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                           HANDLE section, DWORD offset) {
    return Add(T().gdi_, createDIBSection_(dc, info, usage, bits, section, offset));
  }
  static HBITMAP WINAPI MyCreateBitmap(int w, int h, UINT planes, UINT bits, const void* data) {
    return Add(T().gdi_, createBitmap_(w, h, planes, bits, data));
  }
  static HBRUSH WINAPI MyCreateSolidBrush(COLORREF colour) {
    return Add(T().gdi_, createSolidBrush_(colour));
  }
  static HPEN WINAPI MyCreatePen(int style, int width, COLORREF colour) {
    return Add(T().gdi_, createPen_(style, width, colour));
  }
  static HFONT WINAPI MyCreateFontW(int h, int w, int e, int o, int weight, DWORD i, DWORD u,
                                    DWORD s, DWORD c, DWORD op, DWORD cp, DWORD q, DWORD pf,
                                    LPCWSTR face) {
    return Add(T().gdi_, createFontW_(h, w, e, o, weight, i, u, s, c, op, cp, q, pf, face));
  }
  static HFONT WINAPI MyCreateFontIndirectW(const LOGFONTW* font) {
    return Add(T().gdi_, createFontIndirectW_(font));
  }
  static HRGN WINAPI MyCreateRectRgn(int l, int t, int r, int b) {
    return Add(T().gdi_, createRectRgn_(l, t, r, b));
  }
  static BOOL WINAPI MyDeleteObject(HGDIOBJ object) {
    Remove(T().gdi_, object);
    return deleteObject_(object);
  }
  static BOOL WINAPI MyDeleteDC(HDC dc) {
    Remove(T().gdi_, dc);
    return deleteDC_(dc);
  }
  static HDC WINAPI MyGetDC(HWND window) { return Add(T().dcs_, getDC_(window)); }
  static HDC WINAPI MyGetWindowDC(HWND window) { return Add(T().dcs_, getWindowDC_(window)); }
  static int WINAPI MyReleaseDC(HWND window, HDC dc) {
    Remove(T().dcs_, dc);
    return releaseDC_(window, dc);
  }
  static HMENU WINAPI MyCreateMenu() { return Add(T().menus_, createMenu_()); }
  static HMENU WINAPI MyCreatePopupMenu() { return Add(T().menus_, createPopupMenu_()); }
  static HMENU WINAPI MyLoadMenuW(HINSTANCE instance, LPCWSTR name) {
    return Add(T().menus_, loadMenuW_(instance, name));
  }
  static BOOL WINAPI MyDestroyMenu(HMENU menu) {
    Remove(T().menus_, menu);
    return destroyMenu_(menu);
  }
  static HICON WINAPI MyCreateIconIndirect(PICONINFO info) {
    return Add(T().icons_, createIconIndirect_(info));
  }
  static BOOL WINAPI MyDestroyIcon(HICON icon) {
    Remove(T().icons_, icon);
    return destroyIcon_(icon);
  }
  static HHOOK WINAPI MySetWindowsHookExW(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
    return Add(T().hooks_, setWindowsHookExW_(id, proc, module, thread));
  }
  static BOOL WINAPI MyUnhookWindowsHookEx(HHOOK hook) {
    Remove(T().hooks_, hook);
    return unhookWindowsHookEx_(hook);
  }

  struct Patch {
    const char* name;
    void** original;
    void* replacement;
  };

  template <typename F>
  static Patch Make(const char* name, F*& original, F* replacement) {
    return {name, reinterpret_cast<void**>(&original), reinterpret_cast<void*>(replacement)};
  }

  static constexpr std::size_t kPatchCount = 22;

  void PatchImports() {
    const Patch patches[kPatchCount] = {
        Make("CreateCompatibleDC", createCompatibleDC_, &MyCreateCompatibleDC),
        Make("CreateCompatibleBitmap", createCompatibleBitmap_, &MyCreateCompatibleBitmap),
        Make("CreateDIBSection", createDIBSection_, &MyCreateDIBSection),
        Make("CreateBitmap", createBitmap_, &MyCreateBitmap),
        Make("CreateSolidBrush", createSolidBrush_, &MyCreateSolidBrush),
        Make("CreatePen", createPen_, &MyCreatePen),
        Make("CreateFontW", createFontW_, &MyCreateFontW),
        Make("CreateFontIndirectW", createFontIndirectW_, &MyCreateFontIndirectW),
        Make("CreateRectRgn", createRectRgn_, &MyCreateRectRgn),
        Make("DeleteObject", deleteObject_, &MyDeleteObject),
        Make("DeleteDC", deleteDC_, &MyDeleteDC),
        Make("GetDC", getDC_, &MyGetDC),
        Make("GetWindowDC", getWindowDC_, &MyGetWindowDC),
        Make("ReleaseDC", releaseDC_, &MyReleaseDC),
        Make("CreateMenu", createMenu_, &MyCreateMenu),
        Make("CreatePopupMenu", createPopupMenu_, &MyCreatePopupMenu),
        Make("LoadMenuW", loadMenuW_, &MyLoadMenuW),
        Make("DestroyMenu", destroyMenu_, &MyDestroyMenu),
        Make("CreateIconIndirect", createIconIndirect_, &MyCreateIconIndirect),
        Make("DestroyIcon", destroyIcon_, &MyDestroyIcon),
        Make("SetWindowsHookExW", setWindowsHookExW_, &MySetWindowsHookExW),
        Make("UnhookWindowsHookEx", unhookWindowsHookEx_, &MyUnhookWindowsHookEx),
    };
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
      if (entry->OriginalFirstThunk == 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const char* name =
            reinterpret_cast<const char*>(base + names->u1.AddressOfData + sizeof(WORD));
        for (const Patch& patch : patches) {
          if (std::strcmp(name, patch.name) != 0) continue;
          DWORD protection = 0;
          VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE,
                         &protection);
          *patch.original = reinterpret_cast<void*>(slots->u1.Function);
          slots->u1.Function = reinterpret_cast<ULONG_PTR>(patch.replacement);
          VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
          patched_.insert(patch.name);
        }
      }
    }
  }

  std::mutex mutex_;
  std::set<void*> gdi_;
  std::multiset<void*> dcs_;  // the screen DC may come back the same while held
  std::set<void*> menus_;
  std::set<void*> icons_;
  std::set<void*> hooks_;
  std::set<std::string> patched_;
};

}  // namespace gm::test
