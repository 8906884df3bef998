#include "demo_catalogue/demo_sheets.h"

#include <turbojpeg.h>

#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <memory>
#include <string>

#include "demo_catalogue/icon_paint.h"
#include "demo_catalogue/icon_plan.h"

namespace lf::demo {
namespace {

constexpr std::uint64_t kArtStream = 0xA27ull;
const QColor kGap(16, 16, 20);

void DrawCellBackground(QPainter& painter, const QColor& rarity) {
    painter.fillRect(QRectF(0, 0, kCellSide, kCellSide), kGap);
    QRadialGradient light(QPointF(15.5, 13), 22);
    light.setColorAt(0, Mix(QColor(34, 34, 42), rarity, 35));
    light.setColorAt(1, QColor(22, 22, 28));
    QColor frame = rarity;
    frame.setAlpha(190);
    painter.setPen(QPen(frame, 1.0));
    painter.setBrush(light);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 30, 30), 3, 3);
}

void DrawCell(QPainter& painter, int icon, const IconArt& cell) {
    Random random = Random::For(kArtStream, static_cast<std::uint64_t>(icon));
    Art art{painter, random, RarityColour(cell.rarity)};
    DrawCellBackground(painter, art.rarity);
    if (cell.picture <= Picture::Shield) {
        DrawWeapon(art, cell.picture);
    } else if (cell.picture <= Picture::Pet) {
        DrawWear(art, cell.picture);
    } else {
        DrawGoods(art, cell.picture);
    }
}

QImage DrawIconSheet(int sheet) {
    QImage image(kSheetSide, kSheetSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(kGap);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& cells = PlannedIcons();
    for (int cell = 0; cell < kIconsPerSheet; ++cell) {
        const int icon = sheet * kIconsPerSheet + cell;
        painter.save();
        painter.translate(cell % kCellsPerSide * kCellSide, cell / kCellsPerSide * kCellSide);
        painter.setClipRect(0, 0, kCellSide, kCellSide);
        DrawCell(painter, icon, cells[icon]);
        painter.restore();
    }
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

struct CompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
struct JpegDeleter {
    void operator()(unsigned char* data) const { tjFree(data); }
};

Result<Bytes> EncodeJpeg(const QImage& image) {
    std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
    if (!compressor) return Fail(Error::Kind::Unsupported, "cannot start the JPEG encoder");
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(compressor.get(), image.constBits(), image.width(),
                                   static_cast<int>(image.bytesPerLine()), image.height(), TJPF_RGB,
                                   &out, &size, TJSAMP_444, kSheetQuality, TJFLAG_ACCURATEDCT);
    std::unique_ptr<unsigned char, JpegDeleter> jpeg(out);
    if (result != 0) {
        return Fail(Error::Kind::Unsupported,
                    std::string("JPEG encoding failed: ") + tjGetErrorStr2(compressor.get()));
    }
    Bytes bytes(jpeg.get(), jpeg.get() + size);
    bytes.resize((bytes.size() + 3) / 4 * 4, 0);  // resources are padded to four bytes
    return bytes;
}

}  // namespace

Result<Bytes> EncodeIconSheet(int sheet) {
    if (sheet < 0 || sheet >= kIconSheetCount) {
        return Fail(Error::Kind::NotFound, "there is no icon sheet " + std::to_string(sheet));
    }
    return EncodeJpeg(DrawIconSheet(sheet < kDrawnSheets ? sheet : kDrawnSheets - 1));
}

}  // namespace lf::demo
