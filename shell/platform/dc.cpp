#include "shell/platform/dc.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "shell/platform/device_pixels.h"
#include "shell/platform/surface_owner.h"

namespace {

// Beyond these a bitmap is refused rather than allocated: nothing in the program needs
// more, and a stored or mistyped size must not exhaust memory.
constexpr int kMaxBitmapSide = 32767;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;
// Wider pens than this only ever cover the whole surface anyway.
constexpr int kMaxPenWidth = 1 << 15;

QRgb ToQRgb(COLORREF colour) {
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ToColorRef(QRgb pixel) {
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

bool IsDirect32(const QImage& image) {
    switch (image.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return true;
        default:
            return false;
    }
}

// The part of the box (left, top)-(right, bottom) that lies in clip. Taken in 64 bits so
// that any pair of 32-bit coordinates can be given without overflow.
CRect ClipBox(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              const CRect& clip) {
    const std::int64_t l = std::max<std::int64_t>(left, clip.left);
    const std::int64_t t = std::max<std::int64_t>(top, clip.top);
    const std::int64_t r = std::min<std::int64_t>(right, clip.right);
    const std::int64_t b = std::min<std::int64_t>(bottom, clip.bottom);
    if (l >= r || t >= b)
        return {};
    return {static_cast<std::int32_t>(l), static_cast<std::int32_t>(t),
            static_cast<std::int32_t>(r), static_cast<std::int32_t>(b)};
}

CRect Intersect(const CRect& a, const CRect& b) {
    return ClipBox(a.left, a.top, a.right, a.bottom, b);
}

QRect ToQRect(const CRect& box) {
    return QRect(box.left, box.top, box.Width(), box.Height());
}

constexpr std::uint8_t RopCode(DWORD rop) {
    return static_cast<std::uint8_t>((rop >> 16) & 0xFF);
}

// Whether the truth table's answer changes with the source bit (index bit 1) or with
// the pattern bit (index bit 2).
bool UsesSource(std::uint8_t code) {
    return ((code >> 2) & 0x33) != (code & 0x33);
}
bool UsesPattern(std::uint8_t code) {
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

// Bit i of the code is the result for pattern bit (i & 4), source bit (i & 2) and
// destination bit (i & 1); evaluated on all 24 colour bits at once.
std::uint32_t EvalRop3(std::uint8_t code, std::uint32_t pattern, std::uint32_t source,
                       std::uint32_t destination) {
    std::uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (((code >> i) & 1) == 0)
            continue;
        result |= ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) &
                  ((i & 1) ? destination : ~destination);
    }
    return result;
}

// The device pixels of a box given in the program's pixels, within the image.
CRect DeviceBoxOf(const QImage& image, const CRect& box) {
    if (box.IsRectEmpty())
        return {};
    return Intersect(ToDevice(box, image.devicePixelRatio()),
                     CRect{0, 0, image.width(), image.height()});
}

// The image's own bounds in the program's pixels.
CRect LogicalBounds(const QImage& image) {
    return {0, 0, LogicalWidth(image), LogicalHeight(image)};
}

void FillDeviceBox(QImage& image, const CRect& box, QRgb colour) {
    if (box.IsRectEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = box.top; y < box.bottom; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + box.left, row + box.right, colour);
    }
}

void FillBox(QImage& image, const CRect& box, QRgb colour) {
    FillDeviceBox(image, DeviceBoxOf(image, box), colour);
}

// In device pixels: the source pixel of destination (x, y) is (x + dx, y + dy); box lies in
// both images.
void ApplyRop(QImage& destination, const CRect& box, const QImage* source, int dx, int dy,
              QRgb brush, std::uint8_t code) {
    uchar* destinationBits = destination.bits();
    const qsizetype destinationStride = destination.bytesPerLine();
    const int width = box.Width();

    QImage overlapCopy;
    const uchar* sourceBits = nullptr;
    qsizetype sourceStride = 0;
    if (source != nullptr) {
        // Copying within one picture: read from a snapshot so that rows written early
        // are not read again as source.
        if (source->constBits() == destinationBits) {
            overlapCopy = source->copy(box.left + dx, box.top + dy, width, box.Height());
            source = &overlapCopy;
            dx = -box.left;
            dy = -box.top;
        }
        sourceBits = source->constBits();
        sourceStride = source->bytesPerLine();
    }
    auto destinationRow = [&](int y) {
        return reinterpret_cast<QRgb*>(destinationBits + y * destinationStride) + box.left;
    };
    auto sourceRow = [&](int y) {
        return reinterpret_cast<const QRgb*>(sourceBits + (y + dy) * sourceStride) + box.left + dx;
    };
    constexpr QRgb kOpaque = 0xFF000000;
    constexpr QRgb kColourBits = 0x00FFFFFF;
    const QRgb pattern = brush | kOpaque;

    switch (code) {
        case RopCode(SRCCOPY):
            for (int y = box.top; y < box.bottom; ++y) {
                std::memcpy(destinationRow(y), sourceRow(y), sizeof(QRgb) * width);
            }
            return;
        case RopCode(PATCOPY):
            FillDeviceBox(destination, box, pattern);
            return;
        case RopCode(DSPDxax):
            for (int y = box.top; y < box.bottom; ++y) {
                QRgb* out = destinationRow(y);
                const QRgb* in = sourceRow(y);
                for (int x = 0; x < width; ++x) {
                    out[x] = (((in[x] & pattern) | (~in[x] & out[x])) & kColourBits) | kOpaque;
                }
            }
            return;
        default:
            for (int y = box.top; y < box.bottom; ++y) {
                QRgb* out = destinationRow(y);
                const QRgb* in = source != nullptr ? sourceRow(y) : nullptr;
                for (int x = 0; x < width; ++x) {
                    const QRgb sourcePixel = in != nullptr ? in[x] : 0;
                    out[x] = (EvalRop3(code, pattern, sourcePixel, out[x]) & kColourBits) | kOpaque;
                }
            }
            return;
    }
}

// A transfer between pictures of different device pixel ratios (a picture made before
// its window moved to another screen): each destination device pixel takes the source
// pixel under its centre, the lower one where the centre lies on an edge, as a device
// pixel belongs to the lower pixel on ties. box is in the destination's device pixels,
// (dx, dy) the offset from destination to source in the program's pixels.
void ApplyRopAcrossRatios(QImage& destination, const CRect& box, const QImage& source, int dx,
                          int dy, QRgb brush, std::uint8_t code) {
    const qreal toLogical = 1 / destination.devicePixelRatio();
    const qreal toSource = source.devicePixelRatio();
    auto sourceIndex = [&](int device, int offset, int length) {
        const qreal at = std::ceil(((device + 0.5) * toLogical + offset) * toSource) - 1;
        return at >= 0 && at < length ? static_cast<int>(at) : -1;
    };
    const QRgb pattern = brush | 0xFF000000;
    for (int y = box.top; y < box.bottom; ++y) {
        const int sy = sourceIndex(y, dy, source.height());
        if (sy < 0)
            continue;
        QRgb* out = reinterpret_cast<QRgb*>(destination.scanLine(y));
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int x = box.left; x < box.right; ++x) {
            const int sx = sourceIndex(x, dx, source.width());
            if (sx >= 0)
                out[x] = (EvalRop3(code, pattern, in[sx], out[x]) & 0x00FFFFFF) | 0xFF000000;
        }
    }
}

