#include "claphost/HostScenario.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "claphost/BlockRunner.h"
#include "claphost/ClapModuleLoader.h"
#include "claphost/HostedPlugin.h"
#include "claphost/Report.h"

namespace claphost {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool HasLog(const TestHost& host, const std::string& text)
{
  for (const LogLine& line : host.Logs())
    if (line.text.find(text) != std::string::npos)
      return true;
  return false;
}

Signal MakeSignal(size_t frames, double rate)
{
  Signal s;
  uint32_t seed = 0x1234567u;
  for (int c = 0; c < 2; ++c)
    s.ch[c].resize(frames);
  for (size_t i = 0; i < frames; ++i)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.1;
    const double t = static_cast<double>(i) / rate;
    s.ch[0][i] = static_cast<float>(0.4 * std::sin(2.0 * kPi * 220.0 * t) + noise);
    s.ch[1][i] = static_cast<float>(0.3 * std::sin(2.0 * kPi * 331.0 * t) - noise);
  }
  return s;
}

double MaxDifference(const RunResult& a, const RunResult& b)
{
  double worst = 0.0;
  for (int c = 0; c < 2; ++c)
    for (size_t i = 0; i < a.out[c].size() && i < b.out[c].size(); ++i)
      worst = std::max(worst, std::fabs(a.out[c][i] - b.out[c][i]));
  return worst;
}

double Energy(const RunResult& a)
{
  double e = 0.0;
  for (int c = 0; c < 2; ++c)
    for (double v : a.out[c])
      e += v * v;
  return e;
}

// ---- the checks -----------------------------------------------------------------

void CheckEntryAndFactory(Report& r, const ClapModuleLoader& module, const clap_plugin_factory_t*& factory)
{
  const clap_plugin_entry_t* entry = module.Entry();
  r.Check(entry->clap_version.major == 1 && entry->clap_version.minor == 2 && entry->clap_version.revision == 7,
          "entry reports CLAP 1.2.7");
  r.Check(module.Symbol("clap_factory") != nullptr, "module exports clap_factory");
  {
    // The exported factory reached before init has nothing to create yet.
    const auto* early = static_cast<const clap_plugin_factory_t*>(module.Symbol("clap_factory"));
    TestHost host;
    r.Check(early && early->create_plugin(early, host.Clap(), kPluginId) == nullptr &&
              early->get_plugin_descriptor(early, 0) == nullptr,
            "nothing is created before init");
  }
  r.Check(!entry->init(nullptr), "entry init refuses a null path");
  r.Check(entry->init(module.Path().c_str()), "entry init");
  r.Check(entry->init(module.Path().c_str()), "entry init a second time (counted)");
  factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  r.Check(factory != nullptr, "get_factory(\"clap.plugin-factory\")");
  r.Check(factory == module.Symbol("clap_factory"), "the factory is the exported clap_factory");
  r.Check(entry->get_factory("clap.plugin-factory ") == nullptr, "get_factory with a trailing blank is null");
  r.Check(entry->get_factory(nullptr) == nullptr, "get_factory(null) is null");
  if (!factory)
    return;
  r.Check(factory->get_plugin_count(factory) == 1, "factory offers one plug-in");
  r.Check(factory->get_plugin_descriptor(factory, 1) == nullptr, "descriptor 1 is null");
  const clap_plugin_descriptor_t* d = factory->get_plugin_descriptor(factory, 0);
  if (!r.Check(d != nullptr, "descriptor 0"))
    return;
  r.Check(clap_version_is_compatible(d->clap_version), "descriptor version compatible");
  r.Check(d->id && !std::strcmp(d->id, kPluginId), "descriptor id", d->id ? d->id : "(null)");
  r.Check(d->name && !std::strcmp(d->name, "Murkwisp"), "descriptor name");
  r.Check(d->vendor && !std::strcmp(d->vendor, "Tarnhollow Audio - Korvane"), "descriptor vendor");
  r.Check(d->version && !std::strcmp(d->version, "0.9.2"), "descriptor version 0.9.2");
  r.Check(d->features && d->features[0] && !std::strcmp(d->features[0], "audio-effect") && d->features[1] &&
            !std::strcmp(d->features[1], "stereo") && !d->features[2],
          "descriptor features audio-effect, stereo");
  TestHost host;
  r.Check(factory->create_plugin(factory, host.Clap(), "com.Tarnhollow - Korvane.Murkwis") == nullptr,
          "create_plugin with another id is null");
  r.Check(factory->create_plugin(factory, host.Clap(), nullptr) == nullptr, "create_plugin with a null id is null");
}

