#include "windows/ui/window_picture.hpp"

#include <wincodec.h>

#include <cstddef>
#include <cstdio>
#include <system_error>
#include <vector>

#include "windows/handles/com_ptr.hpp"
#include "windows/handles/gdi.hpp"

namespace windows {
namespace {

// Rows of 24-bit BGR pixels, top row first, with no padding between rows.
struct Picture {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> pixels;
  UINT stride() const { return width * 3; }
};

std::string withCode(const std::string& what, unsigned long code) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lX", code);
  return what + " (" + hex + ")";
}

std::string utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The screen's pixels inside `area`, copied through a 32-bit top-down DIB section.
std::string capture(const RECT& area, Picture& out) {
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return "the rectangle to capture is empty";
  const WindowDC screen(nullptr);
  if (!screen) return "the screen cannot be read";
  const UniqueDC memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const UniqueBitmap bitmap(
      memory ? CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
  std::string error;
  if (!bitmap) {
    error = "no bitmap of " + std::to_string(width) + "x" + std::to_string(height) + " pixels";
  } else {
    const Selection selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                SRCCOPY | CAPTUREBLT)) {
      error = withCode("the screen cannot be copied", GetLastError());
    } else {
      GdiFlush();  // the DIB's memory holds the copy only once GDI has done it
      out.width = static_cast<UINT>(width);
      out.height = static_cast<UINT>(height);
      const std::size_t count = std::size_t{out.width} * out.height;
      out.pixels.resize(count * 3);
      const BYTE* from = static_cast<const BYTE*>(bits);
      for (std::size_t i = 0; i < count; ++i) {
        out.pixels[i * 3] = from[i * 4];
        out.pixels[i * 3 + 1] = from[i * 4 + 1];
        out.pixels[i * 3 + 2] = from[i * 4 + 2];
      }
    }
  }
  return error;
}

// Encodes `picture` as one PNG frame into `stream`.
std::string encode(IWICImagingFactory* factory, IWICStream* stream, const Picture& picture) {
  ComPtr<IWICBitmapEncoder> encoder;
  HRESULT hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
  if (FAILED(hr)) return withCode("no PNG encoder", static_cast<unsigned long>(hr));
  hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.put(), options.put());
  if (SUCCEEDED(hr)) hr = frame->Initialize(options.get());
  if (SUCCEEDED(hr)) hr = frame->SetSize(picture.width, picture.height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  if (FAILED(hr)) return withCode("the PNG frame cannot be set up", static_cast<unsigned long>(hr));
  // The encoder may answer with the format it would rather have; it must take these pixels.
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    return "the PNG encoder does not take 24-bit BGR pixels";
  }
  // WritePixels only reads the buffer, whatever its declaration says.
  BYTE* pixels = const_cast<BYTE*>(picture.pixels.data());
  hr = frame->WritePixels(picture.height, picture.stride(),
                          static_cast<UINT>(picture.pixels.size()), pixels);
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  if (FAILED(hr)) return withCode("the PNG cannot be written", static_cast<unsigned long>(hr));
  return {};
}

}  // namespace

std::string writeScreenPng(const RECT& screenRect, const std::filesystem::path& path) {
  Picture picture;
  if (std::string error = capture(screenRect, picture); !error.empty()) return error;

  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.put()));
  if (hr == CO_E_NOTINITIALIZED) return "COM is not initialised on this thread";
  if (FAILED(hr)) {
    return withCode("the imaging component cannot be started", static_cast<unsigned long>(hr));
  }
  ComPtr<IWICStream> stream;
  hr = factory->CreateStream(stream.put());
  if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
  if (FAILED(hr)) {
    return withCode(utf8(path) + " cannot be created", static_cast<unsigned long>(hr));
  }
  std::string error = encode(factory.get(), stream.get(), picture);
  if (!error.empty()) {
    stream.reset();  // closes the file
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    error = utf8(path) + ": " + error;
  }
  return error;
}

std::string writeWindowPng(HWND window, const std::filesystem::path& path) {
  if (!IsWindow(window)) return "no such window";
  // Pending paints of the thread's own windows would otherwise miss the picture; another
  // thread's window is taken as it is, as waiting on that thread could block.
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  RECT area{};
  if (!GetWindowRect(window, &area)) {
    return withCode("the window's rectangle is unknown", GetLastError());
  }
  return writeScreenPng(area, path);
}

}  // namespace windows
