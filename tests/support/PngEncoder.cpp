// The GDI+ encoder of PNG files, for tests that write their own fixture images.
#include "PngEncoder.h"

#include <objidl.h>
// GDI+ needs the COM property types that the lean Windows headers leave out.
#include <gdiplus.h>

#include <string>
#include <vector>

bool PngEncoder(CLSID* clsid) {
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}