void CheckParams(Report& r, HostedPlugin& p)
{
  const auto* params = p.Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  if (!r.Check(params != nullptr, "params extension"))
    return;
  const clap_plugin_t* plugin = p.Clap();
  const uint32_t count = params->count(plugin);
  r.Check(count == 13, "13 parameters", std::to_string(count));
  bool infos = true, texts = true;
  for (uint32_t i = 0; i < count; ++i)
  {
    clap_param_info_t info{};
    if (!params->get_info(plugin, i, &info) || info.id != i || !info.name[0] ||
        !(info.flags & CLAP_PARAM_REQUIRES_PROCESS) || info.min_value > info.default_value ||
        info.default_value > info.max_value)
      infos = false;
    double v = 0.0;
    char text[64];
    if (!params->get_value(plugin, info.id, &v) || !params->value_to_text(plugin, info.id, v, text, sizeof(text)) ||
        !text[0])
      texts = false;
    double back = -1.0;
    if (!params->text_to_value(plugin, info.id, text, &back) || std::fabs(back - v) > 0.02)
      texts = false;
  }
  r.Check(infos, "get_info for every parameter");
  r.Check(texts, "value_to_text and text_to_value round trip for every parameter");
  clap_param_info_t info{};
  double v = 0.0;
  char text[64];
  r.Check(!params->get_info(plugin, count, &info), "get_info past the count answers false");
  r.Check(!params->get_value(plugin, count, &v), "get_value of an unknown id answers false");
  r.Check(!params->value_to_text(plugin, count, 0.5, text, sizeof(text)), "value_to_text of an unknown id answers false");
  r.Check(!params->value_to_text(plugin, 0, 0.5, text, 2), "value_to_text into a too small buffer answers false");
  r.Check(params->text_to_value(plugin, 5, "Tritone", &v) && v == 6.0, "\"Tritone\" is interval 6");
  r.Check(params->get_info(plugin, 0, &info) && info.flags == 0x8020 && info.min_value == 0.0 && info.max_value == 1.0,
          "a double parameter is exposed normalised, automatable");
  r.Check(params->get_info(plugin, 4, &info) && info.flags == 0x8021 && info.max_value == 4.0,
          "an enum parameter is exposed stepped in plain units");
}

void CheckPorts(Report& r, HostedPlugin& p)
{
  const clap_plugin_t* plugin = p.Clap();
  const auto* ports = p.Ext<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
  if (r.Check(ports != nullptr, "audio-ports extension"))
  {
    r.Check(ports->count(plugin, true) == 1 && ports->count(plugin, false) == 1, "one input and one output port");
    clap_audio_port_info_t info{};
    r.Check(ports->get(plugin, 0, true, &info) && info.channel_count == 2 && info.port_type &&
              !std::strcmp(info.port_type, CLAP_PORT_STEREO) && info.flags == 15 && info.in_place_pair == CLAP_INVALID_ID,
            "main input port is stereo, 64-bit capable");
    r.Check(ports->get(plugin, 0, false, &info) && info.channel_count == 2, "main output port is stereo");
    r.Check(!ports->get(plugin, 1, true, &info), "audio port 1 answers false");
  }
  const auto* configs = p.Ext<clap_plugin_audio_ports_config_t>(CLAP_EXT_AUDIO_PORTS_CONFIG);
  if (r.Check(configs != nullptr, "audio-ports-config extension"))
  {
    clap_audio_ports_config_t cfg{};
    r.Check(configs->count(plugin) == 1 && configs->get(plugin, 0, &cfg) && !std::strcmp(cfg.name, "2-2") &&
              cfg.has_main_input && cfg.main_input_channel_count == 2 && cfg.has_main_output &&
              cfg.main_output_channel_count == 2,
            "one configuration \"2-2\"");
    r.Check(!configs->get(plugin, 1, &cfg) && configs->select(plugin, 0) && !configs->select(plugin, 1),
            "configuration index checks");
  }
}

