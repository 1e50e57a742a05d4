#include "claphost/HostEvents.h"

#include <cstring>

namespace claphost {

namespace {

clap_event_header_t Header(uint32_t size, uint32_t time, uint16_t type)
{
  clap_event_header_t h{};
  h.size = size;
  h.time = time;
  h.space_id = CLAP_CORE_EVENT_SPACE_ID;
  h.type = type;
  h.flags = CLAP_EVENT_IS_LIVE;
  return h;
}

uint32_t ExpectedSize(uint16_t type)
{
  switch (type)
  {
    case CLAP_EVENT_NOTE_ON:
    case CLAP_EVENT_NOTE_OFF:
    case CLAP_EVENT_NOTE_CHOKE:
    case CLAP_EVENT_NOTE_END: return sizeof(clap_event_note_t);
    case CLAP_EVENT_NOTE_EXPRESSION: return sizeof(clap_event_note_expression_t);
    case CLAP_EVENT_PARAM_VALUE: return sizeof(clap_event_param_value_t);
    case CLAP_EVENT_PARAM_MOD: return sizeof(clap_event_param_mod_t);
    case CLAP_EVENT_PARAM_GESTURE_BEGIN:
    case CLAP_EVENT_PARAM_GESTURE_END: return sizeof(clap_event_param_gesture_t);
    case CLAP_EVENT_TRANSPORT: return sizeof(clap_event_transport_t);
    case CLAP_EVENT_MIDI: return sizeof(clap_event_midi_t);
    case CLAP_EVENT_MIDI_SYSEX: return sizeof(clap_event_midi_sysex_t);
    case CLAP_EVENT_MIDI2: return sizeof(clap_event_midi2_t);
    default: return 0;
  }
}

} // namespace

// ---- input -------------------------------------------------------------------------

InputEvents::InputEvents()
{
  mList.ctx = this;
  mList.size = SizeCallback;
  mList.get = GetCallback;
}

void InputEvents::AddRaw(const void* event, uint32_t bytes)
{
  std::vector<uint64_t> record((bytes + 7) / 8, 0);
  std::memcpy(record.data(), event, bytes);
  mEvents.push_back(std::move(record));
}

void InputEvents::AddParamValue(uint32_t time, clap_id id, double value)
{
  clap_event_param_value_t ev{};
  ev.header = Header(sizeof(ev), time, CLAP_EVENT_PARAM_VALUE);
  ev.param_id = id;
  ev.note_id = -1;
  ev.port_index = -1;
  ev.channel = -1;
  ev.key = -1;
  ev.value = value;
  AddRaw(&ev, sizeof(ev));
}

void InputEvents::AddNoteOn(uint32_t time, int16_t channel, int16_t key, double velocity)
{
  clap_event_note_t ev{};
  ev.header = Header(sizeof(ev), time, CLAP_EVENT_NOTE_ON);
  ev.note_id = -1;
  ev.port_index = 0;
  ev.channel = channel;
  ev.key = key;
  ev.velocity = velocity;
  AddRaw(&ev, sizeof(ev));
}

void InputEvents::AddMidi(uint32_t time, uint8_t status, uint8_t d1, uint8_t d2)
{
  clap_event_midi_t ev{};
  ev.header = Header(sizeof(ev), time, CLAP_EVENT_MIDI);
  ev.data[0] = status;
  ev.data[1] = d1;
  ev.data[2] = d2;
  AddRaw(&ev, sizeof(ev));
}

void InputEvents::AddSysEx(uint32_t time, const uint8_t* bytes, uint32_t size)
{
  clap_event_midi_sysex_t ev{};
  ev.header = Header(sizeof(ev), time, CLAP_EVENT_MIDI_SYSEX);
  ev.buffer = bytes;
  ev.size = size;
  AddRaw(&ev, sizeof(ev));
}

uint32_t CLAP_ABI InputEvents::SizeCallback(const clap_input_events_t* list)
{
  return static_cast<const InputEvents*>(list->ctx)->Size();
}

const clap_event_header_t* CLAP_ABI InputEvents::GetCallback(const clap_input_events_t* list, uint32_t index)
{
  const auto* self = static_cast<const InputEvents*>(list->ctx);
  if (index >= self->mEvents.size())
    return nullptr;
  return reinterpret_cast<const clap_event_header_t*>(self->mEvents[index].data());
}

// ---- output --------------------------------------------------------------------------

OutputEvents::OutputEvents()
{
  mList.ctx = this;
  mList.try_push = TryPushCallback;
}

void OutputEvents::BeginBlock(uint32_t frames) noexcept
{
  mFrames = frames;
  mLastTime = 0;
}

void OutputEvents::Clear()
{
  mEvents.clear();
  mProblems.clear();
  mLastTime = 0;
}

bool CLAP_ABI OutputEvents::TryPushCallback(const clap_output_events_t* list, const clap_event_header_t* event)
{
  auto* self = static_cast<OutputEvents*>(list->ctx);
  return !self->mRefuse && self->Accept(event);
}

bool OutputEvents::Accept(const clap_event_header_t* event)
{
  if (!event)
  {
    mProblems.push_back("try_push with a null event");
    return false;
  }
  const uint32_t expected = ExpectedSize(event->type);
  if (event->space_id == CLAP_CORE_EVENT_SPACE_ID && expected && event->size != expected)
    mProblems.push_back("event type " + std::to_string(event->type) + " pushed with size " +
                        std::to_string(event->size) + ", expected " + std::to_string(expected));
  if (mFrames > 0 && event->time >= mFrames)
    mProblems.push_back("event time " + std::to_string(event->time) + " beyond the block of " +
                        std::to_string(mFrames));
  if (event->time < mLastTime)
    mProblems.push_back("output events out of time order");
  mLastTime = event->time;

  Event copy;
  copy.header = *event;
  if (event->space_id == CLAP_CORE_EVENT_SPACE_ID && event->size == expected)
  {
    switch (event->type)
    {
      case CLAP_EVENT_PARAM_VALUE:
      {
        const auto* ev = reinterpret_cast<const clap_event_param_value_t*>(event);
        copy.paramId = ev->param_id;
        copy.value = ev->value;
        break;
      }
      case CLAP_EVENT_PARAM_GESTURE_BEGIN:
      case CLAP_EVENT_PARAM_GESTURE_END:
        copy.paramId = reinterpret_cast<const clap_event_param_gesture_t*>(event)->param_id;
        break;
      case CLAP_EVENT_NOTE_ON:
      case CLAP_EVENT_NOTE_OFF:
      {
        const auto* ev = reinterpret_cast<const clap_event_note_t*>(event);
        copy.value = ev->velocity;
        copy.bytes = {static_cast<uint8_t>(ev->channel), static_cast<uint8_t>(ev->key)};
        break;
      }
      case CLAP_EVENT_MIDI:
      {
        const auto* ev = reinterpret_cast<const clap_event_midi_t*>(event);
        copy.bytes.assign(ev->data, ev->data + 3);
        break;
      }
      case CLAP_EVENT_MIDI_SYSEX:
      {
        // The buffer is valid only during try_push: copy it now.
        const auto* ev = reinterpret_cast<const clap_event_midi_sysex_t*>(event);
        if (ev->buffer)
          copy.bytes.assign(ev->buffer, ev->buffer + ev->size);
        break;
      }
      default: break;
    }
  }
  mEvents.push_back(std::move(copy));
  return true;
}

} // namespace claphost
