#pragma once
// Handles to loaded bitmaps and SVG documents, offscreen layers and shadows.
#include <cstdint>
#include <string>

#include "toolkit/IPaint.h"
#include "toolkit/IRECT.h"

namespace ifx {
namespace igfx {

class IControl;
struct SVGImage;

// A back-end bitmap; the cache that holds it deletes it.
class APIBitmap
{
public:
  APIBitmap() = default;
  APIBitmap(int imageId, int width, int height, float scale, float drawScale)
    : mImageId(imageId), mWidth(width), mHeight(height), mScale(scale), mDrawScale(drawScale)
  {
  }
  virtual ~APIBitmap() = default;
  APIBitmap(const APIBitmap&) = delete;
  APIBitmap& operator=(const APIBitmap&) = delete;

  int GetImageId() const { return mImageId; }
  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  float GetScale() const { return mScale; }
  float GetDrawScale() const { return mDrawScale; }

protected:
  int mImageId = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 1.f;
  float mDrawScale = 1.f;
};

// A loaded bitmap; all zero with an empty name when loading failed.
class IBitmapRef
{
public:
  IBitmapRef() = default;
  IBitmapRef(APIBitmap* bitmap, int width, int height, int nFrames, bool framesAreHorizontal, const char* name)
    : mAPIBitmap(bitmap)
    , mW(width)
    , mH(height)
    , mN(nFrames)
    , mFramesAreHorizontal(framesAreHorizontal)
    , mName(name ? name : "")
  {
  }

  APIBitmap* GetAPIBitmap() const { return mAPIBitmap; }
  int W() const { return mW; }
  int H() const { return mH; }
  int N() const { return mN; }
  bool GetFramesAreHorizontal() const { return mFramesAreHorizontal; }
  const char* GetName() const { return mName.c_str(); }
  float GetScale() const { return mAPIBitmap ? mAPIBitmap->GetScale() : 1.f; }
  float GetDrawScale() const { return mAPIBitmap ? mAPIBitmap->GetDrawScale() : 1.f; }
  // Something that can be drawn: a back-end bitmap, a size and at least one frame.
  bool IsValid() const { return mAPIBitmap && mW > 0 && mH > 0 && mN > 0; }
  int FrameWidth() const { return mN > 0 && mFramesAreHorizontal ? mW / mN : mW; }
  int FrameHeight() const { return mN > 0 && !mFramesAreHorizontal ? mH / mN : mH; }

private:
  APIBitmap* mAPIBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mN = 0;
  bool mFramesAreHorizontal = false;
  std::string mName;
};

// A reference to a back-end bitmap in logical units (its pixel size over its
// scale); empty for a null bitmap or one without a scale.
inline IBitmapRef MakeBitmapRef(APIBitmap* bitmap, int nStates = 1, bool framesAreHorizontal = false,
                                const char* name = "")
{
  if (!bitmap || !(bitmap->GetScale() > 0.f))
    return IBitmapRef();
  return IBitmapRef(bitmap, static_cast<int>(static_cast<float>(bitmap->GetWidth()) / bitmap->GetScale()),
                    static_cast<int>(static_cast<float>(bitmap->GetHeight()) / bitmap->GetScale()), nStates,
                    framesAreHorizontal, name);
}

// Holder of one parsed SVG document as kept in the SVG cache.
struct SVGHolder
{
  explicit SVGHolder(SVGImage* image) : mImage(image) {}
  ~SVGHolder();
  SVGHolder(const SVGHolder&) = delete;
  SVGHolder& operator=(const SVGHolder&) = delete;
  SVGImage* mImage = nullptr;
};

class ISvgDocument
{
public:
  ISvgDocument() = default;
  explicit ISvgDocument(SVGHolder* holder) : mHolder(holder) {}
  SVGHolder* GetHolder() const { return mHolder; }
  const SVGImage* GetImage() const { return mHolder ? mHolder->mImage : nullptr; }
  // Document size; 0 without a document.
  float W() const;
  float H() const;
  // A document with content and a positive size.
  bool IsValid() const;

private:
  SVGHolder* mHolder = nullptr;
};

struct IOffscreenLayer
{
  IOffscreenLayer(APIBitmap* bitmap, IControl* control, const IRECT& controlRect, const IRECT& bounds)
    : mBitmap(bitmap), mControl(control), mControlRECT(controlRect), mBounds(bounds)
  {
  }
  ~IOffscreenLayer() { delete mBitmap; }
  IOffscreenLayer(const IOffscreenLayer&) = delete;
  IOffscreenLayer& operator=(const IOffscreenLayer&) = delete;

  APIBitmap* GetAPIBitmap() const { return mBitmap; }
  IControl* GetControl() const { return mControl; }
  const IRECT& GetControlRECT() const { return mControlRECT; }
  const IRECT& Bounds() const { return mBounds; }
  bool IsInvalid() const { return mInvalid; }
  void Invalidate() { mInvalid = true; }

  APIBitmap* mBitmap = nullptr;
  IControl* mControl = nullptr;
  IRECT mControlRECT;
  IRECT mBounds;
  bool mInvalid = false;
};

struct IDropShadow
{
  IPaintPattern pattern{kColorShadowDefault};
  float blurSize = 10.f;
  float xOffset = 5.f;
  float yOffset = 5.f;
  float opacity = 1.f;
  bool drawForeground = true;
};

} // namespace igfx
} // namespace ifx