void CheckExtensions(Report& r, HostedPlugin& p)
{
  const char* offered[] = {CLAP_EXT_STATE, CLAP_EXT_RENDER, CLAP_EXT_LATENCY, CLAP_EXT_TAIL, CLAP_EXT_PARAMS,
                           CLAP_EXT_AUDIO_PORTS, CLAP_EXT_AUDIO_PORTS_CONFIG, CLAP_EXT_GUI};
  for (const char* id : offered)
    r.Check(p.Extension(id) != nullptr, std::string("offers ") + id);
  const char* absent[] = {CLAP_EXT_NOTE_PORTS, CLAP_EXT_STATE_CONTEXT, "clap.unknown"};
  for (const char* id : absent)
    r.Check(p.Extension(id) == nullptr, std::string("does not offer ") + id);
  const auto* render = p.Ext<clap_plugin_render_t>(CLAP_EXT_RENDER);
  if (render)
  {
    r.Check(!render->has_hard_realtime_requirement(p.Clap()), "no hard realtime requirement");
    r.Check(render->set(p.Clap(), CLAP_RENDER_OFFLINE) && render->set(p.Clap(), CLAP_RENDER_REALTIME),
            "render modes offline and realtime");
    r.Check(!render->set(p.Clap(), 2), "render mode 2 is refused");
    r.Check(HasLog(p.Host(), "unknown mode : 2"), "render mode 2 is logged to the host");
  }
}

} // namespace

