#include "imaging/gif_win.h"

#include <wincodec.h>

#include <cstdint>
#include <limits>

#include "imaging/alpha_composite.h"
#include "imaging/com_ref_win.h"
#include "ui/top_down_dib_win.h"

namespace {

// The largest picture accepted: a guard against sizes that would overflow the pixel buffer.
constexpr UINT kMaxSide = 16384;

ComRef<IWICBitmapSource> FirstGifFrameAsBgra(IWICImagingFactory* factory, const void* data, std::size_t size) {
  ComRef<IWICBitmapSource> none;
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size))))
    return none;
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.Put())))
    return none;
  GUID container{};
  if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatGif) return none;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Put()))) return none;
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return none;
  ComRef<IWICBitmapSource> source;
  converter->QueryInterface(IID_PPV_ARGS(source.Put()));
  return source;
}

}  // namespace

HBITMAP DecodeGif(const void* data, std::size_t size, COLORREF background) {
  if (!data || size == 0 || size > std::numeric_limits<DWORD>::max()) return nullptr;
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))))
    return nullptr;
  ComRef<IWICBitmapSource> frame = FirstGifFrameAsBgra(factory.Get(), data, size);
  UINT width = 0, height = 0;
  if (!frame || FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
      height > kMaxSide)
    return nullptr;
  TopDownDib bitmap(static_cast<int>(width), static_cast<int>(height));
  if (!bitmap) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(frame->CopyPixels(nullptr, stride, stride * height, bitmap.Bits()))) return nullptr;
  imaging::CompositeOverBackground(bitmap.Bits(), static_cast<std::size_t>(width) * height, background);
  return bitmap.Release();
}

HBITMAP LoadGifResource(HMODULE module, const wchar_t* resourceName) {
  HRSRC resource = FindResourceW(module, resourceName, RT_RCDATA);
  if (!resource) resource = FindResourceW(module, resourceName, L"GIF");
  if (!resource) return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return DecodeGif(data, SizeofResource(module, resource), GetSysColor(COLOR_BTNFACE));
}
