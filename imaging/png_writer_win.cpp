#include "imaging/png_writer_win.h"

#include <wincodec.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "imaging/com_ref_win.h"
#include "imaging/grey_levels.h"
#include "imaging/palette_reduction.h"

namespace imaging {

namespace {

// GDI's largest bitmap side; it also keeps every buffer size below 4 GB, as the component needs.
constexpr int kMaxSide = 32767;

bool CanWrite(const PixelView& pixels) {
  return pixels.bits && pixels.width > 0 && pixels.height > 0 && pixels.width <= kMaxSide &&
         pixels.height <= kMaxSide && pixels.stride >= static_cast<std::size_t>(pixels.width) * 4 &&
         static_cast<std::uint64_t>(pixels.stride) * static_cast<std::uint64_t>(pixels.height) <=
             std::numeric_limits<UINT>::max();
}

ComRef<IWICImagingFactory> CreateFactory() {
  ComRef<IWICImagingFactory> factory;
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()));
  return factory;
}

// The component's own palette for a picture of many colours, as 0x00RRGGBB; empty on failure.
// (Its palette converter is not used: under Wine it takes a second for one screen.)
std::vector<std::uint32_t> ComponentPalette(IWICImagingFactory* factory, const PixelView& pixels) {
  ComRef<IWICBitmap> bitmap;
  ComRef<IWICPalette> palette;
  if (FAILED(factory->CreateBitmapFromMemory(
          static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height), GUID_WICPixelFormat32bppBGR,
          static_cast<UINT>(pixels.stride), static_cast<UINT>(pixels.stride * static_cast<std::size_t>(pixels.height)),
          const_cast<BYTE*>(pixels.bits), bitmap.Put())) ||
      FAILED(factory->CreatePalette(palette.Put())) ||
      FAILED(palette->InitializeFromBitmap(bitmap.Get(), static_cast<UINT>(kMaxPaletteColours), FALSE)))
    return {};
  UINT count = 0;
  if (FAILED(palette->GetColorCount(&count)) || count == 0 || count > kMaxPaletteColours) return {};
  std::vector<WICColor> colours(count);
  if (FAILED(palette->GetColors(count, colours.data(), &count))) return {};
  std::vector<std::uint32_t> rgb;
  for (UINT i = 0; i < count; ++i) rgb.push_back(colours[i] & 0xFFFFFFu);
  return rgb;
}

ComRef<IWICPalette> OpaquePalette(IWICImagingFactory* factory, const std::vector<std::uint32_t>& rgb) {
  std::vector<WICColor> colours;
  for (std::uint32_t c : rgb) colours.push_back(0xFF000000u | c);
  ComRef<IWICPalette> palette;
  if (FAILED(factory->CreatePalette(palette.Put())) ||
      FAILED(palette->InitializeCustom(colours.data(), static_cast<UINT>(colours.size()))))
    palette.Reset();
  return palette;
}

std::string StreamBytes(IStream* stream) {
  STATSTG status{};
  if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) ||
      status.cbSize.QuadPart > static_cast<ULONGLONG>(std::numeric_limits<ULONG>::max()))
    return {};
  std::string bytes(static_cast<std::size_t>(status.cbSize.QuadPart), '\0');
  LARGE_INTEGER start{};
  ULONG read = 0;
  if (bytes.empty() || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
      FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
    return {};
  return bytes;
}

// One PNG frame of width x height indexed pixels, `stride` bytes a row, over `palette`.
std::string EncodeIndexed(IWICImagingFactory* factory, int width, int height, REFWICPixelFormatGUID format,
                          const std::vector<std::uint8_t>& rows, UINT stride,
                          const std::vector<std::uint32_t>& palette) {
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
    return {};
  // The encoder answers with the format it will write; anything else than asked is no use.
  WICPixelFormatGUID accepted = format;
  if (FAILED(frame->SetPixelFormat(&accepted)) || accepted != format) return {};
  ComRef<IWICPalette> colours = OpaquePalette(factory, palette);
  if (!colours || FAILED(frame->SetPalette(colours.Get())) ||
      FAILED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(rows.size()),
                                const_cast<BYTE*>(rows.data()))) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return {};
  return StreamBytes(stream.Get());
}

}  // namespace

std::string WritePalettePng(const PixelView& pixels) {
  if (!CanWrite(pixels)) return {};
  ComScope com;
  ComRef<IWICImagingFactory> factory = CreateFactory();
  if (!factory) return {};
  std::optional<IndexedPixels> indexed = ExactPalette(pixels);
  if (!indexed) {
    std::vector<std::uint32_t> palette = ComponentPalette(factory.Get(), pixels);
    if (palette.empty()) return {};
    indexed = MapToPalette(pixels, std::move(palette));
  }
  return EncodeIndexed(factory.Get(), pixels.width, pixels.height, GUID_WICPixelFormat8bppIndexed, indexed->indices,
                       static_cast<UINT>(pixels.width), indexed->palette);
}

std::string WriteGreyPng(const PixelView& pixels) {
  if (!CanWrite(pixels)) return {};
  ComScope com;
  ComRef<IWICImagingFactory> factory = CreateFactory();
  if (!factory) return {};
  const std::vector<std::uint8_t> packed = PackGreyLevels(pixels);
  return EncodeIndexed(factory.Get(), pixels.width, pixels.height, GUID_WICPixelFormat4bppIndexed, packed,
                       static_cast<UINT>((pixels.width + 1) / 2), GreyPalette());
}

}  // namespace imaging
