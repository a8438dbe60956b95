// Drawing under Windows: images drawn into memory contexts and read back pixel by pixel, the
// off-screen context, PNG resources, the image button's looks and drag, and the default skin
// decoded by the program's own loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gfx/gdip_button_win32.h"
#include "gfx/gdiplus_bitmap_win32.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/image_win32.h"
#include "gfx/mem_dc_win32.h"
#include "gfx/skin_files.h"
#include "png_writer.h"

namespace gm::gfx {
namespace {

namespace fs = std::filesystem;

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 1) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance && std::abs(actual.b - expected.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not (" << expected.r
         << ", " << expected.g << ", " << expected.b << ")";
}

Rgb PixelOf(HDC dc, int x, int y) {
  const COLORREF c = GetPixel(dc, x, y);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A memory context on a 32-bit bitmap, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    Fill({0, 0, width, height}, fill);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void Fill(RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &area, brush);
    DeleteObject(brush);
  }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  Rgb Pixel(int x, int y) const { return PixelOf(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

class GfxWin32 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new GdiplusSession; }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(session_->started());
    dir_ = fs::temp_directory_path() / "gm-gfx-test";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::wstring Write(const char* name, const test::PngImage& image) {
    const fs::path path = dir_ / name;
    test::WritePng(path.string(), image);
    return path.wstring();
  }

  static GdiplusSession* session_;
  fs::path dir_;
};
GdiplusSession* GfxWin32::session_ = nullptr;

TEST_F(GfxWin32, AlphaImageIsPremultipliedAndBlendedPerPixel) {
  // RGBA: half-transparent (200, 100, 50), fully transparent, opaque.
  const std::wstring path =
      Write("alpha.png", {3, 1, 6, {200, 100, 50, 128, 10, 20, 30, 0, 17, 34, 51, 255}, {}, {}});
  auto image = DibImage::Load(path);
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->hasAlpha());
  EXPECT_EQ(image->bitsPerPixel(), 32);

  Canvas canvas(6, 3, RGB(255, 255, 255));
  test::FakeHost host;
  EXPECT_EQ(DrawPng(host, canvas.dc(), path, 1, 1), 1);
  EXPECT_TRUE(host.messages.empty());
  // over white: premultiplied (100, 50, 25) + 255 * (255 - 128) / 255
  EXPECT_TRUE(Near(canvas.Pixel(1, 1), {227, 177, 152}));
  EXPECT_EQ(canvas.Pixel(2, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(canvas.Pixel(3, 1), (Rgb{17, 34, 51}));
  EXPECT_EQ(canvas.Pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(canvas.Pixel(4, 1), (Rgb{255, 255, 255}));
}

TEST_F(GfxWin32, TwentyFourBitImageIsCopiedWithoutBlending) {
  const std::wstring path =
      Write("rgb.png", {2, 2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3}, {}, {}});
  auto image = DibImage::Load(path);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha());
  EXPECT_EQ(image->bitsPerPixel(), 24);
  Canvas canvas(4, 4, RGB(9, 9, 9));
  EXPECT_TRUE(DrawSkinImage(canvas.dc(), path, 1, 1));
  EXPECT_EQ(canvas.Pixel(1, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(canvas.Pixel(2, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(canvas.Pixel(1, 2), (Rgb{0, 0, 255}));
  EXPECT_EQ(canvas.Pixel(2, 2), (Rgb{1, 2, 3}));
  EXPECT_EQ(canvas.Pixel(3, 3), (Rgb{9, 9, 9}));
}

TEST_F(GfxWin32, PaletteImageWithATransparentColourLeavesThosePixelsAlone) {
  // Depending on the decoder this arrives as a transparent palette colour or as alpha; either
  // way the transparent pixels must not cover what is under them.
  test::PngImage image{2, 1, 3, {0, 1}, {255, 0, 0, 0, 255, 0}, {0}};
  const std::wstring path = Write("palette.png", image);
  auto loaded = DibImage::Load(path);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->hasAlpha() || loaded->transparentColour());
  Canvas canvas(3, 1, RGB(40, 40, 40));
  EXPECT_TRUE(DrawSkinImage(canvas.dc(), path, 0, 0));
  EXPECT_EQ(canvas.Pixel(0, 0), (Rgb{40, 40, 40}));
  EXPECT_EQ(canvas.Pixel(1, 0), (Rgb{0, 255, 0}));
}

TEST_F(GfxWin32, MissingFileIsReportedByDrawPngAndSilentInTheMainWindow) {
  Canvas canvas(2, 2, RGB(1, 2, 3));
  test::FakeHost host;
  const std::wstring missing = (dir_ / "none.png").wstring();
  EXPECT_EQ(DrawPng(host, canvas.dc(), missing, 0, 0), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"LoadPng---Load image failed.");
  EXPECT_EQ(host.messages[0].title, L"QL-GM900");

  EXPECT_FALSE(DrawSkinImage(canvas.dc(), missing, 0, 0));
  // Not an image at all: the same as missing.
  std::ofstream((dir_ / "text.png").string()) << "not a picture";
  EXPECT_FALSE(DrawSkinImage(canvas.dc(), (dir_ / "text.png").wstring(), 0, 0));
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(canvas.Pixel(0, 0), (Rgb{1, 2, 3}));
}

TEST_F(GfxWin32, MemDcDrawsInTargetCoordinatesAndCopiesItsRectangleOnce) {
  Canvas target(30, 30, RGB(0, 0, 255));
  {
    const RECT area{10, 10, 20, 20};
    CMemDC memory(target.dc(), &area);
    ASSERT_TRUE(memory.offScreen());
    RECT spot{12, 12, 14, 14};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &spot, red);
    DeleteObject(red);
    EXPECT_EQ(target.Pixel(12, 12), (Rgb{0, 0, 255})) << "nothing reaches the target early";
  }
  EXPECT_EQ(target.Pixel(12, 12), (Rgb{255, 0, 0}));
  EXPECT_EQ(target.Pixel(13, 13), (Rgb{255, 0, 0}));
  EXPECT_EQ(target.Pixel(9, 9), (Rgb{0, 0, 255}));
  EXPECT_EQ(target.Pixel(20, 20), (Rgb{0, 0, 255}));

  // A kept picture: what is drawn stays in it and covers the target from its origin.
  Canvas window(8, 8, RGB(0, 0, 0));
  Canvas picture(4, 4, RGB(7, 7, 7));
  HDC pictureDc = picture.dc();
  HBITMAP kept = picture.bitmap();
  SelectObject(pictureDc, GetStockObject(NULL_BRUSH));  // free the bitmap for the CMemDC
  HBITMAP scratch = CreateCompatibleBitmap(pictureDc, 1, 1);
  HGDIOBJ was = SelectObject(pictureDc, scratch);
  {
    CMemDC memory(window.dc(), kept);
    RECT spot{1, 1, 2, 2};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(memory, &spot, green);
    DeleteObject(green);
  }
  SelectObject(pictureDc, was);
  DeleteObject(scratch);
  EXPECT_EQ(window.Pixel(0, 0), (Rgb{7, 7, 7}));
  EXPECT_EQ(window.Pixel(1, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(window.Pixel(4, 4), (Rgb{0, 0, 0}));
  EXPECT_EQ(picture.Pixel(1, 1), (Rgb{0, 255, 0}));
}

TEST_F(GfxWin32, MemDcCopiesNothingFromAPictureInUseElsewhere) {
  // Guards against the memory context's own empty bitmap being copied over the target.
  Canvas window(8, 8, RGB(0, 0, 255));
  Canvas picture(4, 4, RGB(7, 7, 7));  // its bitmap stays selected into its own context
  {
    CMemDC copy(window.dc(), picture.bitmap());
    EXPECT_FALSE(copy.offScreen());
    EXPECT_EQ(copy.dc(), window.dc());
  }
  EXPECT_EQ(window.Pixel(0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(window.Pixel(3, 3), (Rgb{0, 0, 255}));
}

TEST_F(GfxWin32, ScrollThumbResourceLoadsFromTheProgram) {
  CGdiPlusBitmapResource thumb;
  ASSERT_TRUE(thumb.Load(kScrollThumbPng));
  EXPECT_EQ(thumb.width(), 8u);
  EXPECT_EQ(thumb.height(), 114u);
  Gdiplus::PixelFormat format = 0;
  Gdiplus::DllExports::GdipGetImagePixelFormat(thumb.bitmap(), &format);
  EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(format));

  EXPECT_FALSE(thumb.Load(9999));
  EXPECT_FALSE(thumb) << "a failed load leaves nothing behind";
  EXPECT_FALSE(thumb.Load(kScrollThumbPng, L"JPEG"));
  EXPECT_TRUE(thumb.Load(kScrollThumbPng)) << "and it can load again";
}

TEST_F(GfxWin32, ProgramIconHasItsSmallAndLargeImages) {
  HINSTANCE program = GetModuleHandleW(nullptr);
  for (int size : {16, 32, 48, 256}) {
    HICON icon = static_cast<HICON>(
        LoadImageW(program, MAKEINTRESOURCEW(720), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

std::wstring SkinPath(const std::wstring& name) {
  std::wstring folder;
  for (const char* c = GM_SKIN_DIR; *c != 0; ++c) folder.push_back(static_cast<wchar_t>(*c));
  // A Unix path of the build folder reaches Wine's programs through drive Z:.
  if (!folder.empty() && folder.front() == L'/') folder = L"Z:" + folder;
  return folder + name;
}

// The size measured from a file's header is the size of what is drawn.
TEST_F(GfxWin32, EverySkinFileDecodesWithTheProgramsLoaderAtTheSizeItsHeaderSays) {
  for (const std::wstring& name : skin::AllSkinFiles()) {
    auto image = DibImage::Load(SkinPath(name));
    ASSERT_TRUE(image) << std::string(name.begin(), name.end());
    EXPECT_GT(image->width(), 0);
    const auto size = ImageFileSize(SkinPath(name));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->cx, image->width());
    EXPECT_EQ(size->cy, image->height());
  }
}

TEST_F(GfxWin32, ImageFileSizeOfOtherFilesComesFromTheDecoder) {
  EXPECT_FALSE(ImageFileSize((dir_ / "none.png").wstring()));
  std::ofstream((dir_ / "text.png").string()) << "not a picture";
  EXPECT_FALSE(ImageFileSize((dir_ / "text.png").wstring()));
  // A BMP: 3 x 2, 24 bits, no header a PNG reader knows.
  std::vector<std::uint8_t> bmp(54 + 2 * 12, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  auto put = [&bmp](std::size_t at, std::uint32_t v) {
    for (std::size_t k = 0; k < 4; ++k) bmp[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
  };
  put(2, static_cast<std::uint32_t>(bmp.size()));
  put(10, 54);
  put(14, 40);
  put(18, 3);
  put(22, 2);
  bmp[26] = 1;
  bmp[28] = 24;
  std::ofstream((dir_ / "image.bmp").string(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  const auto size = ImageFileSize((dir_ / "image.bmp").wstring());
  ASSERT_TRUE(size);
  EXPECT_EQ(size->cx, 3);
  EXPECT_EQ(size->cy, 2);
}

// Alpha channel of a part image, one byte per pixel.
std::vector<std::uint8_t> AlphaOf(const std::wstring& name) {
  auto image = DibImage::Load(SkinPath(name));
  if (!image || !image->hasAlpha()) return {};
  std::vector<std::uint8_t> alpha;
  for (int y = 0; y < image->height(); ++y)
    for (int x = 0; x < image->width(); ++x)
      alpha.push_back(image->bits()[y * image->pitch() + x * 4 + 3]);
  return alpha;
}

TEST_F(GfxWin32, MousePartsCanBeDrawnInEitherLookInAnyOrder) {
  using skin::PartLook;
  std::vector<std::vector<std::uint8_t>> front, side;
  for (int button = 0; button < skin::kFrontPartCount + skin::kSidePartCount; ++button) {
    const auto normals = skin::MousePartsOfButton(button, PartLook::Normal);
    const auto overs = skin::MousePartsOfButton(button, PartLook::Over);
    for (std::size_t i = 0; i < normals.size(); ++i) {
      const auto normal = AlphaOf(normals[i]);
      ASSERT_FALSE(normal.empty()) << std::string(normals[i].begin(), normals[i].end());
      // Same shape in both looks, and opaque over it: the normal look covers the over look.
      EXPECT_EQ(normal, AlphaOf(overs[i])) << std::string(normals[i].begin(), normals[i].end());
      for (std::uint8_t a : normal) ASSERT_TRUE(a == 0 || a == 255);
      (button < skin::kFrontPartCount ? front : side).push_back(normal);
    }
  }
  for (const auto* view : {&front, &side})
    for (std::size_t a = 0; a < view->size(); ++a)
      for (std::size_t b = a + 1; b < view->size(); ++b)
        for (std::size_t p = 0; p < (*view)[a].size(); ++p)
          ASSERT_FALSE((*view)[a][p] != 0 && (*view)[b][p] != 0) << "parts overlap";
}

// A parent window for the image button. It stays hidden (under Wine without a window manager
// destroying a shown window waits two seconds), so paints are asked for directly.
class ParentWindow {
 public:
  ParentWindow() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = CreateSolidBrush(RGB(10, 20, 30));
      wc.lpszClassName = L"GmGfxTestParent";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(0, L"GmGfxTestParent", L"gfx test", WS_POPUP, 0, 0, 1000, 650, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) ADD_FAILURE() << "no window: these tests need a display (Xvfb)";
  }
  ~ParentWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

RECT InParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<WPARAM> MovedMessages(HWND parent) {
  std::vector<WPARAM> tops;
  MSG msg;
  while (PeekMessageW(&msg, parent, kThumbMovedMessage, kThumbMovedMessage, PM_REMOVE))
    tops.push_back(msg.wParam);
  return tops;
}

void Paint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  SendMessageW(window, WM_PAINT, 0, 0);
}

void Mouse(HWND button, UINT message, int x, int y) {
  SendMessageW(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

TEST_F(GfxWin32, ImageButtonRendersItsLooksOnceThroughTheColourMatrices) {
  ParentWindow parent;
  ASSERT_NE(parent.hwnd(), nullptr);
  CGdipButton thumb;
  ASSERT_TRUE(thumb.Create(parent.hwnd(), {984, 32, 991, 146}, 161));
  ASSERT_TRUE(thumb.LoadStdImage(kScrollThumbPng));
  ASSERT_TRUE(thumb.LoadAltImage(kScrollThumbPng));
  EXPECT_FALSE(thumb.cachesBuilt());
  Paint(thumb.hwnd());
  ASSERT_TRUE(thumb.cachesBuilt());
  // Enabled and not pressed: always the highlighted look.
  EXPECT_EQ(thumb.lookInUse(), CGdipButton::Look::StandardHighlighted);

  using L = CGdipButton::Look;
  const Rgb standard = PixelOf(thumb.LookContext(L::Standard), 3, 20);
  EXPECT_EQ(PixelOf(thumb.LookContext(L::StandardPressed), 3, 20), standard);
  auto brighten = [](int c) { return std::min(255, static_cast<int>(c * 1.05 + 12.75 + 0.5)); };
  EXPECT_TRUE(Near(PixelOf(thumb.LookContext(L::StandardHighlighted), 3, 20),
                   {brighten(standard.r), brighten(standard.g), brighten(standard.b)}, 2));
  const int grey = static_cast<int>(0.3 * standard.r + 0.59 * standard.g + 0.11 * standard.b + 0.5);
  EXPECT_TRUE(Near(PixelOf(thumb.LookContext(L::Greyed), 3, 20), {grey, grey, grey}, 2));
  // The alternate pressed look is drawn one pixel down and to the right.
  EXPECT_EQ(PixelOf(thumb.LookContext(L::AlternatePressed), 4, 21), standard);

  Mouse(thumb.hwnd(), WM_LBUTTONDOWN, 3, 10);
  Paint(thumb.hwnd());
  EXPECT_EQ(thumb.lookInUse(), L::StandardPressed);
  Mouse(thumb.hwnd(), WM_LBUTTONUP, 3, 10);
  thumb.EnableButton(false);
  Paint(thumb.hwnd());
  EXPECT_EQ(thumb.lookInUse(), L::Greyed);
}

TEST_F(GfxWin32, ThumbDragsAlongItsTrackAndTellsItsNewTop) {
  ParentWindow parent;
  ASSERT_NE(parent.hwnd(), nullptr);
  CGdipButton thumb;
  ASSERT_TRUE(thumb.Create(parent.hwnd(), {984, 32, 991, 146}, 161));
  thumb.LoadStdImage(kScrollThumbPng);
  MovedMessages(parent.hwnd());

  Mouse(thumb.hwnd(), WM_LBUTTONDOWN, 3, 10);
  EXPECT_TRUE(thumb.dragging());
  Mouse(thumb.hwnd(), WM_MOUSEMOVE, 3, 60);  // 50 down
  EXPECT_EQ(InParent(thumb.hwnd()).top, 82);
  EXPECT_EQ(MovedMessages(parent.hwnd()), std::vector<WPARAM>{82});

  Mouse(thumb.hwnd(), WM_MOUSEMOVE, 3, 10 - 100);  // far above the track: refused
  EXPECT_EQ(InParent(thumb.hwnd()).top, 82);
  Mouse(thumb.hwnd(), WM_MOUSEMOVE, 3, 10 + 600);  // far below: refused
  EXPECT_EQ(InParent(thumb.hwnd()).top, 82);
  EXPECT_TRUE(MovedMessages(parent.hwnd()).empty());

  Mouse(thumb.hwnd(), WM_MOUSEMOVE, 3, 10 + 481 - 82);  // to the lowest place: bottom 595
  EXPECT_EQ(InParent(thumb.hwnd()).bottom, 595);
  EXPECT_EQ(MovedMessages(parent.hwnd()), std::vector<WPARAM>{481});

  Mouse(thumb.hwnd(), WM_LBUTTONUP, 3, 10);
  EXPECT_FALSE(thumb.dragging());
  Mouse(thumb.hwnd(), WM_MOUSEMOVE, 3, 0);
  EXPECT_EQ(InParent(thumb.hwnd()).top, 481) << "no drag after the release";

  CGdipButton offTrack;
  ASSERT_TRUE(offTrack.Create(parent.hwnd(), {900, 32, 907, 146}, 162));
  Mouse(offTrack.hwnd(), WM_LBUTTONDOWN, 3, 10);
  Mouse(offTrack.hwnd(), WM_MOUSEMOVE, 3, 60);
  EXPECT_EQ(InParent(offTrack.hwnd()).top, 32);
  EXPECT_TRUE(MovedMessages(parent.hwnd()).empty());
}

}  // namespace
}  // namespace gm::gfx
