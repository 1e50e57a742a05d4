// IFxVST3: the component state a host saves and restores: the parameter
// serialisation, then the bypass flag as a little-endian int32.
#include "core/vst3/IFxVST3.h"

#include "core/IStateChunk.h"
#include "core/LookUpHost.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

namespace {
constexpr int32 kReadStep = 128;
// A stream that never ends (or a hostile one) stops here.
constexpr int kMaxStateBytes = 16 * 1024 * 1024;

bool WriteAll(IBStream* stream, void* data, int32 size)
{
  int32 written = 0;
  if (stream->write(data, size, &written) != kResultOk)
    return false;
  return written == size;
}
} // namespace

tresult IFxVST3::getComponentStateForHost(IBStream* stream)
{
  if (!stream)
    return kResultFalse;
  try
  {
    IStateChunk chunk;
    if (!SerializeParams(chunk))
      return kResultFalse;
    if (chunk.Size() > 0 && !WriteAll(stream, chunk.GetData(), chunk.Size()))
      return kResultFalse;
    int32 bypass = IsBypassed() ? 1 : 0;
    if (!WriteAll(stream, &bypass, static_cast<int32>(sizeof(bypass))))
      return kResultFalse;
  }
  catch (...)
  {
    return kResultFalse;
  }
  return kResultOk;
}

tresult IFxVST3::setComponentStateFromHost(IBStream* stream)
{
  try
  {
    return RestoreStateFromStream(stream) ? kResultOk : kResultFalse;
  }
  catch (...)
  {
    return kResultFalse;
  }
}

bool IFxVST3::RestoreStateFromStream(IBStream* stream)
{
  if (!stream)
    return false;

  IStateChunk chunk;
  const bool keepReadingOnError = GetHostId() == kHostWaveLab;
  uint8_t buffer[kReadStep] = {};
  for (;;)
  {
    int32 got = 0;
    const tresult result = stream->read(buffer, kReadStep, &got);
    got = got < 0 ? 0 : (got > kReadStep ? kReadStep : got);
    if (got == 0)
      break;
    if (!chunk.PutBytes(buffer, got))
      return false;
    if ((result != kResultOk && !keepReadingOnError) || chunk.Size() >= kMaxStateBytes)
      break;
  }

  const int pos = UnserializeParams(chunk, 0);
  if (pos < 0)
  {
    // Short data: what could be read stays, the bypass is left alone.
    SyncParameterObjects();
    IEditorDelegate::OnStateRestored();
    return false;
  }

  int32 bypass = 0;
  int64 seekResult = 0;
  if (stream->seek(pos, IBStream::kIBSeekSet, &seekResult) == kResultOk)
  {
    int32 got = 0;
    if (stream->read(&bypass, static_cast<int32>(sizeof(bypass)), &got) != kResultOk)
    {
      SyncParameterObjects();
      IEditorDelegate::OnStateRestored();
      return false;
    }
    if (got != static_cast<int32>(sizeof(bypass)))
      bypass = 0;
  }
  else if (chunk.Get(bypass, pos) < 0)
  {
    // A stream that cannot seek: the bytes already read hold the flag.
    bypass = 0;
  }

  SetBypassed(bypass != 0);
  SyncParameterObjects();
  SyncBypassObject();
  IEditorDelegate::OnStateRestored();
  return true;
}

} // namespace ifx
