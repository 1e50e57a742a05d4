#pragma once
// Plug-in identity, the preset list, and the two formats parameter values
// leave the process in: the state chunk and the FXP preset file.
#include <atomic>
#include <cstdint>
#include <memory>

#include "base/IPresetSlot.h"
#include "base/IStateChunk.h"
#include "base/IString.h"
#include "toolkit/IGEditorDelegate.h"

namespace ifx {

class IPluginBase : public IGEditorDelegate
{
public:
  IPluginBase(int nParams, int nPresets);
  ~IPluginBase() override;

  // -- Identity ------------------------------------------------------------------
  const char* GetPluginName() const noexcept { return mPluginName.Get(); }
  const char* GetProductName() const noexcept { return mProductName.Get(); }
  const char* GetMakerName() const noexcept { return mMakerName.Get(); }
  int32_t GetUniqueId() const noexcept { return mUniqueId; }
  int32_t GetVersion() const noexcept { return mVersion; }
  // major * 10000 + minor * 100 + patch, as preset files carry it.
  int32_t GetPackedVersion() const noexcept;
  int GetHostId() const noexcept { return mHostId.load(std::memory_order_relaxed); }
  bool SavesStateChunks() const noexcept { return mSavesStateChunks; }

  // -- Editor and hooks ----------------------------------------------------------
  void ApplyParamValueFromUI(int paramIdx, double normalizedValue) override;
  virtual void NotifyHostParamDetails() {}

  // -- State -------------------------------------------------------------------
  // Every parameter's value as a little-endian double, in index order.
  // False when any append falls short.
  virtual bool SerializeParams(IStateChunk& chunk);
  // Returns the position after the last value read, or -1 when the chunk runs
  // short (parameters after the end are left as they were).
  virtual int UnserializeParams(const IStateChunk& chunk, int startPos);
  virtual void OnPresetsModified() {}
  virtual void OnPresetRestored() {}
  // True when every value, narrowed to float, is within 1e-5 of
  // stored[startIdx + i].
  virtual bool CompareState(const double* stored, int startIdx) const;
  virtual void OnHostKnown() {}

  // -- Presets -------------------------------------------------------------------
  int NPresets() const noexcept { return mNPresets; }
  int GetCurrentPresetIdx() const noexcept { return mCurrentPresetIdx; }
  // Null outside the list.
  const IPresetSlot* GetPreset(int idx) const noexcept;
  const char* GetPresetName(int idx) const noexcept;

  // Fills the first empty slot: one value per parameter, taken as int for
  // bool, int and enum parameters and as double for the others.
  void MakePreset(const char* name, ...);
  bool RestorePreset(int idx);
  // Rewrites the current slot from the current values; a non-empty name
  // renames it.
  void ModifyCurrentPreset(const char* name = nullptr);

  // -- Preset files ----------------------------------------------------------------
  // FXP files (layout in base/FxpFile.h). Paths are UTF-8. Saving fails when
  // the file cannot be opened, written or closed. Loading rejects files that
  // are too short or too large, foreign or of an unknown form, and then
  // changes nothing.
  bool SavePresetFile(const char* path);
  bool LoadPresetFile(const char* path);
  // The same file images in memory (what the two above write and read).
  bool MakePresetFileImage(IStateChunk& out);
  bool LoadPresetFileImage(const uint8_t* data, int size);
  bool LoadPresetFileImage(const IStateChunk& image);

protected:
  IPresetSlot* GetPresetSlot(int idx) noexcept;
  // The parameter takes a normalised value from the editor (stepped and
  // clamped); false for an index outside the list.
  bool SetParamFromUI(int paramIdx, double normalizedValue);

  IString mPluginName;
  IString mProductName;
  IString mMakerName;
  int32_t mUniqueId = 0;
  int32_t mVersion = 0;
  std::atomic<int> mHostId{-1};
  bool mSavesStateChunks = false;
  int mCurrentPresetIdx = 0;

private:
  int mNPresets = 0;
  std::unique_ptr<IPresetSlot[]> mPresets;
};

} // namespace ifx
