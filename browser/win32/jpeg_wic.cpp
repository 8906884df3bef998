// JPEG pictures decoded by the Windows Imaging Component, from memory.

#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

#include "browser/icon_sheets.h"

namespace lf {
namespace {

using Microsoft::WRL::ComPtr;

// A sheet is 512 pixels on a side; a header declaring far more would only exhaust memory.
constexpr UINT kLargestPictureSide = 4096;

std::unexpected<Error> Failed(const char* step, HRESULT result) {
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(result));
    return Fail(Error::Kind::Malformed,
                std::string("the JPEG picture does not decode: ") + step + " (0x" + code + ")");
}

}  // namespace

Result<PixelImage> DecodeJpeg(ByteView jpeg) {
    ComPtr<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory));
    if (FAILED(result)) return Fail(Error::Kind::Io, "cannot start the JPEG decoder");
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(result = factory->CreateStream(&stream)) ||
        FAILED(result = stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()),
                                                     static_cast<DWORD>(jpeg.size()))) ||
        FAILED(result =
                   factory->CreateDecoderFromStream(stream.Get(), &GUID_ContainerFormatJpeg,
                                                    WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(result = decoder->GetFrame(0, &frame))) {
        return Failed("not a JPEG picture", result);
    }
    UINT width = 0, height = 0;
    if (FAILED(result = frame->GetSize(&width, &height))) return Failed("no size", result);
    if (width > kLargestPictureSide || height > kLargestPictureSide) {
        return Fail(Error::Kind::Unsupported,
                    "the JPEG picture is too large: " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels, at most " +
                        std::to_string(kLargestPictureSide) + " on a side");
    }
    ComPtr<IWICBitmapSource> bgra;
    if (FAILED(result = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), &bgra))) {
        return Failed("no conversion to BGRA", result);
    }
    PixelImage image{static_cast<int>(width), static_cast<int>(height),
                     std::vector<std::uint32_t>(std::size_t(width) * height)};
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
    const UINT stride = width * sizeof(std::uint32_t);
    if (FAILED(result = bgra->CopyPixels(
                   nullptr, stride, static_cast<UINT>(image.pixels.size() * sizeof(std::uint32_t)),
                   reinterpret_cast<BYTE*>(image.pixels.data())))) {
        return Failed("the pixels", result);
    }
    return image;
}

}  // namespace lf
