// Icon sheets on Windows: the Windows Imaging Component decodes them from the resource's bytes
// in memory, with no temporary file.

#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>

#include "browser/jpeg_decoder.h"

namespace lf {
namespace {

using Microsoft::WRL::ComPtr;

std::unexpected<Error> DecoderFailure(const char* what, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return Fail(Error::Kind::Malformed, std::string(what) + " (" + code + ")");
}

// Works whether or not the thread has already joined an apartment.
IWICImagingFactory* Factory() {
    static const ComPtr<IWICImagingFactory> factory = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ComPtr<IWICImagingFactory> made;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&made));
        return made;
    }();
    return factory.Get();
}

// The first frame of the picture, its size checked before any pixel is decoded.
Result<ComPtr<IWICBitmapFrameDecode>> FirstFrame(IWICImagingFactory* factory, ByteView jpeg) {
    ComPtr<IWICStream> stream;
    HRESULT result = factory->CreateStream(&stream);
    if (SUCCEEDED(result)) {
        result = stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()),
                                              static_cast<DWORD>(jpeg.size()));
    }
    if (FAILED(result)) return DecoderFailure("cannot read the JPEG picture", result);
    ComPtr<IWICBitmapDecoder> decoder;
    result = factory->CreateDecoderFromStream(stream.Get(), &GUID_ContainerFormatJpeg,
                                              WICDecodeMetadataCacheOnDemand, &decoder);
    ComPtr<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(result)) result = decoder->GetFrame(0, &frame);
    if (FAILED(result)) return DecoderFailure("not a JPEG picture", result);
    return frame;
}

}  // namespace

Result<PixelImage> DecodeJpeg(ByteView jpeg) {
    IWICImagingFactory* factory = Factory();
    if (!factory) return Fail(Error::Kind::Io, "cannot start the JPEG decoder");
    if (jpeg.size() > MAXDWORD) return Fail(Error::Kind::TooLarge, "the JPEG picture is too large");
    // Some implementations of the decoder allocate the whole picture as soon as it is opened.
    if (const auto declared = JpegFrameSize(jpeg)) {
        if (auto fits = CheckPictureSize(declared->width, declared->height); !fits) {
            return std::unexpected(fits.error());
        }
    }
    auto frame = FirstFrame(factory, jpeg);
    if (!frame) return std::unexpected(frame.error());
    UINT width = 0, height = 0;
    HRESULT result = (*frame)->GetSize(&width, &height);
    if (FAILED(result)) return DecoderFailure("not a JPEG picture", result);
    if (auto fits = CheckPictureSize(static_cast<int>(width), static_cast<int>(height)); !fits) {
        return std::unexpected(fits.error());
    }
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine. The converter comes from the
    // factory, so that the imaging component loads with the first sheet, not with the program.
    ComPtr<IWICFormatConverter> converted;
    result = factory->CreateFormatConverter(&converted);
    if (SUCCEEDED(result)) {
        result =
            converted->Initialize(frame->Get(), GUID_WICPixelFormat32bppBGRA,
                                  WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom);
    }
    PixelImage image{static_cast<int>(width), static_cast<int>(height),
                     std::vector<std::uint32_t>(std::size_t{width} * height)};
    if (SUCCEEDED(result)) {
        result =
            converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size() * 4),
                                  reinterpret_cast<BYTE*>(image.pixels.data()));
    }
    if (FAILED(result)) return DecoderFailure("the JPEG picture does not decode", result);
    return image;
}

}  // namespace lf
