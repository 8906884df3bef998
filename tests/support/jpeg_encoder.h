#pragma once

// Test pictures: RGB pixels as a JPEG, made by the platform's own encoder.

#include <vector>

#include "common/bytes.h"

#ifdef _WIN32
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>
#else
#include <turbojpeg.h>
#endif

namespace lf::testing {

#ifdef _WIN32
inline Bytes EncodeJpeg(const std::vector<unsigned char>& rgb, int width, int height) {
    using Microsoft::WRL::ComPtr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> factory;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                     IID_PPV_ARGS(&factory));
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ComPtr<IWICBitmapEncoder> encoder;
    factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder);
    encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    encoder->CreateNewFrame(&frame, &options);
    PROPBAG2 quality{};
    quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value{};
    value.vt = VT_R4;
    value.fltVal = 0.95f;
    options->Write(1, &quality, &value);
    frame->Initialize(options.Get());
    frame->SetSize(width, height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    std::vector<unsigned char> bgr(rgb);
    for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);
    frame->WritePixels(height, width * 3, static_cast<UINT>(bgr.size()), bgr.data());
    frame->Commit();
    encoder->Commit();
    STATSTG info{};
    stream->Stat(&info, STATFLAG_NONAME);
    Bytes jpeg(static_cast<std::size_t>(info.cbSize.QuadPart));
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    stream->Read(jpeg.data(), static_cast<ULONG>(jpeg.size()), nullptr);
    return jpeg;
}
#else
inline Bytes EncodeJpeg(const std::vector<unsigned char>& rgb, int width, int height) {
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 95, 0);
    Bytes bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}
#endif

}  // namespace lf::testing
