// A window's picture as a PNG file, read back with the imaging component's decoder.
#include <gtest/gtest.h>

#include <wincodec.h>
#include <windows.h>

#include <filesystem>
#include <vector>

#include "windows/handles/com_ptr.hpp"
#include "windows/handles/window.hpp"
#include "windows/ui/window_picture.hpp"

namespace {

using windows::ComPtr;

// The file's first frame as 32-bit BGRA rows, top row first; empty when it cannot be read.
struct Decoded {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> pixels;
  COLORREF at(UINT x, UINT y) const {
    const BYTE* p = &pixels[(std::size_t{y} * width + x) * 4];
    return RGB(p[2], p[1], p[0]);
  }
};

Decoded readPng(const std::filesystem::path& path) {
  Decoded out;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.put())))) {
    return out;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.put()))) {
    return out;
  }
  GUID container{};
  if (FAILED(decoder->GetContainerFormat(&container)) ||
      !IsEqualGUID(container, GUID_ContainerFormatPng)) {
    return out;
  }
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) return out;
  ComPtr<IWICBitmapSource> bgra;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), bgra.put())))
    return out;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(bgra->GetSize(&width, &height))) return out;
  std::vector<BYTE> pixels(std::size_t{width} * height * 4);
  if (FAILED(
          bgra->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data()))) {
    return out;
  }
  return {width, height, std::move(pixels)};
}

HWND makeWindow(const wchar_t* cls, COLORREF colour, DWORD style, RECT r, HWND parent) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = CreateSolidBrush(colour);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, cls, L"", style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, nullptr, wc.hInstance, nullptr);
  // Shown without being activated: with no window manager on the display, hiding an activated
  // window waits two seconds for the manager's answer.
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

// A bordered red window at a known place with a blue child near its top left corner: the
// picture is the whole window rectangle, the child included, the right way up, red as red.
TEST(WindowPicture, WritesTheWindowAsShownOnScreen) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(SUCCEEDED(com));
  const windows::UniqueWindow owned(makeWindow(
      L"QuadriftPictureRed", RGB(255, 0, 0), WS_POPUP | WS_BORDER, {130, 110, 170, 140}, nullptr));
  const HWND window = owned.get();
  ASSERT_NE(window, nullptr);
  HWND child = makeWindow(L"QuadriftPictureBlue", RGB(0, 0, 255), WS_CHILD, {2, 2, 12, 10}, window);
  ASSERT_NE(child, nullptr);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);

  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"quadrift-pic.png";
  EXPECT_EQ(windows::writeWindowPng(window, file), "");
  RECT outer{};
  GetWindowRect(window, &outer);
  POINT inChild{6, 5};
  MapWindowPoints(child, nullptr, &inChild, 1);
  const Decoded png = readPng(file);
  EXPECT_EQ(png.width, static_cast<UINT>(outer.right - outer.left));
  EXPECT_EQ(png.height, static_cast<UINT>(outer.bottom - outer.top));
  if (png.width == 40 && png.height == 30) {  // the size the window was made with
    EXPECT_EQ(png.at(20, 15), RGB(255, 0, 0));
    EXPECT_EQ(
        png.at(static_cast<UINT>(inChild.x - outer.left), static_cast<UINT>(inChild.y - outer.top)),
        RGB(0, 0, 255));
    EXPECT_NE(png.at(0, 0), RGB(255, 0, 0));  // the border
  }
  std::filesystem::remove(file);

  const std::filesystem::path nowhere =
      std::filesystem::temp_directory_path() / L"quadrift-missing-folder" / L"pic.png";
  EXPECT_NE(windows::writeWindowPng(window, nowhere), "");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
  CoUninitialize();
}

}  // namespace