// Shapes go through QPainter without antialiasing, replacing pixels rather than
// blending, and never outside clip, which is in device pixels. The painter works in the
// program's pixels, so on a picture of more device pixels per pixel the shapes come out
// at the device's resolution.
template <typename Draw>
void PaintWith(QImage& image, const QRegion& clip, Draw&& draw) {
    // The same pixels seen as a plain image, so that the clip is taken exactly as given and
    // the scale is the only transformation.
    QImage device(image.bits(), image.width(), image.height(), image.bytesPerLine(),
                  image.format());
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(clip);
    if (const qreal ratio = image.devicePixelRatio(); ratio != 1.0)
        painter.scale(ratio, ratio);
    draw(painter);
}

template <typename Draw>
void PaintWith(QImage& image, const CRect& clip, Draw&& draw) {
    PaintWith(image, QRegion(ToQRect(DeviceBoxOf(image, clip))), std::forward<Draw>(draw));
}

QPen WidePen(COLORREF colour, int width) {
    return QPen(QColor::fromRgb(ToQRgb(colour)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush SolidBrush(COLORREF colour) {
    return QBrush(QColor::fromRgb(ToQRgb(colour)));
}

// The pixel-centre ellipse: filling this path paints the pixels whose centres lie inside
// the ellipse inscribed in the box, which is symmetric (drawEllipse is not).
QPainterPath EllipsePath(const QRectF& box) {
    QPainterPath path;
    path.addEllipse(box);
    return path;
}

// The pixels a wide pen covers along the path, filled like any shape so that the result
// is as symmetric as the path.
QPainterPath Stroke(const QPainterPath& path, int width, Qt::PenCapStyle cap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

// The ellipse through the centres of the outermost pixels of the box, along which the
// pen runs.
QRectF OutlineBox(const QRectF& box) {
    return box.adjusted(0.5, 0.5, -0.5, -0.5);
}

// Which device pixels of an area the filled ellipse of a box covers, and which of those are
// its outermost ones: those a pixel's width away from the outside in one of the four
// directions. The outline of a 1-pixel pen is exactly those, so it never leaves a gap and
// the brush never shows outside it, whatever the ellipse's proportions; on a picture of
// more device pixels per pixel it is as wide as one of the program's pixels.
class EllipseCoverage {
public:
    // box is in the program's pixels, area in device pixels.
    EllipseCoverage(const QRectF& box, const CRect& area, qreal ratio)
        : m_reach(std::max(1, static_cast<int>(std::lround(ratio)))),
          m_mask(area.Width() + 2 * m_reach, area.Height() + 2 * m_reach, QImage::Format_RGB32),
          m_left(area.left - m_reach),
          m_top(area.top - m_reach) {
        m_mask.fill(0);
        QPainter painter(&m_mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-m_left, -m_top);
        if (ratio != 1.0)
            painter.scale(ratio, ratio);
        painter.fillPath(EllipsePath(box), Qt::white);
    }

    bool Inside(int x, int y) const {
        return (reinterpret_cast<const QRgb*>(m_mask.constScanLine(y - m_top))[x - m_left] &
                0xFFFFFF) != 0;
    }
    bool Outermost(int x, int y) const {
        return Inside(x, y) && (!Inside(x - m_reach, y) || !Inside(x + m_reach, y) ||
                                !Inside(x, y - m_reach) || !Inside(x, y + m_reach));
    }

private:
    int m_reach;
    QImage m_mask;
    int m_left;
    int m_top;
};

// Angles in degrees counter-clockwise with y pointing up, along the ellipse's parameter
// (a cos t, b sin t) as Qt's arcs take them. A ray through a point of a flat ellipse has
// another angle than the parameter of the point where it meets the ellipse, hence the
// division by the half-axes.
double RayAngle(double dx, double dy, double halfWidth, double halfHeight) {
    if (dx == 0 && dy == 0)
        return 0;
    if (halfWidth <= 0 || halfHeight <= 0)
        return std::atan2(-dy, dx) * 180 / std::numbers::pi;
    return std::atan2(-dy / halfHeight, dx / halfWidth) * 180 / std::numbers::pi;
}

// Counter-clockwise degrees from start to end; the same ray twice is the whole turn.
double SweepAngle(double start, double end) {
    double sweep = std::fmod(end - start, 360.0);
    if (sweep <= 0)
        sweep += 360;
    return sweep;
}

struct Box64 {
    std::int64_t left, top, right, bottom;
};

Box64 Normalized(int left, int top, int right, int bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

}  // namespace

// ---- objects ----

CGdiObject::~CGdiObject() = default;

bool CPen::CreatePen(int style, int width, COLORREF colour) {
    if (m_stock)
        return false;
    m_style = style == PS_NULL ? PS_NULL : PS_SOLID;
    m_width = std::max(width, 1);
    m_colour = colour & 0xFFFFFF;
    m_created = true;
    return true;
}

bool CPen::DeleteObject() {
    if (m_stock || !m_created)
        return false;
    m_created = false;
    return true;
}

CPen* CPen::Stock(int index) {
    static CPen* const pens = [] {
        static CPen stock[3];
        stock[0].CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        stock[1].CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        stock[2].CreatePen(PS_NULL, 1, RGB(0, 0, 0));
        for (CPen& pen : stock)
            pen.m_stock = true;
        return stock;
    }();
    switch (index) {
        case WHITE_PEN:
            return &pens[0];
        case BLACK_PEN:
            return &pens[1];
        case NULL_PEN:
            return &pens[2];
        default:
            return nullptr;
    }
}

bool CBrush::CreateSolidBrush(COLORREF colour) {
    if (m_stock)
        return false;
    m_null = false;
    m_colour = colour & 0xFFFFFF;
    m_created = true;
    return true;
}

bool CBrush::DeleteObject() {
    if (m_stock || !m_created)
        return false;
    m_created = false;
    return true;
}

CBrush* CBrush::Stock(int index) {
    static CBrush* const brushes = [] {
        static CBrush stock[6];
        const COLORREF greys[5] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                   RGB(64, 64, 64), RGB(0, 0, 0)};
        for (int i = 0; i < 5; ++i)
            stock[i].CreateSolidBrush(greys[i]);
        stock[5].CreateSolidBrush(RGB(0, 0, 0));
        stock[5].m_null = true;
        for (CBrush& brush : stock)
            brush.m_stock = true;
        return stock;
    }();
    if (index < WHITE_BRUSH || index > NULL_BRUSH)
        return nullptr;
    return &brushes[index];
}

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

bool CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    if (m_stock)
        return false;
    m_created = true;
    if (width <= 0 || height <= 0) {
        m_image = std::make_shared<QImage>();
        return true;
    }
    const qreal ratio = PictureRatio(dc != nullptr ? dc->GetDevicePixelRatio() : 1.0);
    const std::int64_t devicePixels =
        std::int64_t{ToDevice(std::min(width, kMaxBitmapSide), ratio)} *
        ToDevice(std::min(height, kMaxBitmapSide), ratio);
    if (width > kMaxBitmapSide || height > kMaxBitmapSide || devicePixels > kMaxBitmapPixels) {
        m_image = std::make_shared<QImage>();
        return false;
    }
    auto image = std::make_shared<QImage>(MakePicture(width, height, ratio));
    if (image->isNull()) {
        m_image = std::make_shared<QImage>();
        return false;
    }
    image->fill(qRgb(0, 0, 0));
    m_image = std::move(image);
    return true;
}

bool CBitmap::DeleteObject() {
    if (m_stock || !m_created)
        return false;
    m_image.reset();
    m_created = false;
    return true;
}

CSize CBitmap::GetSize() const {
    if (!m_image)
        return {};
    return {LogicalWidth(*m_image), LogicalHeight(*m_image)};
}

CBitmap* CBitmap::Stock() {
    // What a fresh off-screen surface holds: a bitmap without pixels.
    static CBitmap* const bitmap = [] {
        static CBitmap stock;
        stock.m_created = true;
        stock.m_stock = true;
        return &stock;
    }();
    return bitmap;
}

// ---- surfaces ----

CDC::CDC() {
    SelectObject(CPen::Stock(BLACK_PEN));
    SelectObject(CBrush::Stock(WHITE_BRUSH));
}

CDC::CDC(QImage* image, const CRect& clip) : CDC() {
    if (image == nullptr)
        return;
    m_target = Target::Image;
    m_image = image;
    m_clip = clip;
    m_clip.NormalizeRect();
}

CDC::CDC(CSurfaceOwner* owner) : CDC() {
    if (owner == nullptr)
        return;
    m_target = Target::Owner;
    m_owner = owner;
}

CDC::~CDC() = default;

bool CDC::CreateCompatibleDC(CDC* dc) {
    m_offScreenRatio = dc != nullptr ? dc->GetDevicePixelRatio() : 1.0;
    m_target = Target::OffScreen;
    m_image = nullptr;
    m_bitmap = CBitmap::Stock();
    m_bitmapImage.reset();
    return true;
}

bool CDC::DeleteDC() {
    m_target = Target::None;
    m_image = nullptr;
    m_bitmap = nullptr;
    m_bitmapImage.reset();
    return true;
}

QImage* CDC::TargetImage() const {
    QImage* image = nullptr;
    switch (m_target) {
        case Target::None:
            return nullptr;
        case Target::OffScreen:
            image = m_bitmapImage.get();
            break;
        case Target::Image:
            image = m_image;
            break;
        case Target::Owner:
            image = m_owner->SurfaceImage();
            break;
    }
    if (image == nullptr || image->isNull() || !IsDirect32(*image))
        return nullptr;
    return image;
}

CRect CDC::DrawableBox() const {
    const QImage* image = TargetImage();
    if (image == nullptr)
        return {};
    const CRect bounds = LogicalBounds(*image);
    return m_target == Target::Image ? Intersect(bounds, m_clip) : bounds;
}

double CDC::GetDevicePixelRatio() const {
    if (m_target == Target::OffScreen && (!m_bitmapImage || m_bitmapImage->isNull()))
        return m_offScreenRatio;
    const QImage* image = nullptr;
    switch (m_target) {
        case Target::None:
            return 1.0;
        case Target::OffScreen:
            image = m_bitmapImage.get();
            break;
        case Target::Image:
            image = m_image;
            break;
        case Target::Owner:
            image = m_owner->SurfaceImage();
            break;
    }
    return image != nullptr ? image->devicePixelRatio() : 1.0;
}

int CDC::PenWidth() const {
    if (m_penStyle == PS_NULL)
        return 0;
    return std::clamp(m_penWidth, 1, kMaxPenWidth);
}

void CDC::Touch(const CRect& box) {
    if (box.IsRectEmpty())
        return;
    if (m_touched.IsRectEmpty()) {
        m_touched = box;
        return;
    }
    m_touched.left = std::min(m_touched.left, box.left);
    m_touched.top = std::min(m_touched.top, box.top);
    m_touched.right = std::max(m_touched.right, box.right);
    m_touched.bottom = std::max(m_touched.bottom, box.bottom);
}

CPen* CDC::SelectObject(CPen* pen) {
    if (pen == nullptr || !pen->IsCreated())
        return nullptr;
    CPen* previous = m_pen;
    m_pen = pen;
    m_penStyle = pen->m_style;
    m_penWidth = pen->m_width;
    m_penColour = pen->m_colour;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (brush == nullptr || !brush->IsCreated())
        return nullptr;
    CBrush* previous = m_brush;
    m_brush = brush;
    m_brushNull = brush->m_null;
    m_brushColour = brush->m_colour;
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (bitmap == nullptr || !bitmap->IsCreated() || m_target != Target::OffScreen) {
        return nullptr;
    }
    CBitmap* previous = m_bitmap;
    m_bitmap = bitmap;
    m_bitmapImage = bitmap->m_image;
    return previous;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (auto* pen = dynamic_cast<CPen*>(object))
        return SelectObject(pen);
    if (auto* brush = dynamic_cast<CBrush*>(object))
        return SelectObject(brush);
    if (auto* bitmap = dynamic_cast<CBitmap*>(object))
        return SelectObject(bitmap);
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    if (CPen* pen = CPen::Stock(index))
        return SelectObject(pen);
    if (CBrush* brush = CBrush::Stock(index))
        return SelectObject(brush);
    return nullptr;
}

bool CDC::Rectangle(int left, int top, int right, int bottom) {
    QImage* image = TargetImage();
    if (image == nullptr)
        return false;
    const Box64 box = Normalized(left, top, right, bottom);
    if (box.left == box.right || box.top == box.bottom)
        return true;
    const CRect clip = DrawableBox();
    const int penWidth = PenWidth();

    if (!m_brushNull) {
        const CRect inside = ClipBox(box.left, box.top, box.right, box.bottom, clip);
        FillBox(*image, inside, ToQRgb(m_brushColour));
        Touch(inside);
    }
    if (penWidth == 1) {
        const QRgb colour = ToQRgb(m_penColour);
        const CRect edges[4] = {
            ClipBox(box.left, box.top, box.right, box.top + 1, clip),
            ClipBox(box.left, box.bottom - 1, box.right, box.bottom, clip),
            ClipBox(box.left, box.top, box.left + 1, box.bottom, clip),
            ClipBox(box.right - 1, box.top, box.right, box.bottom, clip),
        };
        for (const CRect& edge : edges) {
            FillBox(*image, edge, colour);
            Touch(edge);
        }
    } else if (penWidth > 1) {
        // A wide pen is centred on the outline through the outermost pixels' centres.
        const CRect reach = ClipBox(box.left - penWidth, box.top - penWidth, box.right + penWidth,
                                    box.bottom + penWidth, clip);
        if (reach.IsRectEmpty())
            return true;
        QPolygonF outline;
        outline << QPointF(box.left + 0.5, box.top + 0.5) << QPointF(box.right - 0.5, box.top + 0.5)
                << QPointF(box.right - 0.5, box.bottom - 0.5)
                << QPointF(box.left + 0.5, box.bottom - 0.5);
        PaintWith(*image, clip, [&](QPainter& painter) {
            painter.setPen(WidePen(m_penColour, penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(outline);
        });
        Touch(reach);
    }
    return true;
}

bool CDC::Ellipse(int left, int top, int right, int bottom) {
    QImage* image = TargetImage();
    if (image == nullptr)
        return false;
    const Box64 box = Normalized(left, top, right, bottom);
    if (box.left == box.right || box.top == box.bottom)
        return true;
    const int penWidth = PenWidth();
    if (penWidth == 0 && m_brushNull)
        return true;
    const CRect clip = DrawableBox();
    const CRect reach = ClipBox(box.left - penWidth, box.top - penWidth, box.right + penWidth,
                                box.bottom + penWidth, clip);
    if (reach.IsRectEmpty())
        return true;

    const QRectF bounds(box.left, box.top, box.right - box.left, box.bottom - box.top);
    const CRect area = DeviceBoxOf(*image, ClipBox(box.left, box.top, box.right, box.bottom, clip));
    if (!area.IsRectEmpty() && (!m_brushNull || penWidth == 1)) {
        const EllipseCoverage cover(bounds, area, image->devicePixelRatio());
        const QRgb pen = ToQRgb(m_penColour);
        const QRgb brush = ToQRgb(m_brushColour);
        for (int y = area.top; y < area.bottom; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image->scanLine(y));
            for (int x = area.left; x < area.right; ++x) {
                if (!cover.Inside(x, y))
                    continue;
                if (penWidth == 1 && cover.Outermost(x, y)) {
                    row[x] = pen;
                } else if (!m_brushNull) {
                    row[x] = brush;
                }
            }
        }
    }
    if (penWidth > 1) {
        PaintWith(*image, clip, [&](QPainter& painter) {
            painter.fillPath(Stroke(EllipsePath(OutlineBox(bounds)), penWidth, Qt::RoundCap),
                             SolidBrush(m_penColour));
        });
    }
    Touch(reach);
    return true;
}

bool CDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
              int yEnd) {
    QImage* image = TargetImage();
    if (image == nullptr)
        return false;
    const Box64 box = Normalized(left, top, right, bottom);
    const int penWidth = PenWidth();
    if (box.left == box.right || box.top == box.bottom || penWidth == 0)
        return true;
    const CRect clip = DrawableBox();
    const CRect reach = ClipBox(box.left - penWidth, box.top - penWidth, box.right + penWidth,
                                box.bottom + penWidth, clip);
    if (reach.IsRectEmpty())
        return true;

    const QRectF bounds(box.left, box.top, box.right - box.left, box.bottom - box.top);
    if (penWidth == 1) {
        // The outline pixels of Ellipse in this box whose centres lie between the rays.
        const double halfWidth = bounds.width() / 2;
        const double halfHeight = bounds.height() / 2;
        const QPointF centre = bounds.center();
        const double start =
            RayAngle(xStart - centre.x(), yStart - centre.y(), halfWidth, halfHeight);
        const double sweep = SweepAngle(
            start, RayAngle(xEnd - centre.x(), yEnd - centre.y(), halfWidth, halfHeight));
        const CRect logicalArea = ClipBox(box.left, box.top, box.right, box.bottom, clip);
        const CRect area = DeviceBoxOf(*image, logicalArea);
        if (area.IsRectEmpty())
            return true;
        const qreal ratio = image->devicePixelRatio();
        const EllipseCoverage cover(bounds, area, ratio);
        const QRgb pen = ToQRgb(m_penColour);
        for (int y = area.top; y < area.bottom; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image->scanLine(y));
            for (int x = area.left; x < area.right; ++x) {
                if (!cover.Outermost(x, y))
                    continue;
                // Measured at the device pixel's centre, in the program's pixels.
                const double angle =
                    RayAngle((x + 0.5) / ratio - centre.x(), (y + 0.5) / ratio - centre.y(),
                             halfWidth, halfHeight);
                double along = std::fmod(angle - start, 360.0);
                if (along < 0)
                    along += 360;
                if (along <= sweep)
                    row[x] = pen;
            }
        }
        Touch(logicalArea);
        return true;
    }
    // A wide pen runs along the ellipse through the outermost pixels' centres and ends
    // round, like a wide line.
    const QRectF line = OutlineBox(bounds);
    const QPointF centre = line.center();
    const double halfWidth = line.width() / 2;
    const double halfHeight = line.height() / 2;
    const double start = RayAngle(xStart - centre.x(), yStart - centre.y(), halfWidth, halfHeight);
    const double sweep =
        SweepAngle(start, RayAngle(xEnd - centre.x(), yEnd - centre.y(), halfWidth, halfHeight));
    QPainterPath path;
    path.arcMoveTo(line, start);
    path.arcTo(line, start, sweep);
    PaintWith(*image, clip, [&](QPainter& painter) {
        painter.fillPath(Stroke(path, penWidth, Qt::RoundCap), SolidBrush(m_penColour));
    });
    Touch(reach);
    return true;
}

CPoint CDC::MoveTo(int x, int y) {
    const CPoint previous = m_position;
    m_position = {x, y};
    return previous;
}

bool CDC::LineTo(int x, int y) {
    const CPoint from = m_position;
    const CPoint to{x, y};
    m_position = to;
    QImage* image = TargetImage();
    if (image == nullptr)
        return false;
    const int penWidth = PenWidth();
    if (penWidth == 0 || (penWidth == 1 && from == to))
        return true;
    const CRect clip = DrawableBox();
    const CRect reach = ClipBox(std::int64_t{std::min(from.x, to.x)} - penWidth,
                                std::int64_t{std::min(from.y, to.y)} - penWidth,
                                std::int64_t{std::max(from.x, to.x)} + penWidth + 1,
                                std::int64_t{std::max(from.y, to.y)} + penWidth + 1, clip);
    if (reach.IsRectEmpty())
        return true;

    if (penWidth > 1) {
        PaintWith(*image, clip, [&](QPainter& painter) {
            painter.setPen(WidePen(m_penColour, penWidth));
            painter.drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(to.x + 0.5, to.y + 0.5));
        });
        Touch(reach);
        return true;
    }
    // Both ends are drawn and the end pixel clipped away, whatever the direction.
    QRegion region(ToQRect(DeviceBoxOf(*image, clip)));
    region -= QRegion(ToQRect(DeviceBoxOf(
        *image, ClipBox(to.x, to.y, std::int64_t{to.x} + 1, std::int64_t{to.y} + 1, clip))));
    const QColor colour = QColor::fromRgb(ToQRgb(m_penColour));
    PaintWith(*image, region, [&](QPainter& painter) {
        if (image->devicePixelRatio() == 1.0) {
            // A 1-pixel flat-capped line drops its bottom or right end whatever the
            // direction; the default cap keeps both.
            painter.setPen(QPen(colour, 1));
            painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
            return;
        }
        // With more device pixels per pixel the line is a band one pixel wide through the
        // pixels' centres, its square ends covering the first pixel whole.
        QPainterPath path;
        path.moveTo(from.x + 0.5, from.y + 0.5);
        path.lineTo(to.x + 0.5, to.y + 0.5);
        painter.fillPath(Stroke(path, 1, Qt::SquareCap), colour);
    });
    Touch(reach);
    return true;
}

