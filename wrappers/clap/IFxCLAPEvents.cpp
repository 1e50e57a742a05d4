// Events between the host and the plug-in: input events into parameters, MIDI
// and SysEx; the editor's gestures and values out to the host through the
// parameter-to-host ring; outgoing MIDI and SysEx in time order.
#include <cmath>

#include "base/IParam.h"
#include "wrappers/clap/IFxCLAP.h"

namespace ifx {

namespace {

template <class T>
const T* EventAs(const clap_event_header_t* header) noexcept
{
  // A host that sends a shorter record than the type needs would make us
  // read past its end.
  return header->size >= sizeof(T) ? reinterpret_cast<const T*>(header) : nullptr;
}

clap_event_header_t MakeHeader(uint32_t size, uint32_t time, uint16_t type) noexcept
{
  clap_event_header_t header{};
  header.size = size;
  header.time = time;
  header.space_id = CLAP_CORE_EVENT_SPACE_ID;
  header.type = type;
  header.flags = 0;
  return header;
}

void Push(const clap_output_events_t* out, const clap_event_header_t* event) noexcept { out->try_push(out, event); }

} // namespace

const IParam* IFxCLAP::ParamForId(clap_id id) const noexcept
{
  return id < static_cast<clap_id>(NParams()) ? GetParam(static_cast<int>(id)) : nullptr;
}

// ---- host -> plug-in ----------------------------------------------------------------

void IFxCLAP::ReadInputEvents(const clap_input_events_t* in) noexcept
{
  if (!in || !in->size || !in->get)
    return;
  for (uint32_t i = 0; i < in->size(in); ++i)
  {
    const clap_event_header_t* header = in->get(in, i);
    if (!header || header->space_id != CLAP_CORE_EVENT_SPACE_ID)
      continue;
    const int32_t time = static_cast<int32_t>(header->time);
    switch (header->type)
    {
      case CLAP_EVENT_NOTE_ON:
      case CLAP_EVENT_NOTE_OFF:
      {
        const auto* note = EventAs<clap_event_note_t>(header);
        // Wildcard (-1) or out-of-range addresses name no single MIDI note.
        if (!note || note->channel < 0 || note->channel > 15 || note->key < 0 || note->key > 127)
          break;
        IMidiMessage msg;
        msg.offset = time;
        msg.data1 = static_cast<uint8_t>(note->key);
        if (header->type == CLAP_EVENT_NOTE_ON)
        {
          const double velocity = std::isfinite(note->velocity) ? std::fmin(1.0, std::fmax(0.0, note->velocity)) : 0.0;
          msg.status = static_cast<uint8_t>(0x90 | note->channel);
          msg.data2 = static_cast<uint8_t>(std::lround(velocity * 127.0));
        }
        else
        {
          msg.status = static_cast<uint8_t>(0x80 | note->channel);
          msg.data2 = 0;
        }
        ProcessMidiMessage(msg);
        midiToEditorRing.Push(msg);
        break;
      }
      case CLAP_EVENT_MIDI:
      {
        const auto* midi = EventAs<clap_event_midi_t>(header);
        if (!midi)
          break;
        const IMidiMessage msg(time, midi->data[0], midi->data[1], midi->data[2]);
        ProcessMidiMessage(msg);
        midiToEditorRing.Push(msg);
        break;
      }
      case CLAP_EVENT_PARAM_VALUE:
      {
        const auto* ev = EventAs<clap_event_param_value_t>(header);
        if (!ev || !std::isfinite(ev->value))
          break;
        IParam* param =
          ev->param_id < static_cast<clap_id>(NParams()) ? GetParam(static_cast<int>(ev->param_id)) : nullptr;
        if (!param)
          break;
        const int idx = static_cast<int>(ev->param_id);
        const bool normalized = param->Type() == IParam::kTypeDouble;
        if (normalized)
          param->Set(param->FromNormalized(ev->value));
        else
          param->Set(param->Constrain(ev->value));
        QueueParamValueForUI(idx, ev->value, normalized);
        OnParamChange(idx, kChangeHost, time);
        break;
      }
      case CLAP_EVENT_MIDI_SYSEX:
      {
        const auto* ev = EventAs<clap_event_midi_sysex_t>(header);
        if (!ev)
          break;
        const uint32_t size = ev->buffer ? ev->size : 0;
        // A record holds 512 bytes; a cut message would be a different,
        // corrupt one, so a longer message is dropped whole.
        if (size > static_cast<uint32_t>(ISysExData::kMaxBytes))
          break;
        const ISysExMessage msg(time, ev->buffer, static_cast<int32_t>(size));
        ProcessSysExMessage(msg);
        sysExToEditorRing.Push(ISysExData(msg));
        break;
      }
      default: break;
    }
  }
}

// ---- editor -> host -------------------------------------------------------------------

void IFxCLAP::PushParamChangeToHost(const IHostParamChange& change)
{
  mParamToHost.Push(change); // a full ring drops the entry
  // Ask the host to collect it through params.flush even while processing: a
  // host that has paused processing would otherwise never see it.
  RunOnMainThread([this] { HostParamsFlushTask(); });
}

void IFxCLAP::BeginHostParamGesture(int paramIdx) { PushGestureToHost(IHostParamChange::kBeginGesture, paramIdx); }

void IFxCLAP::EndHostParamGesture(int paramIdx) { PushGestureToHost(IHostParamChange::kEndGesture, paramIdx); }

void IFxCLAP::PushGestureToHost(int32_t type, int paramIdx)
{
  if (!GetParam(paramIdx))
    return;
  IHostParamChange change;
  change.type = type;
  change.idx = paramIdx;
  PushParamChangeToHost(change);
}

void IFxCLAP::NotifyHostParamValue(int paramIdx, double normalizedValue)
{
  const IParam* param = GetParam(paramIdx);
  if (!param || !std::isfinite(normalizedValue))
    return;
  IHostParamChange change;
  change.type = IHostParamChange::kValue;
  change.idx = paramIdx;
  if (param->Type() == IParam::kTypeDouble)
    change.value = normalizedValue;
  else
    change.value = param->Constrain(param->GetShape().NormalizedToValue(normalizedValue, *param));
  PushParamChangeToHost(change);
}

void IFxCLAP::WriteOutputParamEvents(const clap_output_events_t* out) noexcept
{
  // Without a list to write to the entries wait for the next chance.
  if (!out || !out->try_push)
    return;
  // An entry leaves the ring only once the host took it: one it refuses
  // (its list is full) waits, with everything after it, for the next flush
  // or block, so a gesture's end is never lost.
  while (const IHostParamChange* change = mParamToHost.Peek())
  {
    bool taken = false;
    if (change->type == IHostParamChange::kBeginGesture || change->type == IHostParamChange::kEndGesture)
    {
      clap_event_param_gesture_t ev{};
      ev.header = MakeHeader(sizeof(ev), 0,
                             change->type == IHostParamChange::kBeginGesture ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                                             : CLAP_EVENT_PARAM_GESTURE_END);
      ev.param_id = static_cast<clap_id>(change->idx);
      taken = out->try_push(out, &ev.header);
    }
    else
    {
      clap_event_param_value_t ev{};
      ev.header = MakeHeader(sizeof(ev), 0, CLAP_EVENT_PARAM_VALUE);
      ev.param_id = static_cast<clap_id>(change->idx);
      ev.cookie = nullptr;
      ev.note_id = -1;
      ev.port_index = -1;
      ev.channel = -1;
      ev.key = -1;
      ev.value = change->value;
      taken = out->try_push(out, &ev.header);
    }
    if (!taken)
      return;
    IHostParamChange sent;
    mParamToHost.Pop(sent);
  }
}

// ---- processor -> host ------------------------------------------------------------------

bool IFxCLAP::EmitMidiMessage(const IMidiMessage& msg) noexcept { return mMidiToHost.Add(msg); }

bool IFxCLAP::EmitSysExMessage(const ISysExMessage& msg) noexcept
{
  const int32_t size = msg.data ? msg.size : 0;
  if (size < 0 || size > ISysExData::kMaxBytes)
    return false; // never sent cut
  return mSysExToHost.Add(ISysExData(msg.offset, size, msg.data));
}

void IFxCLAP::SendQueuedMidiAndSysEx(const clap_output_events_t* out, uint32_t frames) noexcept
{
  const int32_t end = static_cast<int32_t>(frames);
  for (;;)
  {
    const IMidiMessage* midi = mMidiToHost.Peek();
    const ISysExData* sysex = mSysExToHost.Peek();
    const int32_t midiAt = midi ? midi->offset : end;
    const int32_t sysexAt = sysex ? sysex->offset : end;
    if ((!midi && !sysex) || std::min(midiAt, sysexAt) >= end)
      break;
    // SysEx first at equal offsets.
    if (sysexAt > midiAt)
    {
      const int kind = midi->status >> 4;
      if (out && (kind == 9 || kind == 8))
      {
        clap_event_note_t ev{};
        ev.header = MakeHeader(sizeof(ev), static_cast<uint32_t>(std::max(0, midiAt)),
                               kind == 9 ? CLAP_EVENT_NOTE_ON : CLAP_EVENT_NOTE_OFF);
        ev.note_id = -1;
        ev.port_index = 0;
        ev.channel = static_cast<int16_t>(midi->status & 0x0F);
        ev.key = midi->data1;
        ev.velocity = midi->data2 / 127.0;
        Push(out, &ev.header);
      }
      else if (out)
      {
        clap_event_midi_t ev{};
        ev.header = MakeHeader(sizeof(ev), static_cast<uint32_t>(std::max(0, midiAt)), CLAP_EVENT_MIDI);
        ev.port_index = 0;
        ev.data[0] = midi->status;
        ev.data[1] = midi->data1;
        ev.data[2] = midi->data2;
        Push(out, &ev.header);
      }
      mMidiToHost.Remove();
    }
    else
    {
      if (out)
      {
        clap_event_midi_sysex_t ev{};
        ev.header = MakeHeader(sizeof(ev), static_cast<uint32_t>(std::max(0, sysexAt)), CLAP_EVENT_MIDI_SYSEX);
        ev.port_index = 0;
        ev.buffer = sysex->data; // the host copies it during try_push
        ev.size = static_cast<uint32_t>(sysex->size);
        Push(out, &ev.header);
      }
      mSysExToHost.Remove();
    }
  }
  // What is scheduled beyond this block leaves later at the right time.
  mMidiToHost.Flush(end);
  mSysExToHost.Flush(end);
}

void IFxCLAP::WriteOutputEvents(const clap_output_events_t* out, uint32_t frames) noexcept
{
  WriteOutputParamEvents(out);
  if (out && !out->try_push)
    out = nullptr;
  SendQueuedMidiAndSysEx(out, frames);
}

void IFxCLAP::ParamsFlush(const clap_input_events_t* in, const clap_output_events_t* out) noexcept
{
  ReadInputEvents(in);
  WriteOutputParamEvents(out);
}

} // namespace ifx
