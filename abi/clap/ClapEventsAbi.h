#pragma once
// Events, event lists, audio buffers and the process record.
#include "abi/clap/ClapBase.h"

extern "C" {

static const uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

enum
{
  CLAP_EVENT_IS_LIVE = 1 << 0,
  CLAP_EVENT_DONT_RECORD = 1 << 1,
};

enum
{
  CLAP_EVENT_NOTE_ON = 0,
  CLAP_EVENT_NOTE_OFF = 1,
  CLAP_EVENT_NOTE_CHOKE = 2,
  CLAP_EVENT_NOTE_END = 3,
  CLAP_EVENT_NOTE_EXPRESSION = 4,
  CLAP_EVENT_PARAM_VALUE = 5,
  CLAP_EVENT_PARAM_MOD = 6,
  CLAP_EVENT_PARAM_GESTURE_BEGIN = 7,
  CLAP_EVENT_PARAM_GESTURE_END = 8,
  CLAP_EVENT_TRANSPORT = 9,
  CLAP_EVENT_MIDI = 10,
  CLAP_EVENT_MIDI_SYSEX = 11,
  CLAP_EVENT_MIDI2 = 12,
};

struct clap_event_header
{
  uint32_t size; // whole event, header included
  uint32_t time; // sample offset within the block
  uint16_t space_id;
  uint16_t type;
  uint32_t flags;
};
using clap_event_header_t = clap_event_header;

struct clap_event_note
{
  clap_event_header_t header;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double velocity;
};
using clap_event_note_t = clap_event_note;

struct clap_event_note_expression
{
  clap_event_header_t header;
  int32_t expression_id;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double value;
};
using clap_event_note_expression_t = clap_event_note_expression;

struct clap_event_param_value
{
  clap_event_header_t header;
  clap_id param_id;
  void* cookie;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double value;
};
using clap_event_param_value_t = clap_event_param_value;

struct clap_event_param_mod
{
  clap_event_header_t header;
  clap_id param_id;
  void* cookie;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double amount;
};
using clap_event_param_mod_t = clap_event_param_mod;

struct clap_event_param_gesture
{
  clap_event_header_t header;
  clap_id param_id;
};
using clap_event_param_gesture_t = clap_event_param_gesture;

enum
{
  CLAP_TRANSPORT_HAS_TEMPO = 1 << 0,
  CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1 << 1,
  CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1 << 2,
  CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1 << 3,
  CLAP_TRANSPORT_IS_PLAYING = 1 << 4,
  CLAP_TRANSPORT_IS_RECORDING = 1 << 5,
  CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1 << 6,
  CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1 << 7,
};

struct clap_event_transport
{
  clap_event_header_t header;
  uint32_t flags;
  clap_beattime song_pos_beats;
  clap_sectime song_pos_seconds;
  double tempo;
  double tempo_inc;
  clap_beattime loop_start_beats;
  clap_beattime loop_end_beats;
  clap_sectime loop_start_seconds;
  clap_sectime loop_end_seconds;
  clap_beattime bar_start;
  int32_t bar_number;
  uint16_t tsig_num;
  uint16_t tsig_denom;
};
using clap_event_transport_t = clap_event_transport;

struct clap_event_midi
{
  clap_event_header_t header;
  uint16_t port_index;
  uint8_t data[3];
};
using clap_event_midi_t = clap_event_midi;

struct clap_event_midi_sysex
{
  clap_event_header_t header;
  uint16_t port_index;
  const uint8_t* buffer; // valid only during the call
  uint32_t size;
};
using clap_event_midi_sysex_t = clap_event_midi_sysex;

struct clap_event_midi2
{
  clap_event_header_t header;
  uint16_t port_index;
  uint32_t data[4];
};
using clap_event_midi2_t = clap_event_midi2;

struct clap_input_events
{
  void* ctx;
  uint32_t(CLAP_ABI* size)(const clap_input_events* list);
  const clap_event_header_t*(CLAP_ABI* get)(const clap_input_events* list, uint32_t index);
};
using clap_input_events_t = clap_input_events;

struct clap_output_events
{
  void* ctx;
  bool(CLAP_ABI* try_push)(const clap_output_events* list, const clap_event_header_t* event);
};
using clap_output_events_t = clap_output_events;

struct clap_audio_buffer
{
  float** data32;
  double** data64;
  uint32_t channel_count;
  uint32_t latency;
  uint64_t constant_mask;
};
using clap_audio_buffer_t = clap_audio_buffer;

struct clap_process
{
  int64_t steady_time;
  uint32_t frames_count;
  const clap_event_transport_t* transport;
  const clap_audio_buffer_t* audio_inputs;
  clap_audio_buffer_t* audio_outputs;
  uint32_t audio_inputs_count;
  uint32_t audio_outputs_count;
  const clap_input_events_t* in_events;
  const clap_output_events_t* out_events;
};
using clap_process_t = clap_process;

} // extern "C"