bool CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    const std::uint8_t code = RopCode(rop);
    QImage* image = TargetImage();
    if (image == nullptr || UsesSource(code))
        return false;
    if (UsesPattern(code) && m_brushNull)
        return false;
    if (width <= 0 || height <= 0)
        return true;
    const CRect box =
        ClipBox(x, y, std::int64_t{x} + width, std::int64_t{y} + height, DrawableBox());
    if (box.IsRectEmpty())
        return true;
    ApplyRop(*image, DeviceBoxOf(*image, box), nullptr, 0, 0, ToQRgb(m_brushColour), code);
    Touch(box);
    return true;
}

void CDC::FillSolidRect(const CRect& box, COLORREF colour) {
    CRect normal = box;
    normal.NormalizeRect();
    QImage* image = TargetImage();
    if (image == nullptr)
        return;
    const CRect inside = Intersect(normal, DrawableBox());
    FillBox(*image, inside, ToQRgb(colour));
    Touch(inside);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
    QImage* image = TargetImage();
    if (image == nullptr || width <= 0 || height <= 0)
        return;
    const CRect inside =
        ClipBox(x, y, std::int64_t{x} + width, std::int64_t{y} + height, DrawableBox());
    FillBox(*image, inside, ToQRgb(colour));
    Touch(inside);
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                 DWORD rop) {
    const std::uint8_t code = RopCode(rop);
    QImage* image = TargetImage();
    if (image == nullptr)
        return false;
    const QImage* sourceImage = nullptr;
    if (UsesSource(code)) {
        sourceImage = source != nullptr ? source->TargetImage() : nullptr;
        if (sourceImage == nullptr)
            return false;
    }
    if (UsesPattern(code) && m_brushNull)
        return false;
    if (width <= 0 || height <= 0)
        return true;

    CRect box = ClipBox(x, y, std::int64_t{x} + width, std::int64_t{y} + height, DrawableBox());
    const std::int64_t dx = std::int64_t{xSource} - x;
    const std::int64_t dy = std::int64_t{ySource} - y;
    if (sourceImage != nullptr) {
        box = ClipBox(-dx, -dy, LogicalWidth(*sourceImage) - dx, LogicalHeight(*sourceImage) - dy,
                      box);
    }
    if (box.IsRectEmpty())
        return true;
    // With a non-empty box both ends lie on their pictures, so the offsets fit.
    const QRgb brush = ToQRgb(m_brushColour);
    CRect device = DeviceBoxOf(*image, box);
    const qreal ratio = image->devicePixelRatio();
    if (sourceImage == nullptr) {
        ApplyRop(*image, device, nullptr, 0, 0, brush, code);
    } else if (sourceImage->devicePixelRatio() == ratio) {
        // Where the box starts on each picture; at a fractional ratio the two device boxes
        // may differ by a device pixel, and only pixels on both are touched.
        const int deviceDx = ToDevice(box.left + static_cast<int>(dx), ratio) - device.left;
        const int deviceDy = ToDevice(box.top + static_cast<int>(dy), ratio) - device.top;
        device = Intersect(device, CRect{-deviceDx, -deviceDy, sourceImage->width() - deviceDx,
                                         sourceImage->height() - deviceDy});
        if (!device.IsRectEmpty())
            ApplyRop(*image, device, sourceImage, deviceDx, deviceDy, brush, code);
    } else {
        ApplyRopAcrossRatios(*image, device, *sourceImage, static_cast<int>(dx),
                             static_cast<int>(dy), brush, code);
    }
    Touch(box);
    return true;
}

