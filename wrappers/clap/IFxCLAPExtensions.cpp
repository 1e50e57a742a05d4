// What the host reads through the extensions: parameters, state, audio ports
// and their configurations, note ports.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/IParam.h"
#include "base/IStateChunk.h"
#include "base/IString.h"
#include "wrappers/clap/IFxCLAP.h"

namespace ifx {

namespace {

// A state larger than this is not ours: refuse it rather than read forever.
constexpr int kMaxStateBytes = 1 << 20;

void CopyText(char* dst, size_t room, const char* src) noexcept
{
  if (room == 0)
    return;
  const size_t n = src ? std::min(std::strlen(src), room - 1) : 0;
  if (n)
    std::memcpy(dst, src, n);
  dst[n] = '\0';
}

const char* PortType(int channels) noexcept
{
  return channels == 2 ? CLAP_PORT_STEREO : channels == 1 ? CLAP_PORT_MONO : nullptr;
}

} // namespace

// ---- params ------------------------------------------------------------------------

uint32_t IFxCLAP::ParamsCount() const { return static_cast<uint32_t>(NParams()); }

bool IFxCLAP::IsValidParamId(clap_id paramId) const { return paramId < static_cast<clap_id>(NParams()); }

bool IFxCLAP::ParamsGetInfo(uint32_t paramIndex, clap_param_info_t* info) const
{
  const IParam* param = ParamForId(paramIndex);
  if (!param || !info)
    return false;
  std::memset(info, 0, sizeof(*info));
  const bool isDouble = param->Type() == IParam::kTypeDouble;
  info->id = paramIndex;
  info->flags = CLAP_PARAM_REQUIRES_PROCESS;
  if (param->GetCanAutomate())
    info->flags |= CLAP_PARAM_IS_AUTOMATABLE;
  if (!isDouble)
    info->flags |= CLAP_PARAM_IS_STEPPED;
  info->cookie = nullptr;
  CopyText(info->name, sizeof(info->name), param->GetName());
  CopyText(info->module, sizeof(info->module), param->GetGroup());
  if (isDouble)
  {
    info->min_value = 0.0;
    info->max_value = 1.0;
    info->default_value = param->GetDefault(true);
  }
  else
  {
    info->min_value = param->GetMin();
    info->max_value = param->GetMax();
    info->default_value = param->GetDefault(false);
  }
  return true;
}

bool IFxCLAP::ParamsGetValue(clap_id paramId, double* value)
{
  const IParam* param = ParamForId(paramId);
  if (!param || !value)
    return false;
  *value = param->Type() == IParam::kTypeDouble ? param->ToNormalized(param->Value()) : param->Value();
  return true;
}

bool IFxCLAP::ParamsValueToText(clap_id paramId, double value, char* display, uint32_t size)
{
  const IParam* param = ParamForId(paramId);
  if (!param || !display || size == 0 || !std::isfinite(value))
    return false;
  IString text;
  param->GetDisplayText(value, param->Type() == IParam::kTypeDouble, text, true);
  const char* label = param->GetLabelForValue();
  if (label && *label)
  {
    const int len = text.GetLength();
    text.Insert(len, " ", 1, 0);
    text.Insert(len + 1, label, static_cast<int>(std::strlen(label)), 0);
  }
  const char* s = text.Get();
  const size_t n = std::strlen(s);
  if (n + 1 > size)
    return false;
  std::memcpy(display, s, n + 1);
  return true;
}

bool IFxCLAP::ParamsTextToValue(clap_id paramId, const char* display, double* value)
{
  const IParam* param = ParamForId(paramId);
  if (!param || !display || !value)
    return false;
  // Text that is no number and no entry fails rather than reading as 0.
  double v = 0.;
  if (!param->TextToValue(display, v))
    return false;
  if (param->Type() == IParam::kTypeDouble)
    v = param->ToNormalized(v);
  *value = v;
  return true;
}

// ---- state -----------------------------------------------------------------------------
// The bytes are exactly the parameter serialisation (13 doubles, 104 bytes,
// no header): projects saved by earlier builds rely on it.

bool IFxCLAP::StateSave(const clap_ostream_t* stream)
{
  if (!stream || !stream->write)
    return false;
  IStateChunk chunk;
  if (!SerializeParams(chunk))
    return false;
  const uint8_t* data = chunk.GetData();
  const int64_t size = chunk.Size();
  int64_t written = 0;
  // A host may take fewer bytes per call than offered.
  while (written < size)
  {
    const int64_t n = stream->write(stream, data + written, static_cast<uint64_t>(size - written));
    if (n <= 0 || n > size - written)
      return false;
    written += n;
  }
  return true;
}

bool IFxCLAP::StateLoad(const clap_istream_t* stream)
{
  if (!stream || !stream->read)
    return false;
  IStateChunk chunk;
  uint8_t buffer[256];
  for (;;)
  {
    const int64_t n = stream->read(stream, buffer, sizeof(buffer));
    if (n == 0)
      break;
    if (n < 0 || n > static_cast<int64_t>(sizeof(buffer)) || chunk.Size() + n > kMaxStateBytes)
      return false;
    if (!chunk.PutBytes(buffer, static_cast<int>(n)))
      return false;
  }
  // A short state would restore some parameters and not others: refuse it
  // whole before anything changes.
  if (chunk.Size() < NParams() * static_cast<int>(sizeof(double)))
    return false;
  if (UnserializeParams(chunk, 0) < 0)
    return false;
  OnStateRestored();
  return true;
}

// ---- audio ports ------------------------------------------------------------------------------

bool IFxCLAP::SupportsAudioPorts() const { return MaxBusCount(kInput) > 0 || MaxBusCount(kOutput) > 0; }

uint32_t IFxCLAP::AudioPortsCount(bool isInput) const
{
  const IChannelLayout* layout = GetChannelLayout(mSelectedConfig);
  return layout ? static_cast<uint32_t>(layout->NBuses(isInput ? kInput : kOutput)) : 0;
}

bool IFxCLAP::AudioPortsGet(uint32_t index, bool isInput, clap_audio_port_info_t* info) const
{
  if (!info || index >= AudioPortsCount(isInput))
    return false;
  const EBusDirection dir = isInput ? kInput : kOutput;
  const int busIdx = static_cast<int>(index);
  std::memset(info, 0, sizeof(*info));
  info->id = index;
  IString name;
  GetBusName(dir, busIdx, static_cast<int>(AudioPortsCount(isInput)), name);
  CopyText(info->name, sizeof(info->name), name.Get());
  info->flags =
    CLAP_AUDIO_PORT_SUPPORTS_64BITS | CLAP_AUDIO_PORT_PREFERS_64BITS | CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
  if (index == 0)
    info->flags |= CLAP_AUDIO_PORT_IS_MAIN;
  const int channels = std::max(0, ConfigBusChannelCount(dir, busIdx, mSelectedConfig));
  info->channel_count = static_cast<uint32_t>(channels);
  info->port_type = PortType(channels);
  info->in_place_pair = CLAP_INVALID_ID;
  return true;
}

bool IFxCLAP::SupportsAudioPortsConfig() const { return NChannelLayouts() > 0; }

uint32_t IFxCLAP::AudioPortsConfigCount() const { return static_cast<uint32_t>(NChannelLayouts()); }

bool IFxCLAP::AudioPortsConfigGet(uint32_t index, clap_audio_ports_config_t* config) const
{
  if (!config || index >= AudioPortsConfigCount())
    return false;
  const int cfg = static_cast<int>(index);
  const IChannelLayout* layout = GetChannelLayout(cfg);
  if (!layout)
    return false;
  std::memset(config, 0, sizeof(*config));
  config->id = index;

  IString name;
  auto appendSide = [&](EBusDirection dir) {
    const int buses = layout->NBuses(dir);
    IString part;
    part.SetFormatted(32, "%d", ConfigBusChannelCount(dir, 0, cfg));
    name.Insert(name.GetLength(), part.Get(), part.GetLength(), 0);
    for (int b = 1; b < buses; ++b)
    {
      part.SetFormatted(32, ".%d", ConfigBusChannelCount(dir, b, cfg));
      name.Insert(name.GetLength(), part.Get(), part.GetLength(), 0);
    }
  };
  appendSide(kInput);
  name.Insert(name.GetLength(), "-", 1, 0);
  appendSide(kOutput);
  CopyText(config->name, sizeof(config->name), name.Get());

  const int nIn = layout->NBuses(kInput);
  const int nOut = layout->NBuses(kOutput);
  config->input_port_count = static_cast<uint32_t>(nIn);
  config->output_port_count = static_cast<uint32_t>(nOut);
  config->has_main_input = nIn > 0;
  const int inCh = nIn > 0 ? std::max(0, ConfigBusChannelCount(kInput, 0, cfg)) : 0;
  config->main_input_channel_count = static_cast<uint32_t>(inCh);
  config->main_input_port_type = nIn > 0 ? PortType(inCh) : nullptr;
  config->has_main_output = nOut > 0;
  const int outCh = nOut > 0 ? std::max(0, ConfigBusChannelCount(kOutput, 0, cfg)) : 0;
  config->main_output_channel_count = static_cast<uint32_t>(outCh);
  config->main_output_port_type = nOut > 0 ? PortType(outCh) : nullptr;
  return true;
}

bool IFxCLAP::AudioPortsConfigSelect(clap_id configId)
{
  if (configId >= AudioPortsConfigCount())
    return false;
  mSelectedConfig = static_cast<int32_t>(configId);
  return true;
}

// ---- note ports ---------------------------------------------------------------------------------

uint32_t IFxCLAP::NotePortsCount(bool isInput) const
{
  if (isInput)
    return TakesMidiIn() ? 1 : 0;
  return SendsMidiOut() ? 1 : 0;
}

bool IFxCLAP::NotePortsGet(uint32_t index, bool isInput, clap_note_port_info_t* info) const
{
  if (!info || index >= NotePortsCount(isInput))
    return false;
  std::memset(info, 0, sizeof(*info));
  info->id = index;
  info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
  info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
  CopyText(info->name, sizeof(info->name), isInput ? "MIDI Input" : "MIDI Output");
  return true;
}

} // namespace ifx
