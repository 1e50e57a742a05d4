// IPluginBase: FXP preset files, written and read as whole images.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/FxpFile.h"
#include "base/IParam.h"
#include "base/OpenFileUtf8.h"
#include "framework/IPluginBase.h"

namespace ifx {

namespace {

bool PutBE32(IStateChunk& chunk, uint32_t v)
{
  uint8_t b[4];
  fxp::WriteBE32(b, v);
  return chunk.PutBytes(b, 4);
}

bool PutBE32(IStateChunk& chunk, int32_t v) { return PutBE32(chunk, static_cast<uint32_t>(v)); }

int GetBE32(const IStateChunk& chunk, int32_t& v, int pos)
{
  uint8_t b[4];
  pos = chunk.GetBytes(b, 4, pos);
  if (pos >= 0)
    v = static_cast<int32_t>(fxp::ReadBE32(b));
  return pos;
}

} // namespace

bool IPluginBase::MakePresetFileImage(IStateChunk& out)
{
  out.Clear();

  // The name field: the current preset's name, at most 27 characters, always
  // terminated and zero-padded.
  uint8_t name[fxp::kNameSize] = {};
  if (const IPresetSlot* slot = GetPreset(mCurrentPresetIdx))
  {
    for (int i = 0; i < fxp::kNameSize - 1 && slot->name[i]; ++i)
      name[i] = static_cast<uint8_t>(slot->name[i]);
  }

  const bool chunkForm = mSavesStateChunks;
  IStateChunk state;
  if (chunkForm)
  {
    if (!PutBE32(state, fxp::kChunkTag) || !state.Put(fxp::kChunkTagVersion) || !SerializeParams(state))
      return false;
  }

  bool ok = PutBE32(out, fxp::kChunkMagic);
  ok = ok && PutBE32(out, chunkForm ? state.Size() + fxp::kChunkStart : 0);
  ok = ok && PutBE32(out, chunkForm ? fxp::kChunkFormMagic : fxp::kParamsMagic);
  ok = ok && PutBE32(out, fxp::kFormatVersion);
  ok = ok && PutBE32(out, mUniqueId);
  ok = ok && PutBE32(out, GetPackedVersion());
  ok = ok && PutBE32(out, NParams());
  ok = ok && out.PutBytes(name, fxp::kNameSize);

  if (chunkForm)
  {
    ok = ok && PutBE32(out, state.Size());
    ok = ok && out.PutChunk(state);
  }
  else
  {
    for (int i = 0; ok && i < NParams(); ++i)
    {
      const IParam* param = GetParam(i);
      const float v = static_cast<float>(param->ToNormalized(param->Value()));
      uint32_t bits;
      std::memcpy(&bits, &v, 4);
      ok = PutBE32(out, bits);
    }
  }

  if (!ok)
    out.Clear();
  return ok;
}

bool IPluginBase::SavePresetFile(const char* path)
{
  if (!path || !path[0])
    return false;

  IStateChunk image;
  if (!MakePresetFileImage(image))
    return false;

  FILE* fp = OpenFileUtf8(path, "wb");
  if (!fp)
    return false;
  const size_t size = static_cast<size_t>(image.Size());
  const bool written = std::fwrite(image.GetData(), 1, size, fp) == size;
  // A failed close can mean the data never reached the disk.
  const bool closed = std::fclose(fp) == 0;
  return written && closed;
}

bool IPluginBase::LoadPresetFileImage(const uint8_t* data, int size)
{
  if (!data || size < fxp::kHeaderSize || size > fxp::kMaxFileSize)
    return false;
  IStateChunk image;
  if (!image.PutBytes(data, size))
    return false;
  return LoadPresetFileImage(image);
}

bool IPluginBase::LoadPresetFileImage(const IStateChunk& image)
{
  const int size = image.Size();
  if (size < fxp::kHeaderSize || size > fxp::kMaxFileSize)
    return false;

  // Everything is checked before anything changes.
  int32_t chunkMagic = 0, formMagic = 0, formatVersion = 0, pluginId = 0;
  GetBE32(image, chunkMagic, 0);
  GetBE32(image, formMagic, fxp::kOffsetFormMagic);
  GetBE32(image, formatVersion, fxp::kOffsetFormatVersion);
  GetBE32(image, pluginId, fxp::kOffsetPluginId);
  if (chunkMagic != fxp::kChunkMagic || formatVersion != fxp::kFormatVersion || pluginId != mUniqueId)
    return false;

  const bool chunkForm = mSavesStateChunks && formMagic == fxp::kChunkFormMagic;
  if (!chunkForm && formMagic != fxp::kParamsMagic)
    return false;
  // A file cut short of what its header announces is refused whole rather
  // than applied in part: the chunk form announces its chunk length, the
  // parameter form its count of values.
  if (chunkForm && size < fxp::kChunkStart)
    return false;
  int32_t announced = 0;
  GetBE32(image, announced, chunkForm ? fxp::kOffsetChunkLength : fxp::kOffsetParamCount);
  const int64_t needed = chunkForm ? int64_t{fxp::kChunkStart} + announced : fxp::kHeaderSize + int64_t{4} * announced;
  if (announced < 0 || size < needed)
    return false;

  // Another writer may fill all 28 bytes without a terminator.
  char name[fxp::kNameSize + 1] = {};
  std::memcpy(name, image.GetData() + fxp::kOffsetName, fxp::kNameSize);

  if (chunkForm)
  {
    int pos = fxp::kChunkStart;
    int32_t tag = 0;
    if (GetBE32(image, tag, pos) >= 0 && tag == fxp::kChunkTag)
      pos += 8;
    if (pos > size)
      pos = size;
    // Short data restores the parameters it holds and leaves the others.
    UnserializeParams(image, pos);
  }
  else
  {
    // Only whole values apply; parameters beyond the data keep their values,
    // and values beyond the plug-in's parameters are ignored.
    int pos = fxp::kHeaderSize;
    for (int i = 0; i < NParams(); ++i)
    {
      int32_t bits = 0;
      pos = GetBE32(image, bits, pos);
      if (pos < 0)
        break;
      float normalized;
      std::memcpy(&normalized, &bits, 4);
      IParam* param = GetParam(i);
      param->Set(param->FromNormalized(normalized));
    }
  }

  ModifyCurrentPreset(name);
  RestorePreset(mCurrentPresetIdx);
  OnPresetsModified();
  return true;
}

bool IPluginBase::LoadPresetFile(const char* path)
{
  if (!path || !path[0])
    return false;
  FILE* fp = OpenFileUtf8(path, "rb");
  if (!fp)
    return false;

  IStateChunk image;
  uint8_t buf[4096];
  bool ok = true;
  for (;;)
  {
    const size_t n = std::fread(buf, 1, sizeof(buf), fp);
    // Stop reading as soon as the file is too large to be a preset.
    if (n > 0 && (image.Size() + static_cast<int>(n) > fxp::kMaxFileSize || !image.PutBytes(buf, static_cast<int>(n))))
    {
      ok = false;
      break;
    }
    if (n < sizeof(buf))
    {
      ok = !std::ferror(fp);
      break;
    }
  }
  std::fclose(fp);
  return ok && LoadPresetFileImage(image);
}

} // namespace ifx