int CDC::GetClipBox(CRect* box) const {
    const CRect drawable = DrawableBox();
    if (box != nullptr)
        *box = drawable;
    return drawable.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

COLORREF CDC::GetPixel(int x, int y) const {
    const QImage* image = TargetImage();
    const CRect box = DrawableBox();
    if (image == nullptr || x < box.left || x >= box.right || y < box.top || y >= box.bottom) {
        return CLR_INVALID;
    }
    const CRect device = DeviceBoxOf(*image, CRect{x, y, x + 1, y + 1});
    if (device.IsRectEmpty())
        return CLR_INVALID;
    return ToColorRef(image->pixel(device.left, device.top));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    QImage* image = TargetImage();
    const CRect box = DrawableBox();
    if (image == nullptr || x < box.left || x >= box.right || y < box.top || y >= box.bottom) {
        return CLR_INVALID;
    }
    FillBox(*image, CRect{x, y, x + 1, y + 1}, ToQRgb(colour));
    Touch({x, y, x + 1, y + 1});
    return colour & 0xFFFFFF;
}

CClientDC::CClientDC(CSurfaceOwner* owner) : CDC(owner) {}

CClientDC::~CClientDC() {
    if (Owner() != nullptr && !TouchedBox().IsRectEmpty())
        Owner()->SurfaceTouched(TouchedBox());
}
