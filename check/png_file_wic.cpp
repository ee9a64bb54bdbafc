// PNG files on Windows through the system's own imaging component (WIC), so that the build for
// Windows needs no image library of its own. The pixels go in as given, 24 bits a pixel, as
// libpng writes them elsewhere: the same picture, pixel for pixel.
#include <wincodec.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "check/png_file.h"

namespace vetrix::check {
namespace {

template <typename T>
struct Com {
  T* p = nullptr;
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

void Check(HRESULT result, const std::filesystem::path& path, const char* step) {
  if (SUCCEEDED(result)) return;
  char code[16];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
  throw std::runtime_error("cannot write " + path.string() + ": " + step + " failed (0x" + code +
                           ")");
}

}  // namespace

bool PngAvailable() { return true; }

void WritePng(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& rgb) {
  // COM once for the checker's one thread; a mode set before (RPC_E_CHANGED_MODE) does as well.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  (void)com;
  Com<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p)),
        path, "starting the imaging component");
  Com<IWICStream> stream;
  Check(factory->CreateStream(&stream.p), path, "making a stream");
  Check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), path, "opening the file");
  Com<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p), path,
        "making a PNG encoder");
  Check(encoder->Initialize(stream.p, WICBitmapEncoderNoCache), path, "starting the encoder");
  Com<IWICBitmapFrameEncode> frame;
  Check(encoder->CreateNewFrame(&frame.p, nullptr), path, "making the picture");
  Check(frame->Initialize(nullptr), path, "starting the picture");
  Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), path, "sizing");
  // WIC's 24-bit format keeps blue first.
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format), path, "choosing 24-bit pixels");
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
    throw std::runtime_error("cannot write " + path.string() + ": no 24-bit PNG encoder");
  std::vector<BYTE> bgr(rgb.begin(), rgb.end());
  for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);
  Check(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 3,
                           static_cast<UINT>(bgr.size()), bgr.data()),
        path, "writing the pixels");
  Check(frame->Commit(), path, "finishing the picture");
  Check(encoder->Commit(), path, "finishing the file");
}

}  // namespace vetrix::check