int RunHostScenario(const std::string& modulePath, std::ostream& os)
{
  Report r(os);
  ClapModuleLoader module;
  if (!r.Check(module.Load(modulePath), "load module " + modulePath, module.Error()))
    return r.Failures();

  const clap_plugin_factory_t* factory = nullptr;
  CheckEntryAndFactory(r, module, factory);
  if (!factory)
    return r.Failures();

  // ---- instance A: life cycle, extensions, 44.1 kHz in 32-bit ----
  TestHost hostA;
  auto a = std::make_unique<HostedPlugin>(factory, hostA, kPluginId);
  if (!r.Check(a->Valid(), "create_plugin"))
    return r.Failures();
  r.Check(a->Clap()->desc == factory->get_plugin_descriptor(factory, 0), "instance points at the descriptor");
  r.Check(a->Init(), "plugin init");
  CheckExtensions(r, *a);
  CheckParams(r, *a);
  CheckPorts(r, *a);

  r.Check(a->Activate(44100.0, 1, 1024), "activate at 44.1 kHz, up to 1024 frames");
  r.Check(hostA.latencyChanged >= 1, "latency change reported while activating");
  const auto* latency = a->Ext<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
  r.Check(latency && latency->get(a->Clap()) == 4096, "latency is 4096 samples");
  const auto* tail = a->Ext<clap_plugin_tail_t>(CLAP_EXT_TAIL);
  r.Check(tail != nullptr, "tail extension answers");

  const Signal s44 = MakeSignal(12000, 44100.0);
  InputEvents firstEvents;
  firstEvents.AddParamValue(0, 12, 0.5);                    // Mix 50 %
  firstEvents.AddParamValue(3, 99, 0.5);                    // unknown id: ignored
  firstEvents.AddParamValue(5, 12, std::nan(""));           // not a number: ignored
  firstEvents.AddNoteOn(7, -1, 60, 1.0);                    // wildcard channel: skipped
  OutputEvents outA;
  const auto started = std::chrono::steady_clock::now();
  const RunResult runA32 = Run(*a, s44, false, {1, 17, 333, 1023, 511, 64, 1024, 2}, &firstEvents, &outA);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  os << "INFO " << s44.ch[0].size() << " stereo frames at 44.1 kHz (32-bit) processed in " << ms << " ms ("
     << (s44.ch[0].size() / 44.1) / ms << "x real time)\n";
  r.Check(runA32.errors == 0, "32-bit processing in odd block sizes", std::to_string(runA32.errors) + " errors");
  r.Check(runA32.finite, "32-bit output is finite");
  r.Check(Energy(runA32) > 1e-6, "32-bit output carries sound");
  double mix = -1.0;
  r.Check(a->GetParamValue(12, mix) && std::fabs(mix - 0.5) < 1e-12, "parameter event sets Mix", std::to_string(mix));
  r.Check(outA.Problems().empty(), "output events well formed",
          outA.Problems().empty() ? "" : outA.Problems().front());

  // A block longer than the activated maximum, and a host passing no event lists.
  hostA.RunOnAudioThread([&] {
    a->StartProcessing();
    std::vector<float> buf[2] = {std::vector<float>(2048, 0.f), std::vector<float>(2048, 0.f)};
    float* io[2] = {buf[0].data(), buf[1].data()};
    std::fill(buf[0].begin() + 1024, buf[0].end(), 0.25f);
    std::fill(buf[1].begin() + 1024, buf[1].end(), 0.25f);
    const bool cut = a->Process32(io, 2, io, 2, 2048, nullptr, nullptr) != CLAP_PROCESS_ERROR;
    r.Check(cut && std::count(buf[0].begin() + 1024, buf[0].end(), 0.25f) == 1024 &&
              std::count(buf[1].begin() + 1024, buf[1].end(), 0.25f) == 1024,
            "a block above the activated maximum is processed up to it, the rest left alone");
    r.Check(a->Process32(io, 2, io, 2, 256, nullptr, nullptr) != CLAP_PROCESS_ERROR,
            "process without event lists (in place)");
    float* missing[2] = {buf[0].data(), nullptr};
    r.Check(a->Process32(missing, 2, io, 2, 64, nullptr, nullptr) == CLAP_PROCESS_ERROR,
            "a null channel pointer is refused");
    a->Reset();
    a->StopProcessing();
  });
  a->PumpMainThread();
  CheckHostRules(r, hostA, "instance A at 44.1 kHz");

  // ---- state from an instance that has not processed yet, into a second one ----
  // (the engine's noise sequence runs on across resets, so only instances
  // with the same history can be compared sample for sample)
  TestHost hostS;
  auto src = std::make_unique<HostedPlugin>(factory, hostS, kPluginId);
  r.Check(src->Valid() && src->Init(), "state source instance");
  {
    const auto* params = src->Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    InputEvents changes;
    changes.AddParamValue(0, 12, 0.8);  // Mix 80 %
    changes.AddParamValue(0, 4, 3.0);   // Octave +1 (plain units)
    changes.AddParamValue(0, 5, 7.0);   // Interval: perfect fifth
    changes.AddParamValue(0, 9, 0.4);   // Whisper 40 %
    OutputEvents none;
    if (params)
      params->flush(src->Clap(), changes.Clap(), none.Clap());
    double octave = 0.0;
    r.Check(src->GetParamValue(4, octave) && octave == 3.0, "params.flush applies input events");
  }
  std::vector<uint8_t> state;
  r.Check(src->SaveState(state, 7) && state.size() == 104, "state saved through 7-byte writes is 104 bytes",
          std::to_string(state.size()));
  TestHost hostB;
  auto b = std::make_unique<HostedPlugin>(factory, hostB, kPluginId);
  r.Check(b->Valid() && b->Init(), "second instance");
  const std::vector<double> before = b->AllParamValues();
  const std::vector<uint8_t> shortState(state.begin(), state.begin() + 100);
  r.Check(!b->LoadState(shortState, 64), "a short state is refused");
  r.Check(b->AllParamValues() == before, "a refused state changes nothing");
  r.Check(!b->LoadState(std::vector<uint8_t>()), "an empty state is refused");
  r.Check(b->LoadState(state, 1), "state loaded in 1-byte reads");
  r.Check(b->AllParamValues() == src->AllParamValues(), "loaded instance has the saved values");

  // ---- identical output at 96 kHz, 64-bit, in different block sizes ----
  a->Deactivate();
  r.Check(a->Activate(96000.0, 1, 512), "reactivate at 96 kHz");
  r.Check(src->Activate(96000.0, 1, 512) && b->Activate(96000.0, 1, 512), "activate both at 96 kHz");
  const Signal s96 = MakeSignal(12000, 96000.0);
  const std::vector<uint32_t> oddBlocks = {7, 129, 512, 311, 1, 500};
  const RunResult runA64 = Run(*a, s96, true, oddBlocks, nullptr, nullptr);
  const RunResult runS64 = Run(*src, s96, true, oddBlocks, nullptr, nullptr);
  const RunResult runB64 = Run(*b, s96, true, {512, 3, 255, 100}, nullptr, nullptr);
  r.Check(runA64.errors == 0 && runS64.errors == 0 && runB64.errors == 0 && runA64.finite && runS64.finite &&
            runB64.finite && Energy(runS64) > 1e-6,
          "64-bit processing at 96 kHz");
  const double diffSB = MaxDifference(runS64, runB64);
  r.Check(diffSB == 0.0, "saved and restored instances produce identical output",
          "max difference " + std::to_string(diffSB));

  // ---- 32-bit against 64-bit ----
  TestHost hostC;
  auto c = std::make_unique<HostedPlugin>(factory, hostC, kPluginId);
  r.Check(c->Valid() && c->Init() && c->LoadState(state) && c->Activate(96000.0, 1, 512), "third instance");
  const RunResult runC32 = Run(*c, s96, false, oddBlocks, nullptr, nullptr);
  const double diff3264 = MaxDifference(runS64, runC32);
  r.Check(diff3264 < 1e-5, "32-bit output matches 64-bit output", "max difference " + std::to_string(diff3264));

  src->PumpMainThread();
  CheckHostRules(r, hostS, "state source");
  a->PumpMainThread();
  b->PumpMainThread();
  c->PumpMainThread();
  CheckHostRules(r, hostA, "instance A at 96 kHz");
  CheckHostRules(r, hostB, "instance B");
  CheckHostRules(r, hostC, "instance C");
  a.reset();
  b.reset();
  c.reset();
  src.reset();

  // ---- hosts with fewer extensions ----
  {
    TestHostOptions bare;
    bare.nullGetExtension = true;
    bare.name = nullptr;
    bare.version = nullptr;
    TestHost host(bare);
    HostedPlugin p(factory, host, kPluginId);
    r.Check(p.Valid() && p.Init() && p.Activate(48000.0, 32, 256), "host without extensions or name");
    const RunResult run = Run(p, MakeSignal(2000, 48000.0), false, {256, 31}, nullptr, nullptr);
    r.Check(run.errors == 0 && run.finite, "processing for a host without extensions");
    p.Destroy();
    CheckHostRules(r, host, "host without extensions");
  }
  {
    TestHostOptions opts;
    opts.latencyHasChanged = false;
    opts.offerTrackInfo = true;
    opts.trackInfoHasGet = false;
    TestHost host(opts);
    HostedPlugin p(factory, host, kPluginId);
    r.Check(p.Valid() && p.Init() && p.Activate(44100.0, 1, 128), "host with incomplete extensions");
    r.Check(HasLog(host, "clap_host_track_info is partially implemented"), "incomplete track info is logged");
    r.Check(HasLog(host, "clap_host_latency is partially implemented"), "incomplete latency is logged");
    p.Destroy();
    CheckHostRules(r, host, "host with incomplete extensions");
  }
  {
    TestHostOptions opts;
    opts.offerTrackInfo = true;
    opts.trackInfoDraftIdOnly = true;
    opts.trackInfoHasChannels = false;
    TestHost host(opts);
    HostedPlugin p(factory, host, kPluginId);
    r.Check(p.Valid() && p.Init(), "host with draft track info");
    r.Check(host.trackInfoQueries == 1, "track info read through the draft id");
    const auto* ports = p.Ext<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    r.Check(ports && ports->count(p.Clap(), true) == 1, "ports unchanged by a track without channel info");
    p.Destroy();
    CheckHostRules(r, host, "host with draft track info");
  }

  // ---- deinit: counted, then nothing can be created ----
  const clap_plugin_entry_t* entry = module.Entry();
  entry->deinit();
  {
    TestHost host;
    HostedPlugin p(factory, host, kPluginId);
    r.Check(p.Valid(), "still usable after the first of two deinits");
  }
  entry->deinit();
  {
    TestHost host;
    r.Check(factory->create_plugin(factory, host.Clap(), kPluginId) == nullptr, "create_plugin after deinit is null");
    r.Check(factory->get_plugin_descriptor(factory, 0) == nullptr, "no descriptor after deinit");
  }

  // ---- repeated init and deinit ----
  bool cycles = true;
  for (int round = 0; round < 3; ++round)
  {
    cycles = entry->init(module.Path().c_str()) && cycles;
    TestHost host;
    HostedPlugin p(factory, host, kPluginId);
    cycles = p.Valid() && p.Init() && p.Activate(44100.0, 1, 64) && cycles;
    const RunResult run = Run(p, MakeSignal(300, 44100.0), round % 2 == 1, {64, 13}, nullptr, nullptr);
    cycles = run.errors == 0 && host.Violations().empty() && cycles;
    p.Destroy();
    entry->deinit();
  }
  r.Check(cycles, "three rounds of init, create, process, destroy, deinit");
  return r.Failures();
}

} // namespace claphost
