#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include "base/IHeapBuf.h"
#include "base/IString.h"

namespace ifx {

// One automatable parameter: real value, range, step, default, display rules
// and the display shape that maps real values to the normalised 0..1 range
// hosts and controls use.
//
// Threads: `value` is written by atomic exchange from the audio thread (host
// automation) and the main thread (editor, state), and read without a lock
// anywhere. Everything else is configured on the main thread during
// construction and only read afterwards. No NaN ever leaves a parameter: NaN
// maps to the minimum, infinities clamp to the range.
class IParam
{
public:
  enum EParamType
  {
    kTypeNone = 0,
    kTypeBool = 1,
    kTypeInt = 2,
    kTypeEnum = 3,
    kTypeDouble = 4
  };

  enum EFlags
  {
    kFlagsNone = 0,
    kFlagCannotAutomate = 1,
    kFlagStepped = 2,
    kFlagNegateDisplay = 4,
    kFlagSignDisplay = 8,
  };

  enum EDisplayType
  {
    kDisplayLinear = 0
  };

  static constexpr int kUnitCustom = 21;
  static constexpr int kMaxTextLen = 32; // name, label, group, display texts
  static constexpr int kMaxDisplayPrecision = 6;

  // Maps between real values and the normalised range.
  struct Shape
  {
    virtual ~Shape() = default;
    // A new copy, owned by the caller.
    virtual Shape* Clone() const = 0;
    // Called once the shape is attached to its parameter.
    virtual void Init(const IParam& param) {}
    virtual EDisplayType GetDisplayType() const = 0;
    virtual double NormalizedToValue(double normalized, const IParam& param) const = 0;
    virtual double ValueToNormalized(double value, const IParam& param) const = 0;
  };

  struct ShapeLinear : Shape
  {
    Shape* Clone() const override;
    void Init(const IParam& param) override {}
    EDisplayType GetDisplayType() const override { return kDisplayLinear; }
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;
  };

  // Replaces the numeric display: writes the text for a value.
  using DisplayFunc = std::function<void(double value, IString& out)>;

  struct DisplayTextEntry
  {
    double value;
    char text[kMaxTextLen];
  };

  IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;
  ~IParam();

  // ---- configuration (main thread, before use) ----------------------------

  // The unit argument is not used: every parameter gets kUnitCustom.
  void ConfigureDouble(const char* name, double defaultValue = 0., double minVal = 0., double maxVal = 100.,
                       double step = 1., const char* label = "", int flags = 0, const char* group = "",
                       const Shape& shape = ShapeLinear(), int unit = kUnitCustom, DisplayFunc displayFunc = nullptr);

  // count entries 0..count-1, stepped; the texts (when the first is not
  // null) become the display texts of 0, 1, ... count-1.
  void ConfigureEnum(const char* name, int defaultValue, int count, const char* label = "", int flags = 0,
                     const char* group = "", const char* text0 = nullptr, ...);

  // Appends a display text for value (cut to 31 characters).
  void SetDisplayText(double value, const char* text);

  // ---- value -------------------------------------------------------------

  double Value() const noexcept { return mValue.load(std::memory_order_relaxed); }
  bool Bool() const noexcept { return Value() >= 0.5; }
  int Int() const noexcept { return static_cast<int>(Value()); }

  // Rounded to the step when stepped, clamped, stored atomically.
  void Set(double v) noexcept;
  void SetNormalized(double normalized) noexcept { Set(FromNormalized(normalized)); }
  void SetToDefault() noexcept { Set(mDefault); }
  double GetNormalized() const noexcept { return ToNormalized(Value()); }

  // ---- conversions -------------------------------------------------------

  // Step rounding (half away from zero) and clamping, nothing stored.
  double Constrain(double v) const noexcept;
  // Shape of the constrained value, clamped to [0, 1].
  double ToNormalized(double v) const noexcept;
  // Shape, step rounding, clamping to [min, max].
  double FromNormalized(double normalized) const noexcept;
  double GetDefault(bool normalized = false) const noexcept;

  // ---- display -----------------------------------------------------------

  // The text for v (normalised when asked): display function, else a
  // matching display text (withDisplayText), else the number.
  void GetDisplayText(double v, bool normalized, IString& out, bool withDisplayText = true) const;
  // The label, or "" when the current value (truncated) has a display text.
  const char* GetLabelForValue() const noexcept;
  // A display text's value, else the parsed number (not for enum and bool,
  // which give 0 for unknown texts).
  double StringToValue(const char* text) const noexcept;
  // The strict form for hosts: a display text, or a finite number that only
  // blanks and this parameter's label may follow. False (value untouched)
  // for anything else, so garbage never sets a parameter.
  bool TextToValue(const char* text, double& value) const noexcept;

  int NDisplayTexts() const noexcept;
  // Null outside the list; value receives the entry's value.
  const char* GetDisplayTextAtIdx(int idx, double* value = nullptr) const noexcept;

  // ---- fields ------------------------------------------------------------

  EParamType Type() const noexcept { return static_cast<EParamType>(mType); }
  int Unit() const noexcept { return mUnit; }
  double GetMin() const noexcept { return mMin; }
  double GetMax() const noexcept { return mMax; }
  double GetRange() const noexcept { return mMax - mMin; }
  double GetStep() const noexcept { return mStep; }
  int GetDisplayPrecision() const noexcept { return mDisplayPrecision; }
  int GetFlags() const noexcept { return mFlags; }
  bool GetStepped() const noexcept { return (mFlags & kFlagStepped) != 0; }
  bool GetNegateDisplay() const noexcept { return (mFlags & kFlagNegateDisplay) != 0; }
  bool GetSignDisplay() const noexcept { return (mFlags & kFlagSignDisplay) != 0; }
  bool GetCanAutomate() const noexcept { return (mFlags & kFlagCannotAutomate) == 0; }
  const char* GetName() const noexcept { return mName; }
  const char* GetLabel() const noexcept { return mLabel; }
  const char* GetGroup() const noexcept { return mGroup; }
  const Shape& GetShape() const noexcept { return *mShape; }
  bool HasDisplayFunc() const noexcept { return static_cast<bool>(mDisplayFunc); }

private:
  double RoundToStep(double v) const noexcept;
  double Clamp(double v) const noexcept;
  // The value of the display text equal to text; false when none is.
  bool FindDisplayText(const char* text, double& value) const noexcept;

  int32_t mType = kTypeNone;
  int32_t mUnit = kUnitCustom;
  std::atomic<double> mValue{0.};
  double mMin = 0.;
  double mMax = 1.;
  double mStep = 1.;
  double mDefault = 0.;
  int32_t mDisplayPrecision = 0;
  int32_t mFlags = 0;
  char mName[kMaxTextLen]{};
  char mLabel[kMaxTextLen]{};
  char mGroup[kMaxTextLen]{};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunc;
  IHeapBuf mDisplayTexts;
};

} // namespace ifx
