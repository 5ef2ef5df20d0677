#include "tests/win/png_readers.h"

#include <windows.h>
#include <wincodec.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>

#include "imaging/com_ref_win.h"
#include "tests/pump_messages_win.h"
#include "ui/strings.h"

namespace pngtest {

namespace {

DecodedPng Failed(const std::string& why) {
  DecodedPng decoded;
  decoded.error = why;
  return decoded;
}

int IndexedBitDepth(const WICPixelFormatGUID& format) {
  if (format == GUID_WICPixelFormat8bppIndexed) return 8;
  if (format == GUID_WICPixelFormat4bppIndexed) return 4;
  return 0;
}

// Wine's own mapping between its drive paths and the Unix file system (kernel32 exports it).
std::string UnixPath(const std::wstring& windowsPath) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* path = toUnix ? toUnix(windowsPath.c_str()) : nullptr;
  if (!path) return {};
  std::string unixPath = path;
  HeapFree(GetProcessHeap(), 0, path);
  return unixPath;
}

std::wstring TempFile(const wchar_t* suffix) {
  static std::atomic<int> counter{0};
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"rowtender_png_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(++counter) + suffix;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// "ok W H DEPTH COLOURTYPE ENTRIES\n" and W * H red, green, blue triples, or "error ...".
DecodedPng ParsePythonAnswer(const std::string& answer) {
  const std::size_t lineEnd = answer.find('\n');
  if (lineEnd == std::string::npos || answer.compare(0, 3, "ok ") != 0) return Failed("python: " + answer);
  std::istringstream header(answer.substr(3, lineEnd - 3));
  DecodedPng decoded;
  int colourType = 0;
  header >> decoded.width >> decoded.height >> decoded.bitDepth >> colourType >> decoded.paletteEntries;
  if (!header) return Failed("python: unreadable header line");
  if (colourType != 3) decoded.bitDepth = 0;
  const std::size_t count = static_cast<std::size_t>(decoded.width) * decoded.height;
  if (answer.size() - lineEnd - 1 != count * 3) return Failed("python: pixel bytes do not match the size");
  const auto* p = reinterpret_cast<const unsigned char*>(answer.data() + lineEnd + 1);
  for (std::size_t i = 0; i < count; ++i, p += 3) decoded.rgb.push_back((p[0] << 16) | (p[1] << 8) | p[2]);
  return decoded;
}

}  // namespace

DecodedPng DecodeWithWic(const std::string& png) {
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))) ||
      FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(png.data())),
                                          static_cast<DWORD>(png.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.Put())) ||
      FAILED(decoder->GetFrame(0, frame.Put())))
    return Failed("wic: not a picture");
  GUID container{};
  if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng)
    return Failed("wic: not a PNG");
  DecodedPng decoded;
  UINT width = 0, height = 0;
  WICPixelFormatGUID format{};
  frame->GetSize(&width, &height);
  frame->GetPixelFormat(&format);
  decoded.width = static_cast<int>(width);
  decoded.height = static_cast<int>(height);
  decoded.bitDepth = IndexedBitDepth(format);
  ComRef<IWICPalette> palette;
  UINT entries = 0;
  if (SUCCEEDED(factory->CreatePalette(palette.Put())) && SUCCEEDED(frame->CopyPalette(palette.Get())))
    palette->GetColorCount(&entries);
  decoded.paletteEntries = static_cast<int>(entries);
  ComRef<IWICFormatConverter> converter;
  decoded.rgb.resize(static_cast<std::size_t>(width) * height);
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                   reinterpret_cast<BYTE*>(decoded.rgb.data()))))
    return Failed("wic: pixels unreadable");
  for (std::uint32_t& pixel : decoded.rgb) pixel &= 0xFFFFFF;
  return decoded;
}

DecodedPng DecodeWithPython(const std::string& png) {
  const std::wstring picture = TempFile(L".png"), answer = TempFile(L".txt");
  const std::string unixPicture = UnixPath(picture), unixAnswer = UnixPath(answer);
  if (unixPicture.empty() || unixAnswer.empty()) return Failed("not running under Wine");
  if (!WriteFileBytes(picture, png)) return Failed("cannot write " + unixPicture);
  std::wstring command = L"python3 \"" + Widen(ROWTENDER_TEST_SOURCE_DIR "/png_pixels.py") + L"\" \"" +
                         Widen(unixPicture) + L"\" \"" + Widen(unixAnswer) + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION started{};
  // Wine runs a Unix program itself and hands back no process handle: the answer file is awaited.
  // Drive Z: is the Unix root in every Wine prefix.
  if (!CreateProcessW(L"Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return Failed("cannot start /usr/bin/python3");
  if (started.hProcess) CloseHandle(started.hProcess);
  if (started.hThread) CloseHandle(started.hThread);
  const bool answered = testsupport::PumpMessagesUntil(
      [&] { return GetFileAttributesW(answer.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000, 50);
  DecodedPng decoded = answered ? ParsePythonAnswer(ReadFileBytes(answer)) : Failed("python gave no answer in 60 s");
  DeleteFileW(picture.c_str());
  DeleteFileW(answer.c_str());
  return decoded;
}

}  // namespace pngtest
