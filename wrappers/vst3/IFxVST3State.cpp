// IFxVST3: the component state a host saves and restores: the parameter
// serialisation, then the bypass flag as a little-endian int32.
#include "wrappers/vst3/IFxVST3.h"

#include "base/IStateChunk.h"
#include "base/LookUpHost.h"

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

  // The whole state is read from where the stream stands, however few bytes
  // each read gives; the bypass word is then taken from those bytes, since
  // a host stream may begin inside a larger one (no absolute seek) and may
  // hand out a byte at a time (no single 4-byte read).
  IStateChunk chunk;
  const bool keepReadingOnError = GetHostId() == kHostWaveLab;
  int firstFailedByte = -1; // where the first read that reported failure began
  uint8_t buffer[kReadStep] = {};
  for (;;)
  {
    int32 got = 0;
    const tresult result = stream->read(buffer, kReadStep, &got);
    got = got < 0 ? 0 : (got > kReadStep ? kReadStep : got);
    if (result != kResultOk && firstFailedByte < 0)
      firstFailedByte = chunk.Size();
    if (got == 0)
      break;
    if (!chunk.PutBytes(buffer, got))
      return false;
    if ((result != kResultOk && !keepReadingOnError) || chunk.Size() >= kMaxStateBytes)
      break;
  }

  const int pos = UnserializeParams(chunk, 0);
  bool restored = pos >= 0;
  if (restored)
  {
    int32 bypass = 0;
    const bool wordRead = chunk.Get(bypass, pos) >= 0;
    // A bypass word (or its absence) that the stream reported as a failed
    // read refuses the state; the bypass is then left alone.
    if (firstFailedByte >= 0 && firstFailedByte < pos + static_cast<int>(sizeof(bypass)))
      restored = false;
    else
    {
      SetBypassed(wordRead && bypass != 0);
      SyncBypassObject();
    }
  }
  // Short data or not, what could be read stays.
  SyncParameterObjects();
  IEditorDelegate::OnStateRestored();
  return restored;
}

} // namespace ifx
