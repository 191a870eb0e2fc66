#pragma once

// The drawing layer: pens, brushes, bitmaps and drawing surfaces with the classic
// pixel rules, painted without antialiasing onto 32-bit images.
//
// Coordinates, sizes and the pixel rules are in the program's own pixels. A window on a
// screen with more device pixels per pixel (a device pixel ratio above 1) has an image of
// its device size, and bitmaps made compatible with its surface take the same ratio: every
// shape and transfer then works on device pixels, so a 1-pixel outline is ratio device
// pixels wide and curves are as smooth as the screen allows. At a ratio of 1 device pixels
// and pixels are the same.
//
// The selection model is the classic one: SelectObject returns what it replaces, and
// the caller puts that back when done. A surface copies the pen's and brush's
// attributes when they are selected, so releasing a pen or brush while it is still
// selected cannot leave the surface drawing with freed state; a selected bitmap's
// pixels stay alive for as long as a surface draws into them.

#include <cstdint>
#include <memory>

#include "shell/platform/types.h"
#include "shell/platform/windef.h"

class QImage;
class CSurfaceOwner;
class CDC;

constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Stock object indices for SelectStockObject.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

// Raster operations. The third byte from the bottom is the truth table over pattern
// (brush), source and destination bits; BitBlt and PatBlt evaluate any of them, the
// ones named here run on fast paths or are the common ones.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
// The masked brush transfer: ((destination XOR brush) AND source) XOR destination, so
// the brush colour lands where the source is white and the destination stays where the
// source is black. The ball sprite is painted through its mask with it.
constexpr DWORD DSPDxax = 0x00E20746;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// GetClipBox answers.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    // Releases the object's resources; it can be created again afterwards. Stock objects
    // ignore this.
    virtual bool DeleteObject() = 0;
    bool IsCreated() const { return m_created; }
    bool IsStockObject() const { return m_stock; }

protected:
    CGdiObject() = default;
    bool m_created = false;
    bool m_stock = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    // PS_SOLID or PS_NULL; any other style draws as solid. A width below 1 draws 1 wide.
    bool CreatePen(int style, int width, COLORREF colour);
    bool DeleteObject() override;

    int Style() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Colour() const { return m_colour; }

private:
    friend class CDC;
    static CPen* Stock(int index);

    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_colour = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    bool CreateSolidBrush(COLORREF colour);
    bool DeleteObject() override;

    bool IsNullBrush() const { return m_null; }
    COLORREF Colour() const { return m_colour; }

private:
    friend class CDC;
    static CBrush* Stock(int index);

    bool m_null = false;
    COLORREF m_colour = 0;
};

class CBitmap : public CGdiObject {
public:
    CBitmap();
    ~CBitmap() override;

    // A black 32-bit picture of width x height, at the device pixel ratio of dc (1 without
    // one). A width or height of zero or less makes an empty bitmap: created, but with no
    // pixels, so drawing on it or copying from it paints nothing.
    bool CreateCompatibleBitmap(CDC* dc, int width, int height);
    bool DeleteObject() override;

    CSize GetSize() const;
    // The pixels (of the device size), for the layer itself and for tests; null before
    // creation.
    const QImage* Image() const { return m_image.get(); }

private:
    friend class CDC;
    static CBitmap* Stock();

    std::shared_ptr<QImage> m_image;
};

class CDC {
public:
    // A surface that paints nothing until CreateCompatibleDC makes it an off-screen one.
    CDC();
    // A surface over an image that the caller owns (the paint cycle's surface), limited
    // to clip; GetClipBox answers the part of clip that lies on the image. Images, here
    // and on windows, must be RGB32 or ARGB32 (premultiplied or not); on any other
    // format the surface paints nothing.
    CDC(QImage* image, const CRect& clip);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Makes this an off-screen surface. It has no pixels until a bitmap is selected, and
    // until then answers the device pixel ratio of dc (1 without one).
    bool CreateCompatibleDC(CDC* dc);
    // Detaches the surface from whatever it painted on; the selected objects are kept.
    bool DeleteDC();

    // Each returns the object it replaces, or null (and changes nothing) when the object
    // is null or not created. A bitmap can only be selected into an off-screen surface.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);

    CPen* GetCurrentPen() const { return m_pen; }
    CBrush* GetCurrentBrush() const { return m_brush; }
    CBitmap* GetCurrentBitmap() const { return m_bitmap; }

    // Filled with the brush; the pen's outline lies on the outermost pixels, so column
    // right and row bottom are never painted by a 1-pixel pen.
    bool Rectangle(int left, int top, int right, int bottom);
    bool Rectangle(const CRect& box) { return Rectangle(box.left, box.top, box.right, box.bottom); }
    // The ellipse inscribed in the box, symmetric about the box's centre lines.
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const CRect& box) { return Ellipse(box.left, box.top, box.right, box.bottom); }
    // Part of the outline of the ellipse inscribed in the box, counter-clockwise on the
    // screen from the ray from the box's centre through (xStart, yStart) to the ray
    // through (xEnd, yEnd). The same ray twice draws the whole ellipse.
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint point) { return MoveTo(point.x, point.y); }
    // A 1-pixel pen leaves the end point unpainted; wide pens have round ends and joins.
    bool LineTo(int x, int y);
    bool LineTo(CPoint point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const { return m_position; }

    // Raster operation between the brush and the destination, as PATCOPY.
    bool PatBlt(int x, int y, int width, int height, DWORD rop);
    void FillSolidRect(const CRect& box, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    // Raster operation between this surface's brush, the source surface's pixels from
    // (xSource, ySource) and this surface. Only pixels that exist in the source and lie
    // in this surface's clip box are touched.
    bool BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                DWORD rop);

    int GetClipBox(CRect* box) const;
    // CLR_INVALID outside the clip box. Above a ratio of 1 a pixel covers several device
    // pixels: GetPixel answers its top-left one, SetPixel paints them all.
    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF colour);

    // Device pixels per pixel of what the surface paints on.
    double GetDevicePixelRatio() const;

    // The bounding box of everything painted through this surface so far.
    CRect TouchedBox() const { return m_touched; }

protected:
    explicit CDC(CSurfaceOwner* owner);
    CSurfaceOwner* Owner() const { return m_owner; }

private:
    enum class Target { None, OffScreen, Image, Owner };

    QImage* TargetImage() const;
    CRect DrawableBox() const;
    // 0 for the null pen.
    int PenWidth() const;
    void Touch(const CRect& box);

    Target m_target = Target::None;
    QImage* m_image = nullptr;
    CSurfaceOwner* m_owner = nullptr;
    CRect m_clip;
    std::shared_ptr<QImage> m_bitmapImage;
    // The ratio of an off-screen surface without pixels, taken from its model surface.
    double m_offScreenRatio = 1.0;

    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    CBitmap* m_bitmap = nullptr;
    int m_penStyle = PS_SOLID;
    int m_penWidth = 1;
    COLORREF m_penColour = 0;
    bool m_brushNull = false;
    COLORREF m_brushColour = 0;

    CPoint m_position;
    CRect m_touched;
};

// A surface on a window's client area. Giving it back (destroying it) tells the window,
// once, the box it painted, so the window shows those pixels at once.
class CClientDC : public CDC {
public:
    explicit CClientDC(CSurfaceOwner* owner);
    ~CClientDC() override;
};
