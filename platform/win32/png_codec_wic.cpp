// PNG through the Windows Imaging Component. COM is entered for each call and left again,
// so that the caller needs to know nothing of it; a thread already in COM stays as it was.

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "platform/png_codec.h"

namespace {

// Releases a COM interface pointer when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T** put() { return &pointer_; }

 private:
  T* pointer_ = nullptr;
};

class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  // RPC_E_CHANGED_MODE: the thread is in COM already, in another apartment; that serves.
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

bool CreateFactory(ComPtr<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(factory.put())));
}

// The PNG decoder itself, reading `stream`; it refuses bytes that are no PNG image. Asked
// for any decoder, the system would hand them to whichever of its codecs recognises them
// (TIFF, DDS, camera formats, ...): a far wider reader of untrusted bytes than the format
// the clipboard names.
HRESULT CreatePngDecoder(const ComPtr<IWICImagingFactory>& factory,
                         const ComPtr<IWICStream>& stream, ComPtr<IWICBitmapDecoder>& decoder) {
  const HRESULT created = factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.put());
  if (FAILED(created)) return created;
  return decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand);
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> png, int maxSide, std::size_t maxPixelBytes,
               CPngPixels* out) {
  if (png.empty() || png.size() > MAXDWORD) return false;
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> converted;
  if (!com.Usable() || !CreateFactory(factory) || FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()),
                                          static_cast<DWORD>(png.size()))) ||
      FAILED(CreatePngDecoder(factory, stream, decoder)) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), converted.put()))) {
    return false;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > static_cast<UINT>(maxSide) || height > static_cast<UINT>(maxSide)) {
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes = stride * height;
  if (bytes > maxPixelBytes || bytes > MAXUINT) return false;
  std::vector<std::uint8_t> pixels(bytes);
  if (FAILED(converted->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(bytes),
                                   pixels.data()))) {
    return false;
  }
  out->width = static_cast<int>(width);
  out->height = static_cast<int>(height);
  out->bgra = std::move(pixels);
  return true;
}

std::vector<std::uint8_t> EncodePng(const CPngPixels& pixels) {
  const std::size_t stride = static_cast<std::size_t>(pixels.width) * 4;
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.bgra.size() != stride * static_cast<std::size_t>(pixels.height) ||
      pixels.bgra.size() > MAXUINT) {
    return {};
  }
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (!com.Usable() || !CreateFactory(factory) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height))) ||
      FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA ||
      FAILED(frame->WritePixels(static_cast<UINT>(pixels.height), static_cast<UINT>(stride),
                                static_cast<UINT>(pixels.bgra.size()),
                                const_cast<BYTE*>(pixels.bgra.data()))) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  HGLOBAL memory = nullptr;
  STATSTG status{};
  if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) ||
      FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
    return {};
  }
  const auto size = static_cast<std::size_t>(status.cbSize.QuadPart);
  const void* data = GlobalLock(memory);
  if (data == nullptr) return {};
  std::vector<std::uint8_t> png(static_cast<const std::uint8_t*>(data),
                                static_cast<const std::uint8_t*>(data) + size);
  GlobalUnlock(memory);
  return png;
}

CPngCodecThread::CPngCodecThread()
    : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

CPngCodecThread::~CPngCodecThread() {
  if (entered_) CoUninitialize();
}
